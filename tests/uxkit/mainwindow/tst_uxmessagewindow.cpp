// The message window and its companions: log viewer, common preferences,
// style menu and window list menu.

#include "nubmsg.h"
#include "qtwindowlistmenu.h"
#include "uxcfg.h"
#include "uxguisysmenu.h"
#include "uxlogview.h"
#include "uxmessagewindow.h"
#include "uxpath.h"
#include "uxprefstabcommon.h"
#include "uxslider.h"
#include "uxtestutil.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QScrollBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>

namespace {

Ux::MessageWindow *msgWin() { return Ux::MessageWindow::getRep(); }

// The colour of the pane's line with exactly this text; invalid when absent.
QColor lineColor(const QString &text) {
  for (QTextBlock b = msgWin()->document()->lastBlock(); b.isValid(); b = b.previous()) {
    if (b.text() == text) {
      QTextBlock::iterator it = b.begin();
      return it.atEnd() ? b.charFormat().foreground().color()
                        : it.fragment().charFormat().foreground().color();
    }
  }
  return QColor();
}

bool paneHas(const QString &part) { return msgWin()->toPlainText().contains(part); }

QString logText() {
  QFile file(Ux::App::getRep()->logFile());
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

void setAutolog(bool on) { Ux::Cfg(QStringLiteral("Global")).writeEntry(QStringLiteral("Autolog"), on ? 1 : 0); }

QString unique(const char *tag) {
  static int n = 0;
  return QStringLiteral("%1 message %2").arg(QLatin1String(tag)).arg(++n);
}

int visibleLogViews() {
  int n = 0;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qobject_cast<Ux::LogView *>(w) && w->isVisible()) ++n;
  return n;
}

}  // namespace

class TestUxMessageWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void messageShownColouredAndLogged_data();
  void messageShownColouredAndLogged();
  void autologOffKeepsMessagesOutOfTheLog();
  void statusMessageGoesToStatusBarOnly();
  void dialogMessagesShowBoxes_data();
  void dialogMessagesShowBoxes();
  void unknownTypeWarnsAndShowsDarkRed();
  void toolkitMessagesShowInMagenta();
  void restoredHandlersStopTheWindow();
  void fatalMessageIsLoggedThenEndsTheProcess();

  void logViewShowsFileAndReportsProblems();
  void logViewsShareRememberedSize();
  void firstLogViewShowsWholeLines();

  void commonTabReadsAndWritesGlobalKeys();
  void commonTabListsAndDeletesLogFiles();
  void commonTabContextMenu();
  void commonTabOpensOneLogViewPerFile();

  void styleMenuNeedsParent();
  void styleMenuListsAndAppliesStyles();

  void windowListMenuFollowsWindows();
  void windowListMenuTilesHorizontally();
};

void TestUxMessageWindow::initTestCase() {
  QVERIFY(!msgWin());
  QVERIFY(Ux::MessageWindow::setup());
  QVERIFY(msgWin()->handlersInstalled());
  QCOMPARE(Ux::MessageWindow::setup(), msgWin());  // one per process
}

void TestUxMessageWindow::init() {
  setAutolog(true);
  msgWin()->installHandlers();
  msgWin()->setMainWindow(nullptr);
}

void TestUxMessageWindow::cleanup() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qobject_cast<Ux::LogView *>(w)) w->close();
  QTRY_COMPARE(visibleLogViews(), 0);
}

void TestUxMessageWindow::messageShownColouredAndLogged_data() {
  QTest::addColumn<unsigned>("type");
  QTest::addColumn<QColor>("color");
  QTest::addColumn<bool>("beep");
  QTest::addColumn<QString>("logForm");
  QTest::addRow("info") << unsigned(Nub::MsgInfo) << QColor(Qt::black) << false << "Info: %1";
  QTest::addRow("note") << unsigned(Nub::MsgNote) << QColor(Qt::darkGreen) << false << "Notice: %1";
  QTest::addRow("warning") << unsigned(Nub::MsgWarn) << QColor(Qt::red) << true << "Warning: %1";
  QTest::addRow("fatal") << unsigned(Nub::MsgFatal) << QColor(Qt::red) << true << "Fatal error: %1";
  QTest::addRow("debug") << unsigned(Nub::MsgDebug) << QColor(Qt::blue) << false << "Debug: %1";
  QTest::addRow("log") << unsigned(Nub::MsgLog) << QColor() << false << "Log: %1";
}

void TestUxMessageWindow::messageShownColouredAndLogged() {
  QFETCH(unsigned, type);
  QFETCH(QColor, color);
  QFETCH(bool, beep);
  QFETCH(QString, logForm);
  const QString text = unique("table");
  QSignalSpy beeps(msgWin(), &Ux::MessageWindow::sigBeep);
  switch (type) {
    case Nub::MsgInfo: Nub::info("%s", qPrintable(text)); break;
    case Nub::MsgNote: Nub::note("%s", qPrintable(text)); break;
    case Nub::MsgWarn: QVERIFY(!Nub::warn("%s", qPrintable(text))); break;
    case Nub::MsgLog: Nub::log("%s", qPrintable(text)); break;
    // Nub::fatal ends the process and Nub::debug discards: straight to the window.
    default: msgWin()->showMessage(type, text); break;
  }
  QCOMPARE(lineColor(text), color);
  QCOMPARE(paneHas(text), color.isValid());
  QCOMPARE(beeps.count(), beep ? 1 : 0);
  QVERIFY2(logText().contains(logForm.arg(text) + QLatin1Char('\n')), qPrintable(logText().right(300)));
}

void TestUxMessageWindow::autologOffKeepsMessagesOutOfTheLog() {
  setAutolog(false);
  const QString info = unique("quiet");
  Nub::info("%s", qPrintable(info));
  QCOMPARE(lineColor(info), QColor(Qt::black));
  QVERIFY(!logText().contains(info));

  const QString warning = unique("quiet warning");
  QSignalSpy beeps(msgWin(), &Ux::MessageWindow::sigBeep);
  Nub::warn("%s", qPrintable(warning));
  QCOMPARE(lineColor(warning), QColor(Qt::red));
  QCOMPARE(beeps.count(), 1);
  QVERIFY(!logText().contains(warning));

  // A log message is always logged and never shown.
  const QString logged = unique("always");
  Nub::log("%s", qPrintable(logged));
  QVERIFY(logText().contains(QStringLiteral("Log: ") + logged));
  QVERIFY(!paneHas(logged));
}

void TestUxMessageWindow::statusMessageGoesToStatusBarOnly() {
  const QString early = unique("early status");
  Nub::status("%s", qPrintable(early));  // no main window yet: goes nowhere
  QVERIFY(!paneHas(early));

  QMainWindow main;
  msgWin()->setMainWindow(&main);
  const QString text = unique("status");
  Nub::status("%s", qPrintable(text));
  QCOMPARE(main.statusBar()->currentMessage(), text);
  QVERIFY(!paneHas(text));
  QVERIFY(!logText().contains(text));
  msgWin()->setMainWindow(nullptr);
}

void TestUxMessageWindow::dialogMessagesShowBoxes_data() {
  QTest::addColumn<unsigned>("type");
  QTest::addColumn<QString>("title");
  QTest::addColumn<int>("icon");
  QTest::addColumn<bool>("withMain");
  QTest::addRow("info box") << unsigned(Nub::MsgInfoDlg) << "Information"
                            << int(QMessageBox::Information) << true;
  QTest::addRow("warning box") << unsigned(Nub::MsgWarnDlg) << "Warning!"
                               << int(QMessageBox::Warning) << true;
  QTest::addRow("fatal box") << unsigned(Nub::MsgFatalDlg) << "Fatal error!"
                             << int(QMessageBox::Critical) << true;
  QTest::addRow("before main window") << unsigned(Nub::MsgWarnDlg) << "Warning!"
                                      << int(QMessageBox::Warning) << false;
}

void TestUxMessageWindow::dialogMessagesShowBoxes() {
  QFETCH(unsigned, type);
  QFETCH(QString, title);
  QFETCH(int, icon);
  QFETCH(bool, withMain);
  QMainWindow main;
  if (withMain) msgWin()->setMainWindow(&main);
  const QString text = unique("box");
  UxTest::BoxSeen seen;
  UxTest::answerBox(&seen);
  if (type == Nub::MsgInfoDlg)
    Nub::infoDlg("%s", qPrintable(text));
  else if (type == Nub::MsgWarnDlg)
    Nub::warnDlg("%s", qPrintable(text));
  else
    msgWin()->showMessage(type, text);  // Nub::fatalDlg would end the process
  QVERIFY(seen.seen);
  QCOMPARE(seen.title, title);
  QCOMPARE(seen.text, text);
  QCOMPARE(int(seen.icon), icon);
  QCOMPARE(seen.parent, withMain ? static_cast<QWidget *>(&main) : msgWin());
  QVERIFY(!paneHas(text));
  QVERIFY(!logText().contains(text));
  msgWin()->setMainWindow(nullptr);
}

void TestUxMessageWindow::unknownTypeWarnsAndShowsDarkRed() {
  const QString text = unique("odd");
  QSignalSpy beeps(msgWin(), &Ux::MessageWindow::sigBeep);
  msgWin()->showMessage(1024, text);
  QCOMPARE(lineColor(text), QColor(Qt::darkRed));
  const QString pane = msgWin()->toPlainText();
  QVERIFY(pane.contains(QStringLiteral(">>> Unknown type of message in case!: ")));
  QVERIFY(pane.contains(QStringLiteral("uxmessagewindow")));
  QVERIFY(pane.indexOf(QStringLiteral("Unknown type of message")) < pane.lastIndexOf(text));
  QCOMPARE(beeps.count(), 2);  // the warning and the message itself
  QVERIFY(logText().contains(QStringLiteral("Warning (unknown type of message '1024'): ") + text));
}

void TestUxMessageWindow::toolkitMessagesShowInMagenta() {
  const QString text = unique("toolkit");
  qWarning("%s", qPrintable(text));
  QCOMPARE(lineColor(QStringLiteral("Qt: ") + text), QColor(Qt::magenta));
  QVERIFY(logText().contains(QStringLiteral("Qt: ") + text));

  // Rich text shows as such and leaves nothing of its format to the next line.
  Nub::info("Welcome to <em>%s</em>", "UxTest");
  QVERIFY(paneHas(QStringLiteral("Welcome to UxTest")));
  const QString plain = unique("plain after rich");
  Nub::info("%s", qPrintable(plain));
  QTextBlock last = msgWin()->document()->lastBlock();
  while (last.isValid() && last.text() != plain) last = last.previous();
  QVERIFY(last.isValid());
  QVERIFY(!last.begin().fragment().charFormat().fontItalic());

  // A caller's colour replaces the type's colour.
  const QColor orange(255, 128, 0);
  const QString coloured = unique("coloured");
  msgWin()->showMessage(Nub::MsgInfo, coloured, &orange);
  QCOMPARE(lineColor(coloured), orange);
}

void TestUxMessageWindow::restoredHandlersStopTheWindow() {
  msgWin()->restoreHandlers();
  QVERIFY(!msgWin()->handlersInstalled());
  const QString text = unique("after");
  Nub::info("%s", qPrintable(text));
  QVERIFY(!paneHas(text));
  // The application's own handler is back and logs it.
  QVERIFY(logText().contains(QStringLiteral("Info: ") + text));

  msgWin()->installHandlers();
  const QString again = unique("again");
  Nub::info("%s", qPrintable(again));
  QVERIFY(paneHas(again));
}

void TestUxMessageWindow::fatalMessageIsLoggedThenEndsTheProcess() {
  QTemporaryDir home;
  QVERIFY(home.isValid());
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), home.path());
  env.insert(QStringLiteral("UXTEST_FATAL_CHILD"), QStringLiteral("1"));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {});
  QVERIFY(child.waitForFinished(60000));
  QCOMPARE(child.exitStatus(), QProcess::NormalExit);
  QCOMPARE(child.exitCode(), 1);
  const QDir logDir(QDir(home.path()).filePath(QStringLiteral(".uxtest/log")));
  const QStringList logs = logDir.entryList({QStringLiteral("*.log")}, QDir::Files);
  QCOMPARE(logs.size(), 1);
  QFile log(logDir.filePath(logs.first()));
  QVERIFY(log.open(QIODevice::ReadOnly));
  QVERIFY(log.readAll().contains("Fatal error: the end of the child"));
}

void TestUxMessageWindow::logViewShowsFileAndReportsProblems() {
  const QString path = QDir::temp().filePath(QStringLiteral("uxlogview_show.log"));
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("first line\nsecond line\n");
  }
  auto *view = new Ux::LogView(path);
  QCOMPARE(view->windowTitle(), QStringLiteral("Logfile: 'uxlogview_show.log'"));
  QCOMPARE(view->whatsThis(), QStringLiteral("Logfile: '%1'").arg(path));
  QCOMPARE(Ux::LogView::find(path), view);
  view->show();
  QCOMPARE(view->textView()->toPlainText(), QStringLiteral("first line\nsecond line\n"));
  view->close();
  QTRY_VERIFY(!Ux::LogView::find(path));  // deleted on close, unregistered

  const QString missing = QDir::temp().filePath(QStringLiteral("uxlogview_missing.log"));
  QFile::remove(missing);
  auto *none = new Ux::LogView(missing);
  none->show();
  QVERIFY(paneHas(QStringLiteral("Logfile '%1' does not exist!").arg(missing)));
  none->close();

  auto *empty = new Ux::LogView(QString());
  empty->show();
  QCOMPARE(lineColor(QStringLiteral("Empty filename!")), QColor(Qt::red));
  empty->close();
  QFile::remove(path);
}

void TestUxMessageWindow::firstLogViewShowsWholeLines() {
  Ux::LogView::resetRememberedSize();
  const QString path = QDir::temp().filePath(QStringLiteral("uxlogview_lines.log"));
  {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (int i = 0; i < 20; ++i)
      f.write("Info: Loading configuration-file '/home/user/.app/cfg/user.cfg' (version: 100)\n");
  }
  auto *view = new Ux::LogView(path);
  view->show();
  QVERIFY(QTest::qWaitForWindowExposed(view));
  QTextEdit *text = view->textView();
  QTRY_COMPARE(text->horizontalScrollBar()->maximum(), 0);
  QCOMPARE(text->verticalScrollBar()->maximum(), 0);
  view->close();
  QFile::remove(path);
}

void TestUxMessageWindow::logViewsShareRememberedSize() {
  Ux::LogView::resetRememberedSize();
  const QString a = Ux::App::getRep()->logFile();
  auto *first = new Ux::LogView(a);
  first->show();
  QVERIFY(QTest::qWaitForWindowExposed(first));
  QVERIFY(!Ux::LogView::rememberedSize().isValid());  // its own first size is not remembered
  first->resize(523, 311);
  QTRY_COMPARE(Ux::LogView::rememberedSize(), QSize(523, 311));
  first->close();

  auto *second = new Ux::LogView(a);
  second->show();
  QVERIFY(QTest::qWaitForWindowExposed(second));
  QTRY_COMPARE(second->size(), QSize(523, 311));
  second->close();
}

void TestUxMessageWindow::commonTabReadsAndWritesGlobalKeys() {
  Ux::Cfg global(QStringLiteral("Global"));
  Ux::PrefsTabCommon tab;
  QCOMPARE(tab.cfgSection(), QStringLiteral("Global"));
  QCOMPARE(tab.maxLogsSlider()->slider()->minimum(), 1);
  QCOMPARE(tab.maxLogsSlider()->slider()->maximum(), 100);

  // Defaults while the keys are missing: a fresh table has neither.
  const bool hadMax = Ux::Cfg::keys().contains(QStringLiteral("Global/MaxLogs"));
  if (!hadMax) {
    setAutolog(true);
    tab.initWidgets();
    QCOMPARE(tab.maxLogsSlider()->value(), 10);
    QVERIFY(tab.autologBox()->isChecked());
  }

  global.writeEntry(QStringLiteral("MaxLogs"), 25);
  setAutolog(false);
  tab.initWidgets();
  QCOMPARE(tab.maxLogsSlider()->value(), 25);
  QVERIFY(!tab.autologBox()->isChecked());

  tab.maxLogsSlider()->setValue(42);
  tab.autologBox()->setChecked(true);
  QSignalSpy saved(&tab, &Ux::PrefsTab::sigWidgetsSaved);
  tab.slotSaveWidgetStates();
  QCOMPARE(saved.count(), 1);
  QCOMPARE(global.readNum(QStringLiteral("MaxLogs"), 0), 42);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Global/Autolog")), QVariant(1));
  int max = 0;
  QVERIFY(Ux::Cfg::read(max, QString::fromLatin1(Ux::App::_sLogKey), 0));
  QCOMPARE(max, 42);
}

void TestUxMessageWindow::commonTabListsAndDeletesLogFiles() {
  Ux::App *app = Ux::App::getRep();
  const QStringList old = {QStringLiteral("20200101_00.log"), QStringLiteral("20200102_00.log")};
  for (const QString &name : old) {
    QFile f(Ux::pathConcat(app->logDir(), name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old run\n");
  }
  Ux::PrefsTabCommon tab;
  QTreeWidget *list = tab.logList();
  QCOMPARE(list->headerItem()->text(0), QStringLiteral("File"));
  QCOMPARE(list->headerItem()->text(1), QStringLiteral("Date"));
  QCOMPARE(list->headerItem()->text(2), QStringLiteral("Size"));
  QCOMPARE(list->topLevelItemCount(), app->logFiles(false).size());
  QTreeWidgetItem *first = list->topLevelItem(0);
  QCOMPARE(first->text(0), old.at(0));
  QCOMPARE(first->text(2), QStringLiteral("8 [Bytes]"));
  QVERIFY(!first->text(1).isEmpty());

  // The current log file stays.
  const QString current = QFileInfo(app->logFile()).fileName();
  QTreeWidgetItem *currentItem = list->findItems(current, Qt::MatchExactly).value(0);
  QVERIFY(currentItem);
  QMetaObject::invokeMethod(&tab, "_slotSetPopup", Q_ARG(QPoint, list->visualItemRect(currentItem).center()));
  tab.popupMenu()->hide();
  QMetaObject::invokeMethod(&tab, "_slotHandlePopup", Q_ARG(int, Ux::PrefsTabCommon::PU_Delete));
  QVERIFY(paneHas(QStringLiteral("The current logfile can't be deleted!")));
  QVERIFY(QFile::exists(app->logFile()));

  // An old one goes, with a note, and the list follows.
  first = list->topLevelItem(0);
  QMetaObject::invokeMethod(&tab, "_slotSetPopup", Q_ARG(QPoint, list->visualItemRect(first).center()));
  tab.popupMenu()->hide();
  QMetaObject::invokeMethod(&tab, "_slotHandlePopup", Q_ARG(int, Ux::PrefsTabCommon::PU_Delete));
  const QString deleted = Ux::pathConcat(app->logDir(), old.at(0));
  QVERIFY(!QFile::exists(deleted));
  QVERIFY(paneHas(QStringLiteral("Logfile '%1' deleted.").arg(deleted)));
  QVERIFY(list->findItems(old.at(0), Qt::MatchExactly).isEmpty());

  // The button keeps only the newest file, the current one.
  tab.deleteButton()->click();
  QCOMPARE(app->logFiles(false), QStringList({current}));
  QCOMPARE(list->topLevelItemCount(), 1);
}

void TestUxMessageWindow::commonTabContextMenu() {
  Ux::PrefsTabCommon tab;
  tab.resize(500, 400);
  tab.show();
  QTreeWidget *list = tab.logList();
  QVERIFY(list->topLevelItemCount() > 0);
  auto entries = [&tab]() {
    QStringList out;
    for (QAction *a : tab.popupMenu()->actions())
      out << (a->isSeparator() ? QStringLiteral("-") : a->text() + QLatin1Char('=') + a->data().toString());
    return out;
  };
  QMetaObject::invokeMethod(&tab, "_slotSetPopup",
                            Q_ARG(QPoint, list->visualItemRect(list->topLevelItem(0)).center()));
  tab.popupMenu()->hide();
  QCOMPARE(entries(), QStringList({"Show=0", "Delete=1", "-", "Delete all logfiles=2", "-", "Refresh view=3"}));

  // Below the last row: no file entries.
  QMetaObject::invokeMethod(&tab, "_slotSetPopup", Q_ARG(QPoint, QPoint(5, list->viewport()->height() - 2)));
  tab.popupMenu()->hide();
  QCOMPARE(entries(), QStringList({"Delete all logfiles=2", "-", "Refresh view=3"}));
}

void TestUxMessageWindow::commonTabOpensOneLogViewPerFile() {
  Ux::PrefsTabCommon tab;
  QTreeWidgetItem *item = tab.logList()->topLevelItem(0);
  QVERIFY(item);
  emit tab.logList()->itemDoubleClicked(item, 0);
  QCOMPARE(visibleLogViews(), 1);
  const QString path = Ux::pathConcat(Ux::App::getRep()->logDir(), item->text(0));
  Ux::LogView *view = Ux::LogView::find(path);
  QVERIFY(view);
  emit tab.logList()->itemDoubleClicked(item, 0);
  QCOMPARE(visibleLogViews(), 1);
  QCOMPARE(Ux::LogView::find(path), view);
  // "Show" of the context menu does the same.
  QMetaObject::invokeMethod(&tab, "_slotSetPopup",
                            Q_ARG(QPoint, tab.logList()->visualItemRect(item).center()));
  tab.popupMenu()->hide();
  QMetaObject::invokeMethod(&tab, "_slotHandlePopup", Q_ARG(int, Ux::PrefsTabCommon::PU_Show));
  QCOMPARE(visibleLogViews(), 1);
}

void TestUxMessageWindow::styleMenuNeedsParent() {
  QVERIFY(!Ux::GuiSysMenu::existing());
  QVERIFY(!Ux::GuiSysMenu::getRep(nullptr));
  QVERIFY(paneHas(QStringLiteral("'! wParent' in ")));
}

void TestUxMessageWindow::styleMenuListsAndAppliesStyles() {
  QWidget owner;
  Ux::GuiSysMenu *menu = Ux::GuiSysMenu::getRep(&owner);
  QVERIFY(menu);
  QCOMPARE(Ux::GuiSysMenu::getRep(nullptr), menu);
  QStringList texts;
  for (QAction *a : menu->actions()) {
    texts << a->text();
    QCOMPARE(a->statusTip(), QStringLiteral("%1-Desktop-style").arg(a->text()));
    QCOMPARE(a->toolTip(), a->statusTip());
    QCOMPARE(a->whatsThis(), a->statusTip());
  }
  QCOMPARE(texts, QStyleFactory::keys());
  QVERIFY(texts.contains(QStringLiteral("Fusion")) && texts.contains(QStringLiteral("Windows")));
  QCOMPARE(menu->currentStyle().toLower(), QApplication::style()->name().toLower());

  QVERIFY(menu->applyStyle(QStringLiteral("wInDoWs")));
  QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("windows"));
  QCOMPARE(menu->currentStyle(), QStringLiteral("Windows"));

  QVERIFY(!menu->applyStyle(QString()));
  QVERIFY(!menu->applyStyle(QStringLiteral("NoSuchStyle")));
  QCOMPARE(menu->currentStyle(), QStringLiteral("Windows"));

  QVERIFY(menu->applyStyle(QStringLiteral("fusion")));
  QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
  QCOMPARE(menu->currentStyle(), QStringLiteral("Fusion"));
}

void TestUxMessageWindow::windowListMenuFollowsWindows() {
  QMdiArea area;
  area.resize(400, 300);
  QtWindowListMenu menu(&area);
  QStringList fixed;
  for (QAction *a : menu.actions()) fixed << (a->isSeparator() ? QStringLiteral("-") : a->text());
  QCOMPARE(fixed, QStringList({"&Tile", "&Cascade", "&Tile &horizontal", "-", "&Close", "&Close all", "-"}));
  QCOMPARE(menu.tileAction()->shortcut(), QKeySequence(Qt::Key_F4));
  QVERIFY(!menu.closeAction()->isEnabled());
  area.show();
  QVERIFY(QTest::qWaitForWindowExposed(&area));

  QList<QMdiSubWindow *> subs;
  for (int i = 0; i < 3; ++i) {
    auto *w = new QLabel(QStringLiteral("content"));
    w->setWindowTitle(QStringLiteral("Image %1").arg(i));
    subs << area.addSubWindow(w);
    subs.last()->show();
  }
  area.setActiveSubWindow(subs.at(1));
  for (QMdiSubWindow *s : subs) QVERIFY(menu.windowAction(s));
  QCOMPARE(menu.windowAction(subs.at(0))->text(), QStringLiteral("Image 0"));
  QVERIFY(menu.windowAction(subs.at(1))->isChecked());
  QVERIFY(!menu.windowAction(subs.at(0))->isChecked());
  QVERIFY(!menu.windowAction(subs.at(2))->isChecked());
  QVERIFY(menu.closeAction()->isEnabled());

  // Choosing an entry shows that window normal and activates it.
  subs.at(0)->showMinimized();
  menu.windowAction(subs.at(0))->trigger();
  QVERIFY(!subs.at(0)->isMinimized());
  QCOMPARE(area.activeSubWindow(), subs.at(0));
  QVERIFY(menu.windowAction(subs.at(0))->isChecked());

  // A destroyed window leaves the menu.
  QAction *gone = menu.windowAction(subs.at(2));
  QVERIFY(menu.actions().contains(gone));
  delete subs.takeLast();
  QCOMPARE(menu.actions().size(), 7 + 2);

  menu.closeAllAction()->trigger();
  QTRY_VERIFY(area.subWindowList().isEmpty());
  QTRY_COMPARE(menu.actions().size(), 7);
  QVERIFY(!menu.closeAction()->isEnabled());
}

void TestUxMessageWindow::windowListMenuTilesHorizontally() {
  QMdiArea area;
  area.resize(400, 300);
  QtWindowListMenu menu(&area);
  menu.tileHorizontalAction()->trigger();  // nothing to tile: nothing happens
  area.show();
  QVERIFY(QTest::qWaitForWindowExposed(&area));
  const QSize view = area.viewport()->size();

  QList<QMdiSubWindow *> subs;
  for (int i = 0; i < 3; ++i) {
    auto *w = new QLabel(QStringLiteral("window %1").arg(i));
    subs << area.addSubWindow(w);
    subs.last()->show();
  }
  subs.at(1)->showMaximized();
  menu.tileHorizontalAction()->trigger();
  const int share = view.height() / 3;
  for (int i = 0; i < 3; ++i) {
    QVERIFY(!subs.at(i)->isMaximized());
    QCOMPARE(subs.at(i)->geometry(), QRect(0, i * share, view.width(), share));
  }

  // A window that needs more than its share gets it; the next ones move down.
  const QMargins frame = subs.at(0)->contentsMargins();
  subs.at(0)->widget()->setMinimumHeight(share + 40);
  menu.tileHorizontalAction()->trigger();
  const int first = share + 40 + frame.top() + frame.bottom();
  QCOMPARE(subs.at(0)->geometry(), QRect(0, 0, view.width(), first));
  QCOMPARE(subs.at(1)->geometry(), QRect(0, first, view.width(), share));
  QCOMPARE(subs.at(2)->geometry().top(), first + share);
}

int main(int argc, char **argv) {
  Ux::App app("UxTest", argc, argv);
  if (!app.init(true, QStringLiteral("log"), QStringLiteral(".log"), QStringLiteral("cfg"),
                QStringLiteral(".cfg")))
    return 2;
  if (qEnvironmentVariableIsSet("UXTEST_FATAL_CHILD")) {
    // The child of fatalMessageIsLoggedThenEndsTheProcess.
    Ux::MessageWindow::setup();
    Nub::fatal("%s", "the end of the child");
  }
  TestUxMessageWindow tc;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&tc, argc, argv);
}
#include "tst_uxmessagewindow.moc"
