#include "phimageviewer.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phcolourmenu.h"
#include "phcolourprefs.h"
#include "phdrawprefs.h"
#include "phimage.h"
#include "phimageinfoview.h"
#include "phimagelist.h"
#include "phimagetableview.h"
#include "phimageview.h"
#include "uxcfg.h"

namespace {

// The living image viewers in creation order.
QList<PhImageViewer *> &viewerList() {
  static QList<PhImageViewer *> list;
  return list;
}


// An icon of the image viewer's own.
QIcon imageIcon(const char *name) { return QIcon(QStringLiteral(":/imageviewer/%1.png").arg(QLatin1String(name))); }

QString withoutAmpersands(QString text) { return text.remove(QLatin1Char('&')); }

}  // namespace

PhImageViewer::PhImageViewer(QWidget *parent) : PhViewerWindow(parent) {
  _initClass();
  _showImage();
}

PhImageViewer::PhImageViewer(PhImageList *list, QWidget *parent, int iImage) : PhViewerWindow(parent) {
  _initClass();
  setImageList(list, iImage);
}

PhImageViewer::~PhImageViewer() {
  Nub::debug("~PhImageViewer");
  viewerList().removeAll(this);
}

void PhImageViewer::_initClass() {
  Nub::debug("PhImageViewer::_initClass");
  setWindowTitle(tr("Image Viewer"));
  setViewerIcon(imageIcon("imageviewer"));

  mTabs = new QTabWidget(this);
  setCentralWidget(mTabs);
  mInfo = new PhImageInfoView(mTabs);
  mView = new PhImageView(mTabs);
  mTable = new PhImageTableView(mTabs);
  applyPrefs(false);
  const QString graphical = tr("&Graphical View");
  const QString table = tr("&Table View");
  const QString info = tr("&Info View");
  mTabs->addTab(mView, graphical);
  mTabs->addTab(mTable, table);
  mTabs->addTab(mInfo, info);

  setWhatsThis(tr("The <font color=\"#0000ff\">%1</font> allows you to inspect image data in three different "
                  "ways:<p><ul><li><b>%2:</b> A 2D-viewing area with scrolling and zooming capabilities.</li>"
                  "<li><b>%3:</b> A table with a textual representation of the currently selected image.</li>"
                  "<li><b>%4:</b> Displays some basic informations about the image that is currently "
                  "selected.</li></ul>")
                   .arg(windowTitle(), withoutAmpersands(graphical), withoutAmpersands(table),
                        withoutAmpersands(info)));

  buildFileBar(mView);
  _buildNavigationBar();
  buildZoomBar(mView);
  _buildExtrasBar();
  new PhColourMenu(this, PhColourPrefs::VIEW_Image, []() { applyColourPrefsToAll(); });

  for (QLabel *&label : mStatus) {
    label = new QLabel(statusBar());
    statusBar()->addPermanentWidget(label);
  }

  mView->slotSetMode(PhZoomView::MODE_Zoom);
  connect(mView, &PhZoomView::sigZoomChanged, this, &PhImageViewer::slotZoomed);
  QStatusBar *status = statusBar();
  connect(mView, &PhImageView::sigStatusMessage, status, [status](const QString &text) { status->showMessage(text); });
  connect(mView, &PhImageView::sigStatusClear, status, &QStatusBar::clearMessage);

  // The keys of the viewer act from the graphic, so it has the keyboard first.
  mView->setFocus();
  viewerList().append(this);
}

void PhImageViewer::_buildNavigationBar() {
  QMenu *menu = nullptr;
  QToolBar *bar = addBarWithMenu(tr("Navigation"), tr("&Navigation"), &menu);
  mNav[NAV_First] = addBoth(bar, menu, imageIcon("first"), tr("Show first image"), QKeySequence(Qt::Key_Home));
  mNav[NAV_Prev] = addBoth(bar, menu, imageIcon("prev"), tr("Previous image"), QKeySequence(Qt::Key_PageUp));
  mCombo = new QComboBox(bar);
  mCombo->setEditable(false);
  mCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  mCombo->setToolTip(tr("Image"));
  bar->addWidget(mCombo);
  connect(mCombo, &QComboBox::textActivated, this, qOverload<const QString &>(&PhImageViewer::slotSetImage));
  mNav[NAV_Next] = addBoth(bar, menu, imageIcon("next"), tr("Next image"), QKeySequence(Qt::Key_PageDown));
  mNav[NAV_Last] = addBoth(bar, menu, imageIcon("last"), tr("Show last image"), QKeySequence(Qt::Key_End));
  connect(mNav[NAV_First], &QAction::triggered, this, &PhImageViewer::slotNavFirst);
  connect(mNav[NAV_Prev], &QAction::triggered, this, &PhImageViewer::slotNavPrev);
  connect(mNav[NAV_Next], &QAction::triggered, this, &PhImageViewer::slotNavNext);
  connect(mNav[NAV_Last], &QAction::triggered, this, &PhImageViewer::slotNavLast);
}

void PhImageViewer::_buildExtrasBar() {
  QMenu *menu = nullptr;
  QToolBar *bar = addBarWithMenu(tr("Extras"), tr("&Extras"), &menu);
  addModeGroup(bar, menu, mView, {tr("Zoom Mode"), tr("Scroll Mode")}, {icon("zoommode"), icon("scrollmode")});
  bar->addSeparator();
  menu->addSeparator();
  QAction *select =
      addBoth(bar, menu, imageIcon("select"), tr("Select Points in Object Viewers..."), QKeySequence(Qt::Key_F9));
  select->setCheckable(true);
  connect(select, &QAction::toggled, this, &PhImageViewer::_slotRequestSelection);
  bar->addSeparator();
  menu->addSeparator();
  QAction *prefs = addBoth(bar, menu, icon("prefs"), tr("&Preferences..."), QKeySequence());
  connect(prefs, &QAction::triggered, this, &PhImageViewer::sigRequestImagePreferences);
}

// ---- images ----------------------------------------------------------------------------------

PhImage *PhImageViewer::currentImage() const {
  if (!mList || mPos < 0 || mPos >= mList->count()) return nullptr;
  return mList->at(mPos);
}

int PhImageViewer::currentImageId() const {
  const PhImage *image = currentImage();
  return image ? image->imageId() : -1;
}

bool PhImageViewer::setImageList(PhImageList *list, int iImage, bool *found) {
  mList = list;
  mPos = -1;
  _fillComboBox();
  const int position = _findImage(iImage);
  if (found) *found = position >= 0;
  if (!mList) {
    // Nothing of an earlier list stays on show.
    _showImage();
    return false;
  }
  slotSetImage(iImage);
  return hasImage();
}

int PhImageViewer::_findImage(int iImage) const {
  if (!mList) return -1;
  for (int i = 0; i < mList->count(); ++i)
    if (mList->at(i)->imageId() == iImage) return i;
  return -1;
}

void PhImageViewer::_fillComboBox() {
  mCombo->clear();
  if (!mList) return;
  QStringList ids;
  ids.reserve(mList->count());
  for (const PhImage *image : *mList) ids << QString::number(image->imageId());
  mCombo->addItems(ids);
}

void PhImageViewer::slotSetImage(int iImage) {
  if (!mList) {
    _updateNavigation();
    return;
  }
  const int position = _findImage(iImage);
  mPos = position >= 0 ? position : (mList->isEmpty() ? -1 : 0);
  _showImage();
}

void PhImageViewer::slotSetImage(const QString &strImage) {
  if (strImage.isEmpty()) return;
  Nub::debug("%s => %s", "strImage", strImage.toUtf8().constData());
  bool ok = false;
  const int iImage = strImage.toInt(&ok, 10);
  if (!ok) {
    Ux::warn(tr("Can't decode number of image from '%1'!").arg(strImage));
    return;
  }
  slotSetImage(iImage);
}

void PhImageViewer::_showImage() {
  PhImage *image = currentImage();
  if (!image) {
    setWindowTitle(tr("Image Viewer"));
    for (QLabel *label : mStatus) label->clear();
    mView->setImage(nullptr);
    mTable->fill(nullptr);
    mInfo->fill(nullptr);
    slotZoomed(mView->zoom());
    _updateNavigation();
    return;
  }
  setWindowTitle(tr("Image Viewer: %1").arg(image->imageId()));
  mStatus[0]->setText(tr("Image ID: %1 ").arg(image->imageId()));
  mStatus[1]->setText(tr("Camera ID: %1 ").arg(image->cameraId()));
  mStatus[2]->setText(tr("# Coords: %1 ").arg(image->pointCount()));
  mView->setImage(image);
  mTable->fill(image);
  mInfo->fill(image);
  // The zoom controls follow whether there is an image.
  slotZoomed(mView->zoom());
  if (mRequestSelection) emit sigRequestSelection(image);
  _updateNavigation();
}

void PhImageViewer::_updateNavigation() {
  if (!hasImage()) {
    for (QAction *action : mNav) action->setEnabled(false);
    mCombo->clear();
    mCombo->setEnabled(false);
    return;
  }
  mCombo->setEnabled(true);
  const bool atFirst = mPos == 0;
  const bool atLast = mPos == mList->count() - 1;
  mNav[NAV_First]->setEnabled(!atFirst);
  mNav[NAV_Prev]->setEnabled(!atFirst);
  mNav[NAV_Next]->setEnabled(!atLast);
  mNav[NAV_Last]->setEnabled(!atLast);
  const QString id = QString::number(currentImageId());
  if (mCombo->currentText() != id) {
    // The box lists the images in list order; refilled if it was emptied.
    if (mCombo->count() != mList->count()) _fillComboBox();
    mCombo->setCurrentIndex(mPos);
  }
}

void PhImageViewer::_navigate(int iDirection) {
  if (!hasImage()) return;
  const int last = mList->count() - 1;
  switch (iDirection) {
    case NAV_First:
      if (mPos == 0) return;
      mPos = 0;
      break;
    case NAV_Prev:
      if (mPos == 0) return;
      --mPos;
      break;
    case NAV_Next:
      if (mPos == last) return;
      ++mPos;
      break;
    case NAV_Last:
      if (mPos == last) return;
      mPos = last;
      break;
    default:
      Nub::warn(">>> %s: %s (%d) <<<", "Wrong case!", __FILE__, __LINE__);
      return;
  }
  _showImage();
}

void PhImageViewer::slotNavFirst() { _navigate(NAV_First); }
void PhImageViewer::slotNavPrev() { _navigate(NAV_Prev); }
void PhImageViewer::slotNavNext() { _navigate(NAV_Next); }
void PhImageViewer::slotNavLast() { _navigate(NAV_Last); }

void PhImageViewer::slotZoomed(int iPercent) { updateZoomControls(iPercent, hasImage()); }

void PhImageViewer::_slotRequestSelection(bool bOn) {
  mRequestSelection = bOn;
  if (bOn && hasImage()) emit sigRequestSelection(currentImage());
}

// ---- keys ------------------------------------------------------------------------------------

void PhImageViewer::keyPressEvent(QKeyEvent *event) {
  QList<KeyRule> map = sharedKeys(mView);
  map.append({Qt::Key_S, KeyRule::KEY_PlainOnly, [this](ViewModeE) { _askForImage(); }});
  map.append({Qt::Key_R, KeyRule::KEY_ShiftTextual, [this](ViewModeE mode) { mView->slotToggleResiduals(mode); }});
  if (!handleKey(event, map)) PhViewerWindow::keyPressEvent(event);
}

void PhImageViewer::_askForImage() {
  if (!mList || mList->isEmpty()) return;
  const int first = mList->first()->imageId();
  const int last = mList->at(mList->count() - 1)->imageId();
  bool ok = false;
  const int iImage = QInputDialog::getInt(this, tr("Input Number of Image"), tr("Number of Image:"), currentImageId(),
                                          qMin(first, last), qMax(first, last), 1, &ok);
  // Cancelling asks for nothing.
  if (!ok) return;
  if (_findImage(iImage) >= 0)
    slotSetImage(iImage);
  else
    Ux::warn(tr("The specified image with ID '%1' does not exist!").arg(QString::number(iImage)));
}

// ---- preferences -----------------------------------------------------------------------------

void PhImageViewer::applyPrefs(bool bRepaint) {
  Nub::debug("applyPrefs: %d", int(bRepaint));
  PhDrawSettings settings = mView->drawSettings();
  readPrefs(settings);
  mView->setDrawSettings(settings, bRepaint);
}

void PhImageViewer::readPrefs(PhDrawSettings &settings) {
  const QString group = QStringLiteral("ImageViewer");
  PhDrawPrefs::readViewer(group, settings);
  // The image viewer's own: the ring of the largest residual, point IDs.
  const Ux::Cfg cfg(group);
  settings.largestColour = cfg.readColor(QStringLiteral("LargestResidualColor"), QColor(Qt::red));
  settings.largestSize = cfg.readNum(QStringLiteral("LargestResidualSize"), 2);
  settings.showPointIds = cfg.readBool(QStringLiteral("PointIdsOn"), false);
  // The discs under the points selected in object space.
  PhDrawPrefs::readMarks(settings);
  PhColourPrefs::read(PhColourPrefs::VIEW_Image, settings);
}

// ---- all image viewers -----------------------------------------------------------------------

QList<PhImageViewer *> PhImageViewer::viewers() { return viewerList(); }

void PhImageViewer::applyPrefsToAll() {
  for (PhImageViewer *viewer : viewerList()) viewer->applyPrefs(true);
}

void PhImageViewer::applyColourPrefsToAll() {
  for (PhImageViewer *viewer : viewerList()) {
    PhDrawSettings settings = viewer->mView->drawSettings();
    PhColourPrefs::read(PhColourPrefs::VIEW_Image, settings);
    viewer->mView->setDrawSettings(settings, true);
  }
}

void PhImageViewer::deleteAllViewers() {
  // Each viewer goes with its window in the workspace.
  const QList<PhImageViewer *> viewers = viewerList();
  for (PhImageViewer *viewer : viewers) delete viewer->frame();
}

void PhImageViewer::setInterfaceHidden(bool bHide) {
  PhViewerWindow::setInterfaceHidden(bHide);
  statusBar()->setVisible(!bHide);
}

void PhImageViewer::hideInterfaces(bool bHide) {
  for (PhImageViewer *viewer : viewerList()) viewer->setInterfaceHidden(bHide);
}

void PhImageViewer::saveViewerPlacements() {
  Nub::debug("PhImageViewer::saveViewerPlacements");
  Ux::Cfg cfg(QStringLiteral("ImageViewer"));
  const QList<PhImageViewer *> &viewers = viewerList();
  for (int i = 0; i < viewers.size(); ++i) viewers.at(i)->writePlacement(cfg, i, "I");
  cfg.writeEntry(QStringLiteral("#Viewer"), int(viewers.size()));
}
