#include "phobjectview.h"

#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phimage.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phdrawprefs.h"
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

void PhObjectView::layoutChanged() { mLayoutValid = false; }

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
  if (!hasData()) return;
  PhPointPainter paint = pointPainter(painter, QRect(clipx, clipy, clipw, cliph));
  paint.fillBackground();
  paint.drawLegend(QPoint(LegendInset, LegendInset));
  if (!fastDrawing()) {
    // The reference: every point, in list order, placed afresh.
    const int n = mList->count();
    for (int i = 0; i < n; ++i) {
      const PhObjectPoint *point = mList->at(i);
      drawPoint(paint, i, toContents(point->horizontal(mPlane), point->vertical(mPlane)));
    }
    return;
  }
  const int m = reachMargin();
  const QRect reach = paint.exposed().adjusted(-m, -m, m, m);
  forEachCandidate(reach, decorationsOn(), [&](int i, const QPoint &pos) {
    const quint8 style = mStyle[std::size_t(i)];
    if (style & StyleSelected)
      drawPoint(paint, i, pos);
    else  // Unselected points need no more than their pixel and style.
      paint.drawSymbol(style & StyleType, (style & StyleBlunder) != 0, false, pos.x(), pos.y());
  });
}

void PhObjectView::drawPoint(PhPointPainter &paint, int i, const QPoint &pos) {
  const PhObjectPoint *point = mList->at(i);
  const int t = typeIndex(point->code());
  const bool blunder = !point->isAccepted();
  const bool selected = point->isSelected();
  const int outer = paint.outerSize(t, blunder, selected);
  if (outer == 0) return;
  paint.drawSymbol(t, blunder, selected, pos.x(), pos.y());
  if (!selected) return;

  // Labels and lines, for selected points only.
  const PhDrawSettings &s = drawSettings();
  const PhPaintTools &tools = paint.tools();
  const QPen &typePen = tools.typePen[t];
  const bool centre = point->isProjectionCentre();
  const int id = point->pointId();
  const bool showId = centre ? s.showImageIds : s.showPointIds;
  if (showId || s.showLinks) {
    const int links = !s.showLinks ? 0 : centre ? PhImage::adjustedPointCount(id) : PhImage::numberOfLinks(id);
    paint.drawNumbers(pos, outer, showId, id, s.showLinks, links, blunder ? tools.blunderPen : typePen);
  }
  if (s.residualsOn[VM_Graphical]) {
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
  if (s.sigmasOn[VM_Graphical])
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
