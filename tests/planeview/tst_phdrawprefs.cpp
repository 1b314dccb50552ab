// The drawing preferences both viewers read: their keys, groups and
// defaults, and the settings they leave alone.

#include <QtTest>

#include "phdrawprefs.h"
#include "phdrawsettings.h"
#include "phviewmode.h"
#include "tessellatest.h"
#include "uxcfg.h"

class TestPhDrawPrefs : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void readViewer_data();
  void readViewer();
};

void TestPhDrawPrefs::readViewer_data() {
  QTest::addColumn<bool>("written");
  QTest::addRow("absent keys give the defaults") << false;
  QTest::addRow("written keys") << true;
}

void TestPhDrawPrefs::readViewer() {
  QFETCH(bool, written);
  const QFont font(QStringLiteral("DejaVu Sans"), 13);
  if (written) {
    Ux::Cfg viewer(QStringLiteral("SomeViewer"));
    viewer.writeEntry(QStringLiteral("BG_Color"), QColor(Qt::darkCyan));
    viewer.writeEntry(QStringLiteral("TextFont"), font);
    viewer.writeEntry(QStringLiteral("BlundersOn"), 1);
    viewer.writeEntry(QStringLiteral("Scale"), 250);
    Ux::Cfg points(QStringLiteral("Points"));
    points.writeEntry(QStringLiteral("PointOn_6"), 0);
    points.writeEntry(QStringLiteral("PointSymbol_6"), 2);
    points.writeEntry(QStringLiteral("PointColor_6"), QColor(Qt::magenta));
    points.writeEntry(QStringLiteral("PointSize_6"), 12);
    points.writeEntry(QStringLiteral("BlunderColor"), QColor(Qt::blue));
    points.writeEntry(QStringLiteral("BlunderSize"), 4);
    // Another viewer's group is not read.
    Ux::Cfg(QStringLiteral("OtherViewer")).writeEntry(QStringLiteral("Scale"), 7);
  }
  PhDrawSettings settings;
  // What is not a shared preference stays.
  settings.residualsOn[VM_Textual] = true;
  settings.showLinks = true;
  settings.markSize = 9;
  settings.largestColour = Qt::green;
  settings.background = Qt::gray;
  settings.size[6] = 3;
  PhDrawPrefs::readViewer(QStringLiteral("SomeViewer"), settings);
  QCOMPARE(settings.background, written ? QColor(Qt::darkCyan) : QColor(Qt::white));
  QCOMPARE(settings.textFont, written ? font : QFont(QStringLiteral("Arial"), 8));
  QCOMPARE(settings.showBlunders, written);
  QCOMPARE(settings.residualScale, written ? 250.0f : 1000.0f);
  QCOMPARE(settings.pointOn[6], !written);
  QCOMPARE(settings.symbol[6], written ? 2 : 0);
  QCOMPARE(settings.colour[6], written ? QColor(Qt::magenta) : QColor(Qt::black));
  QCOMPARE(settings.size[6], written ? 12 : 7);
  QCOMPARE(settings.blunderColour, written ? QColor(Qt::blue) : QColor(Qt::red));
  QCOMPARE(settings.blunderSize, written ? 4 : 2);
  QVERIFY(settings.residualsOn[VM_Textual]);
  QVERIFY(settings.showLinks);
  QCOMPARE(settings.markSize, 9);
  QCOMPARE(settings.largestColour, QColor(Qt::green));
}

TESSELLA_TEST_MAIN(TestPhDrawPrefs)

#include "tst_phdrawprefs.moc"
