#include "phsymbolsprite.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "phglobal.h"
#include "phraster.h"

namespace {

// The columns [j0, j1] of row k of a disc d pixels across, in doubled units
// so that the rows above and below the centre come out mirror-exact.
bool discRow(int d, int k, int &j0, int &j1) {
  const double offset = 2.0 * k + 1.0 - d;
  const double h2 = double(d) * d - offset * offset;
  if (h2 < 0.0) return false;
  const double h = std::sqrt(h2);
  j0 = std::max(0, int(std::ceil((d - h - 1.0) / 2.0)));
  j1 = std::min(d - 1, int(std::floor((d + h - 1.0) / 2.0)));
  return j0 <= j1;
}

}  // namespace

void PhSymbolSprite::clear() {
  mLayers.clear();
  mShapes.clear();
  mComposed.clear();
  mComposedValid = false;
  mBounds = QRect();
  mOpaque = true;
}

void PhSymbolSprite::addRun(int dy, int x0, int x1, quint32 argb) {
  if (x0 > x1) return;
  mLayers.push_back({dy, x0, x1, argb});
  mBounds |= QRect(QPoint(x0, dy), QPoint(x1, dy));
  mComposedValid = false;
}

void PhSymbolSprite::addDisc(const QColor &colour, int left, int top, int d) {
  if (d > 0) mShapes.push_back({Shape::Disc, colour, left, top, d});
  const quint32 argb = qPremultiply(colour.rgba());
  if (colour.alpha() != 255) mOpaque = false;
  for (int k = 0; k < d; ++k) {
    int j0 = 0;
    int j1 = 0;
    if (discRow(d, k, j0, j1)) addRun(top + k, left + j0, left + j1, argb);
  }
}

void PhSymbolSprite::addRing(const QColor &colour, int left, int top, int d) {
  if (d <= 2) {
    addDisc(colour, left, top, d);
    return;
  }
  mShapes.push_back({Shape::Ring, colour, left, top, d});
  const quint32 argb = qPremultiply(colour.rgba());
  if (colour.alpha() != 255) mOpaque = false;
  for (int k = 0; k < d; ++k) {
    int j0 = 0;
    int j1 = 0;
    if (!discRow(d, k, j0, j1)) continue;
    // The inner disc is d - 2 across and starts one pixel further in.
    int i0 = 0;
    int i1 = 0;
    if (k >= 1 && k <= d - 2 && discRow(d - 2, k - 1, i0, i1)) {
      addRun(top + k, left + j0, left + i0, argb);
      addRun(top + k, left + i1 + 2, left + j1, argb);
    } else {
      addRun(top + k, left + j0, left + j1, argb);
    }
  }
}

void PhSymbolSprite::addSymbol(int iSymbol, const QColor &colour, int size) {
  if (size <= 0) return;
  const int half = size / 2;
  const quint32 argb = qPremultiply(colour.rgba());
  switch (iSymbol) {
    case PhGlobal::SYM_Triangle:
      mShapes.push_back({Shape::Triangle, colour, -half, -half, half});
      if (colour.alpha() != 255) mOpaque = false;
      // Apex at the top, the base half a size to each side below.
      for (int k = 0; k <= 2 * half; ++k) {
        const int w = (k + 1) / 2;
        addRun(k - half, -w, w, argb);
      }
      break;
    case PhGlobal::SYM_Cross:
      mShapes.push_back({Shape::Cross, colour, -half, -half, half});
      if (colour.alpha() != 255) mOpaque = false;
      for (int k = 0; k <= 2 * half; ++k) {
        if (k == half)
          addRun(0, -half, half, argb);
        else
          addRun(k - half, 0, 0, argb);
      }
      break;
    default:
      addDisc(colour, -half, -half, size);
      break;
  }
}

void PhSymbolSprite::compose() const {
  mComposed.clear();
  mComposedValid = true;
  if (mLayers.empty()) return;
  const int w = mBounds.width();
  const int h = mBounds.height();
  std::vector<quint32> grid(std::size_t(w) * std::size_t(h), 0u);
  for (const Run &run : mLayers) {
    quint32 *row = grid.data() + std::size_t(run.dy - mBounds.top()) * std::size_t(w);
    std::fill(row + (run.x0 - mBounds.left()), row + (run.x1 - mBounds.left()) + 1, run.argb);
  }
  for (int y = 0; y < h; ++y) {
    const quint32 *row = grid.data() + std::size_t(y) * std::size_t(w);
    int x = 0;
    while (x < w) {
      if (!row[x]) {
        ++x;
        continue;
      }
      int end = x;
      while (end + 1 < w && row[end + 1] == row[x]) ++end;
      mComposed.push_back({y + mBounds.top(), x + mBounds.left(), end + mBounds.left(), row[x]});
      x = end + 1;
    }
  }
}

void PhSymbolSprite::paint(QPainter *painter, int px, int py) const {
  if (mOpaque && !mComposedValid) compose();
  const std::vector<Run> &runs = mOpaque ? mComposed : mLayers;
  for (const Run &run : runs)
    painter->fillRect(QRect(px + run.x0, py + run.dy, run.x1 - run.x0 + 1, 1),
                      QColor::fromRgba(qUnpremultiply(run.argb)));
}

void PhSymbolSprite::paintShapes(QPainter *painter, int px, int py) const {
  painter->save();
  for (const Shape &shape : mShapes) {
    const double x = px + shape.left;
    const double y = py + shape.top;
    switch (shape.kind) {
      case Shape::Disc:
        painter->setPen(Qt::NoPen);
        painter->setBrush(shape.colour);
        painter->drawEllipse(QRectF(x, y, shape.d, shape.d));
        break;
      case Shape::Ring:
        painter->setPen(QPen(shape.colour, 1.0));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(QRectF(x + 0.5, y + 0.5, shape.d - 1, shape.d - 1));
        break;
      case Shape::Triangle: {
        // Over the pixels of its runs: apex row to base row, half a size to each side.
        const double h = shape.d;
        const QPointF corners[3] = {QPointF(px + 0.5, py - h), QPointF(px + h + 1.0, py + h + 1.0),
                                    QPointF(px - h, py + h + 1.0)};
        painter->setPen(Qt::NoPen);
        painter->setBrush(shape.colour);
        painter->drawPolygon(corners, 3);
        break;
      }
      case Shape::Cross: {
        const int h = shape.d;
        QPainterPath cross;
        cross.addRect(QRectF(px - h, py, 2 * h + 1, 1));
        cross.addRect(QRectF(px, py - h, 1, 2 * h + 1));
        cross.setFillRule(Qt::WindingFill);
        painter->fillPath(cross, shape.colour);
        break;
      }
    }
  }
  painter->restore();
}

void PhSymbolSprite::blit(const PhRaster &raster, const QRect &clip, int px, int py) const {
  if (!mComposedValid) compose();
  const int top = clip.top();
  const int bottom = clip.bottom();
  const int left = clip.left();
  const int right = clip.right();
  const int x0 = px + mBounds.left();
  const int x1 = px + mBounds.right();
  const int y0 = py + mBounds.top();
  const int y1 = py + mBounds.bottom();
  if (x0 > right || x1 < left || y0 > bottom || y1 < top) return;
  if (x0 >= left && x1 <= right && y0 >= top && y1 <= bottom) {
    // Wholly inside: no run needs clipping.
    const qptrdiff stride = raster.stride;
    const qptrdiff base = qptrdiff(py - raster.rect.top()) * stride + (px - raster.rect.left());
    for (const Run &run : mComposed) {
      quint32 *p = raster.bits + base + run.dy * stride + run.x0;
      quint32 *const end = p + (run.x1 - run.x0) + 1;
      while (p != end) *p++ = run.argb;
    }
    return;
  }
  for (const Run &run : mComposed) {
    const int y = py + run.dy;
    if (y < top || y > bottom) continue;
    const int a = std::max(px + run.x0, left);
    const int b = std::min(px + run.x1, right);
    if (a > b) continue;
    quint32 *line = raster.line(y);
    std::fill(line + a, line + b + 1, run.argb);
  }
}
