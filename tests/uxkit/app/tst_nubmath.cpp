#include "nubmath.h"

#include <QtTest>
#include <cmath>
#include <cstdint>
#include <cstring>

using Nub::Math;

namespace {
quint32 bitsOf(float value) {
  quint32 bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}
}  // namespace

class TestNubMath : public QObject {
  Q_OBJECT

 private slots:
  void floatConstantsHaveTheirBits_data();
  void floatConstantsHaveTheirBits();
  void integerAndDoubleLimits();
  void arcSinAndArcCosClamp_data();
  void arcSinAndArcCosClamp();
  void signOfZeroesAndOthers_data();
  void signOfZeroesAndOthers();
  void angleConversions_data();
  void angleConversions();
  void functionsRoundTheWiderResult();
};

void TestNubMath::floatConstantsHaveTheirBits_data() {
  QTest::addColumn<float>("value");
  QTest::addColumn<quint32>("bits");
  // Bits of the single-precision values, worked out apart from the library.
  QTest::newRow("PI") << Math::PI << 0x40490FDBu;
  QTest::newRow("TWO_PI") << Math::TWO_PI << 0x40C90FDBu;
  QTest::newRow("HALF_PI") << Math::HALF_PI << 0x3FC90FDBu;
  QTest::newRow("INV_PI") << Math::INV_PI << 0x3EA2F983u;
  QTest::newRow("INV_TWO_PI") << Math::INV_TWO_PI << 0x3E22F983u;
  QTest::newRow("DEG_TO_RAD") << Math::DEG_TO_RAD << 0x3C8EFA35u;
  QTest::newRow("RAD_TO_DEG") << Math::RAD_TO_DEG << 0x42652EE0u;
  QTest::newRow("GRA_TO_RAD") << Math::GRA_TO_RAD << 0x3C80ADFDu;
  QTest::newRow("RAD_TO_GRA") << Math::RAD_TO_GRA << 0x427EA5DDu;
  QTest::newRow("EPSILON") << Math::EPSILON << 0x34000000u;
  QTest::newRow("ZERO_TOLERANCE") << Math::ZERO_TOLERANCE << 0x358637BDu;
  QTest::newRow("MAX_FLT") << Math::MAX_FLT << 0x7F7FFFFFu;
  QTest::newRow("MIN_FLT") << Math::MIN_FLT << 0x00800000u;
  QTest::newRow("MAX_REAL") << Math::MAX_REAL << 0x7F7FFFFFu;
}

void TestNubMath::floatConstantsHaveTheirBits() {
  QFETCH(float, value);
  QFETCH(quint32, bits);
  QCOMPARE(QString::number(bitsOf(value), 16), QString::number(bits, 16));
}

void TestNubMath::integerAndDoubleLimits() {
  QCOMPARE(Math::MAX_INT, 2147483647);
  QCOMPARE(Math::MIN_INT, int(-2147483647 - 1));
  QCOMPARE(Math::MAX_DBL, 1.7976931348623157e+308);
  QCOMPARE(Math::MIN_DBL, 2.2250738585072014e-308);
  QVERIFY(Math::realIsFloat());
  QVERIFY(!Math::realIsDouble());
}

void TestNubMath::arcSinAndArcCosClamp_data() {
  QTest::addColumn<float>("x");
  QTest::addColumn<float>("arcSin");
  QTest::addColumn<float>("arcCos");
  QTest::newRow("far below") << -2.0f << -Math::HALF_PI << Math::PI;
  QTest::newRow("-1") << -1.0f << -Math::HALF_PI << Math::PI;
  QTest::newRow("just above -1") << std::nextafter(-1.0f, 0.0f) << float(std::asin(double(std::nextafter(-1.0f, 0.0f))))
                                 << float(std::acos(double(std::nextafter(-1.0f, 0.0f))));
  QTest::newRow("0") << 0.0f << 0.0f << Math::HALF_PI;
  QTest::newRow("0.5") << 0.5f << float(std::asin(0.5)) << float(std::acos(0.5));
  QTest::newRow("1") << 1.0f << Math::HALF_PI << 0.0f;
  QTest::newRow("1.5") << 1.5f << Math::HALF_PI << 0.0f;
  QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << Math::HALF_PI << 0.0f;
}

void TestNubMath::arcSinAndArcCosClamp() {
  QFETCH(float, x);
  QFETCH(float, arcSin);
  QFETCH(float, arcCos);
  QCOMPARE(bitsOf(Math::arcSin(x)), bitsOf(arcSin));
  QCOMPARE(bitsOf(Math::arcCos(x)), bitsOf(arcCos));
}

void TestNubMath::signOfZeroesAndOthers_data() {
  QTest::addColumn<float>("x");
  QTest::addColumn<float>("sign");
  QTest::newRow("positive") << 2.5f << 1.0f;
  QTest::newRow("smallest positive") << std::numeric_limits<float>::denorm_min() << 1.0f;
  QTest::newRow("negative") << -3.0f << -1.0f;
  QTest::newRow("-infinity") << -std::numeric_limits<float>::infinity() << -1.0f;
  QTest::newRow("+0") << 0.0f << 0.0f;
  QTest::newRow("-0") << -0.0f << 0.0f;
  QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 0.0f;
}

void TestNubMath::signOfZeroesAndOthers() {
  QFETCH(float, x);
  QFETCH(float, sign);
  // A plain 0 for both zeroes: no negative zero comes back.
  QCOMPARE(bitsOf(Math::sign(x)), bitsOf(sign));
}

void TestNubMath::angleConversions_data() {
  QTest::addColumn<float>("result");
  QTest::addColumn<float>("expected");
  QTest::newRow("180 degrees") << Math::degToRad(180.0f) << Math::PI;
  QTest::newRow("pi radians in degrees") << Math::radToDeg(Math::PI) << 180.0f;
  QTest::newRow("-90 degrees") << Math::degToRad(-90.0f) << -Math::HALF_PI;
  QTest::newRow("400 gradians") << Math::graToRad(400.0f) << Math::TWO_PI;
  QTest::newRow("half pi in gradians") << Math::radToGra(Math::HALF_PI) << 100.0f;
  QTest::newRow("gradians round trip") << Math::radToGra(Math::graToRad(37.5f)) << 37.5f;
}

void TestNubMath::angleConversions() {
  QFETCH(float, result);
  QFETCH(float, expected);
  QCOMPARE(result, expected);
}

void TestNubMath::functionsRoundTheWiderResult() {
  // The wider result rounded once, not a float-precision computation.
  const float x = 0.7f;
  QCOMPARE(bitsOf(Math::sin(x)), bitsOf(float(std::sin(double(x)))));
  QCOMPARE(bitsOf(Math::invSqrt(2.0f)), bitsOf(float(1.0 / std::sqrt(2.0))));
  QCOMPARE(bitsOf(Math::arcTan2(-1.0f, -1.0f)), bitsOf(float(std::atan2(-1.0, -1.0))));
  QCOMPARE(Math::floor(-1.5f), -2.0f);
  QCOMPARE(Math::ceil(-1.5f), -1.0f);
  QCOMPARE(Math::abs(-0.25f), 0.25f);
}

QTEST_APPLESS_MAIN(TestNubMath)
#include "tst_nubmath.moc"
