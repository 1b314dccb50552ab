// Points coloured by a value, density at scale and the scale bar of residual
// vectors, as the views draw them; and the Colours menu with what it stores.

#include <QAction>
#include <QMenu>
#include <QDoubleSpinBox>
#include <QMenuBar>
#include <QtTest>

#include <cmath>

#include "modalanswer.h"
#include "phcolourmap.h"
#include "phcolourprefs.h"
#include "phdensitymap.h"
#include "phimageview.h"
#include "phobjectviewer.h"
#include "phpainttools.h"
#include "phpointpainter.h"
#include "tessellatest.h"
#include "uxcfg.h"
#include "objectviewfixture.h"

using namespace ObjectViewTest;

namespace {

// Point 1 in the middle of the plane, measured in three images: |r| 0.005
// and 0.01 where adjusted, 0.5 where eliminated; sigmas 0.03, 0.04, 0.
// Point 2 has no image points and no sigmas.
struct Measured : Fixture {
  PhImage *first = nullptr;
  Measured() {
    addCorners();
    add(1, 100, 50, 25, 0)->setAdjustedValues(50, 25, 0, 0.03f, 0.04f, 0.0f);
    add(2, 100, 20, 10, 0);
    first = image(5000, 0, 0, 100);
    first->addPoint(1, true, 50.0f, 25.0f, 0.003f, 0.004f, 1.0f);
    first->point(1)->setCode(100);
    image(5001, 0, 0, 100)->addPoint(1, true, 50.0f, 25.0f, 0.006f, 0.008f, 1.0f);
    image(5002, 0, 0, 100)->addPoint(1, false, 50.0f, 25.0f, 0.3f, 0.4f, 1.0f);
    for (PhImage *i : images) {
      i->setMinX(0);
      i->setMinY(0);
      i->setMaxX(100);
      i->setMaxY(50);
    }
  }
};

void colourBy(PhZoomView &view, int iColourBy, double low, double high) {
  PhDrawSettings settings = view.drawSettings();
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) settings.size[t] = 9;
  settings.colourBy = iColourBy;
  settings.colourLow = low;
  settings.colourHigh = high;
  view.setDrawSettings(settings);
}

QColor stepColour(double low, double high, double value) {
  PhDrawSettings settings;
  settings.colourLow = low;
  settings.colourHigh = high;
  return PhPaintTools::stepColour(PhPaintTools::stepOf(settings, value));
}

QColor grey() { return PhColourMap::nanColour(); }

}  // namespace

class TestPhColourBy : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() {
    PhObjectViewer::deleteAllViewers();
    Ux::Cfg::clear();
    TessellaTest::endTest();
  }

  void objectPointsByValue_data();
  void objectPointsByValue();
  void imagePointsByResidual();
  void densityGivesWayToSymbols();
  void scaleBarValue_data();
  void scaleBarValue();
  void scaleBarDrawnOnlyWhenAsked();
  void menuStoresAndApplies();
  void damagedStoredChoicesFallBack_data();
  void damagedStoredChoicesFallBack();
};

void TestPhColourBy::objectPointsByValue_data() {
  QTest::addColumn<int>("colourBy");
  QTest::addColumn<double>("low");
  QTest::addColumn<double>("high");
  QTest::addColumn<bool>("sigmas");
  QTest::addColumn<QColor>("point1");
  QTest::addColumn<QColor>("point2");
  const double rms = std::sqrt((0.005 * 0.005 + 0.01 * 0.01) / 2.0);
  QTest::addRow("residual: RMS of the adjusted rays")
      << int(PhDrawSettings::COL_Residual) << 0.0 << 0.01 << true << stepColour(0.0, 0.01, rms) << grey();
  QTest::addRow("residual beyond the limit")
      << int(PhDrawSettings::COL_Residual) << 0.0 << 0.001 << true << PhColourMap::at(1.0) << grey();
  // As stored: in single precision.
  const double sigma = std::sqrt(double(0.03f) * double(0.03f) + double(0.04f) * double(0.04f));
  QTest::addRow("sigma: the length of the three")
      << int(PhDrawSettings::COL_Sigma) << 0.0 << 0.08 << true << stepColour(0.0, 0.08, sigma) << grey();
  QTest::addRow("sigma without inversion") << int(PhDrawSettings::COL_Sigma) << 0.0 << 0.1 << false << grey()
                                           << grey();
  QTest::addRow("rays, eliminated ones counted")
      << int(PhDrawSettings::COL_Rays) << 0.0 << 6.0 << true << stepColour(0.0, 6.0, 3.0) << PhColourMap::at(0.0);
  QTest::addRow("by type") << int(PhDrawSettings::COL_Type) << 0.0 << 1.0 << true << Blue << Blue;
}

void TestPhColourBy::objectPointsByValue() {
  QFETCH(int, colourBy);
  QFETCH(double, low);
  QFETCH(double, high);
  QFETCH(bool, sigmas);
  QFETCH(QColor, point1);
  QFETCH(QColor, point2);
  Measured f;
  PhObjectView view(PhGlobal::PL_XY);
  prepare(view, f, sigmas);
  ::colourBy(view, colourBy, low, high);
  const QImage shown = ViewTest::screen(&view);
  QCOMPARE(ViewTest::at(shown, &view, pixelOf(50, 25)), point1);
  QCOMPARE(ViewTest::at(shown, &view, pixelOf(20, 10)), point2);
  // The kept drawing and the reference agree.
  view.setFastDrawing(false);
  QCOMPARE(ViewTest::render(&view), shown);
}

void TestPhColourBy::imagePointsByResidual() {
  Measured f;
  PhImageView view;
  view.setTextFont(ViewTest::testFont());
  view.setPointColor(0, Blue);
  QVERIFY(ViewTest::showView(&view, QSize(700, 450)));
  view.setImage(f.first);
  const QPoint at = view.toContents(50.0, 25.0);
  QCOMPARE(ViewTest::at(ViewTest::screen(&view), &view, at), Blue);
  colourBy(view, PhDrawSettings::COL_Residual, 0.0, 0.01);
  QCOMPARE(ViewTest::at(ViewTest::screen(&view), &view, at), stepColour(0.0, 0.01, 0.005));
  // Image views know no other values: a sigma choice draws by type, without a legend.
  colourBy(view, PhDrawSettings::COL_Sigma, 0.0, 0.01);
  const QImage bySigma = ViewTest::screen(&view);
  QCOMPARE(ViewTest::at(bySigma, &view, at), Blue);
  QCOMPARE(ViewTest::at(bySigma, &view, QPoint(PhZoomView::LegendInset + 5, PhZoomView::LegendInset + 5)), White);
  PhColourPrefs::setColourBy(PhColourPrefs::VIEW_Image, PhDrawSettings::COL_Sigma);
  QCOMPARE(PhColourPrefs::colourBy(PhColourPrefs::VIEW_Image), int(PhDrawSettings::COL_Type));
}

void TestPhColourBy::densityGivesWayToSymbols() {
  Fixture f;
  f.addCorners();
  // 1000 points on one spot, 10 on another, 1 on a third.
  for (int i = 0; i < 1000; ++i) f.add(100 + i, 100, 50, 25, 0);
  for (int i = 0; i < 10; ++i) f.add(2000 + i, 100, 20, 10, 0);
  f.add(3000, 100, 80, 40, 0);
  PhObjectView view(PhGlobal::PL_XY);
  prepare(view, f);
  PhDrawSettings settings = view.drawSettings();
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) settings.size[t] = 15;
  settings.densityOn = true;
  view.setDrawSettings(settings);
  QImage shown = ViewTest::screen(&view);
  QCOMPARE(ViewTest::at(shown, &view, pixelOf(50, 25)), PhColourMap::at(1.0));
  QCOMPARE(ViewTest::at(shown, &view, pixelOf(20, 10)), PhColourMap::at(PhDensityMap::position(10, 1000)));
  QCOMPARE(ViewTest::at(shown, &view, pixelOf(80, 40)), PhColourMap::at(0.0));
  // Beside a spot, where a symbol would be, the background.
  QCOMPARE(ViewTest::at(shown, &view, pixelOf(50, 25) + QPoint(3, 0)), White);
  view.setFastDrawing(false);
  QCOMPARE(ViewTest::render(&view), shown);
  view.setFastDrawing(true);
  // A selected point keeps its symbol over the map.
  f.objects.selection().selectIndices({int(f.objects.count()) - 1}, false);
  QCOMPARE(ViewTest::at(ViewTest::screen(&view), &view, pixelOf(80, 40)), Blue);
  // Zoomed in, the points lie apart: symbols again.
  view.slotZoom(5000);
  const QPoint corner = view.toContents(0, 0);
  view.setContentsPos(corner.x() - 100, corner.y() - 100);
  shown = ViewTest::screen(&view);
  QCOMPARE(ViewTest::at(shown, &view, corner), Blue);
  // Off, the plain symbols again.
  view.slotZoom(100);
  settings.densityOn = false;
  view.setDrawSettings(settings);
  QCOMPARE(ViewTest::at(ViewTest::screen(&view), &view, pixelOf(50, 25) + QPoint(3, 0)), Blue);
}

void TestPhColourBy::scaleBarValue_data() {
  QTest::addColumn<double>("factor");
  QTest::addColumn<bool>("fits");
  QTest::addColumn<double>("value");
  QTest::addColumn<int>("length");
  QTest::addRow("a pixel a unit") << 1.0 << true << 100.0 << 100;
  QTest::addRow("two units nearest") << 40.0 << true << 2.0 << 80;
  QTest::addRow("micrometres at 1000 x") << 5000.0 << true << 0.02 << 100;
  QTest::addRow("a negative scale") << -3.0 << true << 20.0 << 60;
  QTest::addRow("tiny") << 1e-9 << true << 1e11 << 100;
  QTest::addRow("none") << 0.0 << false << 0.0 << 0;
  QTest::addRow("infinite") << std::numeric_limits<double>::infinity() << false << 0.0 << 0;
  QTest::addRow("no number") << std::numeric_limits<double>::quiet_NaN() << false << 0.0 << 0;
}

void TestPhColourBy::scaleBarValue() {
  QFETCH(double, factor);
  QFETCH(bool, fits);
  QFETCH(double, value);
  QFETCH(int, length);
  double v = 0.0;
  int l = 0;
  QCOMPARE(PhPointPainter::scaleBarValue(factor, v, l), fits);
  if (!fits) return;
  QVERIFY2(std::abs(v - value) <= 1e-9 * value, qPrintable(QString::number(v)));
  QCOMPARE(l, length);
}

void TestPhColourBy::scaleBarDrawnOnlyWhenAsked() {
  Measured f;
  PhObjectView view(PhGlobal::PL_XY);
  prepare(view, f);
  // The bottom-left margin, where the bar goes, below the corner point's symbol.
  const QRect corner(0, view.contentsHeight() - 30, 200, 30);
  QCOMPARE(inkIn(ViewTest::screen(&view), &view, corner), 0);
  view.setResidualsOn(VM_Graphical, true);
  PhDrawSettings settings = view.drawSettings();
  settings.scaleBarOn = true;
  view.setDrawSettings(settings);
  QVERIFY(inkIn(ViewTest::screen(&view), &view, corner) > 0);
  // Without vectors there is nothing to measure.
  view.setResidualsOn(VM_Graphical, false);
  view.updateContents();
  QCOMPARE(inkIn(ViewTest::screen(&view), &view, corner), 0);
}

void TestPhColourBy::menuStoresAndApplies() {
  Measured f;
  PhObjectViewer *xy = PhObjectViewer::viewer(PhGlobal::PL_XY, nullptr);
  PhObjectViewer *xz = PhObjectViewer::viewer(PhGlobal::PL_XZ, nullptr);
  xy->setData(&f.objects, true);
  xz->setData(&f.objects, true);
  const Ux::Cfg analysis(QStringLiteral("Analysis"));
  QCOMPARE(xy->objectView()->drawSettings().colourBy, int(PhDrawSettings::COL_Type));
  QMenu *menu = xy->findChild<QMenu *>(QStringLiteral("colourMenu"));
  QVERIFY(menu);
  QCOMPARE(ViewTest::texts(menu->actions()),
           (QStringList{"By Point &Type", "By &Residual", "By &Sigma", "By Number of R&ays", "-",
                        "Colour &Limits...", "&Density at Scale", "Residual Scale &Bar"}));
  QVERIFY(!ViewTest::actionNamed(xy, QStringLiteral("Colour &Limits..."))->isEnabled());
  // A toggle of this session, not stored: the colours leave it alone.
  xz->objectView()->slotToggleBlunders();
  const bool blunders = xz->objectView()->hasBlundersOn();
  ViewTest::actionNamed(xy, QStringLiteral("By Number of R&ays"))->trigger();
  QCOMPARE(xz->objectView()->hasBlundersOn(), blunders);
  QCOMPARE(analysis.readNum(QStringLiteral("ObjectColourBy"), -1), int(PhDrawSettings::COL_Rays));
  // Every object viewer follows, with the stored limits and unit.
  for (PhObjectViewer *viewer : {xy, xz}) {
    const PhDrawSettings &s = viewer->objectView()->drawSettings();
    QCOMPARE(s.colourBy, int(PhDrawSettings::COL_Rays));
    QCOMPARE(s.colourLow, 2.0);
    QCOMPARE(s.colourHigh, 12.0);
    QCOMPARE(s.colourUnit, QStringLiteral("rays"));
  }
  // The limits through their dialog, as the user types them.
  QAction *limits = ViewTest::actionNamed(xy, QStringLiteral("Colour &Limits..."));
  emit menu->aboutToShow();
  QVERIFY(limits->isEnabled());
  answerNext<QDialog>([](QDialog *dialog) {
    const QList<QDoubleSpinBox *> boxes = dialog->findChildren<QDoubleSpinBox *>();
    QCOMPARE(boxes.size(), 2);
    boxes[0]->setValue(1.0);
    boxes[1]->setValue(4.0);
    dialog->accept();
  });
  limits->trigger();
  QCOMPARE(analysis.readReal(QStringLiteral("ColourLow_3"), 0.0), 1.0);
  QCOMPARE(analysis.readReal(QStringLiteral("ColourHigh_3"), 0.0), 4.0);
  QCOMPARE(xz->objectView()->drawSettings().colourHigh, 4.0);
  // Cancelled, nothing changes.
  answerNext<QDialog>([](QDialog *dialog) { dialog->reject(); });
  limits->trigger();
  QCOMPARE(analysis.readReal(QStringLiteral("ColourHigh_3"), 0.0), 4.0);
  ViewTest::actionNamed(xy, QStringLiteral("&Density at Scale"))->trigger();
  ViewTest::actionNamed(xy, QStringLiteral("Residual Scale &Bar"))->trigger();
  QVERIFY(xz->objectView()->drawSettings().densityOn);
  QVERIFY(xz->objectView()->drawSettings().scaleBarOn);
  QCOMPARE(analysis.readNum(QStringLiteral("DensityAtScale"), 0), 1);
  // A viewer opened later starts as stored.
  PhObjectViewer::deleteAllViewers();
  PhObjectViewer *again = PhObjectViewer::viewer(PhGlobal::PL_YZ, nullptr);
  QCOMPARE(again->objectView()->drawSettings().colourBy, int(PhDrawSettings::COL_Rays));
  QVERIFY(again->objectView()->drawSettings().densityOn);
}

void TestPhColourBy::damagedStoredChoicesFallBack_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<QVariant>("value");
  QTest::addRow("an unknown choice") << QStringLiteral("ObjectColourBy") << QVariant(17);
  QTest::addRow("a negative choice") << QStringLiteral("ObjectColourBy") << QVariant(-1);
  QTest::addRow("a choice as text") << QStringLiteral("ObjectColourBy") << QVariant(QStringLiteral("rays"));
  QTest::addRow("a limit as text") << QStringLiteral("ColourLow_1") << QVariant(QStringLiteral("low"));
  QTest::addRow("one limit alone") << QStringLiteral("ColourHigh_1") << QVariant(0.5);
}

void TestPhColourBy::damagedStoredChoicesFallBack() {
  QFETCH(QString, key);
  QFETCH(QVariant, value);
  Ux::Cfg analysis(QStringLiteral("Analysis"));
  if (value.typeId() == QMetaType::QString)
    analysis.writeEntry(key, value.toString());
  else if (value.typeId() == QMetaType::Double)
    analysis.writeEntry(key, value.toDouble());
  else
    analysis.writeEntry(key, value.toInt());
  PhDrawSettings settings;
  PhColourPrefs::read(PhColourPrefs::VIEW_Object, settings);
  QCOMPARE(settings.colourBy, int(PhDrawSettings::COL_Type));
  double low = 0.0;
  double high = 0.0;
  PhColourPrefs::limits(PhDrawSettings::COL_Residual, low, high);
  QCOMPARE(low, 0.0);
  QCOMPARE(high, 0.01);
}

TESSELLA_TEST_MAIN(TestPhColourBy)
#include "tst_phcolourby.moc"
