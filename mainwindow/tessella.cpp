#include "tessella.h"

#include "nubmsg.h"
#include "uxmsg.h"
#include "phanalysisdock.h"
#include "phbaxini.h"
#include "phexitdialog.h"
#include "phimage.h"
#include "phimagerefs.h"
#include "phimagelistmodel.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "phobjectlistmodel.h"
#include "phobjectviewer.h"
#include "phprefsimageviewer.h"
#include "phprefslinks.h"
#include "phprefsobjectviewer.h"
#include "phprefspoints.h"
#include "phprojectdata.h"
#include "phprojectinfo.h"
#include "phprojectinit.h"
#include "phprojectreader.h"
#include "phreadfailure.h"
#include "phrecentprojects.h"
#include "phrecentprojectsmenu.h"
#include "phreport.h"
#include "phreportdialog.h"
#include "phsearchwidget.h"
#include "phviewers.h"
#include "uxapp.h"
#include "uxcfg.h"
#include "uxtabdialog.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>

namespace {


// The window icon: a small tessellation in black, blue, red and yellow.
QIcon makeWindowIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QColor colours[] = {Qt::blue, Qt::red, Qt::yellow, Qt::blue};
  for (int i = 0; i < 4; ++i) {
    const int x = (i % 2) * 16, y = (i / 2) * 16;
    painter.setPen(Qt::black);
    painter.setBrush(colours[i]);
    painter.drawPolygon(QPolygon({QPoint(x, y + 15), QPoint(x + 15, y + 15), QPoint(x + 15, y)}));
    painter.setBrush(colours[(i + 2) % 4]);
    painter.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + 15, y), QPoint(x, y + 15)}));
  }
  return QIcon(pixmap);
}

QTreeView *newListView(QWidget *parent) {
  auto *view = new QTreeView(parent);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  view->setSortingEnabled(true);
  view->header()->setSortIndicatorShown(true);
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return view;
}

QString withoutAmpersands(QString text) { return text.remove(QLatin1Char('&')); }

constexpr int kGroupFile = Ux::MainWindow::UI_File;
constexpr int kGroupView = Ux::MainWindow::UI_View;

}  // namespace

Tessella::Tessella(const QPixmap &splash) : Ux::MainWindow(TY_Workspace, makeWindowIcon(), splash) {
  Nub::debug("Tessella");
  addStandardUIs(0x1f);
  if (QMenu *file = popupMenu(kGroupFile)) file->setTitle(tr("&Project"));
  if (QToolBar *bar = toolBar(kGroupFile)) bar->setWindowTitle(tr("Project"));
  addStandardActions(UIA_FileOpen);
  addAction(kGroupFile, tr("&Close"), this, &Tessella::_slotFileClose, AF_Popup, QIcon(), QKeySequence(),
            QStringLiteral("Close the current project"), -1);
  addAction(kGroupFile, tr("Export &Report..."), this, &Tessella::_slotExportReport, AF_Popup, QIcon(),
            QKeySequence(), QStringLiteral("Write the adjustment report of the project as HTML or PDF"), -1);
  mRecentMenu = new PhRecentProjectsMenu(this);
  if (QMenu *file = popupMenu(kGroupFile)) {
    QAction *open = action(UIA_FileOpen);
    const QList<QAction *> entries = file->actions();
    const int after = open ? int(entries.indexOf(open)) + 1 : 0;
    file->insertMenu(after < entries.size() ? entries.at(after) : nullptr, mRecentMenu);
  }
  addSeparator(kGroupView);
  addAction(kGroupView, tr("Decorate / Undecorate Viewer"), this, &Tessella::_slotToggleViewerInterface, AF_Popup,
            QIcon(), QKeySequence(Qt::Key_F11), QStringLiteral("Toggle the decoration state of the active viewers"),
            -1);
  addStandardActions(0x380410);

  _makeProjectView();
  _makeAnalysisDock();
  _makePreferencePages();
  mContextMenu = new QMenu(this);
  mSupport = new QTextEdit(infoTab());
  mSupport->setReadOnly(true);
  mSupport->setHtml(Ux::App::info(QStringLiteral("support")));
  infoTab()->addTab(mSupport, tr("&Support"));
  _connectAll();
  setAcceptDrops(true);

  for (const QString &argument : QCoreApplication::arguments())
    if (argument.startsWith(QLatin1String("-p"))) mOpenCurrentProject = true;
}

Tessella::~Tessella() {
  Nub::debug("~Tessella");
  // Viewers and the list views' models point into the lists; they let go first.
  PhViewers::deleteAll();
  mImageModel->clear();
  mObjectModel->clear();
  mAnalysis->clear();
  PhImage::clearPointIndex();
  mListImageData.clear();
  mListObjectData.clear();
}

void Tessella::_makeProjectView() {
  auto *dock = new QDockWidget(tr("Project View"), this);
  dock->setObjectName(QStringLiteral("ProjectView"));
  dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                    QDockWidget::DockWidgetFloatable);
  auto *tabs = new QTabWidget(dock);

  mImageView = newListView(tabs);
  mImageView->setRootIsDecorated(false);
  mImageModel = new PhImageListModel(mImageView);
  mImageView->setModel(mImageModel);
  mImageView->sortByColumn(0, Qt::AscendingOrder);
  mImageView->installEventFilter(this);
  mImageView->setWhatsThis(tr("Image Tab: Lists all images and their number of points."));
  const QString imageLabel = QStringLiteral("&Image");
  tabs->addTab(mImageView, imageLabel);

  mObjectView = newListView(tabs);
  mObjectView->setRootIsDecorated(true);
  mObjectModel = new PhObjectListModel(mObjectView);
  mObjectView->setModel(mObjectModel);
  mObjectView->sortByColumn(0, Qt::AscendingOrder);
  mObjectView->installEventFilter(this);
  mObjectView->setToolTip(tr("Object Tab: Lists all object points and their properties."));
  mObjectView->setWhatsThis(tr("Object Tab: Lists all object points and their properties."));
  const QString objectLabel = tr("Ob&ject");
  tabs->addTab(mObjectView, objectLabel);

  mProjectInfo = new ProjectInfo(tabs);
  mProjectInfo->setWhatsThis(tr("Info Tab: Lists information about the current project."));
  const QString infoLabel = tr("In&fo");
  tabs->addTab(mProjectInfo, infoLabel);

  mSearch = new PhSearchWidget(tabs);
  mSearch->setWhatsThis(tr("Search Tab: Enables to select object points via their properties."));
  const QString searchLabel = tr("&Search");
  tabs->addTab(mSearch, searchLabel);

  dock->setWidget(tabs);
  addDockWidget(Qt::LeftDockWidgetArea, dock);
  dock->setWhatsThis(
      tr("The <font color=\"#0000ff\">%1</font> displays information about the current project and enables search "
         "functionality:<p><ul><li><b>%2:</b> Information about the images and image points.</li><li><b>%3:</b> "
         "Information about the object points and their properties.</li><li><b>%4:</b> General information about "
         "the project.</li><li><b>%5:</b> Lets you search for images and object points via their "
         "properties.</li></ul>")
          .arg(dock->windowTitle(), withoutAmpersands(imageLabel), withoutAmpersands(objectLabel),
               withoutAmpersands(infoLabel), withoutAmpersands(searchLabel)));
}

void Tessella::_makeAnalysisDock() {
  mAnalysis = new PhAnalysisDock(this);
  addDockWidget(Qt::LeftDockWidgetArea, mAnalysis);
  if (auto *project = findChild<QDockWidget *>(QStringLiteral("ProjectView"))) {
    tabifyDockWidget(project, mAnalysis);
    project->raise();
  }
}

void Tessella::_makePreferencePages() {
  Ux::TabDialog *prefs = prefsTab();
  mPrefsImageViewer = new PhPrefsImageViewer(prefs);
  mPrefsObjectViewer = new PhPrefsObjectViewer(prefs);
  mPrefsLinks = new PhPrefsLinks(prefs);
  mPrefsPoints = new PhPrefsPoints(prefs);
  prefs->addTab(mPrefsImageViewer, tr("Ima&ge Viewer"));
  prefs->addTab(mPrefsObjectViewer, tr("Ob&ject Viewer"));
  prefs->addTab(mPrefsLinks, tr("Connec&tions / Links"));
  prefs->addTab(mPrefsPoints, tr("Point &Representation"));
}

void Tessella::_connectAll() {
  connect(mPrefsImageViewer, &Ux::PrefsTab::sigWidgetsSaved, this, &Tessella::_slotApplyImageViewerPrefs);
  connect(mPrefsObjectViewer, &Ux::PrefsTab::sigWidgetsSaved, this, &Tessella::_slotApplyObjectViewerPrefs);
  for (Ux::PrefsTab *page : {static_cast<Ux::PrefsTab *>(mPrefsLinks), static_cast<Ux::PrefsTab *>(mPrefsPoints)}) {
    connect(page, &Ux::PrefsTab::sigWidgetsSaved, this, &Tessella::_slotApplyImageViewerPrefs);
    connect(page, &Ux::PrefsTab::sigWidgetsSaved, this, &Tessella::_slotApplyObjectViewerPrefs);
  }
  connect(mImageView, &QTreeView::doubleClicked, this, &Tessella::_slotShowImage);
  connect(mObjectView, &QTreeView::expanded, this, &Tessella::_slotShowObjectConnections);
  connect(mContextMenu, &QMenu::triggered, this,
          [this](QAction *action) { _slotHandleContextMenu(action->data().toInt()); });
  connect(mImageView, &QWidget::customContextMenuRequested, this, &Tessella::_slotSetupContextMenu);
  connect(mObjectView, &QWidget::customContextMenuRequested, this, &Tessella::_slotSetupContextMenu);
  connect(this, &Tessella::sigErrorQuitApp, qApp, &QCoreApplication::quit);
  connect(this, &Tessella::sigErrorGetNewProjectFile, this, &Tessella::slotFileOpen);
  connect(this, &Tessella::sigWidgetsSaved, this, &Tessella::_slotApplyImageViewerPrefs);
  connect(this, &Tessella::sigWidgetsSaved, this, &Tessella::_slotApplyObjectViewerPrefs);
  connect(mRecentMenu, &PhRecentProjectsMenu::sigOpenRequested, this, &Tessella::_openRecentProject);
  // A configuration file loaded from the menu replaces the whole table.
  connect(this, &Ux::MainWindow::sigCfgLoaded, mRecentMenu, &PhRecentProjectsMenu::refresh);
  connect(mSearch, &PhSearchWidget::sigRequestDeselectAll, this, &Tessella::_slotDeselectPointsInObjectViewers);
  connect(mSearch, &PhSearchWidget::sigRequestSelection, this, &Tessella::_slotSelectPointsInObjectViewers);
  connect(mAnalysis, &PhAnalysisDock::sigShowImage, this, [this](int iImage) { _createImageViewer(iImage); });
  connect(mAnalysis, &PhAnalysisDock::sigShowImagePoint, this, [this](int iImage, int iPoint) {
    if (auto *viewer = qobject_cast<PhImageViewer *>(_createImageViewer(iImage)))
      viewer->imageView()->centreOnPoint(iPoint);
  });
  connect(mObjectView, &QTreeView::clicked, this, [this](const QModelIndex &index) {
    if (mObjectModel->isPointRow(index)) mAnalysis->setCurrentPoint(mObjectModel->number(index));
  });
}

// ---- opening and closing projects -------------------------------------------------------------

bool Tessella::_confirmCloseCurrentProject() {
  if (!hasProject()) return true;
  QMessageBox box(QMessageBox::Question, tr("Close current project?"),
                  tr("If you open a new project,the current project %1 will be closed.\n"
                     "Do you really want to open a new project?")
                      .arg(QFileInfo(_strProjectFile).fileName()),
                  QMessageBox::NoButton, this);
  QPushButton *yes = box.addButton(tr("&Yes"), QMessageBox::YesRole);
  QPushButton *no = box.addButton(tr("&No"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

void Tessella::slotFileOpen() {
  if (!_confirmCloseCurrentProject()) return;
  Nub::debug("%s => %s", "className()", metaObject()->className());
  const QString start =
      Ux::Cfg(QString::fromLatin1(metaObject()->className()))
          .readString(QStringLiteral("Last project-file"), QStringLiteral("./examples/"));
  const QString file = QFileDialog::getOpenFileName(this, tr("Select a project file"), start,
                                                    tr("Project files ( *.(p) );;All files (*.*)"));
  if (file.isEmpty()) {
    Ux::msg(Nub::MsgStatus | Nub::MsgInfo, tr("Operation aborted by user"));
    return;
  }
  openProject(file);
}

void Tessella::_openChosenProject(const QString &strProjectFile) {
  if (!_confirmCloseCurrentProject()) return;
  openProject(strProjectFile);
}

void Tessella::_openRecentProject(const QString &strProjectFile) {
  if (!QFileInfo(strProjectFile).isFile()) {
    Ux::warn(tr("The project file '%1' no longer exists; it is taken off the recent projects.")
                 .arg(QDir::toNativeSeparators(strProjectFile)));
    PhRecentProjects::remove(strProjectFile);
    mRecentMenu->refresh();
    return;
  }
  _openChosenProject(strProjectFile);
}

bool Tessella::openProject(const QString &strProjectFile) {
  if (mReading) {
    Ux::status(tr("A project is being read; please wait."));
    return false;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (hasProject()) _slotFileClose();
  const QScopedValueRollback<bool> reading(mReading, true);
  const bool read = ReadProjectFile(strProjectFile);
  // A failed read leaves the window without a project: no path, no viewers;
  // unless the reader kept the images and object points (the observations
  // alone could not be opened), which then make the project.
  if (read || !mListImageData.isEmpty() || !mListObjectData.isEmpty()) _slotInitProject();
  QApplication::restoreOverrideCursor();
  return read;
}

bool Tessella::ReadProjectFile(const QString &strProjectFile) {
  PhProjectReader reader(mListImageData, mListObjectData, mProject, this);
  if (!reader.read(strProjectFile)) return false;
  emit sigDataInputComplete();
  return true;
}

void Tessella::readFailed(const PhReadFailure &failure) {
  QMessageBox box(QMessageBox::Warning, Ux::App::info(QStringLiteral("nameLong")), failure.text(),
                  QMessageBox::NoButton, nullptr);
  QPushButton *other = box.addButton(tr("&Open other"), QMessageBox::AcceptRole);
  QPushButton *quit = box.addButton(tr("&Quit"), QMessageBox::RejectRole);
  box.setDefaultButton(other);
  box.setEscapeButton(quit);
  box.exec();
  if (box.clickedButton() == other) {
    // Only once the failed read has unwound, so no project is read inside another.
    QMetaObject::invokeMethod(this, &Tessella::sigErrorGetNewProjectFile, Qt::QueuedConnection);
    return;
  }
  Ux::fatal(tr("Quitting ..."));
}

void Tessella::openCurrentBAXProject() {
  if (!mOpenCurrentProject) {
    Ux::warn(tr("Trying to load BAX project without option '-p'!"));
    return;
  }
  const QString project = PhBaxIni::currentProjectFile();
  if (project.isEmpty()) return;
  openProject(project);
}

void Tessella::_slotInitProject() {
  Nub::debug("Tessella::_slotInitProject");
  PhProjectInit::complete(mListImageData, mListObjectData, mProject.get());
  if (!mProject) return;
  _strProjectFile = mProject->projectFile();
  Nub::debug("%s => %s", "_strProjectFile", _strProjectFile.toUtf8().constData());
  _fillProjectView();
  Ux::Cfg(QString::fromLatin1(metaObject()->className()))
      .writeEntry(QStringLiteral("Last project-file"), _strProjectFile);
  PhRecentProjects::add(_strProjectFile);
  mRecentMenu->refresh();
  _restoreViewerPlacements_OV();
}

void Tessella::_fillProjectView() {
  if (mProject) mProjectInfo->setProjectData(*mProject, mListImageData.count(), mListObjectData.count());
  mImageModel->fill(&mListImageData);
  mObjectModel->fill(&mListObjectData);
  mAnalysis->setProject(&mListImageData, &mListObjectData);
}

void Tessella::_slotExportReport() {
  if (mReading) {
    Ux::status(tr("A project is being read; please wait."));
    return;
  }
  if (!hasProject() || !mProject) {
    Ux::warnDlg(tr("No project is open: there is nothing to report."));
    return;
  }
  PhReportDialog dialog(_strProjectFile, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PhReportOptions options = dialog.options();
  options.unit = PhResidualUnit::fromInt(
      Ux::Cfg(QStringLiteral("Analysis")).readNum(QStringLiteral("ImageResidualUnit"), PhResidualUnit::Millimetre));
  options.created = PhReportOptions::creationTime();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QString error;
  const bool written = PhReport::write(options, *mProject, mListImageData, mListObjectData, &error);
  QApplication::restoreOverrideCursor();
  if (!written) {
    Ux::warnDlg(error);
    return;
  }
  const QStringList files = QStringList{options.htmlFile, options.pdfFile}.filter(QRegularExpression(QStringLiteral(".")));
  Ux::info(tr("Report written: %1").arg(files.join(QStringLiteral(", ")).toHtmlEscaped()));
}

void Tessella::_slotFileClose() {
  if (mReading) {
    Ux::status(tr("A project is being read; please wait."));
    return;
  }
  if (!hasProject()) return;
  Ux::info(tr("Closing current project <b>%1</b>...").arg(QFileInfo(_strProjectFile).fileName()));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PhViewers::deleteAll();
  _strProjectFile = QString();
  mProjectInfo->setProjectData(PhProjectData(), 0, 0);
  mImageModel->clear();
  mObjectModel->clear();
  mAnalysis->clear();
  PhImage::clearPointIndex();
  mListImageData.clear();
  mListObjectData.clear();
  Nub::debug("%s => %d", "mListImageData.count()", mListImageData.count());
  Nub::debug("%s => %d", "mListObjectData.count()", mListObjectData.count());
  QApplication::restoreOverrideCursor();
  Ux::info(tr("Closing done."));
}

void Tessella::closeEvent(QCloseEvent *event) {
  if (!mAskBeforeClosing) {
    event->accept();
    return;
  }
  if (!mExitDialog) mExitDialog = new PhExitDialog(this);
  if (mExitDialog->exec() != QDialog::Accepted) {
    event->ignore();
    return;
  }
  if (mExitDialog->saveViewerPositions()) saveViewerPlacements();
  // The program still leaves, as asked; the user learns that the settings
  // of this session are lost before the window goes.
  if (mExitDialog->savePreferences() && !saveUserCfg())
    Ux::warnDlg(tr("The preferences could not be saved; the configuration file '%1' is left as it was.")
                    .arg(QDir::toNativeSeparators(Ux::App::getRep() ? Ux::App::getRep()->cfgFileUser() : QString())));
  event->accept();
}

// ---- dropped files ----------------------------------------------------------------------------

QString Tessella::droppedProjectFile(const QMimeData *mime, QString *whyNot) {
  if (!mime || !mime->hasUrls()) return QString();
  const QList<QUrl> urls = mime->urls();
  if (urls.size() != 1) {
    if (whyNot) *whyNot = tr("Drop one project file at a time; %1 files were dropped.").arg(urls.size());
    return QString();
  }
  const QString file = urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
  // The file dialog's filter and the desktop's file type take "*.(p)" in any case.
  if (file.isEmpty() || !file.endsWith(QLatin1String(".(p)"), Qt::CaseInsensitive) || !QFileInfo(file).isFile()) {
    if (whyNot) *whyNot = tr("Only a BAX project file (*.(p)) can be dropped here.");
    return QString();
  }
  return file;
}

namespace {
// Copy or link, never move: a moving source would delete the project files.
bool takeWithoutMoving(QDropEvent *event) {
  for (Qt::DropAction kind : {Qt::CopyAction, Qt::LinkAction}) {
    if (event->possibleActions() & kind) {
      event->setDropAction(kind);
      event->accept();
      return true;
    }
  }
  event->ignore();
  return false;
}
}  // namespace

void Tessella::dragEnterEvent(QDragEnterEvent *event) {
  QString whyNot;
  if (droppedProjectFile(event->mimeData(), &whyNot).isEmpty()) {
    if (!whyNot.isEmpty()) Ux::status(whyNot);
    event->ignore();
    return;
  }
  takeWithoutMoving(event);
}

// Reached only after the enter was accepted.
void Tessella::dropEvent(QDropEvent *event) {
  const QString file = droppedProjectFile(event->mimeData());
  if (file.isEmpty() || !takeWithoutMoving(event)) {
    event->ignore();
    return;
  }
  // After the drop has returned: the source waits for it, and the question
  // and the reading may take long.
  QMetaObject::invokeMethod(this, [this, file]() { _openChosenProject(file); }, Qt::QueuedConnection);
}

// ---- the project view -------------------------------------------------------------------------

void Tessella::_slotShowImage(const QModelIndex &index) {
  if (!index.isValid() || mListImageData.isEmpty()) return;
  bool ok = false;
  const int iImage = mImageModel->index(index.row(), 0).data().toString().toInt(&ok, 10);
  if (!ok) {
    Ux::warn(tr("Can't convert string to number!"));
    return;
  }
  Nub::debug("%s => %d", "iImage", iImage);
  _createImageViewer(iImage);
}

void Tessella::_slotShowObjectConnections(const QModelIndex &index) {
  if (!index.isValid() || mListObjectData.isEmpty() || !mObjectModel->isPointRow(index) ||
      mObjectModel->hasImageRows(index))
    return;
  bool ok = false;
  const int iPointId = mObjectModel->index(index.row(), 0).data().toString().toInt(&ok, 10);
  if (!ok) {
    Ux::warn(tr("Can't convert string to number!"));
    return;
  }
  Nub::debug("%s => %d", "iPointId", iPointId);
  // The images that hold the ID, in list order; the point index knows them
  // without visiting every image.
  std::vector<int> imageIds;
  const PhImageRefs refs = PhImage::imagesOfPoint(iPointId);
  if (refs) {
    std::vector<std::pair<int, int>> byPosition;  // (list position, image ID)
    for (PhImage *image : refs) {
      const int position = mListImageData.indexOf(image);
      if (position >= 0) byPosition.emplace_back(position, image->imageId());
    }
    std::sort(byPosition.begin(), byPosition.end());
    for (const auto &entry : byPosition) imageIds.push_back(entry.second);
  } else {
    Nub::debug("No images for PointID '%d'!", iPointId);
  }
  mObjectModel->setImagesOfRow(index.siblingAtColumn(0), imageIds);
}

void Tessella::_slotSetupContextMenu(const QPoint &pos) {
  mContextMenu->clear();
  if (!mListObjectData.isEmpty()) {
    const char *entries[] = {"Show XY-View", "Show XZ-View", "Show YZ-View"};
    for (int id = 0; id < 3; ++id) mContextMenu->addAction(QString::fromLatin1(entries[id]))->setData(id);
  }
  if (mContextMenu->isEmpty()) return;
  auto *view = qobject_cast<QWidget *>(sender());
  const QPoint global = view ? static_cast<QAbstractScrollArea *>(view)->viewport()->mapToGlobal(pos) : pos;
  mContextMenu->popup(global);
}

void Tessella::_slotHandleContextMenu(int iPopId) {
  if (iPopId >= 0 && iPopId <= 2) {
    _createObjectViewer(iPopId);
    return;
  }
  Nub::warn("Invalid case (%d)!", iPopId);
}

// ---- preferences and viewers ------------------------------------------------------------------

void Tessella::_slotShowImageViewerPreferences() {
  Nub::debug("_slotShowImageViewerPreferences");
  if (prefsTab()->isVisible()) return;
  prefsTab()->showPage(mPrefsImageViewer);
  prefsTab()->show();
}

void Tessella::_slotShowObjectViewerPreferences() {
  Nub::debug("_slotShowObjectViewerPreferences");
  if (prefsTab()->isVisible()) return;
  prefsTab()->showPage(mPrefsObjectViewer);
  prefsTab()->show();
}

void Tessella::_slotApplyImageViewerPrefs() { PhViewers::applyImageViewerPrefs(); }

void Tessella::_slotApplyObjectViewerPrefs() { PhViewers::applyObjectViewerPrefs(); }

void Tessella::_slotToggleViewerInterface() {
  mViewersUndecorated = !mViewersUndecorated;
  PhViewers::setUndecorated(mViewersUndecorated);
}

void Tessella::_slotSelectImagePointsInObjectViewers(PhImage *image) {
  // The project's selection, which every object viewer and the analysis
  // tables follow, also while no object viewer is open.
  if (image && hasProject()) mListObjectData.selection().selectImagePoints(image, true);
}

void Tessella::_slotDeselectPointsInObjectViewers() { PhViewers::deselectAll(); }

void Tessella::_slotSelectPointsInObjectViewers(PhGlobal::SelectionModeE selMode, PhGlobal::SearchModeE searchMode,
                                                const QString &strPar1, const QString &strPar2,
                                                bool bPatternMatching) {
  Nub::debug("_slotSelectPointsInObjectViewers");
  PhViewers::selectPoints(selMode, searchMode, strPar1, strPar2, bPatternMatching);
}

QWidget *Tessella::_createImageViewer(int iImage) {
  PhImageViewer *viewer = PhViewers::createImageViewer(mListImageData, workspace(), iImage);
  if (!viewer) return nullptr;
  viewer->imageView()->setObjectList(&mListObjectData);
  connect(viewer, &PhImageViewer::sigRequestImagePreferences, this, &Tessella::_slotShowImageViewerPreferences);
  connect(viewer, &PhImageViewer::sigRequestSelection, this, &Tessella::_slotSelectImagePointsInObjectViewers);
  viewer->show();
  return viewer;
}

QWidget *Tessella::_createObjectViewer(int iPlane) {
  Nub::debug("_createObjectViewer: %d", iPlane);
  if (PhObjectViewer *existing = PhViewers::objectViewer(iPlane)) {
    existing->setFocus();
    return existing;
  }
  // An object viewer needs a project's data; one made without would stay empty.
  if (!hasProject() || !mProject) return nullptr;
  PhObjectViewer *viewer = PhViewers::createObjectViewer(iPlane, workspace(), mListObjectData, mProject->inversion());
  if (!viewer) return nullptr;
  connect(viewer, &PhObjectViewer::sigRequestObjectPreferences, this, &Tessella::_slotShowObjectViewerPreferences);
  viewer->show();
  viewer->setFocus();
  return viewer;
}

void Tessella::saveViewerPlacements() { PhViewers::saveViewerPlacements(); }

namespace {
// The frame of a viewer: its window in the workspace.
QWidget *frameOf(QWidget *viewer) {
  QWidget *frame = viewer->parentWidget();
  while (frame && !qobject_cast<QMdiSubWindow *>(frame)) frame = frame->parentWidget();
  return frame ? frame : viewer;
}

constexpr int MaxRestoredImageViewers = 64;

void applyPlacement(Ux::Cfg &cfg, QWidget *viewer, const char *tag, int i) {
  QWidget *frame = frameOf(viewer);
  const QRect rect = cfg.readRect(QStringLiteral("Geometry_%1").arg(i), frame->geometry());
  Nub::debug("%s_GEO_%d: (%d, %d, %d, %d)", tag, i, rect.x(), rect.y(), rect.width(), rect.height());
  if (rect.isValid()) frame->setGeometry(rect);
}
}  // namespace

void Tessella::_restoreViewerPlacements_OV() {
  Nub::debug("Tessella::_restoreViewerPlacements_OV");
  Ux::Cfg cfg(QStringLiteral("ObjectViewer"));
  for (int plane = 0; plane < 3; ++plane) {
    if (!cfg.readBool(QStringLiteral("ViewerOn_%1").arg(plane), true)) continue;
    Nub::debug("  => create %d", plane);
    if (QWidget *viewer = createObjectViewer(plane)) applyPlacement(cfg, viewer, "O", plane);
  }
  cfg.beginGroup(QStringLiteral("ImageViewer"));
  int iViewers = cfg.readNum(QStringLiteral("#Viewer"), 1);
  Nub::debug("%s => %d", "iViewers", iViewers);
  // Only the viewers of the last session are saved: a larger count is damage,
  // and would open a window for every image of a large block.
  if (iViewers > MaxRestoredImageViewers) {
    Nub::warn("The setting ImageViewer/#Viewer (%d) is out of range; %d image viewers are reopened.",
              iViewers, MaxRestoredImageViewers);
    iViewers = MaxRestoredImageViewers;
  }
  for (int i = 0; i < iViewers && i < mListImageData.count(); ++i) {
    if (QWidget *viewer = _createImageViewer(mListImageData.at(i)->imageId())) applyPlacement(cfg, viewer, "I", i);
  }
}

// ---- keys -------------------------------------------------------------------------------------

namespace {
Qt::KeyboardModifiers keyModifiers(const QKeyEvent *event) {
  return event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

// The point type a key toggles, or -1.
int toggledPointType(int key) {
  static const struct {
    int key;
    int type;
  } toggles[] = {{Qt::Key_N, 0}, {Qt::Key_V, 1}, {Qt::Key_H, 2}, {Qt::Key_F, 3},
                 {Qt::Key_P, 4}, {Qt::Key_O, 5}, {Qt::Key_L, 6}};
  for (const auto &toggle : toggles)
    if (toggle.key == key) return toggle.type;
  return -1;
}
}  // namespace

bool Tessella::_togglePointType(const QKeyEvent *event) {
  const int type = toggledPointType(event->key());
  if (type < 0 || keyModifiers(event) != Qt::ShiftModifier) return false;
  Ux::Cfg cfg(QStringLiteral("Points"));
  const QString key = QStringLiteral("PointOn_%1").arg(type);
  cfg.writeEntry(key, cfg.readBool(key, false) ? 0 : 1);
  emit sigWidgetsSaved();
  return true;
}

bool Tessella::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress && (watched == mImageView || watched == mObjectView) &&
      _togglePointType(static_cast<QKeyEvent *>(event)))
    return true;
  return Ux::MainWindow::eventFilter(watched, event);
}

void Tessella::keyPressEvent(QKeyEvent *event) {
  Nub::debug("Tessella::keyPressEvent");
  const Qt::KeyboardModifiers modifiers = keyModifiers(event);
  if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_3) {
    if (modifiers == Qt::ControlModifier) {
      _createObjectViewer(event->key() - Qt::Key_1);
      event->accept();
    } else {
      event->ignore();
    }
    return;
  }
  if (toggledPointType(event->key()) >= 0) {
    if (_togglePointType(event))
      event->accept();
    else
      event->ignore();
    return;
  }
  Ux::MainWindow::keyPressEvent(event);
}
