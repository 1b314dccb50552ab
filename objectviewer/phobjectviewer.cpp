#include "phobjectviewer.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QToolBar>
#include <algorithm>
#include <iterator>

#include "nubmsg.h"
#include "phcolourmenu.h"
#include "phcolourprefs.h"
#include "phdrawprefs.h"
#include "phobjectview.h"
#include "phobjectlist.h"
#include "uxcfg.h"

PhObjectViewer *PhObjectViewer::_viewer[PlaneCount] = {nullptr, nullptr, nullptr};

PhObjectViewer::PhObjectViewer(int iPlane, QWidget *parent) : PhViewerWindow(parent), mPlane(iPlane) {
  Nub::debug("PhObjectViewer");
  setWindowTitle(tr("Object Viewer %1").arg(planeName(mPlane)));
  setViewerIcon(QIcon(QStringLiteral(":/objectviewer/objectviewer.png")));

  mView = new PhObjectView(mPlane, this);
  setCentralWidget(mView);
  // Focusing the viewer puts the keyboard into its view, where its keys act.
  setFocusProxy(mView);
  mView->setFocus();
  applyPrefs(false);

  setWhatsThis(tr("The <font color=\"#0000ff\">%1</font> allows you to inspect object data, which is projected in "
                  "the %2-plane. The 2D-viewing area offers scrolling, zooming and selection-capabilities.")
                   .arg(windowTitle(), planeName(mPlane)));

  buildFileBar(mView);
  buildZoomBar(mView);
  QMenu *menu = nullptr;
  QToolBar *bar = addBarWithMenu(tr("Extras"), tr("&Extras"), &menu);
  addModeGroup(bar, menu, mView, {tr("Zoom Mode"), tr("Scroll Mode"), tr("Selection Mode")},
               {icon("zoommode"), icon("scrollmode"), QIcon(QStringLiteral(":/objectviewer/selectionmode.png"))});
  bar->addSeparator();
  menu->addSeparator();
  QAction *prefs = addBoth(bar, menu, icon("prefs"), tr("&Preferences..."), QKeySequence());
  connect(prefs, &QAction::triggered, this, &PhObjectViewer::sigRequestObjectPreferences);
  new PhColourMenu(this, PhColourPrefs::VIEW_Object, []() { applyColourPrefsToAll(); });

  mView->slotSetMode(PhZoomView::MODE_Zoom);
  connect(mView, &PhZoomView::sigZoomChanged, this, &PhObjectViewer::slotZoomed);
  slotZoomed(mView->zoom());
}

PhObjectViewer::~PhObjectViewer() {
  Nub::debug("~PhObjectViewer");
  for (PhObjectViewer *&slot : _viewer)
    if (slot == this) slot = nullptr;
}

QString PhObjectViewer::planeName(int iPlane) { return PhGlobal::planeName(iPlane); }

PhObjectViewer *PhObjectViewer::existingViewer(int iPlane) {
  if (iPlane < 0 || iPlane >= PlaneCount) return nullptr;
  return _viewer[iPlane];
}

PhObjectViewer *PhObjectViewer::viewer(int iPlane, QWidget *parent) {
  // No viewer can be made for a plane outside the table.
  if (iPlane < 0 || iPlane >= PlaneCount) {
    Nub::checkFailed("! _viewer[p]", __FILE__, __LINE__);
    return nullptr;
  }
  if (!_viewer[iPlane]) _viewer[iPlane] = new PhObjectViewer(iPlane, parent);
  return _viewer[iPlane];
}

bool PhObjectViewer::hasData() const { return mView && mView->hasData(); }

bool PhObjectViewer::setData(PhObjectList *list, bool bSigmasComputed) {
  if (!mView) return false;
  const bool set = mView->setData(list, bSigmasComputed);
  slotZoomed(mView->zoom());
  return set;
}

void PhObjectViewer::slotZoomed(int iPercent) { updateZoomControls(iPercent, hasData()); }

void PhObjectViewer::applyPrefs(bool bRepaint) {
  Nub::debug("applyPrefs: %d", int(bRepaint));
  PhDrawSettings settings = mView->drawSettings();
  readPrefs(settings);
  mView->setDrawSettings(settings, bRepaint);
}

void PhObjectViewer::readPrefs(PhDrawSettings &settings) {
  PhDrawPrefs::readViewer(QStringLiteral("ObjectViewer"), settings);
  // The selection mark ("Points") and the link line type ("Links").
  PhObjectView::readOwnPrefs(settings);
  PhColourPrefs::read(PhColourPrefs::VIEW_Object, settings);
}

void PhObjectViewer::keyPressEvent(QKeyEvent *event) {
  QList<KeyRule> map = sharedKeys(mView);
  map.append({Qt::Key_C, KeyRule::KEY_PlainOnly, [this](ViewModeE) { mView->slotToggleShowConnections(); }});
  map.append({Qt::Key_I, KeyRule::KEY_PlainOnly, [this](ViewModeE) { mView->slotToggleImageIds(); }});
  map.append(
      {Qt::Key_R, KeyRule::KEY_ShiftTextualOnly, [this](ViewModeE mode) { mView->slotToggleResiduals(mode); }});
  map.append({Qt::Key_S, KeyRule::KEY_ShiftTextualOnly, [this](ViewModeE mode) { mView->slotToggleSigmas(mode); }});
  if (!handleKey(event, map)) PhViewerWindow::keyPressEvent(event);
}

// ---- all object viewers ----------------------------------------------------------------------

void PhObjectViewer::applyPrefsToAll() {
  for (PhObjectViewer *viewer : _viewer)
    if (viewer) viewer->applyPrefs(true);
}

void PhObjectViewer::applyColourPrefsToAll() {
  for (PhObjectViewer *viewer : _viewer) {
    if (!viewer) continue;
    PhDrawSettings settings = viewer->mView->drawSettings();
    PhColourPrefs::read(PhColourPrefs::VIEW_Object, settings);
    viewer->mView->setDrawSettings(settings, true);
  }
}

std::vector<PhObjectList *> PhObjectViewer::_shownLists() {
  // Viewers normally share the project's list; each list's selection is
  // asked once, and tells every viewer that shows it.
  std::vector<PhObjectList *> lists;
  for (PhObjectViewer *viewer : _viewer) {
    PhObjectList *list = viewer ? viewer->mView->objectList() : nullptr;
    if (list && std::find(lists.begin(), lists.end(), list) == lists.end()) lists.push_back(list);
  }
  return lists;
}

void PhObjectViewer::selectImagePointsInAll(PhImage *image) {
  if (!image) return;
  for (PhObjectList *list : _shownLists()) list->selection().selectImagePoints(image, true);
}

void PhObjectViewer::selectPointsInAll(int iSelectionMode, int iSearchMode, const QString &strPar1,
                                       const QString &strPar2, bool bUsePattern) {
  Nub::debug("PhObjectViewer::selectPoints");
  for (PhObjectList *list : _shownLists())
    list->selection().applySearch(iSelectionMode, iSearchMode, strPar1, strPar2, bUsePattern);
}

void PhObjectViewer::deselectAllPoints() {
  for (PhObjectList *list : _shownLists()) list->deselectAll();
}

void PhObjectViewer::hideInterfaces(bool bHide) {
  for (PhObjectViewer *viewer : _viewer)
    if (viewer) viewer->setInterfaceHidden(bHide);
}

void PhObjectViewer::saveViewerPlacements() {
  Nub::debug("PhObjectViewer::saveViewerPlacements");
  Ux::Cfg cfg(QStringLiteral("ObjectViewer"));
  for (int plane = 0; plane < PlaneCount; ++plane) {
    cfg.writeEntry(QStringLiteral("ViewerOn_%1").arg(plane), _viewer[plane] ? 1 : 0);
    if (_viewer[plane]) _viewer[plane]->writePlacement(cfg, plane, "O");
  }
}

void PhObjectViewer::deleteAllViewers() {
  for (PhObjectViewer *viewer : _viewer)
    if (viewer) delete viewer->frame();
}
