// The colour map for values: its colours against samples of the map it fits,
// and the user's limits with the ends, the middle, values that are no number,
// inverted and equal limits.

#include <QtTest>

#include <cmath>
#include <limits>

#include "phcolourmap.h"
#include "phdrawsettings.h"
#include "phpainttools.h"
#include "tessellatest.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// The fit at its ends and in its middle.
const QColor First(71, 1, 85);
const QColor Middle(31, 144, 139);
const QColor Last(252, 231, 33);
const QColor Grey(128, 128, 128);

// Brightness as the eye weighs the channels.
double luma(const QColor &c) { return 0.2126 * c.red() + 0.7152 * c.green() + 0.0722 * c.blue(); }

}  // namespace

class TestPhColourMap : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void followsTheMap_data();
  void followsTheMap();
  void valueToColour_data();
  void valueToColour();
  void refusesLimitsThatAreNoNumbers();
  void symbolStepsFollowTheMap_data();
  void symbolStepsFollowTheMap();
};

void TestPhColourMap::followsTheMap_data() {
  QTest::addColumn<double>("t");
  QTest::addColumn<QColor>("reference");
  // Samples of the map the polynomial fits; a wrong coefficient strays far.
  QTest::addRow("0") << 0.0 << QColor(0x44, 0x01, 0x54);
  QTest::addRow("0.25") << 0.25 << QColor(0x3b, 0x52, 0x8b);
  QTest::addRow("0.5") << 0.5 << QColor(0x21, 0x91, 0x8c);
  QTest::addRow("0.75") << 0.75 << QColor(0x5e, 0xc9, 0x62);
  QTest::addRow("1") << 1.0 << QColor(0xfd, 0xe7, 0x25);
}

void TestPhColourMap::followsTheMap() {
  QFETCH(double, t);
  QFETCH(QColor, reference);
  const QColor colour = PhColourMap::at(t);
  const int off = std::max({qAbs(colour.red() - reference.red()), qAbs(colour.green() - reference.green()),
                            qAbs(colour.blue() - reference.blue())});
  QVERIFY2(off <= 5, qPrintable(colour.name() + QStringLiteral(" for ") + reference.name()));
  // Darker to lighter all the way: the map is ordered by its brightness.
  if (t > 0.0) QVERIFY(luma(PhColourMap::at(t)) > luma(PhColourMap::at(t - 0.25)) + 20.0);
}

void TestPhColourMap::valueToColour_data() {
  QTest::addColumn<double>("low");
  QTest::addColumn<double>("high");
  QTest::addColumn<double>("value");
  QTest::addColumn<QColor>("expected");
  QTest::addRow("the lower limit") << -2.0 << 6.0 << -2.0 << First;
  QTest::addRow("the upper limit") << -2.0 << 6.0 << 6.0 << Last;
  QTest::addRow("halfway") << -2.0 << 6.0 << 2.0 << Middle;
  QTest::addRow("below is held at the start") << -2.0 << 6.0 << -1e9 << First;
  QTest::addRow("above is held at the end") << -2.0 << 6.0 << 7.5 << Last;
  QTest::addRow("minus infinity") << -2.0 << 6.0 << -Inf << First;
  QTest::addRow("infinity") << -2.0 << 6.0 << Inf << Last;
  QTest::addRow("NaN is grey") << -2.0 << 6.0 << NaN << Grey;
  QTest::addRow("a quarter") << 0.0 << 4.0 << 1.0 << PhColourMap::at(0.25);
  // Large offsets, such as heights above a datum, keep their precision.
  QTest::addRow("national grid heights") << 5600000.0 << 5600010.0 << 5600005.0 << Middle;
  QTest::addRow("inverted: the low value is last") << 6.0 << -2.0 << 6.0 << First;
  QTest::addRow("inverted: the high value is first") << 6.0 << -2.0 << -2.0 << Last;
  QTest::addRow("inverted: beyond the first") << 6.0 << -2.0 << 9.0 << First;
  QTest::addRow("inverted: a quarter") << 4.0 << 0.0 << 3.0 << PhColourMap::at(0.25);
  QTest::addRow("equal limits: below") << 3.0 << 3.0 << 2.999 << First;
  QTest::addRow("equal limits: at") << 3.0 << 3.0 << 3.0 << Middle;
  QTest::addRow("equal limits: above") << 3.0 << 3.0 << 3.001 << Last;
  QTest::addRow("equal limits: NaN") << 3.0 << 3.0 << NaN << Grey;
}

void TestPhColourMap::valueToColour() {
  QFETCH(double, low);
  QFETCH(double, high);
  QFETCH(double, value);
  QFETCH(QColor, expected);
  const PhColourMap map(low, high);
  QCOMPARE(map.colour(value), expected);
}

void TestPhColourMap::refusesLimitsThatAreNoNumbers() {
  PhColourMap map;
  QCOMPARE(map.low(), 0.0);
  QCOMPARE(map.high(), 1.0);
  QCOMPARE(map.colour(0.5), Middle);
  QVERIFY(map.setLimits(10.0, 20.0));
  QVERIFY(!map.setLimits(NaN, 30.0));
  QVERIFY(!map.setLimits(0.0, Inf));
  QCOMPARE(map.low(), 10.0);
  QCOMPARE(map.high(), 20.0);
  QCOMPARE(map.colour(15.0), Middle);
  QCOMPARE(PhColourMap::at(NaN), Grey);
}

void TestPhColourMap::symbolStepsFollowTheMap_data() { valueToColour_data(); }

// Symbols take the map in steps: the step of a value lies at most half a
// step from the value's own place, NaN has a step of its own.
void TestPhColourMap::symbolStepsFollowTheMap() {
  QFETCH(double, low);
  QFETCH(double, high);
  QFETCH(double, value);
  PhDrawSettings settings;
  settings.colourLow = low;
  settings.colourHigh = high;
  const int step = PhPaintTools::stepOf(settings, value);
  const double t = PhColourMap(low, high).position(value);
  if (std::isnan(value)) {
    QCOMPARE(step, int(PhPaintTools::NoValue));
    QCOMPARE(PhPaintTools::stepColour(step), Grey);
    return;
  }
  QVERIFY(step >= 0 && step < PhPaintTools::ValueSteps);
  QVERIFY(std::abs(step / double(PhPaintTools::ValueSteps - 1) - t) <= 0.5 / (PhPaintTools::ValueSteps - 1) + 1e-12);
  QCOMPARE(PhPaintTools::stepColour(step), PhColourMap::at(step / double(PhPaintTools::ValueSteps - 1)));
}

TESSELLA_TEST_MAIN(TestPhColourMap)

#include "tst_phcolourmap.moc"
