#include "phpointpainter.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QSize>

#include <algorithm>
#include <cmath>

#include "phcolourmap.h"
#include "phcovermask.h"
#include "phround.h"

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

PhPointPainter::PhPointPainter(QPainter *painter, const QRect &exposed, const PhDrawSettings &settings,
                               PhPaintTools &tools, double scale, const PhRaster *raster)
    : mPainter(painter),
      mExposed(exposed),
      mSettings(settings),
      mTools(tools),
      mRaster(raster),
      mBlitClip(raster ? exposed & raster->rect : QRect()),
      mMetrics(settings.textFont),
      mLabels(mMetrics),
      mFactor(double(settings.residualScale) * scale),
      // Glyph runs where pixels are made; files and printers get text, which
      // they keep as text.
      mGlyphRuns(painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster) {
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    const int size = settings.symbolSize(t);
    const int blunder = size + 2 * settings.blunderSize;
    for (int s = 0; s < 2; ++s) {
      const int mark = s ? 2 * settings.markSize : 0;
      mOuter[t][0][s] = settings.pointOn[t] ? size + mark : 0;
      mOuter[t][1][s] = settings.pointOn[t] && settings.showBlunders ? blunder + mark : 0;
    }
  }
  mPainter->setFont(settings.textFont);
}

void PhPointPainter::fillBackground() { mPainter->fillRect(mExposed, mSettings.background); }

void PhPointPainter::drawImageFrame(const QSize &contents, int margin, bool bExtent) {
  mPainter->setBrush(Qt::NoBrush);
  mPainter->setPen(mTools.outlinePen);
  mPainter->drawRect(0, 0, contents.width() - 1, contents.height() - 1);
  if (!bExtent) return;
  mPainter->setPen(mTools.framePen);
  mPainter->drawRect(margin, margin, contents.width() - 2 * margin, contents.height() - 2 * margin);
}

namespace {

QString limitText(double value, double factor) { return QString::number(value * factor, 'g', 6); }

QString upperText(const PhPointPainter::Legend &legend) {
  const QString limit = limitText(legend.high, legend.textFactor);
  return legend.unit.isEmpty() ? limit : limit + QLatin1Char(' ') + legend.unit;
}

}  // namespace

PhPointPainter::Legend PhPointPainter::valueLegend() const {
  Legend legend;
  legend.low = mSettings.colourLow;
  legend.high = mSettings.colourHigh;
  legend.textFactor = mSettings.colourTextFactor;
  legend.unit = mSettings.colourUnit;
  return legend;
}

QRect PhPointPainter::legendRect(const QPoint &corner, const Legend &legend) const {
  const int texts = mMetrics.horizontalAdvance(limitText(legend.low, legend.textFactor)) +
                    mMetrics.horizontalAdvance(upperText(legend)) + 8;
  return QRect(corner, QSize(std::max(LegendWidth, texts), LegendHeight + 2 + mMetrics.height()));
}

QRect PhPointPainter::drawLegend(const QPoint &corner) {
  const Legend legend = valueLegend();
  if (mSettings.colourBy == PhDrawSettings::COL_Type) return legendRect(corner, legend);
  return drawLegend(corner, legend);
}

QRect PhPointPainter::drawLegend(const QPoint &corner, const Legend &legend) {
  const QRect area = legendRect(corner, legend);
  if (!area.intersects(mExposed)) return area;
  // The limits only label the bar: from the map's first colour to its last.
  for (int x = 0; x < LegendWidth; ++x)
    mPainter->fillRect(corner.x() + x, corner.y(), 1, LegendHeight, PhColourMap::at(x / double(LegendWidth - 1)));
  mPainter->setBrush(Qt::NoBrush);
  mPainter->setPen(mTools.framePen);
  mPainter->drawRect(corner.x(), corner.y(), LegendWidth - 1, LegendHeight - 1);
  mPainter->setFont(mSettings.textFont);
  const int baseline = corner.y() + LegendHeight + 2 + mMetrics.ascent();
  mPainter->drawText(corner.x(), baseline, limitText(legend.low, legend.textFactor));
  const QString upper = upperText(legend);
  mPainter->drawText(area.right() + 1 - mMetrics.horizontalAdvance(upper), baseline, upper);
  return area;
}

bool PhPointPainter::scaleBarValue(double factor, double &value, int &length) {
  factor = std::abs(factor);
  if (!(factor > 0.0) || !std::isfinite(factor)) return false;
  // The round value whose bar is nearest 100 pixels.
  const double raw = 100.0 / factor;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double best = 0.0;
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    const double v = m * power;
    if (best == 0.0 || std::abs(v * factor - 100.0) < std::abs(best * factor - 100.0)) best = v;
  }
  const double pixels = best * factor;
  if (!std::isfinite(pixels) || pixels < 2.0 || pixels > 1.0e6) return false;
  value = best;
  length = int(std::lround(pixels));
  return true;
}

QRect PhPointPainter::drawScaleBar(const QPoint &corner) {
  double value = 0.0;
  int length = 0;
  if (!mSettings.scaleBarOn || !scaleBarValue(mFactor, value, length)) return QRect();
  QString text = QString::number(value * mSettings.vectorTextFactor, 'g', 6);
  if (!mSettings.vectorUnit.isEmpty()) text += QLatin1Char(' ') + mSettings.vectorUnit;
  const int tick = 3;
  const int textWidth = mMetrics.horizontalAdvance(text);
  const QRect area(QPoint(corner.x(), corner.y() - mMetrics.height() - tick - 2),
                   QPoint(corner.x() + std::max(length, textWidth), corner.y()));
  if (!area.intersects(mExposed)) return area;
  const int y = corner.y() - tick;
  mPainter->setPen(mTools.framePen);
  mPainter->drawLine(corner.x(), y, corner.x() + length, y);
  mPainter->drawLine(corner.x(), y - tick, corner.x(), y + tick);
  mPainter->drawLine(corner.x() + length, y - tick, corner.x() + length, y + tick);
  mPainter->setFont(mSettings.textFont);
  mPainter->drawText(corner.x(), y - tick - 2 - mMetrics.descent(), text);
  return area;
}

int PhPointPainter::drawLargestRing(int iType, const QPoint &pos) {
  // Whatever the point's type switch or status: the blit clips.
  putSprite(mTools.largestRing[iType], pos.x(), pos.y());
  return mTools.largestDiameter[iType];
}

QPoint PhPointPainter::vectorEnd(const QPoint &from, double rh, double rv) const {
  return QPoint(phRound(from.x() + rh * mFactor), phRound(from.y() - rv * mFactor));
}

void PhPointPainter::drawVector(const QPoint &from, const QPoint &to, const QPen &pen) {
  mPainter->setPen(pen);
  drawLine(mPainter, from, to, mExposed);
}

void PhPointPainter::drawVectorByStatus(const QPoint &from, const QPoint &to, int iStatus,
                                        bool bHorizontalRejected, bool bRejectedObserved, int iType) {
  switch (iStatus) {
    case 0:
      drawVector(from, to, mTools.typePen[iType]);
      break;
    case 1:
      drawVector(from, to, mTools.blunderPen);
      break;
    case 2:
      drawVector(from, bHorizontalRejected ? QPoint(from.x(), to.y()) : QPoint(to.x(), from.y()),
                 mTools.typePen[iType]);
      if (bRejectedObserved) drawVector(from, to, mTools.blunderPen);
      break;
    default:
      break;
  }
}

void PhPointPainter::drawLabel(int x, int baseline, const QString &text, const QPen &pen) {
  if (!labelMayShow(mExposed, x, baseline, int(text.size()), mMetrics)) return;
  mPainter->setPen(pen);
  mPainter->drawText(x, baseline, text);
}

void PhPointPainter::drawNumbers(const QPoint &pos, int outer, bool bId, int id, bool bLinks, int links,
                                 const QPen &pen, quint32 shown) {
  if (!bId && !bLinks) return;
  PhNumberLabels &numbers = mTools.numbers;
  const int x = Labels::x(pos.x(), outer);
  const int idBaseline = mLabels.idBaseline(pos.y());
  const int linkBaseline = mLabels.linkBaseline(pos.y());
  if (!numbersAsGlyphs()) {
    if (bId) {
      PhNumberText::fillInteger(mTools.text, id);
      drawLabel(x, idBaseline, mTools.text, pen);
    }
    if (bLinks) {
      PhNumberText::fillInteger(mTools.text, links);
      drawLabel(x, linkBaseline, mTools.text, pen);
    }
    return;
  }
  // Both labels in one glyph run: the same pen, nothing drawn between.
  bool queued = false;
  if (bId && labelMayShow(mExposed, x, idBaseline, PhNumberLabels::length(id), mMetrics)) {
    numbers.add(id, x, idBaseline, shown & 0xffffu);
    queued = true;
  }
  if (bLinks && labelMayShow(mExposed, x, linkBaseline, PhNumberLabels::length(links), mMetrics)) {
    numbers.add(links, x, linkBaseline, shown >> 16);
    queued = true;
  }
  if (!queued) return;
  mPainter->setPen(pen);
  numbers.draw(mPainter, mRaster, mBlitClip);
}

quint32 PhPointPainter::shownNumberGlyphs(const QPoint &pos, int outer, bool bId, int id, bool bLinks, int links,
                                          const PhCoverMask &cover) {
  if (!numbersAsGlyphs()) return ~0u;
  const int x = Labels::x(pos.x(), outer);
  quint32 shown = 0;
  if (bId)
    mTools.numbers.forEachGlyphBox(id, x, mLabels.idBaseline(pos.y()), [&](int k, const QRect &box) {
      if (!cover.covers(box)) shown |= 1u << k;
    });
  if (bLinks)
    mTools.numbers.forEachGlyphBox(links, x, mLabels.linkBaseline(pos.y()), [&](int k, const QRect &box) {
      if (!cover.covers(box)) shown |= 1u << (16 + k);
    });
  return shown;
}

bool PhPointPainter::numbersAsGlyphs() {
  if (!mGlyphRuns) return false;
  if (!mNumbersReady) {
    // The glyphs as the device shows the font; looked up again only when either changed.
    mTools.numbers.setFont(mSettings.textFont, mPainter->device());
    mNumbersReady = true;
  }
  return mTools.numbers.isUsable();
}

void PhPointPainter::drawTextLine(const QPoint &pos, int outer, int iLine, const PhNumberText &format, double a,
                                  double b, const QPen &pen) {
  format.fill(mTools.text, a, b);
  drawLabel(Labels::x(pos.x(), outer), mLabels.textBaseline(pos.y(), iLine), mTools.text, pen);
}

void PhPointPainter::drawSigmaEllipse(const QPoint &pos, double sh, double sv, int iType) {
  const int w = phRound(sh * mFactor);
  const int h = phRound(sv * mFactor);
  const QRect box(pos.x() - w / 2, pos.y() - h / 2, w, h);
  if (w < 1 || h < 1 || !box.adjusted(-1, -1, 1, 1).intersects(mExposed)) return;
  mPainter->setPen(mTools.typePen[iType]);
  mPainter->setBrush(Qt::NoBrush);
  drawEllipse(mPainter, box, mExposed);
}

void PhPointPainter::drawConnection(const QPoint &from, const QPoint &to, bool bBlunder, int iType) {
  mPainter->setPen(bBlunder ? mTools.connectionBlunderPen : mTools.connectionPen[iType]);
  drawLine(mPainter, from, to, mExposed);
}

bool PhPointPainter::labelMayShow(const QRect &exposed, int x, int baseline, int length,
                                  const QFontMetrics &metrics) {
  // Generous on purpose: the painter clips; this only skips what cannot show.
  const QRect box(x - 2, baseline - metrics.ascent() - 2, length * metrics.maxWidth() + 4, metrics.height() + 4);
  return box.intersects(exposed);
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
