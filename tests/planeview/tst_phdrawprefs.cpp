// The drawing preferences both viewers read: the defaults of absent keys,
// only the viewer's own group, and the settings they leave alone. (The
// viewers' tests read written keys through applyPrefs.)

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

  void absentKeysGiveTheDefaults();
};

void TestPhDrawPrefs::absentKeysGiveTheDefaults() {
  // Another viewer's group is not read.
  Ux::Cfg other(QStringLiteral("OtherViewer"));
  other.writeEntry(QStringLiteral("BG_Color"), QColor(Qt::darkCyan));
  other.writeEntry(QStringLiteral("Scale"), 7);
  PhDrawSettings settings;
  settings.background = Qt::gray;
  settings.residualScale = 3.0f;
  settings.size[6] = 3;
  settings.blunderSize = 5;
  // What is not a shared preference stays.
  settings.residualsOn[VM_Textual] = true;
  settings.showLinks = true;
  settings.markSize = 9;
  settings.largestColour = Qt::green;
  PhDrawPrefs::readViewer(QStringLiteral("SomeViewer"), settings);
  QCOMPARE(settings.background, QColor(Qt::white));
  QCOMPARE(settings.textFont, QFont(QStringLiteral("Arial"), 8));
  QCOMPARE(settings.showBlunders, false);
  QCOMPARE(settings.residualScale, 1000.0f);
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    QCOMPARE(settings.pointOn[t], true);
    QCOMPARE(settings.symbol[t], int(PhGlobal::SYM_Circle));
    QCOMPARE(settings.colour[t], QColor(Qt::black));
    QCOMPARE(settings.size[t], 7);
  }
  QCOMPARE(settings.blunderColour, QColor(Qt::red));
  QCOMPARE(settings.blunderSize, 2);
  QVERIFY(settings.residualsOn[VM_Textual]);
  QVERIFY(settings.showLinks);
  QCOMPARE(settings.markSize, 9);
  QCOMPARE(settings.largestColour, QColor(Qt::green));
}

TESSELLA_TEST_MAIN(TestPhDrawPrefs)

#include "tst_phdrawprefs.moc"
