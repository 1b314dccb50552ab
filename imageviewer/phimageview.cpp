#include "phimageview.h"

#include <QMenu>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phimage.h"
#include "phpointvalues.h"
#include "phobjectlist.h"

PhImageView::PhImageView(QWidget *parent) : PhZoomView(parent) { Nub::debug("PhImageView"); }

PhImageView::~PhImageView() {
  Nub::debug("~PhImageView");
  if (mObjects) mObjects->selection().removeObserver(this);
}

void PhImageView::setObjectList(PhObjectList *list) {
  if (list == mObjects) return;
  if (mObjects) mObjects->selection().removeObserver(this);
  mObjects = list;
  if (mObjects) mObjects->selection().addObserver(this);
  updateContents();
}

void PhImageView::selectionChanged(const PhSelectionChange &) {
  if (mImage) updateContents();
}

void PhImageView::selectionGone() {
  mObjects = nullptr;
  updateContents();
}

bool PhImageView::centreOnPoint(int iPointId) {
  const PhImagePoint *point = mImage ? mImage->point(iPointId) : nullptr;
  if (!point) return false;
  const QPoint pos = toContents(point->x(), point->y());
  const QSize viewport = viewportSizeFor(contentsWidth(), contentsHeight());
  setContentsPos(pos.x() - viewport.width() / 2, pos.y() - viewport.height() / 2);
  return true;
}

bool PhImageView::isMarked(int iPointId) const {
  const PhObjectPoint *point = mObjects->find(iPointId);
  return point && point->isSelected();
}

bool PhImageView::setImage(PhImage *image) {
  cancelDrag();
  mImage = image;
  if (mImage)
    calculateResize();
  else
    resizeContents(0, 0);
  updateContents();
  return true;
}

bool PhImageView::contentsExtent(double &minH, double &maxH, double &minV, double &maxV) const {
  if (!mImage) return false;
  minH = mImage->minX();
  maxH = mImage->maxX();
  minV = mImage->minY();
  maxV = mImage->maxY();
  return minH <= maxH && minV <= maxV;
}

void PhImageView::setLargestResidualColor(const QColor &colour) {
  setSymbolColour(&PhDrawSettings::largestColour, colour);
}

void PhImageView::setLargestResidualSize(int iSize) { setSymbolExtra(&PhDrawSettings::largestSize, iSize); }

void PhImageView::drawContents(QPainter *painter, int clipx, int clipy, int clipw, int cliph) {
  if (!mImage) return;
  PhPointPainter paint = pointPainter(painter, QRect(clipx, clipy, clipw, cliph));
  const PhPaintTools &tools = paint.tools();
  paint.fillBackground();
  double minH = 0.0;
  double maxH = 0.0;
  double minV = 0.0;
  double maxV = 0.0;
  paint.drawImageFrame(QSize(contentsWidth(), contentsHeight()), Margin, contentsExtent(minH, maxH, minV, maxV));
  const PhDrawSettings &settings = drawSettings();
  const bool byResidual = settings.colourBy == PhDrawSettings::COL_Residual;

  const bool vectors = hasResidualsOn(VM_Graphical);
  const bool texts = hasResidualsOn(VM_Textual);
  const bool ids = hasPointIdsOn();
  const bool links = hasLinkCountOn();
  // Without a selection nothing is looked up and the drawing is the plain one.
  const bool marks = mObjects && mObjects->selectedCount() > 0;
  for (const PhImagePoint &point : *mImage) {
    const int t = typeIndex(point.code());
    const bool blunder = !point.adjustStatus();
    const bool marked = marks && isMarked(point.pointId());
    const int outer = paint.outerSize(t, blunder, marked);
    if (outer == 0) continue;
    const QPoint pos = toContents(point.x(), point.y());
    paint.drawSymbol(t, blunder, marked, pos.x(), pos.y(),
                     byResidual ? PhPaintTools::stepOf(settings, PhPointValues::residual(point)) : -1);
    const QPen &vectorPen = blunder ? tools.blunderPen : tools.typePen[t];
    if (vectors) paint.drawVector(pos, paint.vectorEnd(pos, point.residualX(), point.residualY()), vectorPen);
    if (texts) {
      const QPen &textPen = vectors ? vectorPen : tools.typePen[t];
      paint.drawTextLine(pos, outer, 0, tools.residualText[0], point.residualX(), 0.0, textPen);
      paint.drawTextLine(pos, outer, 1, tools.residualText[1], point.residualY(), 0.0, textPen);
    }
    if (ids || links)
      paint.drawNumbers(pos, outer, ids, point.pointId(), links,
                        links ? PhImage::numberOfLinks(point.pointId()) : 0, tools.typePen[t]);
  }

  // The largest residual is marked whatever its point's type switch, status or position.
  if (const PhImagePoint *largest = mImage->point(mImage->largestResidualPointId())) {
    const int t = typeIndex(largest->code());
    const QPoint pos = toContents(largest->x(), largest->y());
    const int ring = paint.drawLargestRing(t, pos);
    if (vectors && !texts) {
      paint.drawTextLine(pos, ring, 0, tools.residualText[0], largest->residualX(), 0.0, tools.typePen[t]);
      paint.drawTextLine(pos, ring, 1, tools.residualText[1], largest->residualY(), 0.0, tools.typePen[t]);
    }
  }
  // Over the points, in the margins.
  // Image points have no other value to colour by.
  if (byResidual) paint.drawLegend(QPoint(LegendInset, LegendInset));
  if (vectors) paint.drawScaleBar(QPoint(LegendInset, contentsHeight() - LegendInset));
}

void PhImageView::buildContextMenu(QMenu *menu) {
  addZoomItem(menu, POP_Zoom100);
  addSharedItem(menu, ITEM_PointIds, POP_PointIds);
  addSharedItem(menu, ITEM_LinkCount, POP_LinkCount);
  addResidualsMenu(menu, POP_ResidualsGraphical, POP_ResidualsTextual);
  addSharedItem(menu, ITEM_Blunders, POP_Blunders);
}

void PhImageView::handleContextMenu(int iPopId) { _slotHandleContextMenu(iPopId); }

void PhImageView::_slotHandleContextMenu(int iPopId) {
  switch (iPopId) {
    case POP_Zoom100: slotZoom(100); break;
    case POP_PointIds: slotTogglePointIds(); break;
    case POP_ResidualsGraphical: slotToggleResiduals(VM_Graphical); break;
    case POP_ResidualsTextual: slotToggleResiduals(VM_Textual); break;
    case POP_Blunders: slotToggleBlunders(); break;
    case POP_LinkCount: slotToggleShowLinkCount(); break;
    default:
      Ux::warn(tr("Invalid case: %1!").arg(QString::number(iPopId)));
      break;
  }
}
