#include "programtest.h"
#include "messagecapture.h"
#include "modalanswer.h"
#include "phrecentprojects.h"
#include "phrecentprojectsmenu.h"
#include "phobjectviewer.h"
#include "phviewers.h"
#include "tessella.h"
#include "uxapp.h"
#include "uxcfg.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

namespace {

QString exampleProject() {
  return QFileInfo(qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block/block.(p)"))
      .canonicalFilePath();
}

void clickButton(QWidget *modal, const QString &text) {
  for (QAbstractButton *button : modal->findChildren<QAbstractButton *>()) {
    if (button->text() == text) {
      button->click();
      return;
    }
  }
  QFAIL(qPrintable(QStringLiteral("no button %1").arg(text)));
}

// A drag onto the window as the toolkit delivers it: the enter, and the drop
// only when the enter was accepted. Whether each was accepted.
struct Drag {
  bool entered = false;
  bool dropped = false;
  Qt::DropAction enterAction = Qt::IgnoreAction;
  Qt::DropAction dropAction = Qt::IgnoreAction;
};

Drag dragOnto(QWidget *window, const QMimeData &mime, Qt::DropActions possible) {
  Drag drag;
  const QPoint centre = window->rect().center();
  QDragEnterEvent enter(centre, possible, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  drag.entered = enter.isAccepted();
  drag.enterAction = enter.dropAction();
  if (!drag.entered) return drag;
  QDropEvent drop(QPointF(centre), possible, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  drag.dropped = drop.isAccepted();
  drag.dropAction = drop.dropAction();
  return drag;
}

QStringList texts(const QList<QAction *> &actions) {
  QStringList result;
  for (const QAction *action : actions) result << action->text();
  return result;
}

}  // namespace

// Opening projects the desktop way, through the real main window: the
// Recent Projects menu and files dropped onto the window.
class TestProjectOpening : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void recentMenuSitsInTheProjectMenu();
  void openedProjectsFillTheRecentMenu();
  void entryTexts_data();
  void entryTexts();
  void secondOpenAsksFirst_data();
  void secondOpenAsksFirst();
  void vanishedEntryIsTakenOff();
  void clearMenuEmptiesTheList();
  void menuFollowsALoadedConfiguration();
  void dragAndDrop_data();
  void dragAndDrop();
  void nothingReentersAReadingProject_data();
  void nothingReentersAReadingProject();

 private:
  // A copy of the example in a folder of its own, under another name.
  QString copyOfExample(const QString &name);
  void openThroughTheFileDialog(const QString &project) {
    answerFileDialog(project);
    mWindow->slotFileOpen();
    QVERIFY(mWindow->hasProject());
  }
  PhRecentProjectsMenu *menu() const { return mWindow->recentProjectsMenu(); }

  QTemporaryDir mDir;
  std::unique_ptr<Tessella> mWindow;
};

void TestProjectOpening::initTestCase() { QVERIFY(mDir.isValid()); }

void TestProjectOpening::init() {
  Ux::Cfg::clear();
  mWindow = std::make_unique<Tessella>(QPixmap(10, 10));
  mWindow->show();
  QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
}

void TestProjectOpening::cleanup() {
  mWindow->setAskBeforeClosing(false);
  mWindow.reset();
  QFile::remove(Ux::App::getRep()->cfgFileUser());
  Ux::Cfg::clear();
}

void TestProjectOpening::nothingReentersAReadingProject_data() {
  QTest::addColumn<QString>("during");
  QTest::newRow("open, then close") << QStringLiteral("open close");
  QTest::newRow("open twice") << QStringLiteral("open open");
  QTest::newRow("close") << QStringLiteral("close");
  QTest::newRow("report") << QStringLiteral("report");
}

// The readers report progress, and the window keeps answering meanwhile; an
// open or a close in that time must wait for the read, not read into or
// empty the lists under it (the GUI monkey found a use after free).
void TestProjectOpening::nothingReentersAReadingProject() {
  QFETCH(QString, during);
  const QString project = copyOfExample(QStringLiteral("reentered.(p)"));
  QAction *close = nullptr;
  QAction *report = nullptr;
  for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_File)->actions()) {
    if (action->text() == QLatin1String("&Close")) close = action;
    if (action->text() == QLatin1String("Export &Report...")) report = action;
  }
  QVERIFY(close && report);
  int tried = 0;
  // No dialog either: one is closed again and noted.
  QStringList dialogs;
  QTimer answer;
  connect(&answer, &QTimer::timeout, [&]() {
    if (QWidget *modal = QApplication::activeModalWidget()) {
      dialogs << modal->metaObject()->className();
      modal->close();
    }
  });
  answer.start(20);
  QTimer::singleShot(0, mWindow.get(), [&]() {
    for (const QString &what : during.split(QLatin1Char(' '))) {
      ++tried;
      if (what == QLatin1String("open")) QVERIFY(!mWindow->openProject(project));
      if (what == QLatin1String("close")) close->trigger();
      if (what == QLatin1String("report")) report->trigger();
    }
  });
  QVERIFY(mWindow->openProject(project));
  answer.stop();
  QCOMPARE(tried, during.count(QLatin1Char(' ')) + 1);
  QCOMPARE(dialogs, QStringList());
  QVERIFY(mWindow->hasProject());
  QVERIFY(mWindow->isVisible());
  // One read's worth, as a read alone gives.
  const int images = mWindow->images().count();
  const int objects = mWindow->objects().count();
  mWindow->setAskBeforeClosing(false);
  mWindow.reset();
  init();
  QVERIFY(mWindow->openProject(project));
  QCOMPARE(mWindow->images().count(), images);
  QCOMPARE(mWindow->objects().count(), objects);
}

QString TestProjectOpening::copyOfExample(const QString &name) {
  const QString folder = mDir.filePath(name);
  if (!QDir(folder).exists()) {
    QDir().mkpath(folder);
    const QDir source = QFileInfo(exampleProject()).dir();
    for (const QString &file : source.entryList(QDir::Files))
      QFile::copy(source.filePath(file), folder + QLatin1Char('/') + file);
    QFile::rename(folder + QStringLiteral("/block.(p)"), folder + QLatin1Char('/') + name);
  }
  return QFileInfo(folder + QLatin1Char('/') + name).canonicalFilePath();
}

void TestProjectOpening::recentMenuSitsInTheProjectMenu() {
  QMenu *project = mWindow->popupMenu(Ux::MainWindow::UI_File);
  QVERIFY(menu());
  const QStringList items = texts(project->actions());
  // Between the two actions of the project menu, empty and disabled at first.
  QCOMPARE(items.mid(0, 3), (QStringList{"&Open...", "Recent &Projects", "&Close"}));
  QCOMPARE(project->actions().at(1), menu()->menuAction());
  QVERIFY(!menu()->menuAction()->isEnabled());
  QVERIFY(menu()->entryActions().isEmpty());
  QCOMPARE(menu()->actions().last(), menu()->clearAction());
  QCOMPARE(menu()->clearAction()->text(), QStringLiteral("&Clear Menu"));
  // Every item has a key of its own: a shared one only cycles between them.
  QSet<QChar> keys;
  for (const QString &text : items) {
    const int at = text.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= text.size()) continue;
    const QChar key = text.at(at + 1).toLower();
    QVERIFY2(!keys.contains(key), qPrintable(text));
    keys.insert(key);
  }
}

void TestProjectOpening::openedProjectsFillTheRecentMenu() {
  const QString other = copyOfExample(QStringLiteral("R&D block.(p)"));
  openThroughTheFileDialog(exampleProject());
  QVERIFY(menu()->menuAction()->isEnabled());
  QCOMPARE(texts(menu()->entryActions()), QStringList{"&1 block.(p)"});

  answerNext<QMessageBox>([](QMessageBox *box) { clickButton(box, QStringLiteral("&Yes")); });
  openThroughTheFileDialog(other);
  // The "&" of the name is shown, not taken as the key to press.
  QCOMPARE(texts(menu()->entryActions()), (QStringList{"&1 R&&D block.(p)", "&2 block.(p)"}));
  QCOMPARE(menu()->entryActions().at(0)->toolTip(), QDir::toNativeSeparators(other));
  QCOMPARE(menu()->entryActions().at(1)->data().toString(), exampleProject());

  // Choosing the older entry opens it and puts it in front; the list is the
  // one the settings keep.
  MessageCapture capture;
  answerNext<QMessageBox>([](QMessageBox *box) { clickButton(box, QStringLiteral("&Yes")); });
  menu()->entryActions().at(1)->trigger();
  QCOMPARE(QFileInfo(mWindow->projectFile()).canonicalFilePath(), exampleProject());
  QCOMPARE(mWindow->images().count(), 18);
  QVERIFY(capture.texts(Nub::MsgInfo).contains(QStringLiteral("Read <b>18</b> Images.")));
  QTRY_COMPARE(texts(menu()->entryActions()), (QStringList{"&1 block.(p)", "&2 R&&D block.(p)"}));
  QCOMPARE(PhRecentProjects::entries(), (QStringList{exampleProject(), other}));
  QCOMPARE(Ux::Cfg(QStringLiteral("Tessella")).readString(QStringLiteral("Last project-file"), QString()),
           mWindow->projectFile());

  // Two projects of one name: both entries tell their folders.
  const QString twin = copyOfExample(QStringLiteral("block.(p)"));
  answerNext<QMessageBox>([](QMessageBox *box) { clickButton(box, QStringLiteral("&Yes")); });
  openThroughTheFileDialog(twin);
  QCOMPARE(texts(menu()->entryActions()),
           (QStringList{PhRecentProjectsMenu::entryText(0, twin, true),
                        PhRecentProjectsMenu::entryText(1, exampleProject(), true),
                        PhRecentProjectsMenu::entryText(2, other, false)}));
  QVERIFY(menu()->entryActions().at(0)->text().contains(QStringLiteral("  (")));
}

void TestProjectOpening::entryTexts_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("file");
  QTest::addColumn<bool>("withFolder");
  QTest::addColumn<QString>("expected");
  QTest::addRow("plain") << 0 << "/data/block.(p)" << false << "&1 block.(p)";
  QTest::addRow("eighth") << 7 << "/data/block.(p)" << false << "&8 block.(p)";
  QTest::addRow("ampersands") << 1 << "/data/R&D && more.(p)" << false << "&2 R&&D &&&& more.(p)";
  QTest::addRow("same name, folder shown") << 0 << "/data/A&B/block.(p)" << true << "&1 block.(p)  (/data/A&&B)";
  QTest::addRow("long folder, its middle left out")
      << 2 << "/data/campaign-2024/northern-block/flight-07/adjustment/final/block.(p)" << true
      << QStringLiteral("&3 block.(p)  (/data/campaign-2024\u2026-07/adjustment/final)");
}

void TestProjectOpening::entryTexts() {
  QFETCH(int, index);
  QFETCH(QString, file);
  QFETCH(bool, withFolder);
  QFETCH(QString, expected);
  QCOMPARE(PhRecentProjectsMenu::entryText(index, file, withFolder), QDir::toNativeSeparators(expected));
}

// A second project asks before it closes the first, whichever way it comes;
// No keeps the open project with its viewers.
void TestProjectOpening::secondOpenAsksFirst_data() {
  QTest::addColumn<bool>("dropped");
  QTest::addColumn<bool>("yes");
  QTest::addRow("recent entry, Yes") << false << true;
  QTest::addRow("recent entry, No") << false << false;
  QTest::addRow("dropped file, Yes") << true << true;
  QTest::addRow("dropped file, No") << true << false;
}

void TestProjectOpening::secondOpenAsksFirst() {
  QFETCH(bool, dropped);
  QFETCH(bool, yes);
  const QString other = copyOfExample(QStringLiteral("other.(p)"));
  QVERIFY(mWindow->openProject(other));
  QVERIFY(mWindow->openProject(exampleProject()));
  QWidget *viewer = PhViewers::objectViewer(0);
  QVERIFY(viewer);
  const QPointer<QWidget> viewerAlive(viewer);

  // Shared with the answer, which outlives a failed test.
  auto question = std::make_shared<QString>();
  answerNext<QMessageBox>([question, yes](QMessageBox *box) {
    *question = box->windowTitle() + QLatin1Char('|') + box->text();
    clickButton(box, yes ? QStringLiteral("&Yes") : QStringLiteral("&No"));
  });
  if (dropped) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(other)});
    QVERIFY(dragOnto(mWindow.get(), mime, Qt::CopyAction | Qt::MoveAction).dropped);
  } else {
    QCOMPARE(menu()->entryActions().at(1)->data().toString(), other);
    menu()->entryActions().at(1)->trigger();
  }
  QTRY_VERIFY(!question->isEmpty());
  QVERIFY(question->startsWith(QStringLiteral("Close current project?|")));
  QVERIFY(question->contains(QStringLiteral("the current project block.(p) will be closed")));
  QCOMPARE(QFileInfo(mWindow->projectFile()).canonicalFilePath(), yes ? other : exampleProject());
  QCOMPARE(mWindow->images().count(), 18);
  QCOMPARE(bool(viewerAlive), !yes);
  QCOMPARE(PhRecentProjects::entries(), yes ? (QStringList{other, exampleProject()})
                                            : (QStringList{exampleProject(), other}));
}

void TestProjectOpening::vanishedEntryIsTakenOff() {
  const QString gone = copyOfExample(QStringLiteral("gone.(p)"));
  QVERIFY(mWindow->openProject(gone));
  QVERIFY(mWindow->openProject(exampleProject()));
  QVERIFY(QFile::remove(gone));
  QCOMPARE(menu()->entryActions().size(), 2);

  MessageCapture capture;
  // A question would be asked inside the trigger; this answers it there.
  auto asked = std::make_shared<bool>(false);
  QTimer::singleShot(0, mWindow.get(), [asked]() {
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
      *asked = true;
      dialog->reject();
    }
  });
  menu()->entryActions().at(1)->trigger();
  QCoreApplication::processEvents();
  QCOMPARE(capture.warnings(),
           QStringList{QStringLiteral("The project file '%1' no longer exists; it is taken off the recent projects.")
                           .arg(QDir::toNativeSeparators(gone))});
  QTRY_COMPARE(texts(menu()->entryActions()), QStringList{"&1 block.(p)"});
  QCOMPARE(PhRecentProjects::entries(), QStringList{exampleProject()});
  // Nothing was asked and the open project stays.
  QVERIFY(!*asked);
  QCOMPARE(QFileInfo(mWindow->projectFile()).canonicalFilePath(), exampleProject());
}

void TestProjectOpening::clearMenuEmptiesTheList() {
  openThroughTheFileDialog(exampleProject());
  QVERIFY(menu()->menuAction()->isEnabled());
  menu()->clearAction()->trigger();
  QTRY_VERIFY(menu()->entryActions().isEmpty());
  QVERIFY(!menu()->menuAction()->isEnabled());
  QCOMPARE(PhRecentProjects::entries(), QStringList());
  // The open project and the file dialog's start stay.
  QVERIFY(mWindow->hasProject());
  QCOMPARE(Ux::Cfg(QStringLiteral("Tessella")).readString(QStringLiteral("Last project-file"), QString()),
           mWindow->projectFile());
  // The next project starts the list again.
  answerNext<QMessageBox>([](QMessageBox *box) { clickButton(box, QStringLiteral("&Yes")); });
  openThroughTheFileDialog(copyOfExample(QStringLiteral("next.(p)")));
  QCOMPARE(texts(menu()->entryActions()), QStringList{"&1 next.(p)"});
}

// Loading a configuration from the menu replaces the settings; the menu
// shows the list that came with them, damaged or not.
void TestProjectOpening::menuFollowsALoadedConfiguration() {
  const QString a = copyOfExample(QStringLiteral("a.(p)"));
  QStringList stored{QString(), a, a, exampleProject()};
  for (int i = 0; i < 10; ++i) stored << mDir.filePath(QStringLiteral("old%1.(p)").arg(i));
  Ux::Cfg(QStringLiteral("Recent")).writeEntry(QStringLiteral("Projects"), stored);
  QVERIFY(Ux::App::getRep()->writeUserCfg());
  Ux::Cfg::clear();
  menu()->refresh();
  QVERIFY(!menu()->menuAction()->isEnabled());

  MessageCapture quiet;
  QAction *openUser = mWindow->action(Ux::MainWindow::UIA_CfgOpenUser);
  QVERIFY(openUser);
  openUser->trigger();
  QVERIFY(menu()->menuAction()->isEnabled());
  const QStringList entries = texts(menu()->entryActions());
  QCOMPARE(entries.size(), 8);
  QCOMPARE(entries.mid(0, 3), (QStringList{"&1 a.(p)", "&2 block.(p)", "&3 old0.(p)"}));

  // A number where the list belongs: no entries, and the menu still works.
  Ux::Cfg(QStringLiteral("Recent")).writeEntry(QStringLiteral("Projects"), 42);
  menu()->popup(mWindow->mapToGlobal(QPoint(10, 10)));
  QVERIFY(menu()->entryActions().isEmpty());
  QVERIFY(!menu()->menuAction()->isEnabled());
  menu()->hide();
}

// What the window takes when a file is dragged onto it: one local "*.(p)"
// file, copied or linked, never moved.
void TestProjectOpening::dragAndDrop_data() {
  QTest::addColumn<QStringList>("urls");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("actions");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("status");
  const QString example = QUrl::fromLocalFile(exampleProject()).toString();
  const QString upper = QUrl::fromLocalFile(copyOfExample(QStringLiteral("UPPER.(P)"))).toString();
  const QString image = QUrl::fromLocalFile(QFileInfo(exampleProject()).dir().filePath(QStringLiteral("block.(i)")))
                            .toString();
  QDir().mkpath(mDir.filePath(QStringLiteral("folder.(p)")));
  const QString folder = QUrl::fromLocalFile(mDir.filePath(QStringLiteral("folder.(p)"))).toString();
  const QString missing = QUrl::fromLocalFile(mDir.filePath(QStringLiteral("missing.(p)"))).toString();
  const int copyOrMove = Qt::CopyAction | Qt::MoveAction;
  const QString onlyProjects = QStringLiteral("Only a BAX project file (*.(p)) can be dropped here.");

  QTest::addRow("one project file") << QStringList{example} << QString() << copyOrMove << true << QString();
  QTest::addRow("upper-case extension") << QStringList{upper} << QString() << copyOrMove << true << QString();
  QTest::addRow("linked") << QStringList{example} << QString() << int(Qt::LinkAction) << true << QString();
  QTest::addRow("move only") << QStringList{example} << QString() << int(Qt::MoveAction) << false << QString();
  QTest::addRow("image file") << QStringList{image} << QString() << copyOrMove << false << onlyProjects;
  QTest::addRow("folder named like a project") << QStringList{folder} << QString() << copyOrMove << false
                                               << onlyProjects;
  QTest::addRow("file that does not exist") << QStringList{missing} << QString() << copyOrMove << false
                                            << onlyProjects;
  QTest::addRow("remote file") << QStringList{"https://example.org/block.(p)"} << QString() << copyOrMove << false
                               << onlyProjects;
  QTest::addRow("two project files") << QStringList{example, upper} << QString() << copyOrMove << false
                                     << QStringLiteral("Drop one project file at a time; 2 files were dropped.");
  QTest::addRow("text, no file") << QStringList() << exampleProject() << copyOrMove << false << QString();
}

void TestProjectOpening::dragAndDrop() {
  QFETCH(QStringList, urls);
  QFETCH(QString, text);
  QFETCH(int, actions);
  QFETCH(bool, accepted);
  QFETCH(QString, status);
  QMimeData mime;
  if (!urls.isEmpty()) {
    QList<QUrl> list;
    for (const QString &url : urls) list << QUrl(url);
    mime.setUrls(list);
  }
  if (!text.isEmpty()) mime.setText(text);
  const Qt::DropActions possible(actions);

  MessageCapture capture;
  const Drag drag = dragOnto(mWindow.get(), mime, possible);
  QCOMPARE(drag.entered, accepted);
  QCOMPARE(drag.dropped, accepted);
  QCOMPARE(capture.texts(Nub::MsgStatus), status.isEmpty() ? QStringList() : QStringList{status});
  if (accepted) {
    for (Qt::DropAction taken : {drag.enterAction, drag.dropAction})
      QVERIFY(taken != Qt::MoveAction && (possible & taken));
    // Opened once the drop has returned.
    QVERIFY(!mWindow->hasProject());
    QTRY_VERIFY(mWindow->hasProject());
    QCOMPARE(QFileInfo(mWindow->projectFile()).canonicalFilePath(), QUrl(urls.first()).toLocalFile());
    QCOMPARE(PhRecentProjects::entries(), QStringList{QUrl(urls.first()).toLocalFile()});
  } else {
    QCoreApplication::processEvents();
    QVERIFY(!mWindow->hasProject());
    QVERIFY(PhRecentProjects::entries().isEmpty());
  }
}

TESSELLA_PROGRAM_TEST_MAIN(TestProjectOpening)

#include "tst_projectopening.moc"
