#include "phzoomview.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QWheelEvent>


#include "nubmsg.h"
#include "phdrawprefs.h"

namespace {

QByteArray number(int value) { return QByteArray::number(value); }

// A note whose translated text holds one %d.
void noteWithNumber(const QString &format, int value) {
  const QString text = QString::asprintf(format.toUtf8().constData(), value);
  Nub::note("%s", text.toUtf8().constData());
}

}  // namespace

PhZoomView::PhZoomView(QWidget *parent) : PhScrollView(parent) {
  mMenu = new QMenu(this);
  // One dispatcher for the menu and its submenus, whose items report here too.
  connect(mMenu, &QMenu::triggered, this, [this](QAction *action) {
    bool ok = false;
    const int id = action->data().toInt(&ok);
    if (ok) handleContextMenu(id);
  });
  mBandPen = QPen(Qt::black, 0, Qt::DotLine);
  // Translated once; the painter fills them without allocating.
  const QString residual[3] = {tr("X: %1"), tr("Y: %1"), tr("Z: %1")};
  const QString residualSigma[3] = {tr("X: %1 ± %2"), tr("Y: %1 ± %2"), tr("Z: %1 ± %2")};
  const QString sigma[3] = {tr("X: ± %1"), tr("Y: ± %1"), tr("Z: ± %1")};
  for (int axis = 0; axis < 3; ++axis) {
    mTools.residualText[axis] = PhNumberText(residual[axis]);
    mTools.residualSigmaText[axis] = PhNumberText(residualSigma[axis]);
    mTools.sigmaText[axis] = PhNumberText(sigma[axis]);
  }
}

PhZoomView::~PhZoomView() = default;

void PhZoomView::calculateResize() { layoutAt(zoom()); }

void PhZoomView::layoutAt(int iPercent) {
  Nub::debug("calculateResize");
  double minH = 0.0;
  double maxH = 0.0;
  double minV = 0.0;
  double maxV = 0.0;
  if (!contentsExtent(minH, maxH, minV, maxV)) minH = maxH = minV = maxV = 0.0;
  mTransform.layout(minH, maxH, minV, maxV, iPercent);
  const QSize size = mTransform.contentsSize();
  if (size.width() != contentsWidth() || size.height() != contentsHeight())
    resizeContents(size.width(), size.height());
  layoutChanged();
}

void PhZoomView::layoutChanged() {}

void PhZoomView::selectInBand(const QRect &, bool) {}

void PhZoomView::settingsChanged() {
  mToolsValid = false;
  invalidateLayer();
}

void PhZoomView::setDrawSettings(const PhDrawSettings &settings, bool bRepaint) {
  mSettings = settings;
  mSettings.hold();
  settingsChanged();
  if (bRepaint) updateContents();
}

PhPointPainter PhZoomView::pointPainter(QPainter *painter, const QRect &exposed) {
  if (!mToolsValid) {
    mTools.make(mSettings);
    mToolsValid = true;
  }
  return PhPointPainter(painter, exposed, mSettings, mTools, scale(), raster());
}

void PhZoomView::render(QPainter *painter, const QRect &contents) {
  const QRect area = contents & QRect(0, 0, contentsWidth(), contentsHeight());
  if (area.isEmpty()) return;
  painter->save();
  painter->translate(-contents.topLeft());
  painter->setClipRect(area, Qt::IntersectClip);
  drawContents(painter, area.x(), area.y(), area.width(), area.height());
  painter->restore();
}

void PhZoomView::setSymbolColour(QColor PhDrawSettings::*field, const QColor &colour) {
  mSettings.*field = colour;
  settingsChanged();
}

void PhZoomView::setSymbolExtra(int PhDrawSettings::*field, int iSize) {
  mSettings.*field = PhDrawSettings::heldExtra(iSize);
  settingsChanged();
}

void PhZoomView::setBackgroundColor(const QColor &colour) {
  mSettings.background = colour;
  invalidateLayer();
}

void PhZoomView::setTextFont(const QFont &font) {
  mSettings.textFont = font;
  invalidateLayer();
}

void PhZoomView::setPointOn(int iType, bool bOn) {
  if (iType < 0 || iType >= PhGlobal::PointTypeCount) return;
  mSettings.pointOn[iType] = bOn;
  invalidateLayer();
}

bool PhZoomView::pointOn(int iType) const {
  return iType >= 0 && iType < PhGlobal::PointTypeCount && mSettings.pointOn[iType];
}

void PhZoomView::setPointSymbol(int iType, int iSymbol) {
  if (iType < 0 || iType >= PhGlobal::PointTypeCount) return;
  mSettings.symbol[iType] = PhDrawSettings::heldSymbol(iSymbol);
  settingsChanged();
}

int PhZoomView::pointSymbol(int iType) const {
  return iType >= 0 && iType < PhGlobal::PointTypeCount ? mSettings.symbol[iType] : 0;
}

void PhZoomView::setPointColor(int iType, const QColor &colour) {
  if (iType < 0 || iType >= PhGlobal::PointTypeCount) return;
  mSettings.colour[iType] = colour;
  settingsChanged();
}

QColor PhZoomView::pointColor(int iType) const {
  return iType >= 0 && iType < PhGlobal::PointTypeCount ? mSettings.colour[iType] : QColor(Qt::black);
}

void PhZoomView::setPointSize(int iType, int iSize) {
  if (iType < 0 || iType >= PhGlobal::PointTypeCount) return;
  mSettings.size[iType] = PhDrawSettings::heldSize(iSize);
  settingsChanged();
}

int PhZoomView::pointSize(int iType) const {
  return iType >= 0 && iType < PhGlobal::PointTypeCount ? mSettings.size[iType] : 7;
}

void PhZoomView::setMarkColor(const QColor &colour) { setSymbolColour(&PhDrawSettings::markColour, colour); }

void PhZoomView::setMarkSize(int iSize) { setSymbolExtra(&PhDrawSettings::markSize, iSize); }

void PhZoomView::setBlunderColor(const QColor &colour) {
  mSettings.blunderColour = colour;
  settingsChanged();
}

void PhZoomView::setBlunderSize(int iSize) {
  mSettings.blunderSize = PhDrawSettings::heldExtra(iSize);
  settingsChanged();
}

void PhZoomView::setResidualScale(float scale) {
  mSettings.residualScale = PhDrawSettings::heldScale(scale);
  invalidateLayer();
}

void PhZoomView::setShowPointIds(bool bOn) {
  mSettings.showPointIds = bOn;
  invalidateLayer();
}

void PhZoomView::setShowBlunders(bool bOn) {
  mSettings.showBlunders = bOn;
  invalidateLayer();
}

void PhZoomView::setShowLinkCount(bool bOn) {
  mSettings.showLinks = bOn;
  invalidateLayer();
}

void PhZoomView::setResidualsOn(ViewModeE mode, bool bOn) {
  if (mode != VM_Graphical && mode != VM_Textual) return;
  mSettings.residualsOn[mode] = bOn;
  invalidateLayer();
}

bool PhZoomView::hasResidualsOn(ViewModeE mode) const {
  return (mode == VM_Graphical || mode == VM_Textual) && mSettings.residualsOn[mode];
}

void PhZoomView::applyPointPrefs() {
  PhDrawSettings settings = mSettings;
  PhDrawPrefs::readPoints(settings);
  setDrawSettings(settings, false);
}

void PhZoomView::setFastDrawing(bool bOn) {
  mFast = bOn;
  setLayerCacheEnabled(bOn);
  updateContents();
}

int PhZoomView::typeIndex(int iCode) { return PhGlobal::pointTypeOfCode(iCode); }

void PhZoomView::slotZoomPlus() { slotZoom(zoom() + ZoomStep); }

void PhZoomView::slotZoomMinus() { slotZoom(zoom() - ZoomStep); }

void PhZoomView::slotZoom(int iPercent) {
  const QPoint centre(visibleWidth() / 2, visibleHeight() / 2);
  zoomAbout(iPercent, viewportToContents(centre), centre, true);
}

void PhZoomView::zoomAbout(int iPercent, const QPoint &anchor, const QPoint &at, bool bCentre) {
  if (!hasData()) return;
  iPercent = PhPlaneTransform::boundedZoom(iPercent);
  if (iPercent == zoom()) return;
  // Zoomed by hand: the fit is the user's no longer.
  mKeepFitted = false;
  const int from = zoom();
  layoutAt(iPercent);
  const QSize contents = mTransform.contentsSize();
  // Scroll bars that come or go move the centre, not the viewport's corner.
  const QSize viewport = viewportSizeFor(contents.width(), contents.height());
  const QPoint to = bCentre ? QPoint(viewport.width() / 2, viewport.height() / 2) : at;
  const QPoint pos = PhPlaneTransform::anchoredPos(from, iPercent, anchor, to, contents, viewport);
  setContentsPos(pos.x(), pos.y());
  updateContents();
  emit sigZoomChanged(iPercent);
}

int PhZoomView::fitZoom(const QSize &size) const {
  double minH = 0.0;
  double maxH = 0.0;
  double minV = 0.0;
  double maxV = 0.0;
  if (!contentsExtent(minH, maxH, minV, maxV)) minH = maxH = minV = maxV = 0.0;
  return PhPlaneTransform::fitZoom(minH, maxH, minV, maxV, size);
}

void PhZoomView::slotZoomToFit() {
  if (!hasData()) return;
  // Without scroll bars: fitted contents need none.
  const int fit = fitZoom(maximumViewportSize());
  const bool changed = fit != zoom();
  if (changed) layoutAt(fit);
  const QSize contents = mTransform.contentsSize();
  const QPoint pos = PhPlaneTransform::centredPos(contents, viewportSizeFor(contents.width(), contents.height()));
  setContentsPos(pos.x(), pos.y());
  if (!changed) return;
  updateContents();
  emit sigZoomChanged(fit);
}

void PhZoomView::setKeepFitted(bool bOn) {
  mKeepFitted = bOn;
  fitIfKept();
}

void PhZoomView::fitIfKept() {
  if (mKeepFitted && hasData() && isVisible()) slotZoomToFit();
}

void PhZoomView::showEvent(QShowEvent *event) {
  PhScrollView::showEvent(event);
  fitIfKept();
}

void PhZoomView::wheelEvent(QWheelEvent *event) {
  if (event->modifiers() != Qt::ControlModifier) {
    mWheelRest = 0;
    PhScrollView::wheelEvent(event);
    return;
  }
  event->accept();
  if (!hasData()) return;
  // One zoom step per notch of 120.
  mWheelRest += event->angleDelta().y();
  const int notches = mWheelRest / 120;
  mWheelRest -= notches * 120;
  if (notches == 0) return;
  const QPoint at = event->position().toPoint();
  zoomAbout(zoom() + notches * ZoomStep, viewportToContents(at), at, false);
}

void PhZoomView::slotSetMode(int iMode) {
  Nub::debug("%s => %s", "iMode", number(iMode).constData());
  cancelDrag();
  if (iMode == MODE_Scroll) {
    mMode = MODE_Scroll;
    applyScrollCursor(width(), height());
  } else if (iMode == MODE_Selection && hasSelectionMode()) {
    mMode = MODE_Selection;
    viewport()->setCursor(Qt::CrossCursor);
  } else {
    mMode = MODE_Zoom;
    viewport()->setCursor(Qt::CrossCursor);
  }
}

void PhZoomView::slotToggleResiduals(ViewModeE mode) {
  if (mode != VM_Graphical && mode != VM_Textual) return;
  setResidualsOn(mode, !hasResidualsOn(mode));
  if (hasData()) updateContents();
}

void PhZoomView::slotTogglePointIds() {
  setShowPointIds(!hasPointIdsOn());
  if (hasData()) updateContents();
}

void PhZoomView::slotToggleBlunders() {
  setShowBlunders(!hasBlundersOn());
  if (hasData()) updateContents();
}

void PhZoomView::slotToggleShowLinkCount() {
  setShowLinkCount(!hasLinkCountOn());
  if (hasData()) updateContents();
}

void PhZoomView::applyScrollCursor(int w, int h) {
  // The hand only where there is something to scroll.
  const bool scrollable = w < contentsWidth() || h < contentsHeight();
  viewport()->setCursor(scrollable ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void PhZoomView::viewportResizeEvent(QResizeEvent *event) {
  if (mMode == MODE_Scroll) applyScrollCursor(event->size().width(), event->size().height());
  fitIfKept();
}

void PhZoomView::cancelDrag() {
  mPanTool.cancel();
  const QRect shown = mBandTool.cancel();
  if (shown.isValid()) updateOverlay(shown);
}

void PhZoomView::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Escape && isDragging()) {
    cancelDrag();
    event->accept();
    return;
  }
  PhScrollView::keyPressEvent(event);
}

void PhZoomView::contentsMousePressEvent(QMouseEvent *event) {
  if (!hasData()) return;
  const bool left = event->button() == Qt::LeftButton;
  // Another button during a drag ends it, as does a press whose drag lost
  // its release.
  if (isDragging()) {
    cancelDrag();
    if (!left) return;
  }
  switch (mMode) {
    case MODE_Scroll:
      if (left) mPanTool.press(event->globalPosition().toPoint());
      break;
    case MODE_Selection:
      if (left) {
        mBandTool.press(event->position().toPoint());
        mAddToSelection = event->modifiers() == Qt::ControlModifier;
      }
      break;
    default:
      // No deeper zoom to drag for.
      if (left && zoom() < MaxZoom) mBandTool.press(event->position().toPoint());
      break;
  }
}

void PhZoomView::contentsMouseMoveEvent(QMouseEvent *event) {
  if (!hasData()) return;
  if (mMode == MODE_Scroll) {
    if (!mPanTool.isActive()) return;
    const QPoint by = mPanTool.drag(event->globalPosition().toPoint());
    scrollBy(by.x(), by.y());
  } else if (mBandTool.isActive()) {
    for (const QRect &strip : mBandTool.drag(event->position().toPoint())) updateOverlay(strip);
  }
}

void PhZoomView::contentsMouseReleaseEvent(QMouseEvent *event) {
  if (!hasData()) return;
  const bool left = event->button() == Qt::LeftButton;
  switch (mMode) {
    case MODE_Scroll:
      mPanTool.cancel();
      break;
    case MODE_Selection:
      if (left && mBandTool.isActive()) releaseBand(false);
      break;
    default:
      if (left && mBandTool.isActive()) releaseBand(true);
      break;
  }
}

void PhZoomView::releaseBand(bool bZoom) {
  const QRect shown = mBandTool.shownArea();
  const QRect band = mBandTool.release();
  if (band.width() < MinBand && band.height() < MinBand) {
    noteWithNumber(bZoom ? tr("The zoom-rect you specified is to small (min %d pixel)!")
                         : tr("The selection-rect you specified is to small (min %d pixel)!"),
                   MinBand);
    Nub::note("%s", tr("Ignoring zoom.").toUtf8().constData());
    updateOverlay(shown);
    return;
  }
  updateOverlay(shown);
  if (bZoom)
    zoomToBand(band);
  else
    selectInBand(band, mAddToSelection);
}

void PhZoomView::zoomToBand(const QRect &band) {
  const PhPlaneTransform::BandZoom to = PhPlaneTransform::zoomToBand(zoom(), size(), band);
  slotZoom(to.zoom);
  setContentsPos(to.contentsPos.x(), to.contentsPos.y());
}

void PhZoomView::drawContentsOverlay(QPainter *painter, const QRect &) {
  const QRect band = mBandTool.band();
  if (!band.isValid()) return;
  painter->setPen(mBandPen);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(band.x(), band.y(), band.width() - 1, band.height() - 1);
}

void PhZoomView::clearContextMenu() {
  mMenu->clear();
  qDeleteAll(mSubMenus);
  mSubMenus.clear();
}

void PhZoomView::contentsContextMenuEvent(QContextMenuEvent *event) {
  clearContextMenu();
  if (!hasData()) return;
  buildContextMenu(mMenu);
  event->accept();
  mMenu->popup(QCursor::pos());
}

QAction *PhZoomView::addMenuItem(QMenu *menu, const QString &text, int iPopId) {
  QAction *action = menu->addAction(text);
  action->setData(iPopId);
  return action;
}

void PhZoomView::addZoomItem(QMenu *menu, int iPopId) {
  if (zoom() == 100) return;
  addMenuItem(menu, tr("Zoom 100%"), iPopId)->setIcon(zoomIcon());
  menu->addSeparator();
}

void PhZoomView::addSharedItem(QMenu *menu, SharedItemE item, int iPopId) {
  switch (item) {
    case ITEM_PointIds:
      addMenuItem(menu, hasPointIdsOn() ? tr("Hide Point-IDs") : tr("Show Point-IDs"), iPopId);
      break;
    case ITEM_LinkCount:
      addMenuItem(menu, hasLinkCountOn() ? tr("Hide Number of Links") : tr("Show Number of Links"), iPopId);
      break;
    case ITEM_Blunders:
      addMenuItem(menu, hasBlundersOn() ? tr("Hide Blunders") : tr("Show Blunders"), iPopId);
      break;
  }
}

void PhZoomView::addResidualsMenu(QMenu *menu, int iGraphicalId, int iTextualId) {
  QMenu *residuals = addSubMenu(menu, tr("&Residuals"));
  addMenuItem(residuals, hasResidualsOn(VM_Graphical) ? tr("Hide Graphical") : tr("Show Graphical"), iGraphicalId);
  Nub::debug("%s => %s", "hasResidualsOn( VM_Textual )", hasResidualsOn(VM_Textual) ? "true" : "false");
  addMenuItem(residuals, hasResidualsOn(VM_Textual) ? tr("Hide Textual") : tr("Show Textual"), iTextualId);
}

QMenu *PhZoomView::addSubMenu(QMenu *menu, const QString &title) {
  // A child of the main menu: its items are reported by the main menu's
  // triggered signal as well.
  auto *sub = new QMenu(title, mMenu);
  menu->addMenu(sub);
  mSubMenus.append(sub);
  return sub;
}

QIcon PhZoomView::zoomIcon() { return QIcon(QStringLiteral(":/planeview/zoom.png")); }
