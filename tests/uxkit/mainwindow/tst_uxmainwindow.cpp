// The multi-document main window: registry of menus, tool bars and actions,
// standard actions and menus, settings, configuration menu, dialogs,
// progress, help and keys.

#include "nubmsg.h"
#include "uxcfg.h"
#include "uxguisysmenu.h"
#include "uxmainwindow.h"
#include "uxmessagewindow.h"
#include "uxpath.h"
#include "uxprefstab.h"
#include "uxprefstabcommon.h"
#include "uxslider.h"
#include "uxtabdialog.h"
#include "uxtestutil.h"

#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QUrl>
#include <memory>

namespace {

using MW = Ux::MainWindow;

const unsigned kAllActions = MW::UIA_FileNew | MW::UIA_FileOpen | MW::UIA_FileSave |
                             MW::UIA_FileSaveAs | MW::UIA_FileQuit | MW::UIA_Preferences |
                             MW::UIA_ViewRefresh | MW::UIA_HelpPrg | MW::UIA_HelpWhatsThis |
                             MW::UIA_HelpAbout;

}  // namespace

// A main window as a program derives it.
class TestMain : public Ux::MainWindow {
  Q_OBJECT

 public:
  explicit TestMain(TypeE type = TY_Workspace, const QPixmap &picture = QPixmap())
      : Ux::MainWindow(type, QIcon(), picture) {}
  int opened = 0;
  int refreshed = 0;
  QList<bool> toggles;

 public slots:
  void slotFileOpen() override { ++opened; }
  void slotViewRefresh() override { ++refreshed; }
  void slotToggled(bool on) { toggles << on; }
  void slotPlain() { ++opened; }
};

// A preference page that records its saves.
class CountingTab : public Ux::PrefsTab {
 public:
  explicit CountingTab(QWidget *parent) : Ux::PrefsTab("Counting", parent) {}
  int saves = 0;
  int inits = 0;
  void slotSaveWidgetStates() override {
    ++saves;
    emit sigWidgetsSaved();
  }
  void initWidgets() override { ++inits; }
};

// Counts the tool-tip events that reach a widget.
class TipCounter : public QObject {
 public:
  int tips = 0;
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::ToolTip) ++tips;
    return false;
  }
};

class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void open(const QUrl &url) { urls << url; }
};

namespace {

std::unique_ptr<TestMain> standardWindow(MW::TypeE type = MW::TY_Workspace) {
  auto win = std::make_unique<TestMain>(type);
  win->addStandardUIs(0x1f);
  win->addStandardActions(kAllActions);
  return win;
}

bool paneHas(const QString &part) {
  return Ux::MessageWindow::getRep()->toPlainText().contains(part);
}

// Answers a file dialog as a user typing the full name would.
void typeFileName(QFileDialog *dialog, const QString &path) {
  auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
  QVERIFY(edit);
  edit->setText(path);
  static_cast<QDialog *>(dialog)->accept();
  QVERIFY(!dialog->isVisible());
}

QStringList menuTexts(const QMenu *menu) {
  QStringList out;
  for (QAction *a : menu->actions())
    out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

}  // namespace

class TestUxMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();

  // Must stay first: only the first show of the process applies the settings.
  void firstShowAppliesDefaultGeometry();
  void administrationDockGetsItsExtent();

  void constructionBuildsDockAndDialogs();
  void plainTypeHasNoWorkspace();
  void messageWindowGoesBackOnDestruction();

  void addUIHandsOutIds();
  void addActionNeedsPopupOrToolBar();
  void addActionIdsAndReplacement();
  void actionTextsAndTips_data();
  void actionTextsAndTips();
  void actionConnections();
  void addSeparatorIndex();
  void configureActionBits_data();
  void configureActionBits();
  void configureActionTextTipAndIcon();

  void standardUIs();
  void standardActions_data();
  void standardActions();
  void standardActionsNeedTheirUIs();
  void standardActionEffects();
  void standardActionWithOwnText();

  void existsWindow_data();
  void existsWindow();
  void statusAndProgress();
  void settingsRoundTrip();

  void cfgOpenUserAndSystem();
  void cfgOpenSelectedFile();
  void cfgSaveAsksBeforeReplacing();
  void applySavesOnlyThePageInFront();

  void helpNeedsFileAndOpensIt();
  void ctrlShiftF12SavesInfoPicture();

 private:
  QTemporaryDir mTmp;
};

void TestUxMainWindow::initTestCase() {
  QVERIFY(mTmp.isValid());
  Ux::App::setInfo(QStringLiteral("name"), QStringLiteral("UxTest"));
  Ux::App::setInfo(QStringLiteral("nameLong"), QStringLiteral("UxTest Version 9"));
  Ux::App::setInfo(QStringLiteral("history"), QStringLiteral("<b>First</b> release"));
  // As at start-up: the message window before any configuration or main window.
  QVERIFY(!MW::getRep());
  MW::setupMessageWindow();
  QVERIFY(Ux::MessageWindow::getRep());
  QVERIFY(!Ux::MessageWindow::getRep()->parentWidget());
  Nub::info("before the main window");
  QVERIFY(paneHas(QStringLiteral("before the main window")));
}

void TestUxMainWindow::cleanup() {
  QVERIFY(!MW::getRep());
  QVERIFY(Ux::PrefsTab::tabs().isEmpty());
}

void TestUxMainWindow::firstShowAppliesDefaultGeometry() {
  auto win = standardWindow();
  QVERIFY(!win->action(MW::UIA_ViewStatusBar)->isChecked());
  win->show();
  QVERIFY(QTest::qWaitForWindowExposed(win.get()));
  QCOMPARE(win->geometry(), QRect(100, 100, 400, 200));
  QVERIFY(win->action(MW::UIA_ViewStatusBar)->isChecked());
  QVERIFY(win->action(MW::UIA_ViewTooltips)->isChecked());
  QVERIFY(!win->action(MW::UIA_ViewBigIcons)->isChecked());
  QVERIFY(!win->action(MW::UIA_ViewIconsTitle)->isChecked());
  QVERIFY(!win->progressBar()->isVisible());

  // Later shows leave the geometry alone.
  win->hide();
  win->setGeometry(50, 60, 500, 400);
  win->show();
  QCOMPARE(win->geometry(), QRect(50, 60, 500, 400));
}

void TestUxMainWindow::administrationDockGetsItsExtent() {
  Ux::Cfg(QStringLiteral("TestMain")).writeEntry(QStringLiteral("Geometry"), QRect(20, 20, 700, 560));
  auto win = standardWindow();
  // The settings reach only the first main window of a process.
  win->setGeometry(20, 20, 700, 560);
  win->show();
  QVERIFY(QTest::qWaitForWindowExposed(win.get()));
  QTRY_COMPARE(win->geometry().size(), QSize(700, 560));
  const int height = win->adminDock()->height();
  QVERIFY2(height >= 190 && height <= 210, qPrintable(QString::number(height)));
  Ux::Cfg::clear();
}

void TestUxMainWindow::constructionBuildsDockAndDialogs() {
  QPixmap picture(120, 80);
  picture.fill(Qt::darkCyan);
  TestMain *win = new TestMain(MW::TY_Workspace, picture);
  QCOMPARE(MW::getRep(), win);
  QCOMPARE(win->objectName(), QStringLiteral("UxTest"));
  QCOMPARE(win->windowTitle(), QStringLiteral("UxTest Version 9"));
  QCOMPARE(win->windowIconText(), QStringLiteral("UxTest"));
  QVERIFY(win->testAttribute(Qt::WA_DeleteOnClose));
  QCOMPARE(win->type(), MW::TY_Workspace);
  QVERIFY(win->workspace());

  QDockWidget *dock = win->adminDock();
  QCOMPARE(dock->windowTitle(), QStringLiteral("Administration"));
  QVERIFY(dock->features() & QDockWidget::DockWidgetClosable);
  QVERIFY(dock->features() & QDockWidget::DockWidgetFloatable);
  QCOMPARE(win->dockWidgetArea(dock), Qt::BottomDockWidgetArea);
  QCOMPARE(dock->whatsThis(), QStringLiteral("Administrationwindow of UxTest..."));
  QCOMPARE(win->adminTab()->count(), 1);
  QCOMPARE(win->adminTab()->tabText(0), QStringLiteral("&Messages"));
  QCOMPARE(win->adminTab()->widget(0), Ux::MessageWindow::getRep());
  QCOMPARE(Ux::MessageWindow::getRep()->mainWindow(), win);

  Ux::TabDialog *prefs = win->prefsTab();
  QCOMPARE(prefs->windowTitle(), QStringLiteral("Preferences of UxTest..."));
  QCOMPARE(prefs->okButton()->text(), QStringLiteral("&Ok"));
  QCOMPARE(prefs->applyButton()->text(), QStringLiteral("&Apply"));
  QCOMPARE(prefs->cancelButton()->text(), QStringLiteral("&Cancel"));
  QVERIFY(prefs->isSizeGripEnabled());
  QCOMPARE(prefs->tabWidget()->tabText(0), QStringLiteral("Co&mmon"));
  QCOMPARE(prefs->tabWidget()->widget(0), win->prefsTabCommon());
  QCOMPARE(prefs->whatsThis(), QStringLiteral("Apply individual settings to the application..."));

  Ux::TabDialog *info = win->infoTab();
  QCOMPARE(info->windowTitle(), QStringLiteral("Informations about UxTest..."));
  QCOMPARE(info->tabWidget()->tabText(0), QStringLiteral("&Common"));
  QCOMPARE(info->tabWidget()->tabText(1), QStringLiteral("&History"));
  QCOMPARE(win->infoLabel()->pixmap().size(), QSize(120, 80));
  auto *history = qobject_cast<QTextEdit *>(info->tabWidget()->widget(1));
  QVERIFY(history && history->isReadOnly());
  QCOMPARE(history->toPlainText(), QStringLiteral("First release"));
  QVERIFY(info->maximumSize().width() >= 120 && info->maximumSize().height() >= 80);
  QVERIFY(info->maximumSize().width() < 1000);

  auto *box = qobject_cast<QFrame *>(win->centralWidget());
  QVERIFY(box);
  QCOMPARE(box->frameShadow(), QFrame::Sunken);
  QVERIFY(box->isAncestorOf(win->workspace()));
  delete win;
  QVERIFY(!MW::getRep());
}

void TestUxMainWindow::plainTypeHasNoWorkspace() {
  auto win = standardWindow(MW::TY_Plain);
  QVERIFY(!win->workspace());
  QVERIFY(!win->popupMenu(MW::UI_Windows));
  QVERIFY(!win->existsWindow(QStringLiteral(""), false));
  QVERIFY(win->popupMenu(MW::UI_Help));
}

void TestUxMainWindow::messageWindowGoesBackOnDestruction() {
  Ux::MessageWindow *msg = Ux::MessageWindow::getRep();
  auto win = standardWindow();
  QVERIFY(win->isAncestorOf(msg));
  QVERIFY(msg->handlersInstalled());
  Nub::ProgressHandler ours = Nub::installProgressHandler(nullptr);
  QVERIFY(ours);
  Nub::installProgressHandler(ours);

  win.reset();
  QVERIFY(!MW::getRep());
  QCOMPARE(Ux::MessageWindow::getRep(), msg);  // it survives the main window
  QVERIFY(!msg->parentWidget());
  QVERIFY(!msg->mainWindow());
  QVERIFY(!msg->handlersInstalled());
  QVERIFY(Nub::installProgressHandler(nullptr) == nullptr);

  // The application's handler is back: the closing line went to the log.
  QFile log(Ux::App::getRep()->logFile());
  QVERIFY(log.open(QIODevice::ReadOnly));
  QVERIFY(log.readAll().contains("Info: Closing mainwindow of application 'UxTest'."));
  const QString after = QStringLiteral("between main windows");
  Nub::info("%s", qPrintable(after));
  QVERIFY(!paneHas(after));

  // The next main window takes the messages over again.
  auto next = standardWindow();
  QVERIFY(msg->handlersInstalled());
  Nub::info("back again");
  QVERIFY(paneHas(QStringLiteral("back again")));
}

void TestUxMainWindow::addUIHandsOutIds() {
  auto win = standardWindow();
  QMenu *file = win->popupMenu(MW::UI_File);
  QCOMPARE(win->addUI(QStringLiteral("&Other"), MW::AF_Both, MW::UI_File), 1);
  QCOMPARE(win->popupMenu(MW::UI_File), file);  // kept

  QCOMPARE(win->addUI(QStringLiteral("&Extra"), MW::AF_Popup), 17);
  QVERIFY(win->popupMenu(17));
  QVERIFY(!win->toolBar(17));
  QCOMPARE(win->popupMenu(17)->title(), QStringLiteral("&Extra"));
  QVERIFY(win->menuBar()->actions().contains(win->popupMenu(17)->menuAction()));
  QCOMPARE(win->popupMenu(17)->menuAction()->data().toInt(), 17);

  // Help stays last in the menu bar.
  QStringList bar;
  for (QAction *a : win->menuBar()->actions()) bar << (a->isSeparator() ? QStringLiteral("-") : a->text());
  QCOMPARE(bar, QStringList({"&File", "&Configuration", "&View", "&Windows", "&Extra", "-", "&?"}));

  QCOMPARE(win->addUI(QStringLiteral("&Tools"), MW::AF_ToolBar), 18);
  QVERIFY(!win->popupMenu(18));
  QCOMPARE(win->toolBar(18)->windowTitle(), QStringLiteral("Tools"));
  QCOMPARE(win->toolBarArea(win->toolBar(18)), Qt::TopToolBarArea);
  win->show();
  QVERIFY(QTest::qWaitForWindowExposed(win.get()));
  QVERIFY(win->toolBar(18)->x() < win->toolBar(MW::UI_Help)->x());

  QCOMPARE(win->addUI(QStringLiteral("&Far"), MW::AF_Both, 40), 40);
  QCOMPARE(win->addUI(QStringLiteral("&Next"), MW::AF_Both), 41);
  QVERIFY(win->popupMenu(41) && win->toolBar(41));

  TestMain bare;
  QCOMPARE(bare.addUI(QStringLiteral("&First"), MW::AF_Popup), 17);
}

void TestUxMainWindow::addActionNeedsPopupOrToolBar() {
  auto win = standardWindow();
  QCOMPARE(win->addAction(99, QStringLiteral("&Lost"), nullptr, nullptr, MW::AF_Popup), -1);
  QVERIFY(paneHas(QStringLiteral("'( ! menu ) && ( ! tb )' in ")));
  // The popup alone does not help an action meant for the tool bar only.
  win->addUI(QStringLiteral("&Menu only"), MW::AF_Popup, 30);
  QCOMPARE(win->addAction(30, QStringLiteral("&Lost"), nullptr, nullptr, MW::AF_ToolBar), -1);
  QVERIFY(win->addAction(30, QStringLiteral("&Found"), nullptr, nullptr, MW::AF_Both) > 0);
}

void TestUxMainWindow::addActionIdsAndReplacement() {
  auto win = standardWindow();
  const int first = win->addAction(MW::UI_File, QStringLiteral("&One"), nullptr, nullptr, MW::AF_Popup);
  const int second = win->addAction(MW::UI_File, QStringLiteral("&Two"), nullptr, nullptr, MW::AF_Both);
  QCOMPARE(first, 2097153);
  QCOMPARE(second, 2097154);
  QVERIFY(win->toolBar(MW::UI_File)->actions().contains(win->action(second)));
  QVERIFY(!win->toolBar(MW::UI_File)->actions().contains(win->action(first)));

  QPointer<QAction> old = win->action(first);
  const int menuCount = win->popupMenu(MW::UI_File)->actions().size();
  QCOMPARE(win->addAction(MW::UI_File, QStringLiteral("&Uno"), nullptr, nullptr, MW::AF_Popup,
                          QIcon(), QKeySequence(), QString(), first),
           first);
  QVERIFY(!old);  // deleted
  QCOMPARE(win->action(first)->text(), QStringLiteral("&Uno"));
  QCOMPARE(win->popupMenu(MW::UI_File)->actions().size(), menuCount);

  // Explicit ids count for the next free one.
  win->addAction(MW::UI_File, QStringLiteral("&Far"), nullptr, nullptr, MW::AF_Popup, QIcon(),
                 QKeySequence(), QString(), 3000000);
  QCOMPARE(win->addAction(MW::UI_File, QStringLiteral("&Next"), nullptr, nullptr, MW::AF_Popup), 3000001);
}

void TestUxMainWindow::actionTextsAndTips_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("tip");
  QTest::addColumn<QKeySequence>("accel");
  QTest::addColumn<QString>("plain");
  QTest::addColumn<QString>("toolTip");
  QTest::addColumn<QString>("whatsThis");
  const QKeySequence ctrlO(Qt::CTRL | Qt::Key_O);
  const QString ctrlOText = ctrlO.toString(QKeySequence::NativeText);
  QTest::addRow("tip and key") << "&Open..." << "Open" << ctrlO << "Open"
                               << QStringLiteral("Open (%1)").arg(ctrlOText)
                               << QStringLiteral("Open (%1)").arg(ctrlOText);
  QTest::addRow("tip, no key") << "Save &as..." << "Save it" << QKeySequence() << "Save as"
                               << "Save it" << "Save it";
  QTest::addRow("no tip") << "&Decorate / Undecorate" << QString() << QKeySequence(Qt::Key_F11)
                          << "Decorate / Undecorate" << "Decorate / Undecorate"
                          << "Decorate / Undecorate";
}

void TestUxMainWindow::actionTextsAndTips() {
  QFETCH(QString, text);
  QFETCH(QString, tip);
  QFETCH(QKeySequence, accel);
  QFETCH(QString, plain);
  QFETCH(QString, toolTip);
  QFETCH(QString, whatsThis);
  auto win = standardWindow();
  const int id = win->addAction(MW::UI_File, text, nullptr, nullptr, MW::AF_Popup, QIcon(), accel, tip);
  QAction *act = win->action(id);
  QCOMPARE(act->text(), text);
  QCOMPARE(act->iconText(), plain);
  QCOMPARE(MW::plainText(text), plain);
  QCOMPARE(act->shortcut(), accel);
  QCOMPARE(act->toolTip(), toolTip);
  QCOMPARE(act->whatsThis(), whatsThis);
  QCOMPARE(act->statusTip(), tip.isNull() ? QString() : toolTip);
}

void TestUxMainWindow::actionConnections() {
  auto win = standardWindow();
  const int plain = win->addAction(MW::UI_File, QStringLiteral("&Plain"), win.get(),
                                   SLOT(slotPlain()), MW::AF_Popup);
  const int toggle = win->addAction(MW::UI_File, QStringLiteral("&Toggle"), win.get(),
                                    SLOT(slotToggled(bool)), MW::AF_Popup | MW::AF_Toggle);
  QVERIFY(!win->action(plain)->isCheckable());
  QVERIFY(win->action(toggle)->isCheckable());
  QVERIFY(!win->action(toggle)->isChecked());

  win->action(plain)->trigger();
  QCOMPARE(win->opened, 1);
  win->action(toggle)->trigger();
  win->setToggleAction(toggle, false);
  QCOMPARE(win->toggles, QList<bool>({true, false}));
}

void TestUxMainWindow::addSeparatorIndex() {
  auto win = standardWindow();
  QCOMPARE(win->addSeparator(99), -1);
  const int count = win->popupMenu(MW::UI_View)->actions().size();
  const int index = win->addSeparator(MW::UI_View);
  QCOMPARE(index, count);
  QVERIFY(win->popupMenu(MW::UI_View)->actions().at(index)->isSeparator());
}

void TestUxMainWindow::configureActionBits_data() {
  QTest::addColumn<bool>("toggle");
  QTest::addColumn<bool>("startOn");
  QTest::addColumn<int>("flags");
  QTest::addColumn<bool>("on");
  QTest::addColumn<bool>("enabled");
  QTest::addRow("plain on") << false << false << 16 << false << true;
  QTest::addRow("toggle on") << true << false << 16 << true << true;
  QTest::addRow("toggle off") << true << true << 32 << false << true;
  QTest::addRow("on then off") << true << false << (16 | 32) << false << true;
  QTest::addRow("disable") << false << false << 128 << false << false;
  QTest::addRow("enable then disable") << true << true << (64 | 128) << true << false;
  QTest::addRow("toggle on, disable") << true << false << (16 | 128) << true << false;
}

void TestUxMainWindow::configureActionBits() {
  QFETCH(bool, toggle);
  QFETCH(bool, startOn);
  QFETCH(int, flags);
  QFETCH(bool, on);
  QFETCH(bool, enabled);
  auto win = standardWindow();
  const int id = win->addAction(MW::UI_File, QStringLiteral("&Act"), nullptr, nullptr,
                                MW::AF_Popup | (toggle ? MW::AF_Toggle : 0));
  if (startOn) QVERIFY(win->setToggleAction(id, true));
  QVERIFY(win->configureAction(id, flags));
  QCOMPARE(win->action(id)->isChecked(), on);
  QCOMPARE(win->action(id)->isEnabled(), enabled);
  QVERIFY(!win->configureAction(12345, flags));
  QVERIFY(!win->setToggleAction(12345, true));
}

void TestUxMainWindow::configureActionTextTipAndIcon() {
  auto win = standardWindow();
  const int id = win->addAction(MW::UI_File, QStringLiteral("&Close"), nullptr, nullptr,
                                MW::AF_Popup, QIcon(), QKeySequence(Qt::Key_F9), QStringLiteral("Close it"));
  const QString f9 = QKeySequence(Qt::Key_F9).toString(QKeySequence::NativeText);
  QVERIFY(win->configureAction(id, QStringLiteral("&Shut..."), QStringLiteral("Shut it")));
  QAction *act = win->action(id);
  QCOMPARE(act->text(), QStringLiteral("&Shut..."));
  QCOMPARE(act->iconText(), QStringLiteral("Shut"));
  QCOMPARE(act->toolTip(), QStringLiteral("Shut it (%1)").arg(f9));
  QCOMPARE(act->statusTip(), act->toolTip());
  QCOMPARE(act->whatsThis(), act->toolTip());

  // A null text keeps the old one; a null tip makes the plain text the What's-This text.
  QVERIFY(win->configureAction(id, QString(), QString()));
  QCOMPARE(act->text(), QStringLiteral("&Shut..."));
  QCOMPARE(act->whatsThis(), QStringLiteral("Shut"));
  QVERIFY(!win->configureAction(4242, QStringLiteral("x"), QString()));

  QVERIFY(win->configureAction(id, QIcon()));
  QVERIFY(act->icon().isNull());
  QPixmap red(16, 16);
  red.fill(Qt::red);
  QVERIFY(win->configureAction(id, QIcon(red)));
  QVERIFY(!act->icon().isNull());
  QVERIFY(!win->configureAction(4242, QIcon(red)));
}

void TestUxMainWindow::standardUIs() {
  auto win = standardWindow();
  QStringList bar;
  for (QAction *a : win->menuBar()->actions()) bar << (a->isSeparator() ? QStringLiteral("-") : a->text());
  QCOMPARE(bar, QStringList({"&File", "&Configuration", "&View", "&Windows", "-", "&?"}));
  for (int id : {1, 2, 4, 8, 16}) QCOMPARE(win->popupMenu(id)->menuAction()->data().toInt(), id);

  QCOMPARE(win->toolBar(MW::UI_File)->windowTitle(), QStringLiteral("File"));
  QCOMPARE(win->toolBar(MW::UI_Cfg)->windowTitle(), QStringLiteral("Configuration"));
  QCOMPARE(win->toolBar(MW::UI_View)->windowTitle(), QStringLiteral("View"));
  QCOMPARE(win->toolBar(MW::UI_Help)->windowTitle(), QStringLiteral("Help"));
  QVERIFY(!win->toolBar(MW::UI_Windows));

  QMenu *cfg = win->popupMenu(MW::UI_Cfg);
  QCOMPARE(menuTexts(cfg), QStringList({"&Open", "&Save", "-", "&Preferences..."}));
  QCOMPARE(menuTexts(cfg->actions().at(0)->menu()),
           QStringList({"&User configuration", "&System configuration", "&Select..."}));
  QCOMPARE(menuTexts(cfg->actions().at(1)->menu()), QStringList({"&User configuration", "&Select..."}));
  QCOMPARE(win->action(MW::UIA_CfgOpenSystem)->statusTip(),
           QStringLiteral("Open system-configuration (factory defaults)"));
  QCOMPARE(win->action(MW::UIA_CfgSave)->statusTip(), QStringLiteral("Select a configuration file for saving"));

  QMenu *view = win->popupMenu(MW::UI_View);
  QCOMPARE(menuTexts(view), QStringList({"&Desktop-style", "-", "&Views", "&Toolbars", "&Big symbols",
                                         "&Symboltitles", "-", "&Statusbar", "&Tool tips", "-",
                                         "&Refresh"}));
  QCOMPARE(view->actions().at(0)->menu(), Ux::GuiSysMenu::existing());
  for (unsigned id : {MW::UIA_ViewBigIcons, MW::UIA_ViewIconsTitle, MW::UIA_ViewStatusBar, MW::UIA_ViewTooltips})
    QVERIFY(win->action(int(id))->isCheckable());

  // The dock menus list the administration dock and the tool bars.
  QMenu *views = view->actions().at(2)->menu();
  emit views->aboutToShow();
  QCOMPARE(menuTexts(views), QStringList({"Administration"}));
  QMenu *bars = view->actions().at(3)->menu();
  emit bars->aboutToShow();
  QCOMPARE(bars->actions().size(), 4);
  QVERIFY(menuTexts(bars).contains(QStringLiteral("File")));

  QMenu *windows = win->popupMenu(MW::UI_Windows);
  QCOMPARE(menuTexts(windows).mid(0, 3), QStringList({"&Tile", "&Cascade", "&Tile &horizontal"}));

  // Asking again keeps what is there.
  win->addStandardUIs(0x1f);
  QCOMPARE(menuTexts(cfg).size(), 4);
  QCOMPARE(win->menuBar()->actions().size(), 6);
}

void TestUxMainWindow::standardActions_data() {
  QTest::addColumn<unsigned>("id");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("tip");
  QTest::addColumn<QKeySequence>("key");
  QTest::addColumn<int>("ui");
  QTest::addColumn<bool>("inToolBar");
  QTest::addColumn<bool>("afterSeparator");
  QTest::addRow("new") << unsigned(MW::UIA_FileNew) << "&New..." << "Create a new project"
                       << QKeySequence(Qt::CTRL | Qt::Key_N) << 1 << true << false;
  QTest::addRow("open") << unsigned(MW::UIA_FileOpen) << "&Open..." << "Open an existing projectfile"
                        << QKeySequence(Qt::CTRL | Qt::Key_O) << 1 << true << false;
  QTest::addRow("save") << unsigned(MW::UIA_FileSave) << "&Save" << "Save current projectfile"
                        << QKeySequence(Qt::CTRL | Qt::Key_S) << 1 << true << false;
  QTest::addRow("save as") << unsigned(MW::UIA_FileSaveAs) << "Save &as..."
                           << "Save current projectfile to a new file" << QKeySequence() << 1 << false << false;
  QTest::addRow("quit") << unsigned(MW::UIA_FileQuit) << "&Quit" << "Leave program now"
                        << QKeySequence() << 1 << false << true;
  QTest::addRow("preferences") << unsigned(MW::UIA_Preferences) << "&Preferences..."
                               << "Apply individual settings to the program"
                               << QKeySequence(Qt::Key_F7) << 2 << true << true;
  QTest::addRow("refresh") << unsigned(MW::UIA_ViewRefresh) << "&Refresh" << "Refresh current view"
                           << QKeySequence(Qt::Key_F5) << 4 << true << true;
  QTest::addRow("help") << unsigned(MW::UIA_HelpPrg) << "UxTest-&Help..."
                        << "Display the manual of UxTest in an external viewer"
                        << QKeySequence(Qt::Key_F1) << 16 << true << false;
  QTest::addRow("whats this") << unsigned(MW::UIA_HelpWhatsThis) << "&What's This?"
                              << "Enter 'What's This?'-mode" << QKeySequence(Qt::SHIFT | Qt::Key_F1)
                              << 16 << true << false;
  QTest::addRow("about") << unsigned(MW::UIA_HelpAbout) << "&About UxTest..."
                         << "Show About-dialog of application" << QKeySequence() << 16 << true << true;
  QTest::addRow("big symbols") << unsigned(MW::UIA_ViewBigIcons) << "&Big symbols"
                               << "Show big symbols in the toolbars of the application" << QKeySequence()
                               << 4 << false << false;
  QTest::addRow("tool tips") << unsigned(MW::UIA_ViewTooltips) << "&Tool tips"
                             << "Show tool tips (balloon help) on widgets" << QKeySequence() << 4
                             << false << false;
}

void TestUxMainWindow::standardActions() {
  QFETCH(unsigned, id);
  QFETCH(QString, text);
  QFETCH(QString, tip);
  QFETCH(QKeySequence, key);
  QFETCH(int, ui);
  QFETCH(bool, inToolBar);
  QFETCH(bool, afterSeparator);
  auto win = standardWindow();
  QAction *act = win->action(int(id));
  QVERIFY(act);
  QCOMPARE(act->text(), text);
  QCOMPARE(act->shortcut(), key);
  const QString fullTip = key.isEmpty() ? tip
                                        : QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText));
  QCOMPARE(act->statusTip(), fullTip);
  QCOMPARE(act->toolTip(), fullTip);
  const QList<QAction *> menu = win->popupMenu(ui)->actions();
  QVERIFY(menu.contains(act));
  QCOMPARE(win->toolBar(ui)->actions().contains(act), inToolBar);
  const int at = menu.indexOf(act);
  QCOMPARE(at > 0 && menu.at(at - 1)->isSeparator(), afterSeparator);
}

void TestUxMainWindow::standardActionsNeedTheirUIs() {
  TestMain bare;
  QVERIFY(bare.addStandardActions(kAllActions));
  for (unsigned id : {1u, 2u, 16u, 1024u, 32768u, 524288u, 2097152u}) QVERIFY(!bare.action(int(id)));
  // The two tool bars are made on the way, even without their menus.
  QVERIFY(bare.toolBar(MW::UI_Cfg));
  QVERIFY(bare.toolBar(MW::UI_View));
  QVERIFY(!bare.popupMenu(MW::UI_Cfg));

  // The File popup alone is not enough either.
  TestMain half;
  half.addUI(QStringLiteral("&File"), MW::AF_Popup, MW::UI_File);
  half.addStandardActions(MW::UIA_FileOpen | MW::UIA_FileQuit);
  QVERIFY(!half.action(MW::UIA_FileOpen));
  QVERIFY(!half.action(MW::UIA_FileQuit));
}

void TestUxMainWindow::standardActionEffects() {
  auto win = standardWindow();
  win->show();
  QVERIFY(QTest::qWaitForWindowExposed(win.get()));

  win->action(MW::UIA_FileOpen)->trigger();
  win->action(MW::UIA_ViewRefresh)->trigger();
  QCOMPARE(win->opened, 1);
  QCOMPARE(win->refreshed, 1);
  win->action(MW::UIA_FileNew)->trigger();
  QVERIFY(paneHas(QStringLiteral("slotFileNew: This functionality is not implemented yet!")));
  win->action(MW::UIA_FileSaveAs)->trigger();
  QVERIFY(paneHas(QStringLiteral("slotFileSaveAs: This functionality is not implemented yet!")));

  win->action(MW::UIA_Preferences)->trigger();
  QVERIFY(win->prefsTab()->isVisible());
  win->prefsTab()->hide();
  win->action(MW::UIA_HelpAbout)->trigger();
  QVERIFY(win->infoTab()->isVisible());
  win->infoTab()->hide();

  win->setToggleAction(MW::UIA_ViewStatusBar, true);
  win->setToggleAction(MW::UIA_ViewStatusBar, false);
  QVERIFY(win->statusBar()->isHidden());
  win->setToggleAction(MW::UIA_ViewStatusBar, true);
  QVERIFY(!win->statusBar()->isHidden());

  win->setToggleAction(MW::UIA_ViewBigIcons, true);
  QCOMPARE(win->iconSize(), QSize(32, 32));
  QCOMPARE(win->toolBar(MW::UI_File)->iconSize(), QSize(32, 32));
  win->setToggleAction(MW::UIA_ViewBigIcons, false);
  QVERIFY(win->iconSize().width() < 32);

  win->setToggleAction(MW::UIA_ViewIconsTitle, true);
  QCOMPARE(win->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  win->setToggleAction(MW::UIA_ViewIconsTitle, false);
  QCOMPARE(win->toolButtonStyle(), Qt::ToolButtonIconOnly);

  win->setToggleAction(MW::UIA_ViewTooltips, true);
  QVERIFY(MW::tooltipsEnabled());
  win->setToggleAction(MW::UIA_ViewTooltips, false);
  QVERIFY(!MW::tooltipsEnabled());
  TipCounter counter;
  win->toolBar(MW::UI_File)->installEventFilter(&counter);
  QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
  QApplication::sendEvent(win->toolBar(MW::UI_File), &tip);
  QCOMPARE(counter.tips, 0);
  win->setToggleAction(MW::UIA_ViewTooltips, true);
  QVERIFY(MW::tooltipsEnabled());
  QApplication::sendEvent(win->toolBar(MW::UI_File), &tip);
  QCOMPARE(counter.tips, 1);

  // Quit closes every window; this one deletes itself then.
  QPointer<TestMain> watch(win.release());
  watch->action(MW::UIA_FileQuit)->trigger();
  QTRY_VERIFY(!watch);
}

void TestUxMainWindow::standardActionWithOwnText() {
  auto win = std::make_unique<TestMain>();
  win->addStandardUIs(MW::UI_File);
  win->addStandardAction(MW::UIA_FileOpen, QStringLiteral("&Load..."), QStringLiteral("Load a project"));
  QAction *act = win->action(MW::UIA_FileOpen);
  QCOMPARE(act->text(), QStringLiteral("&Load..."));
  QCOMPARE(act->iconText(), QStringLiteral("Load"));
  QVERIFY(act->toolTip().startsWith(QStringLiteral("Load a project (")));
  win->addStandardAction(MW::UIA_FileSave);
  QCOMPARE(win->action(MW::UIA_FileSave)->text(), QStringLiteral("&Save"));
}

void TestUxMainWindow::existsWindow_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("exact");
  QTest::addColumn<bool>("found");
  QTest::addRow("prefix, any case") << "image" << false << true;
  QTest::addRow("prefix, exact") << "image" << true << false;
  QTest::addRow("whole, other case") << "IMAGE 12" << true << true;
  QTest::addRow("not a prefix") << "mage" << false << false;
  QTest::addRow("other window") << "Object XY" << true << true;
}

void TestUxMainWindow::existsWindow() {
  QFETCH(QString, caption);
  QFETCH(bool, exact);
  QFETCH(bool, found);
  auto win = standardWindow();
  for (const QString &title : {QStringLiteral("Image 12"), QStringLiteral("Object XY")}) {
    auto *w = new QLabel;
    w->setWindowTitle(title);
    win->workspace()->addSubWindow(w)->show();
  }
  QCOMPARE(win->existsWindow(caption, exact), found);
}

void TestUxMainWindow::statusAndProgress() {
  auto win = standardWindow();
  win->show();
  QVERIFY(QTest::qWaitForWindowExposed(win.get()));
  win->status(QStringLiteral("Working"), 2000);
  QCOMPARE(win->statusBar()->currentMessage(), QStringLiteral("Working"));
  Nub::status("Ready.");
  QCOMPARE(win->statusBar()->currentMessage(), QStringLiteral("Ready."));

  Nub::progress(0, 20);
  QVERIFY(win->progressBar()->isVisible());
  Nub::progress(5, -1);
  QCOMPARE(win->progressBar()->value(), 5);
  QCOMPARE(win->progressBar()->maximum(), 20);
  Nub::progress(-1, -1);
  QVERIFY(!win->progressBar()->isVisible());

  win->setToggleAction(MW::UIA_ViewStatusBar, true);
  win->setToggleAction(MW::UIA_ViewStatusBar, false);
  Nub::progress(0, 20);
  QVERIFY(win->progressBar()->isHidden());
  win->setToggleAction(MW::UIA_ViewStatusBar, true);

  // Every show hides a leftover progress bar.
  Nub::progress(3, 20);
  QVERIFY(win->progressBar()->isVisible());
  win->hide();
  win->show();
  QVERIFY(win->progressBar()->isHidden());
}

void TestUxMainWindow::settingsRoundTrip() {
  auto win = standardWindow();
  win->show();
  QVERIFY(QTest::qWaitForWindowExposed(win.get()));
  win->setGeometry(30, 40, 640, 480);
  win->setToggleAction(MW::UIA_ViewBigIcons, true);
  win->setToggleAction(MW::UIA_ViewIconsTitle, true);
  win->setToggleAction(MW::UIA_ViewStatusBar, true);
  win->setToggleAction(MW::UIA_ViewStatusBar, false);
  win->setToggleAction(MW::UIA_ViewTooltips, true);
  win->setToggleAction(MW::UIA_ViewTooltips, false);
  QVERIFY(Ux::GuiSysMenu::existing()->applyStyle(QStringLiteral("Windows")));
  win->removeDockWidget(win->adminDock());
  win->storeToCfg();

  Ux::Cfg cfg(QStringLiteral("TestMain"));
  QCOMPARE(cfg.readRect(QStringLiteral("Geometry"), QRect()), QRect(30, 40, 640, 480));
  QCOMPARE(cfg.readString(QStringLiteral("GuiStyle"), QString()), QStringLiteral("Windows"));
  QCOMPARE(cfg.readNum(QStringLiteral("BigIcons"), -1), 1);
  QCOMPARE(cfg.readNum(QStringLiteral("IconsTitle"), -1), 1);
  QCOMPARE(cfg.readNum(QStringLiteral("Tooltips"), -1), 0);
  QCOMPARE(cfg.readNum(QStringLiteral("StatusBar"), -1), 0);
  QVERIFY(!cfg.readString(QStringLiteral("DockLayout"), QString()).isEmpty());

  // Change everything, then read it back.
  win->setGeometry(10, 10, 500, 300);
  win->setToggleAction(MW::UIA_ViewBigIcons, false);
  win->setToggleAction(MW::UIA_ViewIconsTitle, false);
  win->setToggleAction(MW::UIA_ViewStatusBar, true);
  win->setToggleAction(MW::UIA_ViewTooltips, true);
  Ux::GuiSysMenu::existing()->applyStyle(QStringLiteral("Fusion"));
  win->addDockWidget(Qt::BottomDockWidgetArea, win->adminDock());
  win->applyCfg();
  QTRY_COMPARE(win->geometry(), QRect(30, 40, 640, 480));
  QCOMPARE(win->iconSize(), QSize(32, 32));
  QCOMPARE(win->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  QVERIFY(win->statusBar()->isHidden());
  QVERIFY(!MW::tooltipsEnabled());
  QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("windows"));

  Ux::GuiSysMenu::existing()->applyStyle(QStringLiteral("Fusion"));
  win->setToggleAction(MW::UIA_ViewTooltips, true);
}

void TestUxMainWindow::cfgOpenUserAndSystem() {
  Ux::App *app = Ux::App::getRep();
  auto win = standardWindow();
  QSignalSpy loaded(win.get(), &MW::sigCfgLoaded);

  // No system configuration beside the executable: a warning, nothing loaded.
  QFile::remove(app->cfgFileSystem());
  win->action(MW::UIA_CfgOpenSystem)->trigger();
  QCOMPARE(loaded.count(), 0);
  QVERIFY(paneHas(QStringLiteral("does not exist!")));

  Ux::Cfg(QStringLiteral("Global")).writeEntry(QStringLiteral("MaxLogs"), 33);
  win->action(MW::UIA_CfgSaveUser)->trigger();
  QVERIFY(QFile::exists(app->cfgFileUser()));
  QVERIFY(Ux::Cfg::keys().contains(QStringLiteral("TestMain/Geometry")));

  Ux::Cfg(QStringLiteral("Global")).writeEntry(QStringLiteral("MaxLogs"), 77);
  win->prefsTabCommon()->initWidgets();
  QCOMPARE(win->prefsTabCommon()->maxLogsSlider()->value(), 77);
  win->action(MW::UIA_CfgOpenUser)->trigger();
  QCOMPARE(loaded.count(), 1);
  // The preference pages follow the loaded configuration.
  QCOMPARE(win->prefsTabCommon()->maxLogsSlider()->value(), 33);
}

void TestUxMainWindow::cfgOpenSelectedFile() {
  Ux::App *app = Ux::App::getRep();
  auto win = standardWindow();
  QSignalSpy loaded(win.get(), &MW::sigCfgLoaded);

  // Cancelled: a note in the pane and the status bar.
  QString title;
  UxTest::whenModal([&title](QWidget *w) {
    title = w->windowTitle();
    qobject_cast<QDialog *>(w)->reject();
  });
  win->action(MW::UIA_CfgOpen)->trigger();
  QCOMPARE(title, QStringLiteral("Select configuration-file for loading"));
  QVERIFY(paneHas(QStringLiteral("Operation aborted by user")));
  QCOMPARE(win->statusBar()->currentMessage(), QStringLiteral("Operation aborted by user"));
  QCOMPARE(loaded.count(), 0);

  // A file with a foreign extension is read; its path is remembered with ours.
  const QString chosen = mTmp.filePath(QStringLiteral("other.conf"));
  Ux::Cfg(QStringLiteral("Global")).writeEntry(QStringLiteral("MaxLogs"), 12);
  QVERIFY(Ux::Cfg::save(chosen));
  Ux::Cfg(QStringLiteral("Global")).writeEntry(QStringLiteral("MaxLogs"), 99);
  QString startDir;
  UxTest::whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<QFileDialog *>(w);
    startDir = dialog->directory().absolutePath();
    typeFileName(dialog, chosen);
  });
  win->action(MW::UIA_CfgOpen)->trigger();
  QCOMPARE(QDir(startDir), QDir(app->cfgDir()));  // first time: the configuration directory
  QCOMPARE(loaded.count(), 1);
  QCOMPARE(Ux::Cfg(QStringLiteral("Global")).readNum(QStringLiteral("MaxLogs"), 0), 12);

  QString again;
  QString again2;
  UxTest::whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<QFileDialog *>(w);
    again = dialog->directory().absolutePath();
    again2 = dialog->selectedFiles().value(0);
    dialog->reject();
  });
  win->action(MW::UIA_CfgOpen)->trigger();
  QCOMPARE(QDir(again), QDir(mTmp.path()));
  QCOMPARE(QFileInfo(again2).fileName(), QStringLiteral("other.cfg"));
}

void TestUxMainWindow::cfgSaveAsksBeforeReplacing() {
  auto win = standardWindow();
  const QString base = mTmp.filePath(QStringLiteral("saved"));
  const QString file = base + QStringLiteral(".cfg");
  QFile::remove(file);
  auto answerFile = [base]() {
    UxTest::whenModal([base](QWidget *w) {
      auto *dialog = qobject_cast<QFileDialog *>(w);
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Select configuration-file for saving"));
      typeFileName(dialog, base);
    });
  };

  answerFile();
  win->action(MW::UIA_CfgSave)->trigger();
  QVERIFY(QFile::exists(file));  // the extension was added
  Ux::Cfg::load(file, true);
  QVERIFY(Ux::Cfg::keys().contains(QStringLiteral("TestMain/Geometry")));

  // Existing file, answer No: left alone.
  QFile::resize(file, 3);
  answerFile();
  UxTest::BoxSeen seen;
  QTimer::singleShot(0, [&seen]() { UxTest::answerBox(&seen, QMessageBox::No); });
  win->action(MW::UIA_CfgSave)->trigger();
  QTRY_VERIFY(seen.seen);
  QCOMPARE(seen.title, QStringLiteral("File exists!"));
  QCOMPARE(seen.text, QStringLiteral("The selected file '%1' already exists!\nShould it be replaced?")
                          .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())));
  QCOMPARE(QFileInfo(file).size(), 3);

  // Yes: replaced.
  answerFile();
  UxTest::BoxSeen yes;
  QTimer::singleShot(0, [&yes]() { UxTest::answerBox(&yes, QMessageBox::Yes); });
  win->action(MW::UIA_CfgSave)->trigger();
  QVERIFY(yes.seen);
  QVERIFY(QFileInfo(file).size() > 3);
}

void TestUxMainWindow::applySavesOnlyThePageInFront() {
  auto win = standardWindow();
  auto *counting = new CountingTab(win->prefsTab());
  win->prefsTab()->addTab(counting, QStringLiteral("Co&unting"));
  Ux::PrefsTabCommon *common = win->prefsTabCommon();
  Ux::Cfg global(QStringLiteral("Global"));
  global.writeEntry(QStringLiteral("MaxLogs"), 5);
  QSignalSpy commonSaved(common, &Ux::PrefsTab::sigWidgetsSaved);

  win->action(MW::UIA_Preferences)->trigger();
  QVERIFY(win->prefsTab()->isVisible());
  common->maxLogsSlider()->setValue(64);  // changed, then left
  win->prefsTab()->showPage(counting);
  win->prefsTab()->applyButton()->click();
  QCOMPARE(counting->saves, 1);
  QCOMPARE(commonSaved.count(), 0);
  QCOMPARE(global.readNum(QStringLiteral("MaxLogs"), 0), 5);
  QVERIFY(win->prefsTab()->isVisible());

  win->prefsTab()->showPage(common);
  win->prefsTab()->okButton()->click();
  QCOMPARE(commonSaved.count(), 1);
  QCOMPARE(global.readNum(QStringLiteral("MaxLogs"), 0), 64);
  QCOMPARE(counting->saves, 1);
  QVERIFY(!win->prefsTab()->isVisible());

  // Cancel saves nothing.
  win->action(MW::UIA_Preferences)->trigger();
  win->prefsTab()->cancelButton()->click();
  QCOMPARE(commonSaved.count(), 1);
}

void TestUxMainWindow::helpNeedsFileAndOpensIt() {
  Ux::App *app = Ux::App::getRep();
  auto win = standardWindow();
  if (app->helpFile().isEmpty()) {
    win->action(MW::UIA_HelpPrg)->trigger();
    QVERIFY(paneHas(QStringLiteral("No helpfile configured!")));
  }
  const QString manual = mTmp.filePath(QStringLiteral("manual.html"));
  {
    QFile f(manual);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html><body>Manual</body></html>");
  }
  QVERIFY(app->setHelpFile(manual));
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
  win->action(MW::UIA_HelpPrg)->trigger();
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QCOMPARE(catcher.urls.size(), 1);
  QCOMPARE(QFileInfo(catcher.urls.at(0).toLocalFile()), QFileInfo(manual));
  QVERIFY(paneHas(QStringLiteral("Starting help '%1' of program in external viewer...")
                      .arg(app->helpFile())));
}

void TestUxMainWindow::ctrlShiftF12SavesInfoPicture() {
  const QString previous = QDir::currentPath();
  QVERIFY(QDir::setCurrent(mTmp.path()));
  const QString target = mTmp.filePath(QStringLiteral("UxTest_title.bmp"));

  {
    auto bare = std::make_unique<TestMain>();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(bare.get(), &key);
    QVERIFY(key.isAccepted());
    QVERIFY(paneHas(QStringLiteral("There is no image for saving!")));
    QVERIFY(!QFile::exists(target));
  }

  QPixmap picture(64, 32);
  picture.fill(Qt::yellow);
  auto win = std::make_unique<TestMain>(MW::TY_Workspace, picture);
  QKeyEvent other(QEvent::KeyPress, Qt::Key_F12, Qt::ControlModifier);
  QApplication::sendEvent(win.get(), &other);
  QVERIFY(!other.isAccepted());
  QVERIFY(!QFile::exists(target));

  QKeyEvent key(QEvent::KeyPress, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
  QApplication::sendEvent(win.get(), &key);
  QVERIFY(key.isAccepted());
  QVERIFY(QFile::exists(target));
  QImage saved(target, "BMP");
  QCOMPARE(saved.size(), QSize(64, 32));
  QCOMPARE(saved.pixelColor(10, 10), QColor(Qt::yellow));
  QVERIFY(paneHas(QStringLiteral("Image '%1' saved.").arg(QDir::toNativeSeparators(target))));
  QDir::setCurrent(previous);
}

UX_TEST_MAIN(TestUxMainWindow)
#include "tst_uxmainwindow.moc"
