#ifndef TESSELLA_H
#define TESSELLA_H

#include "phglobal.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phreadfailurehandler.h"
#include "uxmainwindow.h"

#include <QString>
#include <memory>

class PhAnalysisDock;
class PhExitDialog;
class PhImage;
class PhImageListModel;
class PhObjectListModel;
class PhPrefsImageViewer;
class PhPrefsLinks;
class PhPrefsObjectViewer;
class PhPrefsPoints;
class PhProjectData;
class PhRecentProjectsMenu;
class PhSearchWidget;
class ProjectInfo;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QMimeData;
class QModelIndex;
class QTextEdit;
class QTreeView;

// The program's main window and the owner of the open project: the image
// and object lists, the project record, the project view with its four
// tabs, the preference pages, and the only creator of viewers.
class Tessella : public Ux::MainWindow, public PhReadFailureHandler {
  Q_OBJECT

 public:
  explicit Tessella(const QPixmap &splash);
  ~Tessella() override;

  bool hasProject() const { return !_strProjectFile.isEmpty(); }
  const QString &projectFile() const { return _strProjectFile; }
  // Set when the program was started with an argument beginning "-p".
  bool openCurrentProjectRequested() const { return mOpenCurrentProject; }

  // Opens the project BAX worked on last (start-up with "-p").
  void openCurrentBAXProject();
  // Closes the open project and reads another as if chosen in the file dialog.
  bool openProject(const QString &strProjectFile);
  // Reads a project file into the emptied model; false when it failed.
  bool ReadProjectFile(const QString &strProjectFile);

  QWidget *createObjectViewer(int iPlane) { return _createObjectViewer(iPlane); }
  void saveViewerPlacements();

  // Closing without the exit dialog, for unattended runs.
  void setAskBeforeClosing(bool bAsk) { mAskBeforeClosing = bAsk; }

  PhImageList &images() { return mListImageData; }
  PhObjectList &objects() { return mListObjectData; }
  const PhProjectData *project() const { return mProject.get(); }
  QTreeView *imageListView() const { return mImageView; }
  QTreeView *objectListView() const { return mObjectView; }
  PhImageListModel *imageListModel() const { return mImageModel; }
  PhObjectListModel *objectListModel() const { return mObjectModel; }
  ProjectInfo *projectInfo() const { return mProjectInfo; }
  PhSearchWidget *searchWidget() const { return mSearch; }
  QMenu *contextMenu() const { return mContextMenu; }
  PhExitDialog *exitDialog() const { return mExitDialog; }
  PhAnalysisDock *analysisDock() const { return mAnalysis; }
  PhRecentProjectsMenu *recentProjectsMenu() const { return mRecentMenu; }

  // The project file a drop carries: one local file named "*.(p)". Empty
  // otherwise, with the reason in `whyNot` when the user should hear it.
  static QString droppedProjectFile(const QMimeData *mime, QString *whyNot = nullptr);

  void readFailed(const PhReadFailure &failure) override;

 signals:
  void sigDataInputComplete();
  void sigErrorGetNewProjectFile();
  void sigErrorQuitApp();
  void sigWidgetsSaved();

 public slots:
  void slotFileOpen() override;

 private slots:
  void _slotFileClose();
  // Asks for the report's files and tolerances and writes it.
  void _slotExportReport();
  void _slotShowImage(const QModelIndex &index);
  void _slotShowObjectConnections(const QModelIndex &index);
  void _slotShowImageViewerPreferences();
  void _slotShowObjectViewerPreferences();
  void _slotApplyImageViewerPrefs();
  void _slotApplyObjectViewerPrefs();
  void _slotToggleViewerInterface();
  void _slotSelectImagePointsInObjectViewers(PhImage *image);
  void _slotDeselectPointsInObjectViewers();
  void _slotSelectPointsInObjectViewers(PhGlobal::SelectionModeE selMode, PhGlobal::SearchModeE searchMode,
                                        const QString &strPar1, const QString &strPar2, bool bPatternMatching);
  void _slotSetupContextMenu(const QPoint &pos);
  void _slotHandleContextMenu(int iPopId);
  void _slotInitProject();

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;
  // The project view's lists would take the point-type keys for their
  // type-ahead search.
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  QWidget *_createImageViewer(int iImage);
  QWidget *_createObjectViewer(int iPlane);
  void _fillProjectView();
  // "Close current project?" when one is open; true to go on.
  bool _confirmCloseCurrentProject();
  // A project chosen without the file dialog (recent list, drop): asks as
  // the Open action does, then opens it.
  void _openChosenProject(const QString &strProjectFile);
  void _openRecentProject(const QString &strProjectFile);
  void _restoreViewerPlacements_OV();
  void _makeProjectView();
  // The "Analysis" dock, tabified with the project view.
  void _makeAnalysisDock();
  void _makePreferencePages();
  void _connectAll();
  // Shift+N, V, H, F, P, O, L: false for any other key.
  bool _togglePointType(const QKeyEvent *event);

  PhImageList mListImageData;
  PhObjectList mListObjectData;
  std::unique_ptr<PhProjectData> mProject;
  PhPrefsImageViewer *mPrefsImageViewer = nullptr;
  PhPrefsObjectViewer *mPrefsObjectViewer = nullptr;
  PhPrefsLinks *mPrefsLinks = nullptr;
  PhPrefsPoints *mPrefsPoints = nullptr;
  QTextEdit *mSupport = nullptr;
  QString _strProjectFile;
  QTreeView *mImageView = nullptr;
  QTreeView *mObjectView = nullptr;
  PhImageListModel *mImageModel = nullptr;
  PhObjectListModel *mObjectModel = nullptr;
  ProjectInfo *mProjectInfo = nullptr;
  PhSearchWidget *mSearch = nullptr;
  QMenu *mContextMenu = nullptr;
  PhExitDialog *mExitDialog = nullptr;
  PhAnalysisDock *mAnalysis = nullptr;
  PhRecentProjectsMenu *mRecentMenu = nullptr;
  bool mOpenCurrentProject = false;
  bool mAskBeforeClosing = true;
  bool mViewersUndecorated = false;
  // Set while a project is read: the readers' progress lets the window answer
  // meanwhile, and nothing may read into or empty the lists then.
  bool mReading = false;
};

#endif  // TESSELLA_H
