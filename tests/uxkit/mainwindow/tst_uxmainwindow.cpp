// The main window itself: construction with its dock and dialogs, the first
// show, the message window's return, workspace windows, status and progress,
// help and keys. Menus and actions, settings and the configuration menu have
// test cases of their own.

#include "nubmsg.h"
#include "uxcfg.h"
#include "uxmainwindowtest.h"
#include "uxprefstabcommon.h"
#include "uxtabdialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QUrl>

using namespace UxTest;

class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void open(const QUrl &url) { urls << url; }
};

class TestUxMainWindow : public MainWindowTestCase {
  Q_OBJECT

 private slots:
  // Must stay first: only the first show of the process applies the settings.
  void firstShowAppliesDefaultGeometry();
  void administrationDockGetsItsExtent();

  void constructionBuildsDockAndDialogs();
  void plainTypeHasNoWorkspace();
  void messageWindowGoesBackOnDestruction();

  void existsWindow_data();
  void existsWindow();
  void statusAndProgress();

  void helpNeedsFileAndOpensIt();
  void ctrlShiftF12SavesInfoPicture();
};

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
