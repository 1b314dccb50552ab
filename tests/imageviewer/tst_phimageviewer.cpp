// The image viewer window: its tool bars and menus, navigation with its
// enabled states, the image box, zoom controls, the selection request, the
// keys, the preferences it reads, its table and info pages, its window in a
// workspace, and the operations over all image viewers.

#include <QAction>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include "messagecapture.h"
#include "modalanswer.h"
#include "phballs.h"
#include "phimage.h"
#include "phimageinfoview.h"
#include "phimagelist.h"
#include "phimagetableview.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "tessellatest.h"
#include "uxcfg.h"
#include "viewtestutil.h"

namespace {

// Images with a few points each, the class-wide indexes fresh per test.
struct Images {
  PhImageList list;

  explicit Images(const QList<int> &ids) {
    PhImage::clearPointIndex();
    for (int id : ids) {
      auto *image = new PhImage;
      image->setImageId(id);
      image->setCameraId(7);
      image->setMinX(-20.0f);
      image->setMinY(-20.0f);
      image->setMaxX(20.0f);
      image->setMaxY(20.0f);
      image->setProjectionCentre(id, 1234.56789, -0.0004, 98765.4321, 0.1234f, 0.0f, 12.5f);
      image->addPoint(9, true, 9.5f, 1.0f, 0.001f, -0.002f, 1.5f);
      image->addPoint(10, false, 10.25f, 2.0f, 0.0125f, 0.5f, 2.0f);
      image->addPoint(100, true, -3.0f, -4.0f, -0.25f, 0.003f, 0.5f);
      image->addPoint(2, true, 1.0f, 3.0f, 0.0f, 0.0f, 1.0f);
      list.append(image);
    }
  }
  ~Images() {
    PhImageViewer::deleteAllViewers();
    list.clear();
    PhImage::clearPointIndex();
  }
};

QStringList columnTexts(const QTreeWidget *table, int column) {
  QStringList result;
  for (int row = 0; row < table->topLevelItemCount(); ++row) result << table->topLevelItem(row)->text(column);
  return result;
}

// Shows the viewer as the active window with the keyboard in its graphic.
bool focusViewer(PhImageViewer *viewer) {
  viewer->resize(800, 600);
  viewer->show();
  if (!QTest::qWaitForWindowActive(viewer)) return false;
  viewer->imageView()->setFocus();
  QApplication::processEvents();
  return viewer->imageView()->hasFocus();
}

using ViewTest::actionNamed;
using ViewTest::texts;

}  // namespace

class TestPhImageViewer : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qRegisterMetaType<PhImage *>(); }
  void init() { TessellaTest::beginTest(); }
  void cleanup() {
    TessellaTest::endTest();
    QVERIFY(PhImageViewer::viewers().isEmpty());
  }

  void barsMenusAndPagesInOrder();
  void withoutImagesTheControlsAreDisabled();
  void navigation_data();
  void navigation();
  void unknownImageShowsTheFirst();
  void imageBoxAndTextRequests();
  void showingAnImageFillsEveryPage();
  void tableSortsNumerically_data();
  void tableSortsNumerically();
  void tableRowsCarryBalls();
  void infoPageFormats();
  void zoomControlsFollowTheZoom_data();
  void zoomControlsFollowTheZoom();
  void zoomActionsReachTheView();
  void selectionRequestFollowsTheImage();
  void keysToggleTheView_data();
  void keysToggleTheView();
  void sKeyAsksForAnImage_data();
  void sKeyAsksForAnImage();
  void preferenceDefaults();
  void preferencesReadEveryKey();
  void repaintOnlyWhenAsked();
  void viewerLivesInAWorkspaceWindow();
  void operationsOverAllViewers();
};

void TestPhImageViewer::barsMenusAndPagesInOrder() {
  Images images({1, 2});
  PhImageViewer viewer(&images.list, nullptr, 1);
  QStringList bars;
  for (QToolBar *bar : viewer.findChildren<QToolBar *>()) {
    bars << bar->windowTitle();
    QCOMPARE(viewer.toolBarArea(bar), Qt::TopToolBarArea);
  }
  QCOMPARE(bars, (QStringList{"File", "Navigation", "Zooming", "Extras"}));
  QList<QMenu *> menus;
  for (QAction *action : viewer.menuBar()->actions()) menus << action->menu();
  QCOMPARE(texts(viewer.menuBar()->actions()), (QStringList{"&File", "&Navigation", "&Zooming", "&Extras", "&Colours"}));
  // The Close of the file bar, after the view's picture and print.
  QCOMPARE(texts(menus[0]->actions()), (QStringList{"&Export View...", "&Print...", "-", "&Close"}));
  QCOMPARE(texts(menus[1]->actions()),
           (QStringList{"Show first image", "Previous image", "Next image", "Show last image"}));
  QCOMPARE(texts(menus[2]->actions()),
           (QStringList{"Zoom &in", "Zoom &out", "Zoom to &Fit", "Open Fitted", "&Fixed Zoom"}));
  QMenu *fixed = menus[2]->actions().last()->menu();
  QCOMPARE(texts(fixed->actions()), (QStringList{"400 %", "200 %", "100 %", "75 %", "50 %", "25 %"}));
  QCOMPARE(fixed->actions().at(2)->shortcut(), QKeySequence(Qt::Key_F3));
  QVERIFY(!fixed->actions().at(2)->icon().isNull());
  QCOMPARE(texts(menus[3]->actions()), (QStringList{"Zoom Mode", "Scroll Mode", "-",
                                                    "Select Points in Object Viewers...", "-", "&Preferences..."}));
  // The keys of the actions.
  const QList<QPair<QString, QKeySequence>> keys = {
      {"Show first image", QKeySequence(Qt::Key_Home)},  {"Previous image", QKeySequence(Qt::Key_PageUp)},
      {"Next image", QKeySequence(Qt::Key_PageDown)},    {"Show last image", QKeySequence(Qt::Key_End)},
      {"Zoom &in", QKeySequence(Qt::Key_Plus)},          {"Zoom &out", QKeySequence(Qt::Key_Minus)},
      {"Select Points in Object Viewers...", QKeySequence(Qt::Key_F9)}};
  for (const auto &key : keys) QCOMPARE(actionNamed(&viewer, key.first)->shortcut(), key.second);
  QVERIFY(actionNamed(&viewer, QStringLiteral("Zoom Mode"))->isChecked());
  QVERIFY(!actionNamed(&viewer, QStringLiteral("Scroll Mode"))->isChecked());

  // The navigation bar holds the image box between previous and next.
  auto *navigation = viewer.findChildren<QToolBar *>().at(1);
  QCOMPARE(navigation->widgetForAction(navigation->actions().at(2)), viewer.imageComboBox());
  auto *zooming = viewer.findChildren<QToolBar *>().at(2);
  QCOMPARE(zooming->widgetForAction(zooming->actions().at(1)), viewer.zoomSpinBox());
  QCOMPARE(viewer.zoomSpinBox()->minimum(), 10);
  QCOMPARE(viewer.zoomSpinBox()->maximum(), 100000000);
  QCOMPARE(viewer.zoomSpinBox()->suffix(), QStringLiteral(" %"));

  QCOMPARE(viewer.tabs()->count(), 3);
  QCOMPARE(viewer.tabs()->tabText(0), QStringLiteral("&Graphical View"));
  QCOMPARE(viewer.tabs()->tabText(1), QStringLiteral("&Table View"));
  QCOMPARE(viewer.tabs()->tabText(2), QStringLiteral("&Info View"));
  QCOMPARE(viewer.tabs()->widget(0), static_cast<QWidget *>(viewer.imageView()));
  QVERIFY(viewer.whatsThis().startsWith(QStringLiteral("The <font color=\"#0000ff\">Image Viewer</font> allows")));
  QVERIFY(viewer.whatsThis().contains(QStringLiteral("<b>Table View:</b>")));
  QVERIFY(!viewer.windowIcon().isNull());
  QCOMPARE(viewer.imageView()->mode(), int(PhZoomView::MODE_Zoom));
  QVERIFY(viewer.testAttribute(Qt::WA_DeleteOnClose));
}

void TestPhImageViewer::withoutImagesTheControlsAreDisabled() {
  auto *viewer = new PhImageViewer(nullptr);
  QPointer<PhImageViewer> guard(viewer);
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Image Viewer"));
  QCOMPARE(viewer->currentImageId(), -1);
  QVERIFY(!viewer->hasImage());
  for (const char *text : {"Show first image", "Previous image", "Next image", "Show last image", "Zoom &in",
                           "Zoom &out", "400 %", "100 %", "25 %"})
    QVERIFY2(!actionNamed(viewer, QString::fromLatin1(text))->isEnabled(), text);
  QVERIFY(!viewer->zoomSpinBox()->isEnabled());
  QVERIFY(!viewer->imageComboBox()->isEnabled());
  QCOMPARE(viewer->imageComboBox()->count(), 0);
  // Toggles without an image change nothing that shows.
  viewer->imageView()->slotZoom(200);
  QCOMPARE(viewer->imageView()->zoom(), 100);

  // An empty list is the same.
  PhImageList empty;
  QVERIFY(!viewer->setImageList(&empty, 3));
  QVERIFY(!viewer->imageComboBox()->isEnabled());
  delete viewer;
  QVERIFY(guard.isNull());
}

void TestPhImageViewer::navigation_data() {
  QTest::addColumn<QList<int>>("ids");
  QTest::addColumn<int>("start");
  QTest::addColumn<QString>("steps");
  QTest::addColumn<int>("current");
  // first, previous, next, last
  QTest::addColumn<QString>("enabled");
  QTest::addRow("at the first image") << QList<int>{10, 11, 12} << 10 << "" << 10 << "0011";
  QTest::addRow("in the middle") << QList<int>{10, 11, 12} << 10 << "next" << 11 << "1111";
  QTest::addRow("at the last image") << QList<int>{10, 11, 12} << 10 << "last" << 12 << "1100";
  QTest::addRow("next at the end stays") << QList<int>{10, 11, 12} << 12 << "next,last" << 12 << "1100";
  QTest::addRow("previous at the start stays") << QList<int>{10, 11, 12} << 10 << "prev,first" << 10 << "0011";
  QTest::addRow("back and forth") << QList<int>{10, 11, 12} << 12 << "first,next,next,prev" << 11 << "1111";
  QTest::addRow("single image") << QList<int>{5} << 5 << "next,prev" << 5 << "0000";
  QTest::addRow("list order, not ID order") << QList<int>{30, 20, 10} << 20 << "next" << 10 << "1100";
  QTest::addRow("keys") << QList<int>{10, 11, 12, 13} << 10 << "PgDown,PgDown,PgUp,End,Home,PgDown" << 11 << "1111";
}

void TestPhImageViewer::navigation() {
  QFETCH(QList<int>, ids);
  QFETCH(int, start);
  QFETCH(QString, steps);
  QFETCH(int, current);
  QFETCH(QString, enabled);
  Images images(ids);
  PhImageViewer viewer(&images.list, nullptr, start);
  if (steps.contains(QLatin1String("Pg")) || steps.contains(QLatin1String("Home"))) QVERIFY(focusViewer(&viewer));
  const QMap<QString, Qt::Key> keys = {
      {"PgDown", Qt::Key_PageDown}, {"PgUp", Qt::Key_PageUp}, {"Home", Qt::Key_Home}, {"End", Qt::Key_End}};
  for (const QString &step : steps.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    if (step == QLatin1String("first")) viewer.slotNavFirst();
    if (step == QLatin1String("prev")) viewer.slotNavPrev();
    if (step == QLatin1String("next")) viewer.slotNavNext();
    if (step == QLatin1String("last")) viewer.slotNavLast();
    if (keys.contains(step)) QTest::keyClick(viewer.imageView(), keys.value(step));
  }
  QCOMPARE(viewer.currentImageId(), current);
  QString states;
  for (const char *text : {"Show first image", "Previous image", "Next image", "Show last image"})
    states += actionNamed(&viewer, QString::fromLatin1(text))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
  QCOMPARE(states, enabled);
  QStringList listed;
  for (int id : ids) listed << QString::number(id);
  QCOMPARE(QStringList([&] {
             QStringList items;
             for (int i = 0; i < viewer.imageComboBox()->count(); ++i) items << viewer.imageComboBox()->itemText(i);
             return items;
           }()),
           listed);
  QCOMPARE(viewer.imageComboBox()->currentText(), QString::number(current));
  QVERIFY(viewer.imageComboBox()->isEnabled());
  QCOMPARE(viewer.windowTitle(), QStringLiteral("Image Viewer: %1").arg(current));
}

void TestPhImageViewer::unknownImageShowsTheFirst() {
  Images images({10, 11, 12});
  PhImageViewer viewer(&images.list, nullptr, 999);
  QCOMPARE(viewer.currentImageId(), 10);
  bool found = true;
  QVERIFY(viewer.setImageList(&images.list, 4711, &found));
  QVERIFY(!found);
  QCOMPARE(viewer.currentImageId(), 10);
  QVERIFY(viewer.setImageList(&images.list, 12, &found));
  QVERIFY(found);
  QCOMPARE(viewer.currentImageId(), 12);
  viewer.slotSetImage(4711);
  QCOMPARE(viewer.currentImageId(), 10);
  // Without a list nothing is shown any more.
  QVERIFY(!viewer.setImageList(nullptr, 10));
  QVERIFY(!viewer.hasImage());
  QVERIFY(!viewer.imageView()->hasImage());
  QCOMPARE(viewer.tableView()->topLevelItemCount(), 0);
}

void TestPhImageViewer::imageBoxAndTextRequests() {
  Images images({10, 11, 12});
  PhImageViewer viewer(&images.list, nullptr, 10);
  MessageCapture capture;
  emit viewer.imageComboBox()->textActivated(QStringLiteral("12"));
  QCOMPARE(viewer.currentImageId(), 12);
  QCOMPARE(viewer.imageComboBox()->currentText(), QStringLiteral("12"));
  viewer.slotSetImage(QString());
  viewer.slotSetImage(QStringLiteral("eleven"));
  QCOMPARE(viewer.currentImageId(), 12);
  QCOMPARE(capture.texts(Nub::MsgWarn), QStringList{"Can't decode number of image from 'eleven'!"});
  viewer.slotSetImage(QStringLiteral("11"));
  QCOMPARE(viewer.currentImageId(), 11);
}

void TestPhImageViewer::showingAnImageFillsEveryPage() {
  Images images({10, 11});
  PhImageViewer viewer(&images.list, nullptr, 11);
  PhImage *image = images.list.at(1);
  QCOMPARE(viewer.currentImage(), image);
  QCOMPARE(viewer.imageView()->image(), image);
  QCOMPARE(viewer.windowTitle(), QStringLiteral("Image Viewer: 11"));
  QCOMPARE(viewer.statusLabel(0)->text(), QStringLiteral("Image ID: 11 "));
  QCOMPARE(viewer.statusLabel(1)->text(), QStringLiteral("Camera ID: 7 "));
  QCOMPARE(viewer.statusLabel(2)->text(), QStringLiteral("# Coords: 4 "));
  QCOMPARE(viewer.tableView()->topLevelItemCount(), 4);
  QCOMPARE(viewer.infoView()->value(0)->text(), QStringLiteral("11"));
  viewer.slotNavPrev();
  QCOMPARE(viewer.imageView()->image(), images.list.at(0));
  QCOMPARE(viewer.infoView()->value(0)->text(), QStringLiteral("10"));
  QCOMPARE(viewer.statusLabel(0)->text(), QStringLiteral("Image ID: 10 "));
}

void TestPhImageViewer::tableSortsNumerically_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<Qt::SortOrder>("order");
  QTest::addColumn<QStringList>("ids");
  QTest::addRow("PointID as integers") << 0 << Qt::AscendingOrder << QStringList{"2", "9", "10", "100"};
  QTest::addRow("PointID descending") << 0 << Qt::DescendingOrder << QStringList{"100", "10", "9", "2"};
  QTest::addRow("Coord X as numbers") << 1 << Qt::AscendingOrder << QStringList{"100", "2", "9", "10"};
  QTest::addRow("Residual Y as numbers") << 4 << Qt::AscendingOrder << QStringList{"9", "2", "100", "10"};
  QTest::addRow("Weight as numbers") << 5 << Qt::AscendingOrder << QStringList{"100", "2", "9", "10"};
  // " false" before " true", as text.
  QTest::addRow("Adjust Status as text") << 6 << Qt::AscendingOrder << QStringList{"10", "9", "100", "2"};
}

void TestPhImageViewer::tableSortsNumerically() {
  QFETCH(int, column);
  QFETCH(Qt::SortOrder, order);
  QFETCH(QStringList, ids);
  Images images({1});
  PhImageTableView table;
  table.fill(images.list.at(0));
  table.sortByColumn(column, order);
  if (column == 6) {
    // Equal texts keep no defined order; compare the statuses and the set.
    QStringList statuses = columnTexts(&table, 6);
    QCOMPARE(statuses, (QStringList{" false", " true", " true", " true"}));
    QCOMPARE(columnTexts(&table, 0).first(), ids.first());
    return;
  }
  QCOMPARE(columnTexts(&table, 0), ids);
}

void TestPhImageViewer::tableRowsCarryBalls() {
  Images images({1});
  PhImageTableView table;
  QCOMPARE(table.columnCount(), 7);
  QStringList headers;
  for (int column = 0; column < 7; ++column) headers << table.headerItem()->text(column);
  QCOMPARE(headers, (QStringList{"PointID", "Coord X", "Coord Y", "Residual X", "Residual Y", "Weight",
                                 "Adjust Status"}));
  QCOMPARE(table.selectionMode(), QAbstractItemView::SingleSelection);
  QVERIFY(table.allColumnsShowFocus());
  QVERIFY(table.isSortingEnabled());
  table.fill(images.list.at(0));
  table.sortByColumn(0, Qt::AscendingOrder);
  // Point 10: eliminated.
  QTreeWidgetItem *row = table.topLevelItem(2);
  QCOMPARE(row->text(0), QStringLiteral("10"));
  QCOMPARE(row->text(1), QStringLiteral("10.250"));
  QCOMPARE(row->text(2), QStringLiteral("2.000"));
  QCOMPARE(row->text(3), QStringLiteral("0.013"));
  QCOMPARE(row->text(4), QStringLiteral("0.500"));
  QCOMPARE(row->text(5), QStringLiteral("2.000"));
  QCOMPARE(row->text(6), QStringLiteral(" false"));
  QVERIFY(phRedBall() && phGreenBall());
  QCOMPARE(row->icon(6).pixmap(14, 14).toImage(), phRedBall()->toImage());
  QCOMPARE(table.topLevelItem(0)->text(6), QStringLiteral(" true"));
  QCOMPARE(table.topLevelItem(0)->icon(6).pixmap(14, 14).toImage(), phGreenBall()->toImage());
  QCOMPARE(table.topLevelItem(3)->text(1), QStringLiteral("-3.000"));
  QVERIFY(table.topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
  QVERIFY(table.topLevelItem(0)->textAlignment(6) & Qt::AlignHCenter);
  // Refilling replaces the rows.
  table.fill(images.list.at(0));
  QCOMPARE(table.topLevelItemCount(), 4);
  table.fill(nullptr);
  QCOMPARE(table.topLevelItemCount(), 0);
}

void TestPhImageViewer::infoPageFormats() {
  Images images({4711});
  PhImageInfoView info;
  info.fill(images.list.at(0));
  const QStringList expected = {"4711", "7", "4", "1234.568", "-0.000", "98765.432", "0.123", "0.000", "12.500"};
  for (int i = 0; i < expected.size(); ++i) {
    QCOMPARE(info.value(i)->text(), expected.at(i));
    QCOMPARE(info.value(i)->frameStyle(), int(QFrame::Panel | QFrame::Sunken));
    QCOMPARE(info.value(i)->lineWidth(), 2);
    QCOMPARE(info.value(i)->width(), info.value(i)->sizeHint().width());
  }
  QStringList captions;
  for (QLabel *label : info.findChildren<QLabel *>())
    if (label->frameShape() == QFrame::NoFrame) captions << label->text();
  QCOMPARE(captions, (QStringList{"Image ID:", "Camera ID:", "# Coords:", "Projection Centre:", "X: ", "± ", "Y: ",
                                  "± ", "Z: ", "± "}));
  info.fill(nullptr);
  QCOMPARE(info.value(0)->text(), QString());
}

void TestPhImageViewer::zoomControlsFollowTheZoom_data() {
  QTest::addColumn<int>("zoom");
  QTest::addColumn<bool>("in");
  QTest::addColumn<bool>("out");
  QTest::addRow("at one hundred percent") << 100 << true << true;
  QTest::addRow("at the lower limit") << 10 << true << false;
  QTest::addRow("just above it") << 11 << true << true;
  QTest::addRow("at the upper limit") << 100000000 << false << true;
}

void TestPhImageViewer::zoomControlsFollowTheZoom() {
  QFETCH(int, zoom);
  QFETCH(bool, in);
  QFETCH(bool, out);
  Images images({1});
  PhImageViewer viewer(&images.list, nullptr, 1);
  viewer.imageView()->slotZoom(zoom);
  QCOMPARE(viewer.imageView()->zoom(), zoom);
  QCOMPARE(viewer.zoomSpinBox()->value(), zoom);
  QCOMPARE(actionNamed(&viewer, QStringLiteral("Zoom &in"))->isEnabled(), in);
  QCOMPARE(actionNamed(&viewer, QStringLiteral("Zoom &out"))->isEnabled(), out);
  QVERIFY(actionNamed(&viewer, QStringLiteral("75 %"))->isEnabled());
  QVERIFY(viewer.zoomSpinBox()->isEnabled());
}

void TestPhImageViewer::zoomActionsReachTheView() {
  Images images({1});
  PhImageViewer viewer(&images.list, nullptr, 1);
  PhImageView *view = viewer.imageView();
  actionNamed(&viewer, QStringLiteral("Zoom &in"))->trigger();
  QCOMPARE(view->zoom(), 110);
  actionNamed(&viewer, QStringLiteral("Zoom &out"))->trigger();
  actionNamed(&viewer, QStringLiteral("Zoom &out"))->trigger();
  QCOMPARE(view->zoom(), 90);
  actionNamed(&viewer, QStringLiteral("400 %"))->trigger();
  QCOMPARE(view->zoom(), 400);
  QCOMPARE(viewer.zoomSpinBox()->value(), 400);
  viewer.zoomSpinBox()->setValue(250);
  QCOMPARE(view->zoom(), 250);
  // The keys, from the keyboard in the graphic.
  QVERIFY(focusViewer(&viewer));
  QTest::keyClick(view, Qt::Key_F3);
  QCOMPARE(view->zoom(), 100);
  QTest::keyClick(view, Qt::Key_Plus);
  QCOMPARE(view->zoom(), 110);
  QTest::keyClick(view, Qt::Key_Minus);
  QCOMPARE(view->zoom(), 100);
  // The modes.
  actionNamed(&viewer, QStringLiteral("Scroll Mode"))->trigger();
  QCOMPARE(view->mode(), int(PhZoomView::MODE_Scroll));
  QVERIFY(!actionNamed(&viewer, QStringLiteral("Zoom Mode"))->isChecked());
  actionNamed(&viewer, QStringLiteral("Zoom Mode"))->trigger();
  QCOMPARE(view->mode(), int(PhZoomView::MODE_Zoom));
}

void TestPhImageViewer::selectionRequestFollowsTheImage() {
  Images images({10, 11, 12});
  PhImageViewer viewer(&images.list, nullptr, 10);
  QSignalSpy requests(&viewer, &PhImageViewer::sigRequestSelection);
  QSignalSpy preferences(&viewer, &PhImageViewer::sigRequestImagePreferences);
  viewer.slotNavNext();
  QCOMPARE(requests.count(), 0);
  QAction *select = actionNamed(&viewer, QStringLiteral("Select Points in Object Viewers..."));
  QVERIFY(select->isCheckable());
  select->trigger();
  QCOMPARE(requests.count(), 1);
  QCOMPARE(requests.at(0).at(0).value<PhImage *>(), images.list.at(1));
  viewer.slotNavNext();
  viewer.slotSetImage(10);
  QCOMPARE(requests.count(), 3);
  QCOMPARE(requests.at(1).at(0).value<PhImage *>(), images.list.at(2));
  QCOMPARE(requests.at(2).at(0).value<PhImage *>(), images.list.at(0));
  // Asking for the image already shown shows it again.
  viewer.slotNavFirst();
  QCOMPARE(requests.count(), 3);
  // F9 switches it off again.
  QVERIFY(focusViewer(&viewer));
  QTest::keyClick(viewer.imageView(), Qt::Key_F9);
  QVERIFY(!select->isChecked());
  viewer.slotNavLast();
  QCOMPARE(requests.count(), 3);
  actionNamed(&viewer, QStringLiteral("&Preferences..."))->trigger();
  QCOMPARE(preferences.count(), 1);
}

void TestPhImageViewer::keysToggleTheView_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
  QTest::addColumn<QString>("changes");
  QTest::addRow("B") << int(Qt::Key_B) << Qt::KeyboardModifiers() << "blunders";
  QTest::addRow("L") << int(Qt::Key_L) << Qt::KeyboardModifiers() << "links";
  QTest::addRow("P") << int(Qt::Key_P) << Qt::KeyboardModifiers() << "ids";
  QTest::addRow("R") << int(Qt::Key_R) << Qt::KeyboardModifiers() << "graphical";
  QTest::addRow("Shift+R") << int(Qt::Key_R) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "textual";
  QTest::addRow("Control+R") << int(Qt::Key_R) << Qt::KeyboardModifiers(Qt::ControlModifier) << "graphical";
  QTest::addRow("Shift+Control+R") << int(Qt::Key_R) << (Qt::ShiftModifier | Qt::ControlModifier) << "graphical";
  QTest::addRow("Shift+B is left to the parent") << int(Qt::Key_B) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                                 << "";
  QTest::addRow("Control+P is left to the parent") << int(Qt::Key_P)
                                                   << Qt::KeyboardModifiers(Qt::ControlModifier) << "";
  QTest::addRow("Shift+L is left to the parent") << int(Qt::Key_L) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                                 << "";
  QTest::addRow("Alt+S is left to the parent") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::AltModifier) << "";
  QTest::addRow("X is not a key of the viewer") << int(Qt::Key_X) << Qt::KeyboardModifiers() << "";
}

void TestPhImageViewer::keysToggleTheView() {
  QFETCH(int, key);
  QFETCH(Qt::KeyboardModifiers, modifiers);
  QFETCH(QString, changes);
  Images images({1});
  PhImageViewer viewer(&images.list, nullptr, 1);
  PhImageView *view = viewer.imageView();
  auto state = [view]() {
    return QStringList{view->hasBlundersOn() ? "blunders" : "", view->hasLinkCountOn() ? "links" : "",
                       view->hasPointIdsOn() ? "ids" : "", view->hasResidualsOn(VM_Graphical) ? "graphical" : "",
                       view->hasResidualsOn(VM_Textual) ? "textual" : ""}
        .join(QString());
  };
  QCOMPARE(state(), QString());
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&viewer, &press);
  QCOMPARE(state(), changes);
  // What the viewer leaves alone goes on to its parent.
  QCOMPARE(press.isAccepted(), !changes.isEmpty());
}

void TestPhImageViewer::sKeyAsksForAnImage_data() {
  QTest::addColumn<int>("answer");  // -1 cancels
  QTest::addColumn<int>("current");
  QTest::addColumn<QString>("warning");
  QTest::addRow("an image of the list") << 14 << 14 << "";
  QTest::addRow("a number between them") << 11 << 12 << "The specified image with ID '11' does not exist!";
  QTest::addRow("cancelled") << -1 << 12 << "";
}

void TestPhImageViewer::sKeyAsksForAnImage() {
  QFETCH(int, answer);
  QFETCH(int, current);
  QFETCH(QString, warning);
  Images images({10, 12, 14});
  PhImageViewer viewer(&images.list, nullptr, 12);
  QVERIFY(focusViewer(&viewer));
  MessageCapture capture;
  QString title, label;
  int minimum = 0, maximum = 0, start = 0;
  answerNext<QInputDialog>([&](QInputDialog *dialog) {
    title = dialog->windowTitle();
    label = dialog->labelText();
    minimum = dialog->intMinimum();
    maximum = dialog->intMaximum();
    start = dialog->intValue();
    if (answer < 0) {
      dialog->reject();
      return;
    }
    dialog->setIntValue(answer);
    dialog->accept();
  });
  QTest::keyClick(viewer.imageView(), Qt::Key_S);
  QCOMPARE(title, QStringLiteral("Input Number of Image"));
  QCOMPARE(label, QStringLiteral("Number of Image:"));
  QCOMPARE(minimum, 10);
  QCOMPARE(maximum, 14);
  QCOMPARE(start, 12);
  QCOMPARE(viewer.currentImageId(), current);
  QCOMPARE(capture.texts(Nub::MsgWarn), warning.isEmpty() ? QStringList() : QStringList{warning});
}

void TestPhImageViewer::preferenceDefaults() {
  Images images({1});
  PhImageViewer viewer(&images.list, nullptr, 1);
  PhImageView *view = viewer.imageView();
  ViewTest::verifySharedDefaults(*view);
  QCOMPARE(view->largestResidualColor(), QColor(Qt::red));
  QCOMPARE(view->largestResidualSize(), 2);
  QVERIFY(!view->hasPointIdsOn());
}

void TestPhImageViewer::preferencesReadEveryKey() {
  Images images({1});
  PhImageViewer viewer(&images.list, nullptr, 1);
  Ux::Cfg cfg(QStringLiteral("ImageViewer"));
  const QFont font(QStringLiteral("DejaVu Serif"), 13);
  cfg.writeEntry(QStringLiteral("BG_Color"), QColor(Qt::darkCyan));
  cfg.writeEntry(QStringLiteral("TextFont"), font);
  cfg.writeEntry(QStringLiteral("LargestResidualColor"), QColor(Qt::green));
  cfg.writeEntry(QStringLiteral("LargestResidualSize"), 5);
  cfg.writeEntry(QStringLiteral("PointIdsOn"), 1);
  cfg.writeEntry(QStringLiteral("BlundersOn"), 1);
  cfg.writeEntry(QStringLiteral("Scale"), 250);
  cfg.beginGroup(QStringLiteral("Points"));
  cfg.writeEntry(QStringLiteral("PointOn_3"), 0);
  cfg.writeEntry(QStringLiteral("PointSymbol_3"), 2);
  cfg.writeEntry(QStringLiteral("PointColor_3"), QColor(Qt::magenta));
  cfg.writeEntry(QStringLiteral("PointSize_3"), 12);
  cfg.writeEntry(QStringLiteral("PointSymbol_6"), 1);
  cfg.writeEntry(QStringLiteral("BlunderColor"), QColor(Qt::blue));
  cfg.writeEntry(QStringLiteral("BlunderSize"), 4);
  viewer.applyPrefs(false);
  PhImageView *view = viewer.imageView();
  QCOMPARE(view->backgroundColor(), QColor(Qt::darkCyan));
  QCOMPARE(view->textFont().family(), font.family());
  QCOMPARE(view->textFont().pointSize(), 13);
  QCOMPARE(view->largestResidualColor(), QColor(Qt::green));
  QCOMPARE(view->largestResidualSize(), 5);
  QVERIFY(view->hasPointIdsOn());
  QVERIFY(view->hasBlundersOn());
  QCOMPARE(view->residualScale(), 250.0f);
  QVERIFY(!view->pointOn(3));
  QCOMPARE(view->pointSymbol(3), 2);
  QCOMPARE(view->pointColor(3), QColor(Qt::magenta));
  QCOMPARE(view->pointSize(3), 12);
  QCOMPARE(view->pointSymbol(6), 1);
  QVERIFY(view->pointOn(2));
  QCOMPARE(view->blunderColor(), QColor(Qt::blue));
  QCOMPARE(view->blunderSize(), 4);
  // The switches that are not preferences stay as they are.
  view->slotToggleResiduals(VM_Graphical);
  view->slotToggleShowLinkCount();
  viewer.applyPrefs(true);
  QVERIFY(view->hasResidualsOn(VM_Graphical));
  QVERIFY(view->hasLinkCountOn());
}

void TestPhImageViewer::repaintOnlyWhenAsked() {
  Images images({1});
  PhImageViewer viewer(&images.list, nullptr, 1);
  QVERIFY(focusViewer(&viewer));
  PhImageView *view = viewer.imageView();
  // A pixel of the margin shows the background.
  QTRY_COMPARE(ViewTest::at(ViewTest::screen(view), view, 5, 5), QColor(Qt::white));
  Ux::Cfg(QStringLiteral("ImageViewer")).writeEntry(QStringLiteral("BG_Color"), QColor(Qt::blue));
  viewer.applyPrefs(false);
  QTest::qWait(50);
  QCOMPARE(ViewTest::at(ViewTest::screen(view), view, 5, 5), QColor(Qt::white));
  viewer.applyPrefs(true);
  QTRY_COMPARE(ViewTest::at(ViewTest::screen(view), view, 5, 5), QColor(Qt::blue));
}

void TestPhImageViewer::viewerLivesInAWorkspaceWindow() {
  Images images({1, 2});
  QMdiArea area;
  area.resize(900, 700);
  area.show();
  QVERIFY(QTest::qWaitForWindowExposed(&area));
  QPointer<PhImageViewer> viewer = new PhImageViewer(&images.list, &area, 2);
  auto *frame = qobject_cast<QMdiSubWindow *>(viewer->frame());
  QVERIFY(frame);
  QCOMPARE(frame->widget(), static_cast<QWidget *>(viewer.data()));
  QCOMPARE(area.subWindowList(), QList<QMdiSubWindow *>{frame});
  viewer->show();
  QTRY_VERIFY(frame->isVisible());
  QCOMPARE(frame->windowTitle(), QStringLiteral("Image Viewer: 2"));
  QVERIFY(!frame->windowIcon().isNull());
  QCOMPARE(PhImageViewer::viewers(), QList<PhImageViewer *>{viewer.data()});

  // "&Close" takes the viewer and its window away.
  QPointer<QMdiSubWindow> frameGuard(frame);
  actionNamed(viewer, QStringLiteral("&Close"))->trigger();
  QTRY_VERIFY(viewer.isNull());
  QTRY_VERIFY(frameGuard.isNull());
  QVERIFY(PhImageViewer::viewers().isEmpty());
  QVERIFY(area.subWindowList().isEmpty());

  // So does closing the window, and a viewer deleted on its own leaves no empty window.
  viewer = new PhImageViewer(&images.list, &area, 1);
  frameGuard = qobject_cast<QMdiSubWindow *>(viewer->frame());
  frameGuard->close();
  QTRY_VERIFY(viewer.isNull());
  QTRY_VERIFY(frameGuard.isNull());
  viewer = new PhImageViewer(&images.list, &area, 1);
  frameGuard = qobject_cast<QMdiSubWindow *>(viewer->frame());
  delete viewer;
  QTRY_VERIFY(frameGuard.isNull());
  QVERIFY(PhImageViewer::viewers().isEmpty());
}

void TestPhImageViewer::operationsOverAllViewers() {
  Images images({1, 2, 3});
  QMdiArea area;
  area.resize(1000, 800);
  area.show();
  QVERIFY(QTest::qWaitForWindowExposed(&area));
  Ux::Cfg cfg(QStringLiteral("ImageViewer"));
  // With none open the count is written as 0.
  PhImageViewer::saveViewerPlacements();
  QCOMPARE(Ux::Cfg::value(QStringLiteral("ImageViewer/#Viewer")), QVariant(0));

  QList<PhImageViewer *> viewers;
  for (int id : {3, 1, 2}) {
    viewers << new PhImageViewer(&images.list, &area, id);
    viewers.last()->show();
    viewers.last()->frame()->setGeometry(10 * id, 20 * id, 400 + id, 300 + id);
  }
  QCOMPARE(PhImageViewer::viewers(), viewers);

  cfg.writeEntry(QStringLiteral("BlundersOn"), 1);
  PhImageViewer::applyPrefsToAll();
  for (PhImageViewer *viewer : viewers) QVERIFY(viewer->imageView()->hasBlundersOn());

  PhImageViewer::hideInterfaces(true);
  for (PhImageViewer *viewer : viewers) {
    for (QToolBar *bar : viewer->findChildren<QToolBar *>()) QVERIFY(bar->isHidden());
    QVERIFY(viewer->statusBar()->isHidden());
    QVERIFY(!viewer->menuBar()->isHidden());
  }
  PhImageViewer::hideInterfaces(false);
  for (PhImageViewer *viewer : viewers) {
    for (QToolBar *bar : viewer->findChildren<QToolBar *>()) QVERIFY(!bar->isHidden());
    QVERIFY(!viewer->statusBar()->isHidden());
  }

  PhImageViewer::saveViewerPlacements();
  QCOMPARE(Ux::Cfg::value(QStringLiteral("ImageViewer/#Viewer")), QVariant(3));
  for (int i = 0; i < 3; ++i) {
    QCOMPARE(cfg.readRect(QStringLiteral("Geometry_%1").arg(i), QRect()), viewers.at(i)->frame()->geometry());
    QMainWindow probe;
    for (const char *name : {"File", "Navigation", "Zooming", "Extras"}) {
      auto *bar = new QToolBar(QString::fromLatin1(name), &probe);
      bar->setObjectName(QString::fromLatin1(name));
      probe.addToolBar(bar);
    }
    QVERIFY(cfg.readMainWindow(QStringLiteral("Viewer_%1").arg(i), probe));
  }
  QCOMPARE(cfg.readRect(QStringLiteral("Geometry_0"), QRect()), QRect(30, 60, 403, 303));

  QList<QPointer<QWidget>> frames;
  for (PhImageViewer *viewer : viewers) frames << viewer->frame();
  PhImageViewer::deleteAllViewers();
  QVERIFY(PhImageViewer::viewers().isEmpty());
  for (const auto &frame : frames) QVERIFY(frame.isNull());
  QVERIFY(area.subWindowList().isEmpty());
}

TESSELLA_TEST_MAIN(TestPhImageViewer)

#include "tst_phimageviewer.moc"
