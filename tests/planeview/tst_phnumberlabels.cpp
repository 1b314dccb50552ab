#include <QImage>
#include <QPainter>
#include <QtTest>

#include "phnumberlabels.h"
#include "phraster.h"
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
  void glyphBoxesHoldEveryPixel_data();
  void glyphBoxesHoldEveryPixel();
  void rasterMatchesDrawText_data();
  void rasterMatchesDrawText();
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

void TestPhNumberLabels::glyphBoxesHoldEveryPixel_data() { matchesDrawText_data(); }

// Each character drawn alone touches only its box, at every position.
void TestPhNumberLabels::glyphBoxesHoldEveryPixel() {
  QFETCH(QFont, font);
  QImage image(200, 60, QImage::Format_RGB32);
  PhNumberLabels labels;
  labels.setFont(font, &image);
  QVERIFY(labels.isUsable());
  for (int value : {1234567890, -98765, 4711, 808}) {
    for (int x = 3; x < 3 + 4; ++x) {
      QList<QRect> boxes;
      labels.forEachGlyphBox(value, x, 40, [&](int, const QRect &box) { boxes.append(box); });
      QCOMPARE(boxes.size(), PhNumberLabels::length(value));
      for (int k = 0; k < boxes.size(); ++k) {
        image.fill(Qt::black);
        {
          QPainter painter(&image);
          painter.setPen(Qt::white);
          labels.add(value, x, 40, 1u << k);
          labels.draw(&painter);
        }
        for (int py = 0; py < image.height(); ++py)
          for (int px = 0; px < image.width(); ++px)
            if (image.pixel(px, py) & 0xffffff)
              QVERIFY2(boxes[k].contains(px, py), qPrintable(QStringLiteral("%1 char %2 at %3: %4,%5")
                                                                 .arg(value).arg(k).arg(x).arg(px).arg(py)));
      }
    }
  }
}

void TestPhNumberLabels::rasterMatchesDrawText_data() { matchesDrawText_data(); }

// Put straight into the buffer of a translated, clipped painter, as the views'
// layers are drawn, on a background of every colour: the pixels drawText gives.
void TestPhNumberLabels::rasterMatchesDrawText() {
  QFETCH(QFont, font);
  QFETCH(QColor, pen);
  QImage plain(300, 260, QImage::Format_RGB32);
  QRandomGenerator random(7);
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x) plain.setPixel(x, y, 0xff000000u | random.generate());
  QImage fast = plain;
  PhNumberLabels labels;
  labels.setFont(font, &fast);
  QVERIFY(labels.isUsable());
  QVERIFY(labels.blitsIntoRaster());
  // Contents coordinates of the image's top left, and a clip that cuts labels.
  const QPoint origin(1000, 500);
  const QRect clip(origin + QPoint(20, 15), QSize(240, 200));
  const QList<int> values{0, 42, 1234567890, -98765, 808, 11, 2147483647, -1};
  // Some start left of the image: those keep the painter's own path.
  auto at = [&](int i) { return origin + QPoint(-9 + 41 * (i % 7), 12 + 29 * i); };
  {
    QPainter painter(&plain);
    painter.translate(-origin);
    painter.setClipRect(clip);
    painter.setFont(font);
    painter.setPen(pen);
    for (int i = 0; i < values.size(); ++i) painter.drawText(at(i), QString::number(values[i]));
  }
  {
    PhRaster raster;
    raster.bits = reinterpret_cast<quint32 *>(fast.bits());
    raster.stride = int(fast.bytesPerLine() / 4);
    raster.rect = QRect(origin, fast.size());
    QPainter painter(&fast);
    painter.translate(-origin);
    painter.setClipRect(clip);
    painter.setPen(pen);
    for (int i = 0; i < values.size(); ++i) {
      labels.add(values[i], at(i).x(), at(i).y());
      labels.draw(&painter, &raster, clip);
    }
  }
  QCOMPARE(fast, plain);
}

TESSELLA_TEST_MAIN(TestPhNumberLabels)
#include "tst_phnumberlabels.moc"
