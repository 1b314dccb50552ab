// Translated labels filled with numbers: the text printf's "%.3f" gave,
// whatever the places' order, and no new room for each point.

#include <QtTest>

#include <climits>

#include "phnumbertext.h"
#include "tessellatest.h"

class TestPhNumberText : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void fill_data();
  void fill();
  void fillInteger_data();
  void fillInteger();
  void roomIsKept();
};

void TestPhNumberText::fill_data() {
  QTest::addColumn<QString>("format");
  QTest::addColumn<double>("a");
  QTest::addColumn<double>("b");
  QTest::addColumn<QString>("expected");
  QTest::addRow("one place") << QStringLiteral("X: %1") << 1.23456 << 0.0 << QStringLiteral("X: 1.235");
  QTest::addRow("two places") << QStringLiteral("Y: %1 ± %2") << -0.0004 << 2.5
                              << QStringLiteral("Y: -0.000 ± 2.500");
  QTest::addRow("places swapped") << QStringLiteral("%2 / %1") << 1.0 << 2.0 << QStringLiteral("2.000 / 1.000");
  QTest::addRow("no place") << QStringLiteral("Z") << 1.0 << 2.0 << QStringLiteral("Z");
  QTest::addRow("other percent signs stay") << QStringLiteral("%3 %% %1%") << 0.5 << 0.0
                                            << QStringLiteral("%3 %% 0.500%");
  QTest::addRow("large") << QStringLiteral("%1") << 123456789.0125 << 0.0 << QStringLiteral("123456789.013");
}

void TestPhNumberText::fill() {
  QFETCH(QString, format);
  QFETCH(double, a);
  QFETCH(double, b);
  QFETCH(QString, expected);
  QString out = QStringLiteral("left from before");
  PhNumberText(format).fill(out, a, b);
  QCOMPARE(out, expected);
  // As the labels were formatted before.
  if (format == QLatin1String("X: %1")) QCOMPARE(out, QString::asprintf("X: %.3f", a));
}

void TestPhNumberText::fillInteger_data() {
  QTest::addColumn<int>("value");
  for (int v : {0, 7, -5, 123456, INT_MAX, INT_MIN}) QTest::addRow("%d", v) << v;
}

void TestPhNumberText::fillInteger() {
  QFETCH(int, value);
  QString out = QStringLiteral("left from before");
  PhNumberText::fillInteger(out, value);
  QCOMPARE(out, QString::number(value));
}

void TestPhNumberText::roomIsKept() {
  const PhNumberText text(QStringLiteral("X: %1 ± %2"));
  QString out;
  text.fill(out, -12345.678, 99.5);
  const QChar *room = out.constData();
  for (int i = 0; i < 100; ++i) {
    text.fill(out, i * 0.37, i);
    QCOMPARE(out.constData(), room);
  }
  PhNumberText::fillInteger(out, -2147483647);
  QCOMPARE(out.constData(), room);
}

TESSELLA_TEST_MAIN(TestPhNumberText)

#include "tst_phnumbertext.moc"
