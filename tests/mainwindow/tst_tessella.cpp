#include "programtest.h"
#include "messagecapture.h"
#include "modalanswer.h"
#include "phexitdialog.h"
#include "phimage.h"
#include "phimagelistmodel.h"
#include "phinfotexts.h"
#include "phobjectlistmodel.h"
#include "phobjectpoint.h"
#include "phprojectdata.h"
#include "phprojectinfo.h"
#include "phviewers.h"
#include "phsearchwidget.h"
#include "tessella.h"
#include "uxapp.h"
#include "uxcfg.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

namespace {

QString exampleProject() {
  return qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block/block.(p)");
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

QStringList column(const QAbstractItemModel *model, int col, const QModelIndex &parent = QModelIndex()) {
  QStringList texts;
  for (int row = 0; row < model->rowCount(parent); ++row) texts << model->index(row, col, parent).data().toString();
  return texts;
}

}  // namespace

class TestTessella : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void constructionOrder();
  void withoutProjectNothingHappens();
  void openThroughTheFileDialog();
  void listsSortAndExpand();
  void contextMenuOffersThePlanes();
  void openingAnotherAsksFirst();
  void cancelledDialogKeepsTheProject();
  void closingEmptiesEverything();
  void damagedProjectShowsTheFailureBox_data();
  void damagedProjectShowsTheFailureBox();
  void exitDialogOutcomes_data();
  void exitDialogOutcomes();
  void pointTypeKeysToggle();
  void pointTypeKeysReachThroughTheLists_data();
  void pointTypeKeysReachThroughTheLists();
  void objectViewerKeysNeedAProject();
  void imageListKeepsItsSortWhenReopened();
  void missingObservationFileKeepsTheProject();

 private:
  void openExample() {
    answerFileDialog(exampleProject());
    mWindow->slotFileOpen();
    QVERIFY(mWindow->hasProject());
  }
  std::unique_ptr<Tessella> mWindow;
};

void TestTessella::init() {
  Ux::Cfg::clear();
  mWindow = std::make_unique<Tessella>(QPixmap(10, 10));
  mWindow->show();
  QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
}

void TestTessella::cleanup() {
  mWindow->setAskBeforeClosing(false);
  mWindow.reset();
  QFile::remove(Ux::App::getRep()->cfgFileUser());
}

void TestTessella::constructionOrder() {
  QVERIFY(mWindow->popupMenu(Ux::MainWindow::UI_File));
  QCOMPARE(mWindow->popupMenu(Ux::MainWindow::UI_File)->title(), QStringLiteral("&Project"));
  QStringList texts;
  for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_File)->actions())
    if (!action->isSeparator()) texts << action->text();
  QVERIFY2(texts.indexOf(QStringLiteral("&Close")) > 0, qPrintable(texts.join(QLatin1Char('|'))));
  QStringList view;
  for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_View)->actions()) view << action->text();
  QVERIFY(view.contains(QStringLiteral("Decorate / Undecorate Viewer")));
  auto *tabs = mWindow->imageListView()->parentWidget()->parentWidget();
  QVERIFY(qobject_cast<QTabWidget *>(tabs));
  auto *tabWidget = static_cast<QTabWidget *>(tabs);
  QCOMPARE(tabWidget->count(), 4);
  QCOMPARE(tabWidget->tabText(0), QStringLiteral("&Image"));
  QCOMPARE(tabWidget->tabText(1), QStringLiteral("Ob&ject"));
  QCOMPARE(tabWidget->tabText(2), QStringLiteral("In&fo"));
  QCOMPARE(tabWidget->tabText(3), QStringLiteral("&Search"));
  QCOMPARE(column(mWindow->objectListModel(), 0), QStringList());
  QCOMPARE(mWindow->objectListModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Point-Type"));
  QVERIFY(!mWindow->openCurrentProjectRequested());
}

void TestTessella::withoutProjectNothingHappens() {
  MessageCapture capture;
  QAction *close = nullptr;
  for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_File)->actions())
    if (action->text() == QLatin1String("&Close")) close = action;
  QVERIFY(close);
  close->trigger();
  emit mWindow->imageListView()->customContextMenuRequested(QPoint(5, 5));
  QVERIFY(mWindow->contextMenu()->actions().isEmpty());
  QVERIFY(!mWindow->contextMenu()->isVisible());
  QCOMPARE(capture.count(), 0);
}

void TestTessella::openThroughTheFileDialog() {
  QString start;
  MessageCapture capture;
  answerFileDialog(exampleProject(), &start);
  mWindow->slotFileOpen();
  QVERIFY(mWindow->hasProject());
  // The first dialog starts at ./examples/ (or here, where there is none).
  const QString examples = QDir(QStringLiteral("./examples/")).absolutePath();
  QCOMPARE(start, QFileInfo(examples).isDir() ? examples : QDir::currentPath());
  QCOMPARE(QFileInfo(mWindow->projectFile()).canonicalFilePath(), QFileInfo(exampleProject()).canonicalFilePath());
  QCOMPARE(mWindow->imageListModel()->rowCount(), mWindow->images().count());
  QCOMPARE(mWindow->objectListModel()->rowCount(), mWindow->objects().count());
  QCOMPARE(mWindow->images().count(), 18);
  QCOMPARE(mWindow->projectInfo()->value(8)->text(), QStringLiteral("18"));
  QCOMPARE(mWindow->projectInfo()->value(9)->text(), QString::number(mWindow->objects().count()));
  QCOMPARE(Ux::Cfg(QStringLiteral("Tessella")).readString(QStringLiteral("Last project-file"), QString()),
           mWindow->projectFile());
  QVERIFY(capture.texts(Nub::MsgInfo).contains(QStringLiteral("Read <b>18</b> Images.")));
  QVERIFY(capture.texts(Nub::MsgStatus).contains(QStringLiteral("Reading Projectfile ready.")));

  // The next dialog starts at the last project.
  answerFileDialog(QString(), &start);
  answerNext<QMessageBox>([](QMessageBox *w) { clickButton(w, QStringLiteral("&Yes")); });
  mWindow->slotFileOpen();
  QCOMPARE(start, QFileInfo(exampleProject()).absolutePath());
}

void TestTessella::listsSortAndExpand() {
  openExample();
  QTreeView *objects = mWindow->objectListView();
  PhObjectListModel *model = mWindow->objectListModel();
  objects->header()->setSortIndicator(1, Qt::AscendingOrder);
  QStringList types = column(model, 1);
  // Sorted by code: new points (100) first, projection centres (900) last.
  QCOMPARE(types.first(), QStringLiteral("New Point"));
  QCOMPARE(types.last(), QStringLiteral("Observed Proj. Centre"));
  objects->header()->setSortIndicator(2, Qt::AscendingOrder);
  QVERIFY(!mWindow->objects().isEmpty());
  objects->header()->setSortIndicator(0, Qt::AscendingOrder);
  const QStringList ids = column(model, 0);
  for (int i = 1; i < ids.size(); ++i) QVERIFY(ids.at(i - 1).toInt() <= ids.at(i).toInt());

  // The first point observed by several images gets its image rows once.
  QModelIndex row;
  for (int i = 0; i < model->rowCount() && !row.isValid(); ++i)
    if (PhImage::numberOfLinks(model->number(model->index(i, 0))) >= 2) row = model->index(i, 0);
  QVERIFY(row.isValid());
  objects->expand(row);
  const int links = PhImage::numberOfLinks(model->number(row));
  QCOMPARE(model->rowCount(row), links);
  objects->collapse(row);
  objects->expand(row);
  QCOMPARE(model->rowCount(row), links);
  for (const QString &image : column(model, 0, row)) {
    QVERIFY(PhImageList::hasImage(image.toInt()));
    QVERIFY(PhImageList::image(image.toInt())->hasPoint(model->number(row)));
  }

  QTreeView *images = mWindow->imageListView();
  images->header()->setSortIndicator(1, Qt::DescendingOrder);
  const QStringList counts = column(mWindow->imageListModel(), 1);
  for (int i = 1; i < counts.size(); ++i) QVERIFY(counts.at(i - 1).toInt() >= counts.at(i).toInt());
}

void TestTessella::contextMenuOffersThePlanes() {
  openExample();
  emit mWindow->objectListView()->customContextMenuRequested(QPoint(5, 5));
  QStringList entries;
  QList<int> ids;
  for (QAction *action : mWindow->contextMenu()->actions()) {
    entries << action->text();
    ids << action->data().toInt();
  }
  QCOMPARE(entries, (QStringList{"Show XY-View", "Show XZ-View", "Show YZ-View"}));
  QCOMPARE(ids, (QList<int>{0, 1, 2}));
  mWindow->contextMenu()->hide();
}

void TestTessella::openingAnotherAsksFirst() {
  openExample();
  const QString before = mWindow->projectFile();
  answerNextModal([](QWidget *w) {
    QCOMPARE(w->windowTitle(), QStringLiteral("Close current project?"));
    QVERIFY(static_cast<QMessageBox *>(w)->text().contains(QStringLiteral("the current project block.(p) will be closed")));
    clickButton(w, QStringLiteral("&No"));
  });
  mWindow->slotFileOpen();
  QCOMPARE(mWindow->projectFile(), before);
  QCOMPARE(mWindow->images().count(), 18);
}

void TestTessella::cancelledDialogKeepsTheProject() {
  openExample();
  MessageCapture capture;
  answerNext<QMessageBox>([](QMessageBox *w) { clickButton(w, QStringLiteral("&Yes")); });
  answerFileDialog(QString());
  mWindow->slotFileOpen();
  QTRY_VERIFY(capture.texts(Nub::MsgInfo).contains(QStringLiteral("Operation aborted by user")));
  QVERIFY(capture.texts(Nub::MsgStatus).contains(QStringLiteral("Operation aborted by user")));
  QVERIFY(mWindow->hasProject());
  QCOMPARE(mWindow->images().count(), 18);
}

void TestTessella::closingEmptiesEverything() {
  openExample();
  MessageCapture capture;
  for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_File)->actions())
    if (action->text() == QLatin1String("&Close")) action->trigger();
  QCOMPARE(capture.texts(Nub::MsgInfo),
           (QStringList{QStringLiteral("Closing current project <b>block.(p)</b>..."), QStringLiteral("Closing done.")}));
  QVERIFY(!mWindow->hasProject());
  QVERIFY(mWindow->projectFile().isNull());
  QCOMPARE(mWindow->images().count(), 0);
  QCOMPARE(mWindow->objects().count(), 0);
  QCOMPARE(mWindow->imageListModel()->rowCount(), 0);
  QCOMPARE(mWindow->objectListModel()->rowCount(), 0);
  QCOMPARE(PhImage::numberOfLinks(1000001), 0);
  QCOMPARE(mWindow->projectInfo()->value(0)->text(), QString());
}

// Each reader's failure reaches the box; "Open other" comes back to the file
// dialog only after the failed read, and cancelling it leaves no project.
void TestTessella::damagedProjectShowsTheFailureBox_data() {
  QTest::addColumn<QString>("damage");
  QTest::addColumn<bool>("fails");
  QTest::addRow("project file without its keys") << "project" << true;
  QTest::addRow("image file missing") << "missing-image" << true;
  QTest::addRow("orientation file of garbage") << "garbage-orientation" << true;
  QTest::addRow("object file missing") << "missing-object" << true;
  // Records that make no sense are skipped with a warning; a file cut inside
  // a record is read up to the cut.
  QTest::addRow("image file of garbage") << "garbage-image" << false;
  QTest::addRow("object file of garbage") << "garbage-object" << false;
  QTest::addRow("observation file of garbage") << "garbage-observation" << false;
  QTest::addRow("image file cut inside a record") << "cut-image" << false;
  QTest::addRow("object file cut inside a record") << "cut-object" << false;
}

void TestTessella::damagedProjectShowsTheFailureBox() {
  QFETCH(QString, damage);
  QFETCH(bool, fails);
  QTemporaryDir dir;
  const QDir source = QFileInfo(exampleProject()).dir();
  for (const QString &name : source.entryList(QDir::Files)) QVERIFY(QFile::copy(source.filePath(name), dir.filePath(name)));
  auto rewrite = [&](const QString &name, const QByteArray &bytes) {
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  };
  auto cut = [&](const QString &name) {
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.resize(file.size() / 2 + 7));
  };
  if (damage == QLatin1String("project")) rewrite(QStringLiteral("block.(p)"), "PROJECT_NAME: block\r\n");
  if (damage == QLatin1String("missing-object")) QVERIFY(QFile::remove(dir.filePath(QStringLiteral("block.(o)"))));
  if (damage == QLatin1String("missing-image")) QVERIFY(QFile::remove(dir.filePath(QStringLiteral("block.(i)"))));
  if (damage == QLatin1String("cut-image")) cut(QStringLiteral("block.(i)"));
  if (damage == QLatin1String("garbage-image")) rewrite(QStringLiteral("block.(i)"), QByteArray(520, 'x'));
  if (damage == QLatin1String("garbage-object")) rewrite(QStringLiteral("block.(o)"), QByteArray(600, '\x01'));
  if (damage == QLatin1String("garbage-orientation")) rewrite(QStringLiteral("block.(e)"), QByteArray(333, '\x7f'));
  if (damage == QLatin1String("cut-object")) cut(QStringLiteral("block.(o)"));
  if (damage == QLatin1String("garbage-observation")) rewrite(QStringLiteral("block.(c)"), QByteArray(101, '#'));

  Ux::Cfg(QStringLiteral("Tessella")).writeEntry(QStringLiteral("Last project-file"), QStringLiteral("/earlier.(p)"));
  const QString damaged = dir.filePath(QStringLiteral("block.(p)"));
  MessageCapture capture;
  if (!fails) {
    answerFileDialog(damaged);
    mWindow->slotFileOpen();
    QVERIFY(mWindow->hasProject());
    QVERIFY(!capture.texts(Nub::MsgWarn).isEmpty());
    return;
  }
  QString boxTitle, boxText;
  int fileDialogs = 0;
  // The file dialog, then the failure box, then the file dialog once more.
  answerNext<QFileDialog>([&](QFileDialog *dialog) {
    ++fileDialogs;
    chooseFile(dialog, damaged);
    answerNext<QMessageBox>([&](QMessageBox *box) {
      boxTitle = box->windowTitle();
      boxText = box->text();
      QVERIFY(box->parentWidget() == nullptr);
      clickButton(box, QStringLiteral("&Open other"));
      answerNext<QFileDialog>([&](QFileDialog *again) {
        ++fileDialogs;
        static_cast<QDialog *>(again)->reject();
      });
    });
  });
  mWindow->slotFileOpen();
  QTRY_COMPARE(fileDialogs, 2);
  QCOMPARE(boxTitle, QStringLiteral("Tessella Version 1.0.5"));
  QVERIFY(!boxText.isEmpty());
  QVERIFY(!mWindow->hasProject());
  QVERIFY(mWindow->projectFile().isNull());
  QCOMPARE(mWindow->images().count(), 0);
  QCOMPARE(mWindow->objects().count(), 0);
  QCOMPARE(mWindow->imageListModel()->rowCount(), 0);
  QCOMPARE(Ux::Cfg(QStringLiteral("Tessella")).readString(QStringLiteral("Last project-file"), QString()),
           QStringLiteral("/earlier.(p)"));
  QVERIFY(capture.texts(Nub::MsgInfo).contains(QStringLiteral("Operation aborted by user")));
}

void TestTessella::exitDialogOutcomes_data() {
  QTest::addColumn<bool>("accept");
  QTest::addColumn<bool>("preferences");
  QTest::addColumn<bool>("positions");
  QTest::addColumn<bool>("saved");
  QTest::addRow("No keeps running") << false << true << true << false;
  QTest::addRow("Yes without saving") << true << false << true << false;
  QTest::addRow("Yes saving preferences") << true << true << false << true;
  QTest::addRow("Yes saving everything") << true << true << true << true;
}

void TestTessella::exitDialogOutcomes() {
  QFETCH(bool, accept);
  QFETCH(bool, preferences);
  QFETCH(bool, positions);
  QFETCH(bool, saved);
  const QString userCfg = Ux::App::getRep()->cfgFileUser();
  QFile::remove(userCfg);
  answerNextModal([=](QWidget *w) {
    auto *dialog = qobject_cast<PhExitDialog *>(w);
    QVERIFY(dialog);
    dialog->preferencesBox()->setChecked(true);
    dialog->positionsCheck()->setChecked(positions);
    dialog->preferencesBox()->setChecked(preferences);
    clickButton(w, accept ? QStringLiteral("Yes") : QStringLiteral("No"));
  });
  MessageCapture quiet;
  const bool closed = mWindow->close();
  QCOMPARE(closed, accept);
  QCOMPARE(mWindow->isVisible(), !accept);
  QCOMPARE(QFileInfo::exists(userCfg), saved);
}

void TestTessella::pointTypeKeysToggle() {
  QSignalSpy saved(mWindow.get(), &Tessella::sigWidgetsSaved);
  const Ux::Cfg points(QStringLiteral("Points"));
  QTest::keyClick(mWindow.get(), Qt::Key_N, Qt::ShiftModifier);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_0")), QVariant(1));
  QTest::keyClick(mWindow.get(), Qt::Key_N, Qt::ShiftModifier);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_0")), QVariant(0));
  QTest::keyClick(mWindow.get(), Qt::Key_N, Qt::ShiftModifier);
  QCOMPARE(points.readBool(QStringLiteral("PointOn_0"), false), true);
  QCOMPARE(saved.count(), 3);
  QTest::keyClick(mWindow.get(), Qt::Key_L, Qt::ShiftModifier);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_6")), QVariant(1));
  // Wrong modifiers do nothing.
  QTest::keyClick(mWindow.get(), Qt::Key_N, Qt::ShiftModifier | Qt::ControlModifier);
  QTest::keyClick(mWindow.get(), Qt::Key_N);
  QTest::keyClick(mWindow.get(), Qt::Key_1);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_0")), QVariant(1));
  QCOMPARE(saved.count(), 4);
}

void TestTessella::pointTypeKeysReachThroughTheLists_data() {
  QTest::addColumn<bool>("objectList");
  QTest::newRow("image list") << false;
  QTest::newRow("object list") << true;
}

void TestTessella::pointTypeKeysReachThroughTheLists() {
  QFETCH(bool, objectList);
  openExample();
  QTreeView *list = objectList ? mWindow->objectListView() : mWindow->imageListView();
  // The key goes to the list, as it does to the one that has the focus.
  QSignalSpy saved(mWindow.get(), &Tessella::sigWidgetsSaved);
  for (Qt::Key key : {Qt::Key_N, Qt::Key_V, Qt::Key_H, Qt::Key_F, Qt::Key_P, Qt::Key_O, Qt::Key_L})
    QTest::keyClick(list, key, Qt::ShiftModifier);
  for (int type = 0; type < 7; ++type)
    QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_%1").arg(type)), QVariant(1));
  QCOMPARE(saved.count(), 7);
  // Without Shift the letters still search the list.
  QTest::keyClick(list, Qt::Key_N);
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_0")), QVariant(1));
  QCOMPARE(saved.count(), 7);
}

void TestTessella::objectViewerKeysNeedAProject() {
  MessageCapture quiet;
  for (Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_3}) QTest::keyClick(mWindow.get(), key, Qt::ControlModifier);
  for (int plane = 0; plane < 3; ++plane) QVERIFY(!PhViewers::objectViewer(plane));

  // Opening a project afterwards gives viewers with the project's points.
  openExample();
  for (int plane = 0; plane < 3; ++plane) QVERIFY(PhViewers::objectViewer(plane));
  bool boxSeen = false, fileDialogSeen = false;
  answerNext<QMessageBox>([&](QMessageBox *box) {
    boxSeen = true;
    clickButton(box, QStringLiteral("&Open other"));
    answerNext<QFileDialog>([&](QFileDialog *dialog) {
      fileDialogSeen = true;
      static_cast<QDialog *>(dialog)->reject();
    });
  });
  mWindow->openProject(QStringLiteral("/no/such/project.(p)"));
  QVERIFY(boxSeen);
  QTRY_VERIFY(fileDialogSeen);
  QVERIFY(!mWindow->hasProject());
  for (Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_3}) QTest::keyClick(mWindow.get(), key, Qt::ControlModifier);
  for (int plane = 0; plane < 3; ++plane) QVERIFY(!PhViewers::objectViewer(plane));
}

void TestTessella::imageListKeepsItsSortWhenReopened() {
  openExample();
  QStringList listOrder;
  for (const PhImage *image : mWindow->images()) listOrder << QString::number(image->pointCount());
  QTreeView *images = mWindow->imageListView();
  images->header()->setSortIndicator(1, Qt::DescendingOrder);
  const QStringList sorted = column(mWindow->imageListModel(), 1);
  QVERIFY2(sorted != listOrder, "the example's images must not come sorted by their point counts");
  mWindow->openProject(exampleProject());
  QVERIFY(mWindow->hasProject());
  QCOMPARE(images->header()->sortIndicatorSection(), 1);
  QCOMPARE(column(mWindow->imageListModel(), 1), sorted);
}

// The observations alone missing: the box tells it, and the images and object
// points read before stay a project of their own.
void TestTessella::missingObservationFileKeepsTheProject() {
  QTemporaryDir dir;
  const QDir source = QFileInfo(exampleProject()).dir();
  for (const QString &name : source.entryList(QDir::Files)) QVERIFY(QFile::copy(source.filePath(name), dir.filePath(name)));
  QVERIFY(QFile::remove(dir.filePath(QStringLiteral("block.(c)"))));
  const QString project = dir.filePath(QStringLiteral("block.(p)"));
  MessageCapture capture;
  bool boxSeen = false, closeAsked = false;
  auto fileDialogShown = std::make_shared<bool>(false);
  answerNext<QMessageBox>([&](QMessageBox *box) {
    boxSeen = true;
    clickButton(box, QStringLiteral("&Open other"));
    // "Open other" asks before it closes what was read; without a project it
    // would go straight to the file dialog.
    answerNextModal([&closeAsked, fileDialogShown](QWidget *next) {
      if (auto *question = qobject_cast<QMessageBox *>(next)) {
        closeAsked = true;
        clickButton(question, QStringLiteral("&No"));
      } else if (auto *dialog = qobject_cast<QDialog *>(next)) {
        *fileDialogShown = qobject_cast<QFileDialog *>(next) != nullptr;
        dialog->reject();
      }
    });
  });
  mWindow->openProject(project);
  QVERIFY(boxSeen);
  QTRY_VERIFY(closeAsked || *fileDialogShown);
  QVERIFY(!*fileDialogShown);
  QVERIFY(mWindow->hasProject());
  QVERIFY(mWindow->images().count() > 0);
  QVERIFY(mWindow->objects().count() > 0);
  QCOMPARE(mWindow->imageListModel()->rowCount(), mWindow->images().count());
  for (const PhObjectPoint *point : mWindow->objects())
    QVERIFY(!point->hasObservedX() && !point->hasObservedY() && !point->hasObservedZ());
  for (int plane = 0; plane < 3; ++plane) QVERIFY(PhViewers::objectViewer(plane));
}

TESSELLA_PROGRAM_TEST_MAIN(TestTessella)

#include "tst_tessella.moc"
