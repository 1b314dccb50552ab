#include "uxmainwindow.h"

#include "nubmsg.h"
#include "uxmsg.h"
#include "nubplatform.h"
#include "qtwindowlistmenu.h"
#include "uxapp.h"
#include "uxcfg.h"
#include "uxguisysmenu.h"
#include "uxhelplauncher.h"
#include "uxmessagewindow.h"
#include "uxpath.h"
#include "uxprefstab.h"
#include "uxprefstabcommon.h"
#include "uxtabdialog.h"
#include "uxtooltipfilter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace Ux {

MainWindow *MainWindow::_mainWin = nullptr;
bool MainWindow::_bFirstShow = true;
QString MainWindow::_cfgPath;

namespace {

const int kSmallIcons = 22;
const int kBigIcons = 32;
const int kAdminHeight = 200;

QIcon icon(const char *name) {
  return QIcon(QStringLiteral(":/uxkit/%1.svg").arg(QLatin1String(name)));
}


}  // namespace

// ---------------------------------------------------------------- life

MainWindow::MainWindow(TypeE type, const QIcon &windowIcon, const QPixmap &infoPicture)
    : QMainWindow(nullptr), mType(type) {
  Nub::debug("Ux::MainWindow");
  setObjectName(App::info(QStringLiteral("name")));
  setAttribute(Qt::WA_DeleteOnClose);

  mProcess = new QProcess(this);
  connect(mProcess, &QProcess::readyReadStandardOutput, this, &MainWindow::_slotReadProcessInfo);
  connect(mProcess, &QProcess::readyReadStandardError, this, &MainWindow::_slotReadProcessInfo);

  setWindowTitle(App::info(QStringLiteral("nameLong")));
  setWindowIcon(windowIcon);
  setWindowIconText(objectName());
  setIconSize(QSize(kSmallIcons, kSmallIcons));

  mProgress = new QProgressBar(statusBar());
  mProgress->setMaximumWidth(200);
  mProgress->setMaximumHeight(statusBar()->sizeHint().height());
  mProgress->hide();
  statusBar()->addPermanentWidget(mProgress);
  mPrevProgress = Nub::installProgressHandler(&MainWindow::_progressHandler);

  _makeAdminDock();
  _makePrefsDialog();
  _makeInfoDialog(infoPicture);
  _makeCentralWidget();

  connect(this, &MainWindow::sigCfgLoaded, this, &MainWindow::_slotUpdatePrefTabs);
  _mainWin = this;
}

MainWindow::~MainWindow() {
  Nub::debug("~Ux::MainWindow");
  if (MessageWindow *msg = MessageWindow::getRep()) {
    msg->restoreHandlers();
    // The message window outlives the main window: take it out of the dock.
    if (msg->parentWidget() && isAncestorOf(msg)) {
      mAdminTab->removeTab(mAdminTab->indexOf(msg));
      msg->hide();
      msg->setParent(nullptr);
    }
    msg->setMainWindow(nullptr);
  }
  Nub::installProgressHandler(mPrevProgress);
  Ux::info(tr("Closing mainwindow of application '%1'.").arg(objectName()));
  for (const QPointer<QAction> &action : std::as_const(mActions)) delete action.data();
  mActions.clear();
  mPopups.clear();
  mToolBars.clear();
  if (_mainWin == this) _mainWin = nullptr;
}

MainWindow *MainWindow::getRep() { return _mainWin; }

void MainWindow::setupMessageWindow() { MessageWindow::setup(); }

void MainWindow::_makeAdminDock() {
  mAdminDock = new QDockWidget(tr("Administration"), this);
  mAdminDock->setObjectName(QStringLiteral("Ux::AdminDock"));
  mAdminDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
  mAdminDock->setWhatsThis(tr("Administrationwindow of %1...").arg(objectName()));
  mAdminTab = new QTabWidget(mAdminDock);
  mAdminTab->setTabPosition(QTabWidget::South);
  mAdminDock->setWidget(mAdminTab);
  addDockWidget(Qt::BottomDockWidgetArea, mAdminDock);
  resizeDocks({mAdminDock}, {kAdminHeight}, Qt::Vertical);

  if (MessageWindow *msg = MessageWindow::getRep()) {
    msg->setMinimumSize(40, 20);
    mAdminTab->addTab(msg, icon("messages"), tr("&Messages"));
    msg->setMainWindow(this);
    // A later main window takes the messages over again.
    msg->installHandlers();
  }
}

void MainWindow::_makePrefsDialog() {
  mPrefsTab = new TabDialog(this, "Ux::PrefsDialog");
  mPrefsTab->setWindowTitle(tr("Preferences of %1...").arg(objectName()));
  mPrefsTab->setWindowIcon(icon("prefs"));
  mPrefsTab->setSizeGripEnabled(true);
  mPrefsTab->setOkButton(tr("&Ok"));
  mPrefsTab->setApplyButton(tr("&Apply"));
  mPrefsTab->setCancelButton(tr("&Cancel"));
  connect(mPrefsTab, &TabDialog::sigApply, this, &MainWindow::_slotApplyCurrentPreferences);
  mPrefsCommon = new PrefsTabCommon(mPrefsTab);
  mPrefsTab->addTab(mPrefsCommon, tr("Co&mmon"));
  mPrefsTab->setWhatsThis(tr("Apply individual settings to the application..."));
  mPrefsTab->resize(mPrefsTab->sizeHint().expandedTo(QSize(560, 440)));
}

void MainWindow::_makeInfoDialog(const QPixmap &infoPicture) {
  mInfoTab = new TabDialog(this, "Ux::InfoDialog");
  mInfoTab->setWindowTitle(tr("Informations about %1...").arg(objectName()));
  mInfoTab->setWindowIcon(icon("about"));
  mInfoTab->setOkButton(tr("&Ok"));

  mInfoLabel = new QLabel(mInfoTab);
  mInfoLabel->setAlignment(Qt::AlignCenter);
  if (!infoPicture.isNull()) mInfoLabel->setPixmap(infoPicture);
  mInfoTab->addTab(mInfoLabel, tr("&Common"));

  auto *history = new QTextEdit(mInfoTab);
  history->setReadOnly(true);
  history->setHtml(App::info(QStringLiteral("history")));
  mInfoTab->addTab(history, tr("&History"));
  mInfoTab->setWhatsThis(tr("Informations about %1...").arg(objectName()));

  // Never larger than it takes to show the whole picture.
  mInfoTab->adjustSize();
  mInfoTab->setMaximumSize(mInfoTab->sizeHint().expandedTo(mInfoTab->minimumSizeHint()));
}

void MainWindow::_makeCentralWidget() {
  auto *box = new QFrame(this);
  box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto *layout = new QVBoxLayout(box);
  layout->setContentsMargins(1, 1, 1, 1);
  if (mType == TY_Workspace) {
    mWorkspace = new QMdiArea(box);
    mWorkspace->setObjectName(QStringLiteral("Ux::Workspace"));
    mWorkspace->setBackground(palette().dark());
    mWorkspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mWorkspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Small enough for the default window of 400 x 200 with the dock open.
    mWorkspace->setMinimumSize(40, 20);
    layout->addWidget(mWorkspace);
  }
  setCentralWidget(box);
}

// ---------------------------------------------------------------- registry

QMenu *MainWindow::popupMenu(int uiId) const { return mPopups.value(uiId).data(); }

QToolBar *MainWindow::toolBar(int uiId) const { return mToolBars.value(uiId).data(); }

QAction *MainWindow::action(int actionId) const { return mActions.value(actionId).data(); }

QString MainWindow::plainText(const QString &text) {
  QString plain = text;
  plain.remove(QLatin1Char('&'));
  plain.remove(QLatin1Char('.'));
  return plain;
}

int MainWindow::addUI(const QString &text, int where, int id) {
  Nub::debug("%s => %s", "addUI", qPrintable(text));
  if (id < 0) {
    id = UI_Help;
    for (auto it = mPopups.cbegin(); it != mPopups.cend(); ++it) id = qMax(id, it.key());
    for (auto it = mToolBars.cbegin(); it != mToolBars.cend(); ++it) id = qMax(id, it.key());
    ++id;
  }
  const bool wantPopup = where & (AF_Popup | AF_Both);
  const bool wantToolBar = where & (AF_ToolBar | AF_Both);
  if (wantPopup && !popupMenu(id)) {
    auto *menu = new QMenu(text, this);
    menu->setObjectName(QStringLiteral("Ux::Popup%1").arg(id));
    menu->menuAction()->setData(id);
    _insertMenu(menu, id);
    mPopups.insert(id, menu);
  }
  if (wantToolBar && !toolBar(id)) {
    auto *tb = new QToolBar(plainText(text), this);
    tb->setObjectName(QStringLiteral("Ux::ToolBar%1").arg(id));
    tb->toggleViewAction()->setData(id);
    // Help stays the last tool bar.
    QToolBar *help = toolBar(UI_Help);
    if (help && id != UI_Help && toolBarArea(help) == Qt::TopToolBarArea)
      insertToolBar(help, tb);
    else
      addToolBar(Qt::TopToolBarArea, tb);
    mToolBars.insert(id, tb);
  }
  return id;
}

int MainWindow::addAction(int uiId, const QString &text, QObject *receiver, const char *slot,
                          int flags, const QIcon &icon, const QKeySequence &accel,
                          const QString &tip, int id) {
  QAction *act = _placeAction(uiId, text, flags, icon, accel, tip, id);
  if (!act) return -1;
  if (receiver && slot) {
    if (flags & AF_Toggle)
      connect(act, SIGNAL(toggled(bool)), receiver, slot);
    else
      connect(act, SIGNAL(triggered()), receiver, slot);
  }
  return act->data().toInt();
}

QAction *MainWindow::_placeAction(int uiId, const QString &text, int flags, const QIcon &icon,
                                  const QKeySequence &accel, const QString &tip, int id) {
  QMenu *menu = nullptr;
  QToolBar *tb = nullptr;
  if (flags & (AF_Popup | AF_Both)) menu = popupMenu(uiId);
  if (flags & (AF_ToolBar | AF_Both)) tb = toolBar(uiId);
  return _newAction(menu, tb, text, flags & AF_Toggle, icon, accel, tip, id);
}

QAction *MainWindow::_newAction(QMenu *menu, QToolBar *tb, const QString &text, bool toggle,
                                const QIcon &icon, const QKeySequence &accel, const QString &tip,
                                int id) {
  NUB_CHECK_RETURN(( ! menu ) && ( ! tb ), nullptr);
  if (id < 0) {
    id = static_cast<int>(UIA_HelpAbout);
    for (auto it = mActions.cbegin(); it != mActions.cend(); ++it) id = qMax(id, it.key());
    ++id;
  } else if (mActions.contains(id)) {
    delete mActions.take(id).data();
  }

  QWidget *owner = menu ? menu->parentWidget() : tb->parentWidget();
  auto *act = new QAction(text, owner ? static_cast<QObject *>(owner) : this);
  act->setObjectName(QStringLiteral("Ux::Action%1").arg(id));
  act->setData(id);
  if (!accel.isEmpty()) act->setShortcut(accel);
  if (toggle) {
    act->setCheckable(true);
    act->setChecked(false);
  }
  if (!icon.isNull()) act->setIcon(icon);
  if (menu) menu->addAction(act);
  if (tb) tb->addAction(act);
  act->setIconText(plainText(text));
  _setTips(act, tip);
  mActions.insert(id, act);
  return act;
}

void MainWindow::_setTips(QAction *act, const QString &tip) {
  if (tip.isNull()) {
    act->setWhatsThis(act->iconText());
    return;
  }
  QString full = tip;
  if (!act->shortcut().isEmpty())
    full += QStringLiteral(" (%1)").arg(act->shortcut().toString(QKeySequence::NativeText));
  act->setStatusTip(full);
  act->setToolTip(full);
  act->setWhatsThis(full);
}

int MainWindow::addSeparator(int uiId) {
  QMenu *menu = popupMenu(uiId);
  if (!menu) return -1;
  QAction *separator = menu->addSeparator();
  return menu->actions().indexOf(separator);
}

bool MainWindow::configureAction(int actionId, int flags) {
  QAction *act = action(actionId);
  if (!act) return false;
  if (act->isCheckable()) {
    if (flags & AF_On) act->setChecked(true);
    if (flags & AF_Off) act->setChecked(false);
  }
  if (flags & AF_Enable) act->setEnabled(true);
  if (flags & AF_Disable) act->setEnabled(false);
  return true;
}

bool MainWindow::configureAction(int actionId, const QString &menuText, const QString &tip) {
  QAction *act = action(actionId);
  if (!act) return false;
  if (!menuText.isNull()) act->setText(menuText);
  act->setIconText(plainText(act->text()));
  _setTips(act, tip);
  return true;
}

bool MainWindow::configureAction(int actionId, const QIcon &newIcon) {
  QAction *act = action(actionId);
  if (!act) return false;
  if (!newIcon.isNull()) act->setIcon(newIcon);
  return true;
}

bool MainWindow::setToggleAction(int actionId, bool on) {
  return configureAction(actionId, on ? AF_On : AF_Off);
}

// ---------------------------------------------------------------- standard actions

bool MainWindow::addStandardActions(unsigned mask) {
  auto ready = [this](int ui) { return popupMenu(ui) && toolBar(ui); };
  const QString name = objectName();

  if (ready(UI_File)) {
    if (mask & UIA_FileNew)
      addAction(UI_File, tr("&New..."), this, &MainWindow::slotFileNew, AF_Both, icon("filenew"),
                QKeySequence(Qt::CTRL | Qt::Key_N), tr("Create a new project"), UIA_FileNew);
    if (mask & UIA_FileOpen)
      addAction(UI_File, tr("&Open..."), this, &MainWindow::slotFileOpen, AF_Both,
                icon("fileopen"), QKeySequence(Qt::CTRL | Qt::Key_O), tr("Open an existing projectfile"),
                UIA_FileOpen);
    if (mask & UIA_FileSave)
      addAction(UI_File, tr("&Save"), this, &MainWindow::slotFileSave, AF_Both, icon("filesave"),
                QKeySequence(Qt::CTRL | Qt::Key_S), tr("Save current projectfile"), UIA_FileSave);
    if (mask & UIA_FileSaveAs)
      addAction(UI_File, tr("Save &as..."), this, &MainWindow::slotFileSaveAs, AF_Popup, QIcon(),
                QKeySequence(), tr("Save current projectfile to a new file"), UIA_FileSaveAs);
    if (mask & UIA_FileQuit) {
      addSeparator(UI_File);
      addAction(UI_File, tr("&Quit"), qApp, &QApplication::closeAllWindows, AF_Popup,
                icon("quit"), QKeySequence(), tr("Leave program now"), UIA_FileQuit);
    }
  }

  if (mask & UIA_Preferences) {
    addUI(tr("&Configuration"), AF_ToolBar, UI_Cfg);
    if (ready(UI_Cfg)) {
      addSeparator(UI_Cfg);
      addAction(UI_Cfg, tr("&Preferences..."), this, &MainWindow::_slotShowPreferences, AF_Both,
                icon("prefs"), QKeySequence(Qt::Key_F7),
                tr("Apply individual settings to the program"), UIA_Preferences);
    }
  }

  if (mask & UIA_ViewRefresh) {
    addUI(tr("&View"), AF_ToolBar, UI_View);
    if (ready(UI_View)) {
      addSeparator(UI_View);
      addAction(UI_View, tr("&Refresh"), this, &MainWindow::slotViewRefresh, AF_Both,
                icon("refresh"), QKeySequence(Qt::Key_F5), tr("Refresh current view"), UIA_ViewRefresh);
    }
  }

  if (ready(UI_Help)) {
    if (mask & UIA_HelpPrg)
      addAction(UI_Help, tr("%1-&Help...").arg(name), this, &MainWindow::_slotHelpPrg, AF_Both,
                icon("help"), QKeySequence(Qt::Key_F1),
                tr("Display the manual of %1 in an external viewer").arg(name), UIA_HelpPrg);
    if (mask & UIA_HelpWhatsThis)
      addAction(UI_Help, tr("&What's This?"), this, &MainWindow::_slotWhatsThis, AF_Both,
                icon("whatsthis"), QKeySequence(Qt::SHIFT | Qt::Key_F1),
                tr("Enter 'What's This?'-mode"), UIA_HelpWhatsThis);
    if (mask & UIA_HelpAbout) {
      addSeparator(UI_Help);
      addAction(UI_Help, tr("&About %1...").arg(name), this, &MainWindow::_slotShowInformation,
                AF_Both, icon("about"), QKeySequence(), tr("Show About-dialog of application"),
                UIA_HelpAbout);
    }
  }
  return true;
}

bool MainWindow::addStandardAction(unsigned actionId, const QString &text, const QString &tip) {
  addStandardActions(actionId);
  if (!text.isNull() || !tip.isNull()) configureAction(static_cast<int>(actionId), text, tip);
  return true;
}

template <typename Func>
void MainWindow::_addOwnAction(QMenu *menu, const QString &text, Func slot, bool toggle,
                               const QString &tip, int id) {
  QAction *act = _newAction(menu, nullptr, text, toggle, QIcon(), QKeySequence(), tip, id);
  if (act) _connectAction(act, toggle, this, slot);
}

bool MainWindow::addStandardUIs(unsigned mask) {
  if (mask & UI_File) addUI(tr("&File"), AF_Both, UI_File);

  if ((mask & UI_Cfg) && !popupMenu(UI_Cfg)) {
    addUI(tr("&Configuration"), AF_Popup, UI_Cfg);
    QMenu *cfg = popupMenu(UI_Cfg);
    QMenu *open = cfg->addMenu(icon("fileopen"), tr("&Open"));
    _addOwnAction(open, tr("&User configuration"), &MainWindow::_slotCfgOpenUser, false,
                  tr("Open configuration of current user"), UIA_CfgOpenUser);
    _addOwnAction(open, tr("&System configuration"), &MainWindow::_slotCfgOpenSystem, false,
                  tr("Open system-configuration (factory defaults)"), UIA_CfgOpenSystem);
    _addOwnAction(open, tr("&Select..."), &MainWindow::_slotCfgOpen, false,
                  tr("Select a configuration file to open"), UIA_CfgOpen);
    QMenu *save = cfg->addMenu(icon("filesave"), tr("&Save"));
    _addOwnAction(save, tr("&User configuration"), &MainWindow::slotCfgSaveUser, false,
                  tr("Save configuration of current user"), UIA_CfgSaveUser);
    _addOwnAction(save, tr("&Select..."), &MainWindow::slotCfgSave, false,
                  tr("Select a configuration file for saving"), UIA_CfgSave);
  }

  if ((mask & UI_View) && !popupMenu(UI_View)) {
    addUI(tr("&View"), AF_Popup, UI_View);
    QMenu *view = popupMenu(UI_View);
    if (GuiSysMenu *styles = GuiSysMenu::getRep(this)) {
      styles->setTitle(tr("&Desktop-style"));
      view->addMenu(styles);
    }
    view->addSeparator();
    view->addMenu(_dockWindowMenu(tr("&Views"), false));
    view->addMenu(_dockWindowMenu(tr("&Toolbars"), true));
    _addOwnAction(view, tr("&Big symbols"), &MainWindow::_slotViewBigIcons, true,
                  tr("Show big symbols in the toolbars of the application"), UIA_ViewBigIcons);
    _addOwnAction(view, tr("&Symboltitles"), &MainWindow::_slotViewIconsTitle, true,
                  tr("Decorate every symbol with its title (caption)"), UIA_ViewIconsTitle);
    view->addSeparator();
    _addOwnAction(view, tr("&Statusbar"), &MainWindow::_slotViewStatusBar, true,
                  tr("Decorate the mainwindow with a statusbar"), UIA_ViewStatusBar);
    _addOwnAction(view, tr("&Tool tips"), &MainWindow::_slotViewTooltips, true,
                  tr("Show tool tips (balloon help) on widgets"), UIA_ViewTooltips);
  }

  if ((mask & UI_Windows) && mType == TY_Workspace && mWorkspace && !popupMenu(UI_Windows)) {
    auto *windows = new QtWindowListMenu(mWorkspace, this, "Ux::WindowListMenu");
    windows->setTitle(tr("&Windows"));
    windows->menuAction()->setData(static_cast<int>(UI_Windows));
    _insertMenu(windows, UI_Windows);
    mPopups.insert(UI_Windows, windows);
  }

  if ((mask & UI_Help) && !popupMenu(UI_Help) && !toolBar(UI_Help)) {
    mHelpSeparator = menuBar()->addSeparator();
    addUI(tr("&?"), AF_Both, UI_Help);
    if (QToolBar *tb = toolBar(UI_Help)) tb->setWindowTitle(tr("Help"));
  }
  return true;
}

void MainWindow::_insertMenu(QMenu *menu, int id) {
  // Menus made after the help menu still go in front of it.
  QAction *before = nullptr;
  if (id != UI_Help) {
    if (mHelpSeparator)
      before = mHelpSeparator;
    else if (QMenu *help = popupMenu(UI_Help))
      before = help->menuAction();
  }
  if (before && menuBar()->actions().contains(before))
    menuBar()->insertMenu(before, menu);
  else
    menuBar()->addMenu(menu);
}

QMenu *MainWindow::_dockWindowMenu(const QString &title, bool toolBars) {
  auto *menu = new QMenu(title, this);
  // Filled when opened: docks and tool bars come and go.
  connect(menu, &QMenu::aboutToShow, this, [this, menu, toolBars]() {
    menu->clear();
    const QList<QDockWidget *> docks = findChildren<QDockWidget *>();
    const QList<QToolBar *> bars = findChildren<QToolBar *>();
    if (toolBars) {
      for (QToolBar *tb : bars)
        if (tb->parentWidget() == this) menu->addAction(tb->toggleViewAction());
    } else {
      for (QDockWidget *dock : docks)
        if (dock->parentWidget() == this) menu->addAction(dock->toggleViewAction());
    }
  });
  return menu;
}

// ---------------------------------------------------------------- windows and status

bool MainWindow::existsWindow(const QString &caption, bool exact) const {
  if (mType != TY_Workspace || !mWorkspace) return false;
  const QList<QMdiSubWindow *> windows = mWorkspace->subWindowList();
  for (const QMdiSubWindow *window : windows) {
    const QString title = window->windowTitle();
    if (exact ? title.compare(caption, Qt::CaseInsensitive) == 0
              : title.startsWith(caption, Qt::CaseInsensitive))
      return true;
  }
  return false;
}

void MainWindow::status(const QString &text, int milliseconds) {
  statusBar()->showMessage(text, milliseconds);
}

void MainWindow::progress(int current, int total) {
  if (statusBar()->isHidden()) return;
  if (current < 0) {
    mProgress->reset();
    mProgress->hide();
    return;
  }
  mProgress->show();
  mProgress->setRange(0, qMax(0, total));
  mProgress->setValue(qMin(current, qMax(0, total)));
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void MainWindow::_progressHandler(int current, int total) {
  MainWindow *mainWin = _mainWin;
  NUB_CHECK(mainWin == 0);
  mainWin->progress(current, total);
}

// ---------------------------------------------------------------- settings

void MainWindow::storeToCfg() {
  Cfg cfg(QString::fromLatin1(metaObject()->className()));
  cfg.writeEntry(QStringLiteral("DockLayout"), static_cast<const QMainWindow &>(*this));
  cfg.writeEntry(QStringLiteral("Geometry"), geometry());
  if (GuiSysMenu *styles = GuiSysMenu::existing())
    cfg.writeEntry(QStringLiteral("GuiStyle"), styles->currentStyle());
  cfg.writeEntry(QStringLiteral("BigIcons"), mBigIcons ? 1 : 0);
  cfg.writeEntry(QStringLiteral("IconsTitle"),
                 toolButtonStyle() == Qt::ToolButtonTextUnderIcon ? 1 : 0);
  cfg.writeEntry(QStringLiteral("Tooltips"), tooltipsEnabled() ? 1 : 0);
  if (QAction *bar = action(UIA_ViewStatusBar))
    cfg.writeEntry(QStringLiteral("StatusBar"), bar->isChecked() ? 1 : 0);
}

void MainWindow::applyCfg() {
  Cfg cfg(QString::fromLatin1(metaObject()->className()));
  // A saved layout keeps the dock's own extent.
  if (cfg.readMainWindow(QStringLiteral("DockLayout"), *this)) mAdminExtentPending = false;
  setGeometry(cfg.readRect(QStringLiteral("Geometry"), QRect(100, 100, 400, 200)));
  const QString style = cfg.readString(QStringLiteral("GuiStyle"), QString());
  if (GuiSysMenu *styles = GuiSysMenu::existing()) styles->applyStyle(style);
  setToggleAction(UIA_ViewBigIcons, cfg.readBool(QStringLiteral("BigIcons"), false));
  setToggleAction(UIA_ViewIconsTitle, cfg.readBool(QStringLiteral("IconsTitle"), false));
  setToggleAction(UIA_ViewStatusBar, cfg.readBool(QStringLiteral("StatusBar"), true));
  setToggleAction(UIA_ViewTooltips, cfg.readBool(QStringLiteral("Tooltips"), true));
}

void MainWindow::showEvent(QShowEvent *event) {
  if (_bFirstShow) {
    _bFirstShow = false;
    applyCfg();
  }
  if (mAdminExtentPending) {
    // Made before the window had a size, the dock got a sliver of it; now
    // that the size is known it gets its extent.
    mAdminExtentPending = false;
    if (mAdminDock) resizeDocks({mAdminDock}, {kAdminHeight}, Qt::Vertical);
  }
  mProgress->hide();
  QMainWindow::showEvent(event);
}

// ---------------------------------------------------------------- configuration menu

void MainWindow::_cfgLoaded() {
  applyCfg();
  emit sigCfgLoaded();
}

void MainWindow::_slotCfgOpenUser() {
  App *app = App::getRep();
  if (app && app->readUserCfg(true)) _cfgLoaded();
}

void MainWindow::_slotCfgOpenSystem() {
  App *app = App::getRep();
  if (app && app->readSystemCfg(true)) _cfgLoaded();
}

QString MainWindow::_cfgStartPath() const {
  if (!_cfgPath.isEmpty()) return _cfgPath;
  App *app = App::getRep();
  return app ? app->cfgDir() : QString();
}

void MainWindow::_slotCfgOpen() {
  App *app = App::getRep();
  if (!app) return;
  const QString file = QFileDialog::getOpenFileName(
      this, tr("Select configuration-file for loading"), _cfgStartPath(), app->cfgPattern());
  if (file.isEmpty()) {
    Ux::msg(Nub::MsgInfo | Nub::MsgStatus, tr("Operation aborted by user"));
    return;
  }
  if (!app->readCfg(file)) return;
  _cfgPath = Ux::pathSetExtension(file, app->cfgExt());
  _cfgLoaded();
}

void MainWindow::slotCfgSaveUser() { saveUserCfg(); }

bool MainWindow::saveUserCfg() {
  App *app = App::getRep();
  if (!app) return false;
  storeToCfg();
  return app->writeUserCfg();
}

void MainWindow::slotCfgSave() {
  App *app = App::getRep();
  if (!app) return;
  QString file = QFileDialog::getSaveFileName(this, tr("Select configuration-file for saving"),
                                              _cfgStartPath(), app->cfgPattern(), nullptr,
                                              QFileDialog::DontConfirmOverwrite);
  if (file.isEmpty()) {
    Ux::msg(Nub::MsgInfo | Nub::MsgStatus, tr("Operation aborted by user"));
    return;
  }
  file = Ux::pathSetExtension(file, app->cfgExt());
  const QFileInfo info(file);
  if (info.exists()) {
    const QString question = tr("The selected file '%1' already exists!\nShould it be replaced?")
                                 .arg(QDir::toNativeSeparators(info.absoluteFilePath()));
    if (QMessageBox::question(this, tr("File exists!"), question,
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
      return;
  }
  storeToCfg();
  if (app->writeCfg(info.absoluteFilePath())) _cfgPath = info.absoluteFilePath();
}

// ---------------------------------------------------------------- view and help

bool MainWindow::tooltipsEnabled() { return ToolTipFilter::isEnabled(); }

void MainWindow::_slotViewTooltips(bool on) { ToolTipFilter::setEnabled(on); }

void MainWindow::_slotViewBigIcons(bool on) {
  mBigIcons = on;
  const int size = on ? kBigIcons : kSmallIcons;
  setIconSize(QSize(size, size));
}

void MainWindow::_slotViewIconsTitle(bool on) {
  setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

void MainWindow::_slotViewStatusBar(bool on) { statusBar()->setVisible(on); }

void MainWindow::_slotWhatsThis() { QWhatsThis::enterWhatsThisMode(); }

void MainWindow::_slotShowPreferences() {
  mPrefsTab->show();
  mPrefsTab->raise();
  mPrefsTab->activateWindow();
}

void MainWindow::_slotShowInformation() {
  mInfoTab->show();
  mInfoTab->raise();
  mInfoTab->activateWindow();
}

void MainWindow::_slotHelpPrg() {
  App *app = App::getRep();
  const QString help = app ? app->helpFile() : QString();
  if (help.isEmpty()) {
    Ux::warn(tr("No helpfile configured!"));
    return;
  }
  Ux::info(tr("Starting help '%1' of program in external viewer...").arg(help));
  if (!Ux::openInExternalViewer(help, mProcess)) Ux::warn(tr("Error starting helpfile '%1'!").arg(help));
}

void MainWindow::_slotReadProcessInfo() {
  const QByteArray out = mProcess->readAllStandardOutput();
  const QByteArray err = mProcess->readAllStandardError();
  for (const QByteArray &chunk : {out, err}) {
    const QList<QByteArray> lines = chunk.split('\n');
    for (QByteArray line : lines) {
      if (line.endsWith('\r')) line.chop(1);
      if (!line.isEmpty()) Nub::info("%s", line.constData());
    }
  }
}

// ---------------------------------------------------------------- preferences

void MainWindow::_slotUpdatePrefTabs() {
  if (mPrefsTab) PrefsTab::initTabWidgets();
}

void MainWindow::_slotApplyCurrentPreferences() {
  // Only the page in front: pages the user changed and left are not saved.
  QWidget *page = mPrefsTab ? mPrefsTab->currentPage() : nullptr;
  if (page && page->inherits("Ux::PrefsTab")) static_cast<PrefsTab *>(page)->slotSaveWidgetStates();
}

// ---------------------------------------------------------------- keys

void MainWindow::keyPressEvent(QKeyEvent *event) {
  const Qt::KeyboardModifiers mods =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                            Qt::MetaModifier);
  if (event->key() != Qt::Key_F12 || mods != (Qt::ControlModifier | Qt::ShiftModifier)) {
    event->ignore();
    return;
  }
  event->accept();
  const QPixmap picture = mInfoLabel ? mInfoLabel->pixmap() : QPixmap();
  if (picture.isNull()) {
    Ux::warn(tr("There is no image for saving!"));
    return;
  }
  const QString file = QStringLiteral("%1_title.bmp").arg(App::info(QStringLiteral("name")));
  const QString path = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
  if (picture.save(file, "BMP"))
    Ux::note(tr("Image '%1' saved.").arg(path));
  else
    Ux::warn(tr("Can't save image '%1'!").arg(path));
}

// ---------------------------------------------------------------- default slots

void MainWindow::slotFileNew() { Nub::niy("slotFileNew"); }
void MainWindow::slotFileOpen() { Nub::niy("slotFileOpen"); }
void MainWindow::slotFileSave() { Nub::niy("slotFileSave"); }
void MainWindow::slotFileSaveAs() { Nub::niy("slotFileSaveAs"); }
void MainWindow::slotViewRefresh() { Nub::niy("slotViewRefresh"); }

}  // namespace Ux
