#ifndef UXMAINWINDOW_H
#define UXMAINWINDOW_H

#include "nubux_export.h"

#include <QAction>
#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

#include <type_traits>
#include <utility>

class QDockWidget;
class QKeyEvent;
class QLabel;
class QMdiArea;
class QMenu;
class QProcess;
class QProgressBar;
class QShowEvent;
class QTabWidget;
class QToolBar;

namespace Ux {

class PrefsTabCommon;
class TabDialog;

// The base of the program's main window: a multi-document workspace, menus,
// tool bars and actions addressed by integer ids, the standard actions and
// menus, an administration dock with the message window, the preferences
// and information dialogs, a progress bar, and its own layout settings.
class NUBUX_EXPORT MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // 0: with a workspace as central widget; any other: an empty central box.
  enum TypeE { TY_Workspace = 0, TY_Plain = 1 };

  // Where addUI and addAction put things (1, 2, 4), toggles (8), and what
  // configureAction does (16 to 128).
  enum ActionFlagE {
    AF_Popup = 1,
    AF_ToolBar = 2,
    AF_Both = 4,
    AF_Toggle = 8,
    AF_On = 16,
    AF_Off = 32,
    AF_Enable = 64,
    AF_Disable = 128
  };

  // The standard menus and tool bars; ids above 16 are handed out by addUI.
  enum UserInterfaceE { UI_File = 1, UI_Cfg = 2, UI_View = 4, UI_Windows = 8, UI_Help = 16 };

  // The standard actions; bit values, combinable.
  enum UserInterfaceActionE : unsigned {
    UIA_FileNew = 1,
    UIA_FileOpen = 2,
    UIA_FileSave = 4,
    UIA_FileSaveAs = 8,
    UIA_FileQuit = 16,
    UIA_CfgOpenUser = 32,
    UIA_CfgOpenSystem = 64,
    UIA_CfgOpen = 128,
    UIA_CfgSaveUser = 256,
    UIA_CfgSave = 512,
    UIA_Preferences = 1024,
    UIA_ViewBigIcons = 2048,
    UIA_ViewIconsTitle = 4096,
    UIA_ViewStatusBar = 8192,
    UIA_ViewTooltips = 16384,
    UIA_ViewRefresh = 32768,
    UIA_HelpPrg = 524288,
    UIA_HelpWhatsThis = 1048576,
    UIA_HelpAbout = 2097152
  };

  ~MainWindow() override;

  // The latest main window, or null.
  static MainWindow *getRep();
  // Makes the message window and lets it take over all messages; safe before
  // any main window or configuration exists.
  static void setupMessageWindow();

  TypeE type() const { return mType; }
  QMdiArea *workspace() const { return mWorkspace; }
  TabDialog *infoTab() const { return mInfoTab; }
  TabDialog *prefsTab() const { return mPrefsTab; }
  QTabWidget *adminTab() const { return mAdminTab; }
  QDockWidget *adminDock() const { return mAdminDock; }
  PrefsTabCommon *prefsTabCommon() const { return mPrefsCommon; }
  QLabel *infoLabel() const { return mInfoLabel; }
  QProgressBar *progressBar() const { return mProgress; }
  QMenu *popupMenu(int uiId) const;
  QToolBar *toolBar(int uiId) const;
  QAction *action(int actionId) const;

  // Makes the popup (where 1 or 4) and the tool bar (2 or 4) of the id when
  // missing; an id below 0 asks for a new one. Returns the id.
  int addUI(const QString &text, int where, int id = -1);
  // Adds an action to the popup (flag 1), the tool bar (2) or both (4) of the
  // UI id, a toggle with flag 8. An id below 0 asks for a new one; an existing
  // id is replaced. Returns the action id, -1 without popup or tool bar.
  // `slot` is a SLOT() signature of `receiver`.
  int addAction(int uiId, const QString &text, QObject *receiver, const char *slot, int flags,
                const QIcon &icon = QIcon(), const QKeySequence &accel = QKeySequence(),
                const QString &tip = QString(), int id = -1);
  // The same, checked by the compiler: `slot` is a member function of
  // `receiver` or any callable, taking nothing or, for a toggle, the new
  // state. The connection ends with `receiver`; a null receiver connects
  // nothing.
  template <typename Receiver, typename Func,
            typename = std::enable_if_t<!std::is_convertible_v<Func, const char *>>>
  int addAction(int uiId, const QString &text, const Receiver *receiver, Func slot, int flags,
                const QIcon &icon = QIcon(), const QKeySequence &accel = QKeySequence(),
                const QString &tip = QString(), int id = -1) {
    QAction *act = _placeAction(uiId, text, flags, icon, accel, tip, id);
    if (!act) return -1;
    _connectAction(act, flags & AF_Toggle, receiver, std::move(slot));
    return act->data().toInt();
  }
  using QWidget::addAction;
  // Index of the separator in the popup, -1 without such a popup.
  int addSeparator(int uiId);

  // Applies the bits 16, 32, 64 and 128; false without such an action.
  bool configureAction(int actionId, int flags);
  // A null text keeps the old one; a null tip leaves the tips alone.
  bool configureAction(int actionId, const QString &menuText, const QString &tip);
  bool configureAction(int actionId, const QIcon &icon);
  bool setToggleAction(int actionId, bool on);

  bool addStandardActions(unsigned mask);
  bool addStandardAction(unsigned actionId, const QString &text = QString(),
                         const QString &tip = QString());
  bool addStandardUIs(unsigned mask);

  // Whether a workspace window's caption equals `caption` (exact) or begins
  // with it, without regard to case.
  bool existsWindow(const QString &caption, bool exact) const;
  void status(const QString &text, int milliseconds);
  void progress(int current, int total);

  // The window's own settings, in the group of its class name.
  virtual void storeToCfg();
  virtual void applyCfg();
  // The window's settings into the user configuration file; false when the
  // file could not be written (the previous one is then kept).
  bool saveUserCfg();

  // The text of an action without "&" and ".".
  static QString plainText(const QString &text);
  static bool tooltipsEnabled();

 signals:
  void sigCfgLoaded();

 public slots:
  virtual void slotFileNew();
  virtual void slotFileOpen();
  virtual void slotFileSave();
  virtual void slotFileSaveAs();
  virtual void slotViewRefresh();
  void slotCfgSaveUser();
  void slotCfgSave();

 protected:
  MainWindow(TypeE type, const QIcon &icon, const QPixmap &infoPicture);

  void showEvent(QShowEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private slots:
  void _slotCfgOpenUser();
  void _slotCfgOpenSystem();
  void _slotCfgOpen();
  void _slotViewTooltips(bool on);
  void _slotViewBigIcons(bool on);
  void _slotViewIconsTitle(bool on);
  void _slotViewStatusBar(bool on);
  void _slotWhatsThis();
  void _slotShowPreferences();
  void _slotShowInformation();
  void _slotHelpPrg();
  void _slotReadProcessInfo();
  void _slotUpdatePrefTabs();
  void _slotApplyCurrentPreferences();

 private:
  // The action in the popup and / or tool bar of the UI id as the flags say;
  // null without either.
  QAction *_placeAction(int uiId, const QString &text, int flags, const QIcon &icon,
                        const QKeySequence &accel, const QString &tip, int id);
  QAction *_newAction(QMenu *menu, QToolBar *tb, const QString &text, bool toggle,
                      const QIcon &icon, const QKeySequence &accel, const QString &tip, int id);
  // One of the window's own actions in a menu of its own.
  template <typename Func>
  void _addOwnAction(QMenu *menu, const QString &text, Func slot, bool toggle, const QString &tip,
                     int id);
  template <typename Receiver, typename Func>
  static void _connectAction(QAction *act, bool toggle, const Receiver *receiver, Func slot) {
    if (!receiver) return;
    if (toggle)
      connect(act, &QAction::toggled, receiver, std::move(slot));
    else
      connect(act, &QAction::triggered, receiver, std::move(slot));
  }
  void _setTips(QAction *action, const QString &tip);
  void _makeAdminDock();
  void _makePrefsDialog();
  void _makeInfoDialog(const QPixmap &infoPicture);
  void _makeCentralWidget();
  QMenu *_dockWindowMenu(const QString &title, bool toolBars);
  void _insertMenu(QMenu *menu, int id);
  void _cfgLoaded();
  QString _cfgStartPath() const;

  static void _progressHandler(int current, int total);

  QMdiArea *mWorkspace = nullptr;
  TabDialog *mInfoTab = nullptr;
  TabDialog *mPrefsTab = nullptr;
  QTabWidget *mAdminTab = nullptr;
  QLabel *mInfoLabel = nullptr;
  QProgressBar *mProgress = nullptr;
  QProcess *mProcess = nullptr;
  TypeE mType = TY_Workspace;
  void (*mPrevProgress)(int, int) = nullptr;
  QHash<int, QPointer<QMenu>> mPopups;
  QHash<int, QPointer<QToolBar>> mToolBars;
  QHash<int, QPointer<QAction>> mActions;
  QDockWidget *mAdminDock = nullptr;
  bool mAdminExtentPending = true;
  PrefsTabCommon *mPrefsCommon = nullptr;
  bool mBigIcons = false;
  QPointer<QAction> mHelpSeparator;

  static MainWindow *_mainWin;
  static bool _bFirstShow;
  static QString _cfgPath;
};

}  // namespace Ux

#endif  // UXMAINWINDOW_H
