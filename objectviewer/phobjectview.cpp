#include "phobjectview.h"

#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phimage.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phdrawprefs.h"
#include "phnumberlabels.h"
#include "phround.h"
#include "uxcfg.h"

namespace {

constexpr quint8 StyleType = 7;
constexpr quint8 StyleBlunder = 8;
constexpr quint8 StyleSelected = 16;

bool hasObserved(const PhObjectPoint *point, int iAxis) {
  switch (iAxis) {
    case 0: return point->hasObservedX();
    case 1: return point->hasObservedY();
    default: return point->hasObservedZ();
  }
}

bool isRejected(const PhObjectPoint *point, int iAxis) {
  switch (iAxis) {
    case 0: return point->isRejectedX();
    case 1: return point->isRejectedY();
    default: return point->isRejectedZ();
  }
}

}  // namespace

PhObjectView::PhObjectView(int iPlane, QWidget *parent) : PhZoomView(parent), mPlane(iPlane) {
  Nub::debug("PhObjectView");
}

PhObjectView::~PhObjectView() {
  Nub::debug("~PhObjectView");
  if (mList) mList->selection().removeObserver(this);
}

bool PhObjectView::hasData() const { return mList && !mList->isEmpty(); }

bool PhObjectView::setData(PhObjectList *list, bool bSigmasComputed) {
  cancelDrag();
  if (mList) mList->selection().removeObserver(this);
  mList = list;
  if (mList) mList->selection().addObserver(this);
  mSigmasComputed = bSigmasComputed;
  mLayoutValid = false;
  mLargestValid[0] = mLargestValid[1] = false;
  mLabelCharsValid = false;
  mValueSteps.clear();
  mDensity.invalidate();
  if (hasData()) {
    calculateResize();
  } else {
    resizeContents(0, 0);
  }
  updateContents();
  return true;
}

bool PhObjectView::contentsExtent(double &minH, double &maxH, double &minV, double &maxV) const {
  if (!hasData()) return false;
  minH = mList->minHorizontal(mPlane);
  maxH = mList->maxHorizontal(mPlane);
  minV = mList->minVertical(mPlane);
  maxV = mList->maxVertical(mPlane);
  return minH <= maxH && minV <= maxV;
}

void PhObjectView::layoutChanged() {
  mLayoutValid = false;
  mDensity.invalidate();
}

void PhObjectView::setLinkLineType(int iType) {
  settings().linkLineType = iType;
  settingsChanged();
}

void PhObjectView::setShowImageIds(bool bOn) {
  settings().showImageIds = bOn;
  invalidateLayer();
}

void PhObjectView::setShowConnections(bool bOn) {
  settings().showConnections = bOn;
  invalidateLayer();
}

void PhObjectView::setResidualsOn(ViewModeE mode, bool bOn) {
  PhZoomView::setResidualsOn(mode, bOn);
  if (mode == VM_Textual && bOn) settings().sigmasOn[VM_Textual] = false;
}

void PhObjectView::setSigmasOn(ViewModeE mode, bool bOn) {
  if (mode != VM_Graphical && mode != VM_Textual) return;
  settings().sigmasOn[mode] = bOn;
  if (mode == VM_Textual && bOn) PhZoomView::setResidualsOn(VM_Textual, false);
  invalidateLayer();
}

bool PhObjectView::hasSigmasOn(ViewModeE mode) const {
  return (mode == VM_Graphical || mode == VM_Textual) && drawSettings().sigmasOn[mode];
}

void PhObjectView::applyPointPrefs() {
  PhDrawSettings s = drawSettings();
  PhDrawPrefs::readPoints(s);
  readOwnPrefs(s);
  setDrawSettings(s, false);
}

void PhObjectView::readOwnPrefs(PhDrawSettings &settings) {
  PhDrawPrefs::readMarks(settings);
  const Ux::Cfg links(QStringLiteral("Links"));
  settings.linkLineType = links.readNum(QStringLiteral("LinkLineType"), PhGlobal::LT_Solid);
}

// Toggles ------------------------------------------------------------------

void PhObjectView::slotToggleImageIds() {
  setShowImageIds(!hasImageIdsOn());
  if (hasData()) updateContents();
}

void PhObjectView::slotToggleResiduals(ViewModeE mode) {
  PhZoomView::slotToggleResiduals(mode);
  if (mode == VM_Textual && hasResidualsOn(VM_Textual) && hasSigmasOn(VM_Textual)) {
    settings().sigmasOn[VM_Textual] = false;
    if (hasData()) updateContents();
  }
}

void PhObjectView::slotToggleSigmas(ViewModeE mode) {
  if (mode != VM_Graphical && mode != VM_Textual) return;
  if (!mSigmasComputed) {
    Ux::warn(tr("No inversion: sigmas were not computed!"));
    return;
  }
  setSigmasOn(mode, !hasSigmasOn(mode));
  if (hasData()) updateContents();
}

void PhObjectView::slotToggleShowConnections() {
  setShowConnections(!hasConnectionsOn());
  if (hasData()) updateContents();
}

// Selection -----------------------------------------------------------------

const QHash<int, PhObjectPoint *> &PhObjectView::imageSet() const {
  static const QHash<int, PhObjectPoint *> none;
  return mList ? mList->selection().imageSet() : none;
}

bool PhObjectView::decorationsOn() const {
  return hasPointIdsOn() || hasImageIdsOn() || hasLinkCountOn() || hasResidualsOn(VM_Graphical) ||
         hasResidualsOn(VM_Textual) || hasSigmasOn(VM_Graphical) || hasSigmasOn(VM_Textual) ||
         hasConnectionsOn();
}

void PhObjectView::selectionChanged(const PhSelectionChange &change) {
  if (!hasData()) return;
  const bool laidOut = mLayoutValid && int(mPos.size()) == mList->count();
  if (!laidOut) {
    // The next paint lays out and reads every flag.
    mLayoutValid = false;
    updateContents();
    return;
  }
  if (change.whole) {
    const int n = mList->count();
    for (int i = 0; i < n; ++i) {
      quint8 &style = mStyle[std::size_t(i)];
      style = mList->at(i)->isSelected() ? quint8(style | StyleSelected) : quint8(style & ~StyleSelected);
    }
    updateContents();
    return;
  }
  int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
  for (int i : change.changed) {
    quint8 &style = mStyle[std::size_t(i)];
    style = mList->at(i)->isSelected() ? quint8(style | StyleSelected) : quint8(style & ~StyleSelected);
    const QPoint &pos = mPos[std::size_t(i)];
    if (x1 < x0) {
      x0 = x1 = pos.x();
      y0 = y1 = pos.y();
    } else {
      x0 = std::min(x0, pos.x());
      x1 = std::max(x1, pos.x());
      y0 = std::min(y0, pos.y());
      y1 = std::max(y1, pos.y());
    }
  }
  // Without labels and lines a selection changes only the discs of the
  // points it touched.
  if (decorationsOn()) {
    updateContents();
  } else if (x0 <= x1) {
    const int m = reachMargin();
    updateContents(QRect(QPoint(x0 - m, y0 - m), QPoint(x1 + m, y1 + m)));
  }
}

void PhObjectView::selectionGone() {
  cancelDrag();
  mList = nullptr;
  mLayoutValid = false;
  mLargestValid[0] = mLargestValid[1] = false;
  mLabelCharsValid = false;
  mValueSteps.clear();
  mDensity.invalidate();
  mPos.clear();
  mStyle.clear();
  resizeContents(0, 0);
  updateContents();
}

void PhObjectView::selectInBand(const QRect &band, bool bAdd) {
  if (!hasData()) return;
  ensureLayout();
  // Every point in the band, whatever its type switch or blunder state.
  std::vector<int> inBand;
  mGrid.forEachIn(band, [&](int i, const QPoint &pos) {
    if (band.contains(pos)) inBand.push_back(i);
  });
  mList->selection().selectIndices(inBand, bAdd);
}

void PhObjectView::slotDeselectPoints() {
  Nub::debug("slotDeselectPoints");
  if (hasData()) mList->selection().deselectAll();
}

void PhObjectView::selectImagePoints(PhImage *image, bool bEraseExisting) {
  if (image && hasData()) mList->selection().selectImagePoints(image, bEraseExisting);
}

void PhObjectView::selectPoints(int iSelectionMode, int iSearchMode, const QString &strPar1,
                                const QString &strPar2, bool bUsePattern) {
  if (hasData()) mList->selection().applySearch(iSelectionMode, iSearchMode, strPar1, strPar2, bUsePattern);
}

// Layout and drawing ----------------------------------------------------------

int PhObjectView::reachMargin() const {
  int widest = 0;
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t)
    widest = std::max(widest, symbolSize(t) + 2 * blunderSize() + 2 * markSize());
  return widest / 2 + 1;
}

void PhObjectView::ensureLayout() {
  if (mLayoutValid && mList && int(mPos.size()) == mList->count()) return;
  const int n = mList ? mList->count() : 0;
  mPos.resize(std::size_t(n));
  mStyle.resize(std::size_t(n));
  for (int i = 0; i < n; ++i) {
    const PhObjectPoint *point = mList->at(i);
    mPos[std::size_t(i)] = toContents(point->horizontal(mPlane), point->vertical(mPlane));
    mStyle[std::size_t(i)] = quint8(typeIndex(point->code()) | (point->isAccepted() ? 0 : StyleBlunder) |
                                    (point->isSelected() ? StyleSelected : 0));
  }
  mGrid.build(mPos, contentsWidth(), contentsHeight());
  mLayoutValid = true;
}

template <class F>
void PhObjectView::forEachCandidate(const QRect &reach, bool bAllSelected, F f) {
  ensureLayout();
  static const std::vector<int> none;
  // Selected points reach beyond their symbols only with labels or lines.
  const std::vector<int> &always = bAllSelected ? mList->selection().indices() : none;
  const int n = mList->count();
  const int left = reach.left();
  const int right = reach.right();
  const int top = reach.top();
  const int bottom = reach.bottom();
  auto inReach = [&](const QPoint &pos) {
    return pos.x() >= left && pos.x() <= right && pos.y() >= top && pos.y() <= bottom;
  };
  const long long estimate = mGrid.countIn(reach) + (long long)always.size();
  if (estimate * 4 >= n) {
    // Most points may show: one pass in list order.
    std::size_t s = 0;
    for (int i = 0; i < n; ++i) {
      const QPoint &pos = mPos[std::size_t(i)];
      bool selected = false;
      if (s < always.size() && always[s] == i) {
        selected = true;
        ++s;
      }
      if (selected || inReach(pos)) f(i, pos);
    }
    return;
  }
  // A few cells: take their points with their pixels (read in cell order),
  // add the selected points outside, and put all in list order.
  mCandidates.clear();
  mGrid.forEachIn(reach, [&](int i, const QPoint &pos) {
    if (inReach(pos)) mCandidates.push_back({i, pos});
  });
  for (int i : always) {
    const QPoint &pos = mPos[std::size_t(i)];
    if (!inReach(pos)) mCandidates.push_back({i, pos});
  }
  sortCandidates(n);
  for (const Candidate &c : mCandidates) f(c.index, c.pos);
}

void PhObjectView::sortCandidates(int n) {
  // Least significant digit first, 11 bits a pass: linear in the candidates.
  constexpr int Bits = 11;
  constexpr int Buckets = 1 << Bits;
  mSortBuffer.resize(mCandidates.size());
  std::vector<int> count(Buckets);
  for (int shift = 0; (n - 1) >> shift > 0 || shift == 0; shift += Bits) {
    std::fill(count.begin(), count.end(), 0);
    for (const Candidate &c : mCandidates) ++count[std::size_t((c.index >> shift) & (Buckets - 1))];
    int sum = 0;
    for (int &k : count) {
      const int here = k;
      k = sum;
      sum += here;
    }
    for (const Candidate &c : mCandidates)
      mSortBuffer[std::size_t(count[std::size_t((c.index >> shift) & (Buckets - 1))]++)] = c;
    mCandidates.swap(mSortBuffer);
    if (shift + Bits >= 31) break;
  }
}

void PhObjectView::drawContents(QPainter *painter, int clipx, int clipy, int clipw, int cliph) {
  mLeftOut = 0;
  if (!hasData()) return;
  PhPointPainter paint = pointPainter(painter, QRect(clipx, clipy, clipw, cliph));
  paint.fillBackground();
  const std::vector<quint8> &steps = mValueSteps.steps(*mList, drawSettings(), mSigmasComputed);
  auto stepOf = [&](int i) { return steps.empty() ? -1 : int(steps[std::size_t(i)]); };
  if (drawSettings().densityOn && crowded()) {
    drawDensity(paint, painter, stepOf);
  } else if (!fastDrawing()) {
    // The reference: every point, in list order, placed afresh.
    const int n = mList->count();
    for (int i = 0; i < n; ++i) {
      const PhObjectPoint *point = mList->at(i);
      drawPoint(paint, i, toContents(point->horizontal(mPlane), point->vertical(mPlane)), stepOf(i));
    }
  } else {
    drawIndexed(paint, stepOf);
  }
  drawOverlays(paint);
}

template <class Step>
void PhObjectView::drawIndexed(PhPointPainter &paint, Step stepOf) {
  const int m = reachMargin();
  const QRect reach = paint.exposed().adjusted(-m, -m, m, m);
  auto draw = [&](int i, const QPoint &pos) {
    const quint8 style = mStyle[std::size_t(i)];
    if (style & StyleSelected)
      drawPoint(paint, i, pos, stepOf(i));
    else  // Unselected points need no more than their pixel and style.
      paint.drawSymbol(style & StyleType, (style & StyleBlunder) != 0, false, pos.x(), pos.y(), stepOf(i));
  };
  Reach decoration;
  if (!decorationsOn() || !paint.writesRaster() || !decorationReach(paint, decoration)) {
    forEachCandidate(reach, decorationsOn(), draw);
    return;
  }
  // Labels of many selected points pile up where points are dense; those
  // buried under the opaque symbols of later points are left out, which
  // changes no pixel.
  mDrawList.clear();
  forEachCandidate(reach, true, [&](int i, const QPoint &pos) { mDrawList.push_back({i, pos, Parts()}); });
  dropHidden(paint, decoration);
  for (const DrawItem &item : mDrawList) {
    if (item.index < 0) {
      ++mLeftOut;
      continue;
    }
    if (mStyle[std::size_t(item.index)] & StyleSelected)
      drawPoint(paint, item.index, item.pos, stepOf(item.index), item.parts);
    else
      draw(item.index, item.pos);
  }
}

int PhObjectView::largestSymbol() const {
  int largest = 1;
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t)
    if (drawSettings().pointOn[t]) largest = std::max(largest, symbolSize(t));
  return largest;
}

bool PhObjectView::crowded() {
  ensureLayout();
  return mDensity.crowded(mPos, QSize(contentsWidth(), contentsHeight()), largestSymbol());
}

template <class Step>
void PhObjectView::drawDensity(PhPointPainter &paint, QPainter *painter, Step stepOf) {
  // Every point that would show a symbol counts where it falls.
  mDensity.begin(paint.exposed());
  mGrid.forEachIn(paint.exposed(), [&](int i, const QPoint &pos) {
    const quint8 style = mStyle[std::size_t(i)];
    if (paint.outerSize(style & StyleType, (style & StyleBlunder) != 0, false) > 0) mDensity.add(pos);
  });
  mDensity.end(painter);
  // Selected points keep their symbols and labels on top, in list order.
  const int m = reachMargin();
  const QRect reach = paint.exposed().adjusted(-m, -m, m, m);
  const bool anywhere = decorationsOn();
  for (int i : mList->selection().indices()) {
    const QPoint &pos = mPos[std::size_t(i)];
    if (anywhere || reach.contains(pos)) drawPoint(paint, i, pos, stepOf(i));
  }
}

void PhObjectView::drawOverlays(PhPointPainter &paint) {
  paint.drawLegend(QPoint(LegendInset, LegendInset));
  if (drawSettings().densityOn && crowded()) {
    PhPointPainter::Legend legend;
    legend.low = 1.0;
    legend.high = mDensity.mostPerPixel();
    legend.unit = tr("points per pixel (log)");
    const int width = paint.legendRect(QPoint(0, 0), legend).width();
    paint.drawLegend(QPoint(contentsWidth() - LegendInset - width, LegendInset), legend);
  }
  if (hasResidualsOn(VM_Graphical)) paint.drawScaleBar(QPoint(LegendInset, contentsHeight() - LegendInset));
}

bool PhObjectView::decorationReach(const PhPointPainter &paint, Reach &reach) {
  // Past this a point's reach is seldom covered, and the test costs more than it saves.
  constexpr int Longest = 512;
  const PhDrawSettings &s = drawSettings();
  // Connection lines reach anywhere; texts of numbers have no width bound.
  if (s.showConnections && !imageSet().isEmpty()) return false;
  if (s.residualsOn[VM_Textual] || s.sigmasOn[VM_Textual]) return false;
  // Labels start beside the symbol: further left for narrower ones.
  int widest = 0;
  int narrowest = PhDrawSettings::MaxSymbolSize * 4;
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    for (int b = 0; b < 2; ++b) {
      const int outer = paint.outerSize(t, b == 1, true);
      if (outer == 0) continue;
      widest = std::max(widest, outer);
      narrowest = std::min(narrowest, outer);
    }
  }
  if (widest == 0) narrowest = 0;
  const QFontMetrics &metrics = paint.metrics();
  const PhPointPainter::Labels &labels = paint.labels();
  // The ink of the digits and the minus sign, and a pixel round it for
  // smoothing; glyphs may overhang their advance.
  QRect ink;
  int step = 0;
  for (QChar c : QStringLiteral("0123456789-")) {
    ink |= metrics.tightBoundingRect(c);
    step = std::max(step, metrics.horizontalAdvance(c));
  }
  ink.adjust(-2, -1, 2, 1);
  const int left = PhPointPainter::Labels::x(0, narrowest);
  const int right = PhPointPainter::Labels::x(0, widest);
  auto row = [&](int baseline, int chars) {
    return QRect(QPoint(left + ink.left(), baseline + ink.top()),
                 QPoint(right + (chars - 1) * (step + 1) + ink.right(), baseline + ink.bottom()));
  };
  reach = Reach();
  // The lines round the point; its symbol is added point by point.
  QRect round;
  auto addRound = [&](bool bSigma, double halves) {
    const double value = largestValue(bSigma) * std::abs(paint.factor()) * halves;
    if (!(value < Longest)) return false;
    const int d = int(std::ceil(value)) + 2;
    round |= QRect(-d, -d, 2 * d + 1, 2 * d + 1);
    return true;
  };
  if (s.residualsOn[VM_Graphical] && !addRound(false, 1.0)) return false;
  if (s.sigmasOn[VM_Graphical] && !addRound(true, 0.5)) return false;
  reach.part[reach.count++] = round;
  if (s.showPointIds || s.showImageIds) {
    reach.idPart = reach.count;
    reach.part[reach.count++] = row(labels.idBaseline(0), labelChars(false));
  }
  if (s.showLinks) {
    reach.linkPart = reach.count;
    reach.part[reach.count++] = row(labels.linkBaseline(0), labelChars(true));
  }
  for (int k = 0; k < reach.count; ++k)
    if (reach.part[k].width() > 2 * Longest || reach.part[k].height() > 2 * Longest) return false;
  return true;
}

int PhObjectView::labelChars(bool bLinks) {
  if (!mLabelCharsValid) {
    int chars[2] = {1, 1};
    const int n = mList ? mList->count() : 0;
    for (int i = 0; i < n; ++i) {
      const PhObjectPoint *point = mList->at(i);
      const int id = point->pointId();
      const int links = point->isProjectionCentre() ? PhImage::adjustedPointCount(id) : PhImage::numberOfLinks(id);
      chars[0] = std::max(chars[0], PhNumberLabels::length(id));
      chars[1] = std::max(chars[1], PhNumberLabels::length(links));
    }
    mLabelChars[0] = chars[0];
    mLabelChars[1] = chars[1];
    mLabelCharsValid = true;
  }
  return mLabelChars[bLinks ? 1 : 0];
}

double PhObjectView::largestValue(bool bSigma) {
  const int k = bSigma ? 1 : 0;
  if (mLargestValid[k]) return mLargest[k];
  double largest = 0.0;
  const int n = mList ? mList->count() : 0;
  for (int i = 0; i < n; ++i) {
    const PhObjectPoint *point = mList->at(i);
    const double h = bSigma ? point->horizontalSigma(mPlane) : point->horizontalResidual(mPlane);
    const double v = bSigma ? point->verticalSigma(mPlane) : point->verticalResidual(mPlane);
    if (!std::isfinite(h) || !std::isfinite(v)) {
      largest = std::numeric_limits<double>::quiet_NaN();
      break;
    }
    largest = std::max({largest, std::abs(h), std::abs(v)});
  }
  mLargest[k] = largest;
  mLargestValid[k] = true;
  return largest;
}

void PhObjectView::dropHidden(PhPointPainter &paint, const Reach &reach) {
  mCover.reset(paint.exposed());
  const PhPaintTools &tools = paint.tools();
  for (auto it = mDrawList.rbegin(); it != mDrawList.rend(); ++it) {
    const quint8 style = mStyle[std::size_t(it->index)];
    const int t = style & StyleType;
    const bool blunder = (style & StyleBlunder) != 0;
    const bool selected = (style & StyleSelected) != 0;
    if (paint.outerSize(t, blunder, selected) == 0) {
      // Draws nothing at all.
      it->index = -1;
      continue;
    }
    const PhSymbolSprite &sprite = tools.sprite[t][blunder][selected];
    const QRect symbol = sprite.bounds().translated(it->pos);
    bool covered[3] = {true, true, true};
    bool symbolCovered = true;
    if (selected) {
      // The first part: the point's symbol with the lines round it, first
      // as far as the list's longest lines reach, then, where that shows,
      // the symbol and the point's own lines apart.
      covered[0] = mCover.covers(reach.part[0].translated(it->pos) | symbol);
      if (!covered[0]) {
        symbolCovered = mCover.covers(symbol);
        if (symbolCovered) {
          const QRect lines = linesOf(mList->at(it->index), it->pos, paint);
          covered[0] = lines.isNull() || mCover.covers(lines);
        }
      }
      for (int k = 1; k < reach.count; ++k) covered[k] = mCover.covers(reach.part[k].translated(it->pos));
    } else {
      symbolCovered = covered[0] = mCover.covers(symbol);
    }
    if (covered[0] && covered[1] && covered[2]) {
      it->index = -1;
      continue;
    }
    if (selected) {
      // Of a point that shows, the symbol, the lines and the characters
      // under later symbols need not be drawn.
      it->parts.symbol = !symbolCovered;
      it->parts.lines = !covered[0];
      const PhObjectPoint *point = mList->at(it->index);
      const Numbers numbers = numbersOf(point, paint);
      it->parts.links = numbers.links;
      const bool id = numbers.showId && !(reach.idPart >= 0 && covered[reach.idPart]);
      const bool links = numbers.showLinks && !(reach.linkPart >= 0 && covered[reach.linkPart]);
      if (numbers.showId || numbers.showLinks)
        it->parts.glyphs = paint.shownNumberGlyphs(it->pos, paint.outerSize(t, blunder, true), id,
                                                   point->pointId(), links, numbers.links, mCover);
    }
    if (sprite.isOpaque())
      sprite.forEachRun(it->pos.x(), it->pos.y(), [&](int y, int x0, int x1) { mCover.addRun(y, x0, x1); });
  }
}

QRect PhObjectView::linesOf(const PhObjectPoint *point, const QPoint &pos, const PhPointPainter &paint) const {
  const PhDrawSettings &s = drawSettings();
  QRect lines;
  if (s.residualsOn[VM_Graphical]) {
    const QPoint end = paint.vectorEnd(pos, point->horizontalResidual(mPlane), point->verticalResidual(mPlane));
    if (end != pos) lines = QRect(pos, end).normalized();
  }
  if (s.sigmasOn[VM_Graphical]) {
    const int w = phRound(point->horizontalSigma(mPlane) * paint.factor());
    const int h = phRound(point->verticalSigma(mPlane) * paint.factor());
    if (w >= 1 && h >= 1) lines |= QRect(pos.x() - w / 2, pos.y() - h / 2, w, h);
  }
  // Lines are one pixel wide and may round to the next.
  return lines.isNull() ? lines : lines.adjusted(-2, -2, 2, 2);
}

PhObjectView::Numbers PhObjectView::numbersOf(const PhObjectPoint *point, const PhPointPainter &paint,
                                              int iLinks) const {
  const PhDrawSettings &s = drawSettings();
  Numbers numbers;
  const bool centre = point->isProjectionCentre();
  const int id = point->pointId();
  numbers.showId = centre ? s.showImageIds : s.showPointIds;
  numbers.showLinks = s.showLinks;
  if (numbers.showLinks)
    numbers.links = iLinks >= 0 ? iLinks : centre ? PhImage::adjustedPointCount(id) : PhImage::numberOfLinks(id);
  const PhPaintTools &tools = paint.tools();
  numbers.pen = point->isAccepted() ? &tools.typePen[typeIndex(point->code())] : &tools.blunderPen;
  return numbers;
}

void PhObjectView::drawPoint(PhPointPainter &paint, int i, const QPoint &pos, int iStep) {
  drawPoint(paint, i, pos, iStep, Parts());
}

void PhObjectView::drawPoint(PhPointPainter &paint, int i, const QPoint &pos, int iStep, const Parts &parts) {
  const PhObjectPoint *point = mList->at(i);
  const int t = typeIndex(point->code());
  const bool blunder = !point->isAccepted();
  const bool selected = point->isSelected();
  const int outer = paint.outerSize(t, blunder, selected);
  if (outer == 0) return;
  if (parts.symbol) paint.drawSymbol(t, blunder, selected, pos.x(), pos.y(), iStep);
  if (!selected) return;

  // Labels and lines, for selected points only.
  const PhDrawSettings &s = drawSettings();
  const PhPaintTools &tools = paint.tools();
  const QPen &typePen = tools.typePen[t];
  const bool centre = point->isProjectionCentre();
  const int id = point->pointId();
  const Numbers numbers = numbersOf(point, paint, parts.links);
  if (numbers.showId || numbers.showLinks)
    paint.drawNumbers(pos, outer, numbers.showId, id, numbers.showLinks, numbers.links, *numbers.pen, parts.glyphs);
  if (s.residualsOn[VM_Graphical] && parts.lines) {
    const QPoint end = paint.vectorEnd(pos, point->horizontalResidual(mPlane), point->verticalResidual(mPlane));
    paint.drawVectorByStatus(pos, end, point->rejectedStatus(mPlane), point->rejectedOfPlaneAxis(mPlane),
                             point->rejectedAxisObserved(mPlane), t);
  }
  if (s.residualsOn[VM_Textual]) {
    int line = 0;
    for (int axis = 0; axis < 3; ++axis) {
      if (!hasObserved(point, axis)) continue;
      paint.drawTextLine(pos, outer, line++, tools.residualSigmaText[axis], point->observedResidual(axis),
                         point->residualSigma(axis), blunder && isRejected(point, axis) ? tools.blunderPen : typePen);
    }
  }
  if (s.sigmasOn[VM_Graphical] && parts.lines)
    paint.drawSigmaEllipse(pos, point->horizontalSigma(mPlane), point->verticalSigma(mPlane), t);
  if (s.sigmasOn[VM_Textual]) {
    for (int axis = 0; axis < 3; ++axis)
      paint.drawTextLine(pos, outer, axis, tools.sigmaText[axis], point->adjustedSigma(axis), 0.0, typePen);
  }
  if (!s.showConnections || centre || imageSet().isEmpty()) return;
  const QHash<int, PhObjectPoint *> &set = imageSet();
  const PhImageRefs images = PhImage::imagesOfPoint(id);
  for (auto it = images.begin(); it != images.end(); ++it) {
    const PhImage *image = *it;
    if (!set.contains(image->imageId())) continue;
    const QPoint centrePos = toContents(image->projectionCentreHorizontal(mPlane), image->projectionCentreVertical(mPlane));
    const PhImagePoint *imagePoint = it.point();
    paint.drawConnection(pos, centrePos, imagePoint && !imagePoint->adjustStatus(), t);
  }
}

// Context menu --------------------------------------------------------------

void PhObjectView::buildContextMenu(QMenu *menu) {
  addZoomItem(menu, POP_Zoom100);
  addSharedItem(menu, ITEM_PointIds, POP_PointIds);
  addMenuItem(menu, hasImageIdsOn() ? tr("Hide Image-IDs") : tr("Show Image-IDs"), POP_ImageIds);
  addSharedItem(menu, ITEM_LinkCount, POP_LinkCount);
  addSharedItem(menu, ITEM_Blunders, POP_Blunders);
  addResidualsMenu(menu, POP_ResidualsGraphical, POP_ResidualsTextual);
  QMenu *sigmas = addSubMenu(menu, tr("&Sigmas"));
  addMenuItem(sigmas, hasSigmasOn(VM_Graphical) ? tr("Hide Graphical") : tr("Show Graphical"),
              POP_SigmasGraphical);
  addMenuItem(sigmas, hasSigmasOn(VM_Textual) ? tr("Hide Textual") : tr("Show Textual"),
              POP_SigmasTextual);
  menu->addSeparator();
  addMenuItem(menu, hasConnectionsOn() ? tr("Hide Connections") : tr("Show Connections"),
              POP_Connections);
  if (mList->selectedCount() > 0) {
    menu->addSeparator();
    addMenuItem(menu, tr("Deselect all Points"), POP_Deselect);
  }
}

void PhObjectView::handleContextMenu(int iPopId) { _slotHandleContextMenu(iPopId); }

void PhObjectView::_slotHandleContextMenu(int iPopId) {
  switch (iPopId) {
    case POP_Zoom100: slotZoom(100); break;
    case POP_PointIds: slotTogglePointIds(); break;
    case POP_ImageIds: slotToggleImageIds(); break;
    case POP_Blunders: slotToggleBlunders(); break;
    case POP_ResidualsGraphical: slotToggleResiduals(VM_Graphical); break;
    case POP_ResidualsTextual: slotToggleResiduals(VM_Textual); break;
    case POP_SigmasGraphical: slotToggleSigmas(VM_Graphical); break;
    case POP_SigmasTextual: slotToggleSigmas(VM_Textual); break;
    case POP_LinkCount: slotToggleShowLinkCount(); break;
    case POP_Deselect: slotDeselectPoints(); break;
    case POP_Connections: slotToggleShowConnections(); break;
    default:
      Ux::warn(tr("Invalid case: %1!").arg(QString::number(iPopId)));
      break;
  }
}
