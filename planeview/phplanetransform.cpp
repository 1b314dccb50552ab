#include "phplanetransform.h"

#include <algorithm>
#include <cmath>

#include "phround.h"

int PhPlaneTransform::boundedZoom(int iPercent) { return std::clamp(iPercent, MinZoom, MaxZoom); }

PhPlaneTransform::BandZoom PhPlaneTransform::zoomToBand(int iPercent, const QSize &viewport,
                                                        const QRect &band) {
  BandZoom result;
  result.zoom = iPercent;
  if (band.width() <= 0 || band.height() <= 0) return result;
  double f = std::min(double(viewport.width()) / band.width(), double(viewport.height()) / band.height());
  if (phRound(iPercent * f) > MaxZoom) f = double(MaxZoom) / iPercent;
  result.zoom = boundedZoom(phRound(iPercent * f));
  result.contentsPos =
      QPoint(phRound((band.left() - Margin) * f + Margin), phRound((band.top() - Margin) * f + Margin));
  return result;
}

void PhPlaneTransform::layout(double minH, double maxH, double minV, double maxV, int iPercent) {
  mZoom = boundedZoom(iPercent);
  double w = maxH - minH;
  double h = maxV - minV;
  if (!(w > 0.0) || !std::isfinite(w)) w = 0.0;
  if (!(h > 0.0) || !std::isfinite(h)) h = 0.0;
  mMinH = std::isfinite(minH) ? minH : 0.0;
  mMinV = std::isfinite(minV) ? minV : 0.0;
  mExtentV = h;

  const int base = phRound(mZoom / 100.0 * BaseSize);
  int width = base;
  int height = base;
  if (h < w) {
    height = phRound(h / w * base);
  } else if (h > w) {
    width = phRound(w / h * base);
  } else if (w == 0.0) {
    width = height = 0;
  }
  const double longer = w <= h ? h : w;
  mScale = longer > 0.0 ? base / longer : double(base);
  mSize = QSize(width + 2 * Margin, height + 2 * Margin);
}

QPoint PhPlaneTransform::toContents(double h, double v) const {
  return QPoint(phRound((h - mMinH) * mScale + Margin), phRound((mExtentV - (v - mMinV)) * mScale + Margin));
}
