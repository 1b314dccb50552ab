#include "modalanswer.h"
#include "phfontlabel.h"
#include "phprefsimageviewer.h"
#include "phprefslinks.h"
#include "phprefsobjectviewer.h"
#include "phglobal.h"
#include "phprefspoints.h"
#include "phsymbolpixmap.h"
#include "qtcolorpicker.h"
#include "uxcfg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

class TestPhPrefs : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void imagePageDefaults();
  void objectPageDefaults();
  void pointsAndLinksDefaults();
  void firstShowReadsTheConfiguration();
  void savedKinds_data();
  void savedKinds();
  void spinBoxesClampStoredValues_data();
  void spinBoxesClampStoredValues();
  void uncheckingATypeSavesZero();
  void fontDialog();
  void names();
  void pagesDrawAtTheirSize();
  void symbolPixmaps();
  void symbolComboShowsTheSymbols();
};

void TestPhPrefs::init() { Ux::Cfg::clear(); }

void TestPhPrefs::cleanup() {
  Ux::Cfg::clear();
  QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPhPrefs::imagePageDefaults() {
  PhPrefsImageViewer page;
  page.initWidgets();
  QCOMPARE(page.backgroundPicker()->currentColor(), QColor(Qt::white));
  QCOMPARE(page.textFont().family(), QStringLiteral("Arial"));
  QCOMPARE(page.textFont().pointSize(), 8);
  QVERIFY(page.fontLabel()->text().startsWith(QStringLiteral("Arial [")));
  QVERIFY(page.fontLabel()->text().endsWith(QStringLiteral("] 8")));
  QCOMPARE(page.largestResidualPicker()->currentColor(), QColor(Qt::red));
  QCOMPARE(page.largestResidualSpin()->value(), 2);
  QCOMPARE(page.largestResidualSpin()->suffix(), QStringLiteral(" pixel"));
  QCOMPARE(page.scaleSpin()->value(), 1000);
  QVERIFY(!page.pointIdsCheck()->isChecked());
  QVERIFY(!page.blundersCheck()->isChecked());
  QCOMPARE(page.cfgSection(), QStringLiteral("ImageViewer"));
}

void TestPhPrefs::objectPageDefaults() {
  PhPrefsObjectViewer page;
  page.initWidgets();
  QCOMPARE(page.backgroundPicker()->currentColor(), QColor(Qt::white));
  QCOMPARE(page.textFont(), phDefaultTextFont());
  QCOMPARE(page.scaleSpin()->value(), 1000);
  QCOMPARE(page.scaleSpin()->maximum(), 100000);
  QVERIFY(!page.blundersCheck()->isChecked());
  QCOMPARE(page.cfgSection(), QStringLiteral("ObjectViewer"));
}

void TestPhPrefs::pointsAndLinksDefaults() {
  PhPrefsPoints points;
  points.initWidgets();
  for (int i = 0; i < PhPrefsPoints::TypeCount; ++i) {
    QVERIFY(points.typeBox(i)->isChecked());
    QCOMPARE(points.symbolCombo(i)->currentText(), QStringLiteral("Circle"));
    QCOMPARE(points.colorPicker(i)->currentColor(), QColor(Qt::black));
    QCOMPARE(points.sizeSpin(i)->value(), 7);
  }
  QCOMPARE(points.markPicker()->currentColor(), QColor(Qt::red));
  QCOMPARE(points.markSpin()->value(), 2);
  QCOMPARE(points.blunderPicker()->currentColor(), QColor(Qt::red));
  QCOMPARE(points.blunderSpin()->value(), 2);
  QCOMPARE(points.typeBox(6)->title(), QStringLiteral("&Lonely Image Point"));
  PhPrefsLinks links;
  links.initWidgets();
  QCOMPARE(links.lineTypeCombo()->currentText(), QStringLiteral("Solid Line"));
  QCOMPARE(links.lineTypeCombo()->count(), 3);
}

void TestPhPrefs::firstShowReadsTheConfiguration() {
  Ux::Cfg cfg(QStringLiteral("ObjectViewer"));
  cfg.writeEntry(QStringLiteral("Scale"), 250);
  cfg.writeEntry(QStringLiteral("BG_Color"), QColor(Qt::darkBlue));
  PhPrefsObjectViewer page;
  page.show();
  QVERIFY(QTest::qWaitForWindowExposed(&page));
  QCOMPARE(page.scaleSpin()->value(), 250);
  QCOMPARE(page.backgroundPicker()->currentColor(), QColor(Qt::darkBlue));
}

// Every key is written with its kind: colours as colours, fonts as text,
// sizes and switches as integers.
void TestPhPrefs::savedKinds_data() {
  QTest::addColumn<QString>("page");
  QTest::addColumn<QString>("key");
  QTest::addColumn<int>("type");
  QTest::addColumn<QVariant>("value");
  QTest::addRow("image background") << "image" << "ImageViewer/BG_Color" << int(QMetaType::QColor) << QVariant(QColor(Qt::white));
  QTest::addRow("image font") << "image" << "ImageViewer/TextFont" << int(QMetaType::QString) << QVariant(phDefaultTextFont().toString());
  QTest::addRow("image largest colour") << "image" << "ImageViewer/LargestResidualColor" << int(QMetaType::QColor) << QVariant(QColor(Qt::red));
  QTest::addRow("image largest size") << "image" << "ImageViewer/LargestResidualSize" << int(QMetaType::Int) << QVariant(2);
  QTest::addRow("image scale") << "image" << "ImageViewer/Scale" << int(QMetaType::Int) << QVariant(1000);
  QTest::addRow("image ids") << "image" << "ImageViewer/PointIdsOn" << int(QMetaType::Int) << QVariant(0);
  QTest::addRow("image blunders") << "image" << "ImageViewer/BlundersOn" << int(QMetaType::Int) << QVariant(0);
  QTest::addRow("object scale") << "object" << "ObjectViewer/Scale" << int(QMetaType::Int) << QVariant(1000);
  QTest::addRow("object font") << "object" << "ObjectViewer/TextFont" << int(QMetaType::QString) << QVariant(phDefaultTextFont().toString());
  QTest::addRow("points on") << "points" << "Points/PointOn_3" << int(QMetaType::Int) << QVariant(1);
  QTest::addRow("points symbol") << "points" << "Points/PointSymbol_6" << int(QMetaType::Int) << QVariant(0);
  QTest::addRow("points colour") << "points" << "Points/PointColor_0" << int(QMetaType::QColor) << QVariant(QColor(Qt::black));
  QTest::addRow("points size") << "points" << "Points/PointSize_5" << int(QMetaType::Int) << QVariant(7);
  QTest::addRow("mark colour") << "points" << "Points/MarkColor" << int(QMetaType::QColor) << QVariant(QColor(Qt::red));
  QTest::addRow("blunder size") << "points" << "Points/BlunderSize" << int(QMetaType::Int) << QVariant(2);
  QTest::addRow("line type") << "links" << "Links/LinkLineType" << int(QMetaType::Int) << QVariant(0);
}

void TestPhPrefs::savedKinds() {
  QFETCH(QString, page);
  QFETCH(QString, key);
  QFETCH(int, type);
  QFETCH(QVariant, value);
  std::unique_ptr<Ux::PrefsTab> tab;
  if (page == QLatin1String("image")) tab = std::make_unique<PhPrefsImageViewer>();
  if (page == QLatin1String("object")) tab = std::make_unique<PhPrefsObjectViewer>();
  if (page == QLatin1String("points")) tab = std::make_unique<PhPrefsPoints>();
  if (page == QLatin1String("links")) tab = std::make_unique<PhPrefsLinks>();
  tab->initWidgets();
  QSignalSpy saved(tab.get(), &Ux::PrefsTab::sigWidgetsSaved);
  tab->slotSaveWidgetStates();
  QCOMPARE(saved.count(), 1);
  const QVariant stored = Ux::Cfg::value(key);
  QCOMPARE(stored.typeId(), type);
  QCOMPARE(stored, value);
}

void TestPhPrefs::spinBoxesClampStoredValues_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<int>("stored");
  QTest::addColumn<int>("shown");
  QTest::addRow("scale 0") << "ImageViewer/Scale" << 0 << 1;
  QTest::addRow("scale too large") << "ImageViewer/Scale" << 200000 << 100000;
  QTest::addRow("point size 30") << "Points/PointSize_2" << 30 << 25;
  QTest::addRow("point size 1") << "Points/PointSize_2" << 1 << 3;
  QTest::addRow("mark size 0") << "Points/MarkSize" << 0 << 1;
}

void TestPhPrefs::spinBoxesClampStoredValues() {
  QFETCH(QString, key);
  QFETCH(int, stored);
  QFETCH(int, shown);
  Ux::Cfg().writeEntry(key, stored);
  std::unique_ptr<Ux::PrefsTab> tab;
  if (key.startsWith(QLatin1String("ImageViewer")))
    tab = std::make_unique<PhPrefsImageViewer>();
  else
    tab = std::make_unique<PhPrefsPoints>();
  tab->initWidgets();
  tab->slotSaveWidgetStates();
  QCOMPARE(Ux::Cfg().readNum(key, -99), shown);
}

void TestPhPrefs::uncheckingATypeSavesZero() {
  PhPrefsPoints page;
  page.initWidgets();
  page.typeBox(6)->setChecked(false);
  QVERIFY(!page.sizeSpin(6)->isEnabled());
  page.slotSaveWidgetStates();
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Points/PointOn_6")), QVariant(0));
  QCOMPARE(Ux::Cfg(QStringLiteral("Points")).readBool(QStringLiteral("PointOn_6"), true), false);
  QCOMPARE(Ux::Cfg(QStringLiteral("Points")).readBool(QStringLiteral("PointOn_5"), false), true);
}

void TestPhPrefs::fontDialog() {
  PhPrefsImageViewer page;
  page.initWidgets();
  page.show();
  const QString before = page.fontLabel()->text();
  rejectNextModal();
  page.findChild<QPushButton *>(QStringLiteral("fontButton"))->click();
  QCOMPARE(page.fontLabel()->text(), before);
  QCOMPARE(page.textFont(), phDefaultTextFont());

  answerNextModal([](QWidget *w) {
    auto *dialog = qobject_cast<QFontDialog *>(w);
    QFont font(QStringLiteral("Liberation Serif"), 14);
    font.setBold(true);
    dialog->setCurrentFont(font);
    dialog->accept();
  });
  page.findChild<QPushButton *>(QStringLiteral("fontButton"))->click();
  QCOMPARE(page.textFont().pointSize(), 14);
  QCOMPARE(page.fontLabel()->text(), phFontLabelText(page.textFont()));
  QVERIFY(page.fontLabel()->text().endsWith(QStringLiteral("] 14")));
  QVERIFY(!Ux::Cfg::keys().contains(QStringLiteral("ImageViewer/TextFont")));  // saved only on request
  page.slotSaveWidgetStates();
  QCOMPARE(Ux::Cfg(QStringLiteral("ImageViewer")).readFont(QStringLiteral("TextFont"), QFont()).pointSize(), 14);
}

void TestPhPrefs::names() {
  QCOMPARE(PhPrefsPoints::pointTypeName(3, false), QStringLiteral("Horiz. + Vert. Control Point"));
  QCOMPARE(PhPrefsPoints::pointTypeName(7, true), QStringLiteral("ERROR!"));
  QCOMPARE(PhPrefsPoints::symbolName(2), QStringLiteral("Cross"));
  QCOMPARE(PhPrefsPoints::symbolName(3), QStringLiteral("ERROR!"));
  QCOMPARE(PhPrefsLinks::lineTypeName(2), QStringLiteral("Dot Line"));
  QCOMPARE(PhPrefsLinks::lineTypeName(-1), QStringLiteral("ERROR!"));
}

// Each page lays out without overlapping widgets at its preferred size; with
// PAGE_PICTURES set the pictures are kept there for a look.
void TestPhPrefs::pagesDrawAtTheirSize() {
  QFont font(QStringLiteral("Liberation Sans"), 9);
  QApplication::setFont(font);
  PhPrefsImageViewer image;
  PhPrefsObjectViewer object;
  PhPrefsPoints points;
  PhPrefsLinks links;
  const QList<QPair<QString, Ux::PrefsTab *>> pages = {
      {QStringLiteral("prefs-image"), &image}, {QStringLiteral("prefs-object"), &object},
      {QStringLiteral("prefs-points"), &points}, {QStringLiteral("prefs-links"), &links}};
  const QString folder = qEnvironmentVariable("PAGE_PICTURES");
  for (const auto &page : pages) {
    page.second->initWidgets();
    page.second->resize(page.second->sizeHint().expandedTo(QSize(480, 200)));
    const QImage picture = page.second->grab().toImage();
    QVERIFY(!picture.isNull());
    const QList<QWidget *> children = page.second->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (int i = 0; i < children.size(); ++i)
      for (int j = i + 1; j < children.size(); ++j)
        if (children[i]->isVisibleTo(page.second) && children[j]->isVisibleTo(page.second))
          QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()), qPrintable(page.first));
    if (!folder.isEmpty()) picture.save(folder + QLatin1Char('/') + page.first + QStringLiteral(".png"));
  }
}

void TestPhPrefs::symbolPixmaps() {
  QVERIFY(PhSymbolPixmap::symbolPixmap(3).isNull());
  QVERIFY(PhSymbolPixmap::symbolPixmap(-1).isNull());
  for (int type = 0; type < 3; ++type) {
    const QPixmap pixmap = PhSymbolPixmap::symbolPixmap(type);
    QCOMPARE(pixmap.size(), QSize(13, 13));
    // Kept for the run: the same pixmap again.
    QCOMPARE(PhSymbolPixmap::symbolPixmap(type).cacheKey(), pixmap.cacheKey());
    const QImage image = pixmap.toImage();
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(12, 12).alpha(), 0);
    QCOMPARE(image.pixelColor(6, 6), QColor(Qt::black));
  }
  const QImage cross = PhSymbolPixmap::symbolPixmap(PhGlobal::SYM_Cross).toImage();
  int black = 0;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x)
      if (cross.pixelColor(x, y).alpha() > 0) ++black;
  QCOMPARE(black, 21);  // two 11-pixel strokes sharing the centre
  QCOMPARE(cross.pixelColor(1, 6), QColor(Qt::black));
  QCOMPARE(cross.pixelColor(11, 6), QColor(Qt::black));
  QCOMPARE(cross.pixelColor(6, 0).alpha(), 0);
  const QImage triangle = PhSymbolPixmap::symbolPixmap(PhGlobal::SYM_Triangle).toImage();
  QCOMPARE(triangle.pixelColor(2, 10), QColor(Qt::black));  // wide at the bottom
  QCOMPARE(triangle.pixelColor(2, 2).alpha(), 0);           // narrow at the top
}

void TestPhPrefs::symbolComboShowsTheSymbols() {
  PhPrefsPoints points;
  points.initWidgets();
  QComboBox *combo = points.symbolCombo(0);
  QCOMPARE(combo->count(), 3);
  for (int s = 0; s < 3; ++s) {
    QCOMPARE(combo->itemText(s), PhPrefsPoints::symbolName(s));
    QVERIFY(!combo->itemIcon(s).isNull());
    QCOMPARE(combo->itemIcon(s).pixmap(13, 13).toImage(), PhSymbolPixmap::symbolPixmap(s).toImage());
  }
}

QTEST_MAIN(TestPhPrefs)
#include "tst_phprefs.moc"
