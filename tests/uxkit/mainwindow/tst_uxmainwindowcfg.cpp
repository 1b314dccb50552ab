// The main window's settings, its configuration menu (open, save, ask before
// replacing) and what the preference dialog's buttons save.

#include "uxcfg.h"
#include "uxguisysmenu.h"
#include "uxmainwindowtest.h"
#include "uxpath.h"
#include "uxprefstabcommon.h"
#include "uxslider.h"
#include "uxtabdialog.h"

#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>

using namespace UxTest;

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

class TestUxMainWindowCfg : public MainWindowTestCase {
  Q_OBJECT

 private slots:
  void settingsRoundTrip();

  void cfgOpenUserAndSystem();
  void cfgOpenSelectedFile();
  void cfgSaveAsksBeforeReplacing();
  void applySavesOnlyThePageInFront();
};

void TestUxMainWindowCfg::settingsRoundTrip() {
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

void TestUxMainWindowCfg::cfgOpenUserAndSystem() {
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

void TestUxMainWindowCfg::cfgOpenSelectedFile() {
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

void TestUxMainWindowCfg::cfgSaveAsksBeforeReplacing() {
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

void TestUxMainWindowCfg::applySavesOnlyThePageInFront() {
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

UX_TEST_MAIN(TestUxMainWindowCfg)
#include "tst_uxmainwindowcfg.moc"
