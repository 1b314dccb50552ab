#include "phobjectview.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phimage.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phpointpainter.h"
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

struct PhObjectView::DrawState {
  explicit DrawState(const QFont &font) : metrics(font), labels(metrics) {}

  QRect exposed;
  QFontMetrics metrics;
  PhPointPainter::Labels labels;
  double factor = 1.0;  // residual scale x contents scale
  bool blunders = false;
  bool links = false;
  bool pointIds = false;
  bool imageIds = false;
  bool residualLines = false;
  bool residualTexts = false;
  bool sigmaEllipses = false;
  bool sigmaTexts = false;
  bool connections = false;
  QByteArray residualFormat[3];
  QByteArray sigmaFormat[3];
};

PhObjectView::PhObjectView(int iPlane, QWidget *parent) : PhZoomView(parent), mPlane(iPlane) {
  Nub::debug("PhObjectView");
  mConnectionPen = QPen(Qt::black, 0);
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

void PhObjectView::spritesChanged() { mSpritesValid = false; }

void PhObjectView::setMarkColor(const QColor &colour) { setSymbolColour(&PhDrawSettings::markColour, colour); }

void PhObjectView::setMarkSize(int iSize) { setSymbolExtra(&PhDrawSettings::markSize, iSize); }

void PhObjectView::setLinkLineType(int iType) {
  settings().linkLineType = iType;
  invalidateLayer();
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
  PhZoomView::applyPointPrefs();
  const Ux::Cfg points(QStringLiteral("Points"));
  setMarkColor(points.readColor(QStringLiteral("MarkColor"), QColor(Qt::yellow)));
  setMarkSize(points.readNum(QStringLiteral("MarkSize"), 2));
  const Ux::Cfg links(QStringLiteral("Links"));
  setLinkLineType(links.readNum(QStringLiteral("LinkLineType"), PhGlobal::LT_Solid));
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

void PhObjectView::prepareSprites() {
  if (mSpritesValid) return;
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t)
    for (int blunder = 0; blunder < 2; ++blunder)
      for (int selected = 0; selected < 2; ++selected)
        buildSprite(mSprites[t][blunder][selected], t, blunder == 1, selected ? markSize() : -1,
                    markColor());
  mSpritesValid = true;
}

void PhObjectView::drawContents(QPainter *painter, int clipx, int clipy, int clipw, int cliph) {
  if (!hasData()) return;
  DrawState state(textFont());
  state.exposed = QRect(clipx, clipy, clipw, cliph);
  painter->fillRect(state.exposed, backgroundColor());
  painter->setFont(textFont());
  state.factor = double(residualScale()) * scale();
  switch (linkLineType()) {
    case PhGlobal::LT_Dash: mConnectionPen.setStyle(Qt::DashLine); break;
    case PhGlobal::LT_Dot: mConnectionPen.setStyle(Qt::DotLine); break;
    default: mConnectionPen.setStyle(Qt::SolidLine); break;
  }
  prepareSprites();

  state.blunders = hasBlundersOn();
  state.links = hasLinkCountOn();
  state.pointIds = hasPointIdsOn();
  state.imageIds = hasImageIdsOn();
  state.residualLines = hasResidualsOn(VM_Graphical);
  state.residualTexts = hasResidualsOn(VM_Textual);
  state.sigmaEllipses = hasSigmasOn(VM_Graphical);
  state.sigmaTexts = hasSigmasOn(VM_Textual);
  state.connections = hasConnectionsOn();
  state.residualFormat[0] = tr("X: %.3f ± %.3f").toUtf8();
  state.residualFormat[1] = tr("Y: %.3f ± %.3f").toUtf8();
  state.residualFormat[2] = tr("Z: %.3f ± %.3f").toUtf8();
  state.sigmaFormat[0] = tr("X: ± %.3f").toUtf8();
  state.sigmaFormat[1] = tr("Y: ± %.3f").toUtf8();
  state.sigmaFormat[2] = tr("Z: ± %.3f").toUtf8();

  if (!fastDrawing()) {
    // The reference: every point, in list order, placed afresh.
    const int n = mList->count();
    for (int i = 0; i < n; ++i) {
      const PhObjectPoint *point = mList->at(i);
      drawPoint(painter, state, i, toContents(point->horizontal(mPlane), point->vertical(mPlane)));
    }
  } else {
    // Unselected points need no more than their pixel and style.
    bool on[PhGlobal::PointTypeCount];
    int outer[PhGlobal::PointTypeCount][2];
    for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
      on[t] = pointOn(t);
      outer[t][0] = symbolSize(t);
      outer[t][1] = symbolSize(t) + 2 * blunderSize();
    }
    const QRect &exposed = state.exposed;
    const PhRaster *target = raster();
    const QRect blitClip = target ? exposed & target->rect : QRect();
    const int m = reachMargin();
    const QRect reach = exposed.adjusted(-m, -m, m, m);
    forEachCandidate(reach, decorationsOn(), [&](int i, const QPoint &pos) {
      const quint8 style = mStyle[std::size_t(i)];
      if (style & StyleSelected) {
        drawPoint(painter, state, i, pos);
        return;
      }
      const int t = style & StyleType;
      const int b = (style & StyleBlunder) ? 1 : 0;
      if (!on[t] || (b && !state.blunders)) return;
      const int size = outer[t][b];
      const int left = pos.x() - size / 2;
      const int top = pos.y() - size / 2;
      if (left > exposed.right() || left + size <= exposed.left() || top > exposed.bottom() ||
          top + size <= exposed.top())
        return;
      const PhSymbolSprite &sprite = mSprites[t][b][0];
      if (target && sprite.isOpaque())
        sprite.blit(*target, blitClip, pos.x(), pos.y());
      else
        sprite.paint(painter, pos.x(), pos.y());
    });
  }
}

void PhObjectView::drawPoint(QPainter *painter, const DrawState &state, int i, const QPoint &pos) {
  const PhObjectPoint *point = mList->at(i);
  const int t = typeIndex(point->code());
  if (!pointOn(t)) return;
  const int size = symbolSize(t);
  const bool status = point->isAccepted();
  const bool selected = point->isSelected();
  int outer = size;
  if (!status) {
    if (!state.blunders) return;
    outer += 2 * blunderSize();
  }
  if (selected) outer += 2 * markSize();
  const int px = pos.x();
  const int py = pos.y();
  const int outerHalf = outer / 2;
  if (QRect(px - outerHalf, py - outerHalf, outer, outer).intersects(state.exposed))
    drawSprite(painter, mSprites[t][status ? 0 : 1][selected ? 1 : 0], state.exposed, px, py);
  if (!selected) return;

  // Labels and lines, for selected points only.
  const QRect &exposed = state.exposed;
  const QFontMetrics &metrics = state.metrics;
  const bool centre = point->isProjectionCentre();
  const int id = point->pointId();
  const QPen &labelPen = status ? typePen(t) : blunderPen();
  const int labelX = PhPointPainter::Labels::x(px, outer);
  QString text;

  if (state.links) {
    text = QString::number(centre ? PhImage::adjustedPointCount(id) : PhImage::numberOfLinks(id));
    const int baseline = state.labels.linkBaseline(py);
    if (PhPointPainter::labelMayShow(exposed, labelX, baseline, int(text.size()), metrics)) {
      painter->setPen(labelPen);
      painter->drawText(labelX, baseline, text);
    }
  }
  if ((state.pointIds && !centre) || (state.imageIds && centre)) {
    text = QString::number(id);
    const int baseline = state.labels.idBaseline(py);
    if (PhPointPainter::labelMayShow(exposed, labelX, baseline, int(text.size()), metrics)) {
      painter->setPen(labelPen);
      painter->drawText(labelX, baseline, text);
    }
  }
  if (state.residualLines) {
    const double rh = point->horizontalResidual(mPlane) * state.factor;
    const double rv = point->verticalResidual(mPlane) * state.factor;
    const QPoint end(phRound(px + rh), phRound(py - rv));
    switch (point->rejectedStatus(mPlane)) {
      case 0:
        painter->setPen(typePen(t));
        PhPointPainter::drawLine(painter, pos, end, exposed);
        break;
      case 1:
        painter->setPen(blunderPen());
        PhPointPainter::drawLine(painter, pos, end, exposed);
        break;
      case 2: {
        // The accepted axis's component, then, when the rejected axis was
        // observed, the whole vector as a blunder.
        const QPoint accepted =
            point->rejectedOfPlaneAxis(mPlane) ? QPoint(px, end.y()) : QPoint(end.x(), py);
        painter->setPen(typePen(t));
        PhPointPainter::drawLine(painter, pos, accepted, exposed);
        if (point->rejectedAxisObserved(mPlane)) {
          painter->setPen(blunderPen());
          PhPointPainter::drawLine(painter, pos, end, exposed);
        }
        break;
      }
      default:
        break;
    }
  }
  if (state.residualTexts) {
    int line = 0;
    for (int axis = 0; axis < 3; ++axis) {
      if (!hasObserved(point, axis)) continue;
      const int baseline = state.labels.textBaseline(py, line++);
      text = QString::asprintf(state.residualFormat[axis].constData(),
                               double(point->observedResidual(axis)),
                               double(point->residualSigma(axis)));
      if (PhPointPainter::labelMayShow(exposed, labelX, baseline, int(text.size()), metrics)) {
        painter->setPen(!status && isRejected(point, axis) ? blunderPen() : typePen(t));
        painter->drawText(labelX, baseline, text);
      }
    }
  }
  if (state.sigmaEllipses) {
    const int w = phRound(point->horizontalSigma(mPlane) * state.factor);
    const int h = phRound(point->verticalSigma(mPlane) * state.factor);
    const QRect box(px - w / 2, py - h / 2, w, h);
    if (w >= 1 && h >= 1 && box.adjusted(-1, -1, 1, 1).intersects(exposed)) {
      painter->setPen(typePen(t));
      painter->setBrush(Qt::NoBrush);
      PhPointPainter::drawEllipse(painter, box, exposed);
    }
  }
  if (state.sigmaTexts) {
    for (int axis = 0; axis < 3; ++axis) {
      const int baseline = state.labels.textBaseline(py, axis);
      text = QString::asprintf(state.sigmaFormat[axis].constData(),
                               double(point->adjustedSigma(axis)));
      if (PhPointPainter::labelMayShow(exposed, labelX, baseline, int(text.size()), metrics)) {
        painter->setPen(typePen(t));
        painter->drawText(labelX, baseline, text);
      }
    }
  }
  if (state.connections && !centre && !imageSet().isEmpty()) {
    for (const PhImage *image : PhImage::imagesOfPoint(id)) {
      if (!imageSet().contains(image->imageId())) continue;
      const QPoint target = toContents(image->projectionCentreHorizontal(mPlane),
                                       image->projectionCentreVertical(mPlane));
      const PhImagePoint *imagePoint = image->point(id);
      mConnectionPen.setColor(imagePoint && !imagePoint->adjustStatus() ? blunderColor()
                                                                         : pointColor(t));
      painter->setPen(mConnectionPen);
      PhPointPainter::drawLine(painter, pos, target, exposed);
    }
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
