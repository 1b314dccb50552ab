#include <QImage>
#include <QPainter>
#include <QtTest>

#include "phnumberlabels.h"
#include "tessellatest.h"

// Number labels drawn as one glyph run must look exactly like drawText.
class TestPhNumberLabels : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void length_data();
  void length();
  void matchesDrawText_data();
  void matchesDrawText();
};

void TestPhNumberLabels::length_data() {
  QTest::addColumn<int>("value");
  for (int v : {0, 7, 10, 99, 12345, -1, -10, 2147483647, int(-2147483647 - 1)})
    QTest::addRow("%d", v) << v;
}

void TestPhNumberLabels::length() {
  QFETCH(int, value);
  QCOMPARE(PhNumberLabels::length(value), int(QString::number(value).size()));
}

void TestPhNumberLabels::matchesDrawText_data() {
  QTest::addColumn<QFont>("font");
  QTest::addColumn<QColor>("pen");
  QTest::addRow("DejaVu Sans 8") << QFont(QStringLiteral("DejaVu Sans"), 8) << QColor(Qt::black);
  QTest::addRow("Liberation Sans 8") << QFont(QStringLiteral("Liberation Sans"), 8)
                                     << QColor(200, 30, 60);
  QTest::addRow("Liberation Serif 11 bold")
      << QFont(QStringLiteral("Liberation Serif"), 11, QFont::Bold) << QColor(0, 0, 255);
  QFont italic(QStringLiteral("DejaVu Sans"), 13);
  italic.setItalic(true);
  QTest::addRow("DejaVu Sans 13 italic") << italic << QColor(Qt::darkGreen);
  QFont pixels(QStringLiteral("Liberation Mono"));
  pixels.setPixelSize(17);
  QTest::addRow("Liberation Mono 17 px") << pixels << QColor(90, 90, 90);
}

void TestPhNumberLabels::matchesDrawText() {
  QFETCH(QFont, font);
  QFETCH(QColor, pen);
  PhNumberLabels labels;
  labels.setFont(font);
  QVERIFY(labels.isUsable());
  const QList<int> values{0, 1, 7, 42, 109, 1234567890, -3, -98765, 2147483647, int(-2147483647 - 1),
                          11, 4444};
  QImage plain(400, 20 * int(values.size()) + 40, QImage::Format_RGB32);
  plain.fill(Qt::white);
  QImage fast = plain;
  // Odd offsets, and labels that overlap.
  auto x = [](int i) { return 3 + 37 * (i % 5); };
  auto y = [](int i) { return 20 + 13 * i; };
  {
    QPainter painter(&plain);
    painter.setFont(font);
    painter.setPen(pen);
    for (int i = 0; i < values.size(); ++i) painter.drawText(x(i), y(i), QString::number(values[i]));
  }
  {
    QPainter painter(&fast);
    painter.setPen(pen);
    for (int i = 0; i < values.size(); ++i) labels.add(values[i], x(i), y(i));
    labels.draw(&painter);
  }
  QVERIFY(plain != QImage(plain.size(), plain.format()));
  QCOMPARE(fast, plain);
}

TESSELLA_TEST_MAIN(TestPhNumberLabels)
#include "tst_phnumberlabels.moc"
