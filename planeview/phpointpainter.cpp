#include "phpointpainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "phraster.h"
#include "phsymbolsprite.h"

namespace {

// Liang-Barsky: shortens the segment to the part inside `r`; false when none is.
bool clipLine(QPointF &a, QPointF &b, const QRectF &r) {
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  double t0 = 0.0;
  double t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const QPointF start = a;
  a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
  b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
  return true;
}

// Ellipses larger than this are drawn as lines through their rows in view,
// never as a whole shape far beyond the viewport.
constexpr int LargeEllipse = 8192;

// The outline of an ellipse too large to hand to the painter whole: its two
// sides row by row over the rows in view, joined to its top and bottom.
template <class Line>
void drawLargeEllipse(const QRect &box, const QRect &exposed, Line line) {
  const double cx = box.x() + (box.width() - 1) / 2.0;
  const double cy = box.y() + (box.height() - 1) / 2.0;
  const double a = (box.width() - 1) / 2.0;
  const double b = (box.height() - 1) / 2.0;
  if (a <= 0.0 || b <= 0.0) return;
  const double top = cy - b;
  const double bottom = cy + b;
  const double first = std::max(double(exposed.top() - 1), std::ceil(top));
  const double last = std::min(double(exposed.bottom() + 1), std::floor(bottom));
  auto half = [&](double y) {
    const double r = (y - cy) / b;
    return a * std::sqrt(std::max(0.0, 1.0 - r * r));
  };
  if (first > last) {
    // The rows in view lie between two rows of the ellipse's outline.
    if (top <= exposed.bottom() + 1 && bottom >= exposed.top() - 1) {
      line(QPointF(cx, top), QPointF(cx, top));
    }
    return;
  }
  QPointF prevLeft(cx, top);
  QPointF prevRight(cx, top);
  bool fromApex = first <= std::ceil(top);
  for (double y = first; y <= last; y += 1.0) {
    const double dx = half(y);
    const QPointF left(cx - dx, y);
    const QPointF right(cx + dx, y);
    if (y > first || fromApex) {
      line(prevLeft, left);
      line(prevRight, right);
    }
    prevLeft = left;
    prevRight = right;
  }
  if (last >= std::floor(bottom)) {
    line(prevLeft, QPointF(cx, bottom));
    line(prevRight, QPointF(cx, bottom));
  }
}

}  // namespace

PhPointPainter::Labels::Labels(const QFontMetrics &metrics)
    : mDescent(metrics.descent()), mLineStep(metrics.height() - 1) {}

bool PhPointPainter::labelMayShow(const QRect &exposed, int x, int baseline, int length,
                                  const QFontMetrics &metrics) {
  // Generous on purpose: the painter clips; this only skips what cannot show.
  const QRect box(x - 2, baseline - metrics.ascent() - 2, length * metrics.maxWidth() + 4, metrics.height() + 4);
  return box.intersects(exposed);
}

void PhPointPainter::drawSprite(QPainter *painter, const PhRaster *raster, const PhSymbolSprite &sprite,
                                const QRect &clip, int px, int py) {
  if (raster && sprite.isOpaque())
    sprite.blit(*raster, clip & raster->rect, px, py);
  else
    sprite.paint(painter, px, py);
}

void PhPointPainter::drawLine(QPainter *painter, const QPoint &from, const QPoint &to, const QRect &clip) {
  if (from == to) return;
  drawLine(painter, QPointF(from), QPointF(to), clip);
}

void PhPointPainter::drawLine(QPainter *painter, const QPointF &from, const QPointF &to, const QRect &clip) {
  const QRectF box = QRectF(from, to).normalized().adjusted(-1.0, -1.0, 1.0, 1.0);
  if (!box.intersects(QRectF(clip))) return;
  QPointF a(from);
  QPointF b(to);
  const QRectF reach(clip.adjusted(-LineReach, -LineReach, LineReach, LineReach));
  if (!reach.contains(a) || !reach.contains(b)) {
    if (!clipLine(a, b, reach)) return;
  }
  painter->drawLine(a, b);
}

void PhPointPainter::drawEllipse(QPainter *painter, const QRect &box, const QRect &exposed) {
  if (box.width() <= LargeEllipse && box.height() <= LargeEllipse) {
    painter->drawEllipse(box.x(), box.y(), box.width() - 1, box.height() - 1);
    return;
  }
  drawLargeEllipse(box, exposed, [&](const QPointF &a, const QPointF &b) { drawLine(painter, a, b, exposed); });
}
