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

int PhPlaneTransform::baseOf(int iPercent) { return phRound(boundedZoom(iPercent) / 100.0 * BaseSize); }

int PhPlaneTransform::fitZoom(double minH, double maxH, double minV, double maxV, const QSize &viewport) {
  PhPlaneTransform probe;
  const auto sizeAt = [&](int iPercent) {
    probe.layout(minH, maxH, minV, maxV, iPercent);
    return probe.contentsSize();
  };
  const auto fits = [&](int iPercent) {
    const QSize size = sizeAt(iPercent);
    return size.width() <= viewport.width() && size.height() <= viewport.height();
  };
  if (sizeAt(MinZoom) == sizeAt(MaxZoom)) return 100;
  if (!fits(MinZoom)) return MinZoom;
  if (fits(MaxZoom)) return MaxZoom;
  // The contents grow with the zoom, so the largest fitting zoom is found by
  // halving; exact with the layout's own rounding.
  int lo = MinZoom;
  int hi = MaxZoom;
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    if (fits(mid))
      lo = mid;
    else
      hi = mid;
  }
  return lo;
}

namespace {

int heldPos(int pos, int contents, int viewport) { return std::clamp(pos, 0, std::max(0, contents - viewport)); }

}  // namespace

QPoint PhPlaneTransform::centredPos(const QSize &contents, const QSize &viewport) {
  return QPoint(heldPos((contents.width() - viewport.width()) / 2, contents.width(), viewport.width()),
                heldPos((contents.height() - viewport.height()) / 2, contents.height(), viewport.height()));
}

QPoint PhPlaneTransform::anchoredPos(int fromPercent, int toPercent, const QPoint &anchor, const QPoint &at,
                                     const QSize &contents, const QSize &viewport) {
  // Contents pixels scale with the base about the margin's corner.
  const int from = baseOf(fromPercent);
  const double f = from > 0 ? double(baseOf(toPercent)) / from : 1.0;
  const int x = phRound((anchor.x() - Margin) * f + Margin) - at.x();
  const int y = phRound((anchor.y() - Margin) * f + Margin) - at.y();
  return QPoint(heldPos(x, contents.width(), viewport.width()), heldPos(y, contents.height(), viewport.height()));
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

  const int base = baseOf(mZoom);
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
