#include "messagecapture.h"
#include "phsearchwidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>


namespace {
// A marker for an expected null string in the tables.
const QString kNull = QStringLiteral("<null>");

QString shown(const QString &s) { return s.isNull() ? kNull : s; }
}  // namespace

class TestPhSearchWidget : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void initialState();
  void request_data();
  void request();
  void groupBoxesAreExclusive();
  void noGroupChecked();
  void idChoiceEnablesFields();
  void deselectAllEmitsWithoutChecks();
  void selectionModeTravels();
  void picture();

 private:
  void press() { QTest::mouseClick(mWidget->findChild<QPushButton *>(QStringLiteral("select")), Qt::LeftButton); }
  PhSearchWidget *mWidget = nullptr;
};

void TestPhSearchWidget::init() {
  qRegisterMetaType<PhGlobal::SelectionModeE>();
  qRegisterMetaType<PhGlobal::SearchModeE>();
  mWidget = new PhSearchWidget;
  mWidget->show();
  mWidget->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(mWidget));
}

void TestPhSearchWidget::cleanup() {
  delete mWidget;
  mWidget = nullptr;
  QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPhSearchWidget::initialState() {
  QVERIFY(mWidget->groupBox(PhGlobal::SEARCH_PointId)->isChecked());
  for (int i = 1; i < 7; ++i) QVERIFY(!mWidget->groupBox(PhGlobal::SearchModeE(i))->isChecked());
  QCOMPARE(mWidget->pointIdMin()->value(), -1);
  QCOMPARE(mWidget->pointIdMin()->text(), QStringLiteral("IGNORE"));
  QCOMPARE(mWidget->pointIdChoice()->checkedId(), 0);
  QCOMPARE(mWidget->imageIdChoice()->checkedId(), 2);
  QCOMPARE(mWidget->selectionMode()->checkedId(), 0);
  QVERIFY(mWidget->pointCodeBox(6) == nullptr);
  QCOMPARE(mWidget->pointCodeBox(3)->text(), QStringLiteral("Horiz. &+ Vert. Control Point"));
  QCOMPARE(mWidget->groupBox(PhGlobal::SEARCH_PointCode)->title(), QStringLiteral("Poi&nt-Code"));
  // On screen the point codes stand above the blunders.
  QVERIFY(mWidget->groupBox(PhGlobal::SEARCH_PointCode)->y() < mWidget->groupBox(PhGlobal::SEARCH_Blunder)->y());
  QVERIFY(mWidget->groupBox(PhGlobal::SEARCH_Sigmas)->y() < mWidget->groupBox(PhGlobal::SEARCH_PointCode)->y());
}

// Each row: the criterion, what is typed, and either the request or the
// warnings in their order with the field that gets the focus.
void TestPhSearchWidget::request_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<bool>("pattern");
  QTest::addColumn<QString>("min");
  QTest::addColumn<QString>("max");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QStringList>("warnings");
  QTest::addColumn<QString>("focus");
  QTest::addColumn<QString>("par1");
  QTest::addColumn<QString>("par2");
  QTest::addColumn<bool>("matching");

  const QStringList none;
  const QString noParams = QStringLiteral("No parameters selected!");
  const QString invalid = QStringLiteral("No valid parameters for search!");
  QTest::addRow("id right after start") << 0 << false << "-1" << "-1" << "" << QStringList{noParams, invalid} << "min" << "" << "" << false;
  QTest::addRow("id min only") << 0 << false << "5" << "-1" << "" << none << "" << "5" << kNull << false;
  QTest::addRow("id max only") << 0 << false << "-1" << "40" << "" << none << "" << kNull << "40" << false;
  QTest::addRow("id min above max") << 0 << false << "7" << "3" << "" << QStringList{QStringLiteral("Minimum (7) > Maximum (3)!"), invalid} << "min" << "" << "" << false;
  QTest::addRow("id min equals max") << 0 << false << "3" << "3" << "" << none << "" << "3" << "3" << false;
  QTest::addRow("id pattern star") << 0 << true << "" << "" << "12*" << none << "" << "12*" << kNull << true;
  QTest::addRow("id pattern question") << 0 << true << "" << "" << "1?5" << none << "" << "1?5" << kNull << true;
  QTest::addRow("id pattern dash") << 0 << true << "" << "" << "12-3" << QStringList{QStringLiteral("Illegal character '-' in Pattern!"), invalid} << "pattern" << "" << "" << false;
  QTest::addRow("id pattern blank") << 0 << true << "" << "" << "1 2" << QStringList{QStringLiteral("Illegal character ' ' in Pattern!"), invalid} << "pattern" << "" << "" << false;
  QTest::addRow("id pattern umlaut") << 0 << true << "" << "" << QStringLiteral("1\u00e42") << QStringList{QStringLiteral("Illegal character '\u00e4' in Pattern!"), invalid} << "pattern" << "" << "" << false;
  QTest::addRow("id empty pattern") << 0 << true << "" << "" << "" << none << "" << "" << kNull << true;
  QTest::addRow("image range") << 1 << false << "100" << "200" << "" << none << "" << "100" << "200" << false;
  QTest::addRow("image pattern") << 1 << true << "" << "" << "2*" << none << "" << "2*" << kNull << true;
  QTest::addRow("links none") << 2 << false << "-1" << "-1" << "" << QStringList{noParams, invalid} << "min" << "" << "" << false;
  QTest::addRow("links range") << 2 << false << "2" << "9" << "" << none << "" << "2" << "9" << false;
  QTest::addRow("residual min above max") << 3 << false << "2.5" << "1.25" << "" << QStringList{QStringLiteral("Minimum (2.50) > Maximum (1.25)!"), invalid} << "min" << "" << "" << false;
  QTest::addRow("residual both open") << 3 << false << "-1" << "-1" << "" << QStringList{noParams, invalid} << "min" << "" << "" << false;
  QTest::addRow("residual both empty") << 3 << false << "" << "" << "" << QStringList{noParams, invalid} << "min" << "" << "" << false;
  QTest::addRow("residual empty min") << 3 << false << "" << "0.5" << "" << none << "" << "" << "0.5" << false;
  QTest::addRow("residual min with empty max") << 3 << false << "0.3" << "" << "" << QStringList{QStringLiteral("Minimum (0.30) > Maximum (0.00)!"), invalid} << "min" << "" << "" << false;
  QTest::addRow("residual open min") << 3 << false << "-1" << "0.5" << "" << none << "" << kNull << "0.5" << false;
  QTest::addRow("sigma open max") << 4 << false << "0.01" << "-1" << "" << none << "" << "0.01" << kNull << false;
  QTest::addRow("sigma range as typed") << 4 << false << "0.010" << "0.5" << "" << none << "" << "0.010" << "0.5" << false;
  QTest::addRow("blunder") << 5 << false << "" << "" << "" << none << "" << "" << "" << false;
  QTest::addRow("point codes") << 6 << false << "" << "" << "0,4" << none << "" << "1000100" << kNull << false;
  QTest::addRow("no point code") << 6 << false << "" << "" << "" << QStringList{QStringLiteral("No point-code activated!"), invalid} << "" << "" << "" << false;
}

void TestPhSearchWidget::request() {
  QFETCH(int, mode);
  QFETCH(bool, pattern);
  QFETCH(QString, min);
  QFETCH(QString, max);
  QFETCH(QString, text);
  QFETCH(QStringList, warnings);
  QFETCH(QString, focus);
  QFETCH(QString, par1);
  QFETCH(QString, par2);
  QFETCH(bool, matching);

  mWidget->groupBox(PhGlobal::SearchModeE(mode))->setChecked(true);
  QWidget *minField = nullptr;
  QWidget *patternField = nullptr;
  switch (mode) {
    case 0:
    case 1: {
      QButtonGroup *choice = mode == 0 ? mWidget->pointIdChoice() : mWidget->imageIdChoice();
      QSpinBox *minBox = mode == 0 ? mWidget->pointIdMin() : mWidget->imageIdMin();
      QSpinBox *maxBox = mode == 0 ? mWidget->pointIdMax() : mWidget->imageIdMax();
      QLineEdit *patternEdit = mode == 0 ? mWidget->pointIdPattern() : mWidget->imageIdPattern();
      QTest::mouseClick(choice->button(mode * 2 + (pattern ? 1 : 0)), Qt::LeftButton, {}, QPoint(2, 2));
      QCOMPARE(choice->checkedId(), mode * 2 + (pattern ? 1 : 0));
      if (pattern) {
        patternEdit->setText(text);
      } else {
        minBox->setValue(min.toInt());
        maxBox->setValue(max.toInt());
      }
      minField = minBox;
      patternField = patternEdit;
      break;
    }
    case 2:
      mWidget->linksMin()->setValue(min.toInt());
      mWidget->linksMax()->setValue(max.toInt());
      minField = mWidget->linksMin();
      break;
    case 3:
    case 4: {
      QLineEdit *minEdit = mode == 3 ? mWidget->residualMin() : mWidget->sigmaMin();
      QLineEdit *maxEdit = mode == 3 ? mWidget->residualMax() : mWidget->sigmaMax();
      minEdit->setText(min);
      maxEdit->setText(max);
      minField = minEdit;
      break;
    }
    case 6:
      for (const QString &index : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        mWidget->pointCodeBox(index.toInt())->setChecked(true);
      break;
  }

  QSignalSpy spy(mWidget, &PhSearchWidget::sigRequestSelection);
  MessageCapture capture;
  press();
  QCOMPARE(capture.texts(Nub::MsgWarn), warnings);
  if (!warnings.isEmpty()) {
    QCOMPARE(spy.count(), 0);
    if (focus == QLatin1String("min")) QCOMPARE(QApplication::focusWidget(), minField);
    if (focus == QLatin1String("pattern")) QCOMPARE(QApplication::focusWidget(), patternField);
    return;
  }
  QCOMPARE(spy.count(), 1);
  const QList<QVariant> args = spy.first();
  QCOMPARE(args.at(0).value<PhGlobal::SelectionModeE>(), PhGlobal::SEL_EraseExisting);
  QCOMPARE(int(args.at(1).value<PhGlobal::SearchModeE>()), mode);
  QCOMPARE(shown(args.at(2).toString()), par1);
  QCOMPARE(shown(args.at(3).toString()), par2);
  QCOMPARE(args.at(4).toBool(), matching);
}

void TestPhSearchWidget::groupBoxesAreExclusive() {
  mWidget->groupBox(PhGlobal::SEARCH_Sigmas)->setChecked(true);
  QVERIFY(!mWidget->groupBox(PhGlobal::SEARCH_PointId)->isChecked());
  QVERIFY(mWidget->groupBox(PhGlobal::SEARCH_Sigmas)->isChecked());
  QCOMPARE(QApplication::focusWidget(), mWidget->groupBox(PhGlobal::SEARCH_Sigmas));
  mWidget->groupBox(PhGlobal::SEARCH_Blunder)->setChecked(true);
  int checked = 0;
  for (int i = 0; i < 7; ++i) checked += mWidget->groupBox(PhGlobal::SearchModeE(i))->isChecked();
  QCOMPARE(checked, 1);
  QVERIFY(mWidget->groupBox(PhGlobal::SEARCH_Blunder)->isChecked());
}

void TestPhSearchWidget::noGroupChecked() {
  mWidget->groupBox(PhGlobal::SEARCH_PointId)->setChecked(false);
  QSignalSpy spy(mWidget, &PhSearchWidget::sigRequestSelection);
  MessageCapture capture;
  press();
  QCOMPARE(capture.texts(Nub::MsgWarn), QStringList{QStringLiteral("No mode for searching points enabled!")});
  QCOMPARE(spy.count(), 0);
}

void TestPhSearchWidget::idChoiceEnablesFields() {
  QVERIFY(mWidget->pointIdPattern()->isEnabled());  // untouched: all three enabled
  QTest::mouseClick(mWidget->pointIdChoice()->button(1), Qt::LeftButton, {}, QPoint(2, 2));
  QVERIFY(mWidget->pointIdPattern()->isEnabled());
  QVERIFY(!mWidget->pointIdMin()->isEnabled() && !mWidget->pointIdMax()->isEnabled());
  QTest::mouseClick(mWidget->pointIdChoice()->button(0), Qt::LeftButton, {}, QPoint(2, 2));
  QVERIFY(!mWidget->pointIdPattern()->isEnabled());
  QVERIFY(mWidget->pointIdMin()->isEnabled());
  QGroupBox *image = mWidget->groupBox(PhGlobal::SEARCH_ImageId);
  QVERIFY(!image->isChecked());  // an unchecked group disables its fields as a whole
  QVERIFY(mWidget->imageIdPattern()->isEnabledTo(image) && mWidget->imageIdMin()->isEnabledTo(image));
}

void TestPhSearchWidget::deselectAllEmitsWithoutChecks() {
  mWidget->groupBox(PhGlobal::SEARCH_PointId)->setChecked(false);
  QSignalSpy spy(mWidget, &PhSearchWidget::sigRequestDeselectAll);
  MessageCapture capture;
  QTest::mouseClick(mWidget->findChild<QPushButton *>(QStringLiteral("deselectAll")), Qt::LeftButton);
  QCOMPARE(spy.count(), 1);
  QCOMPARE(capture.count(), 0);
}

void TestPhSearchWidget::selectionModeTravels() {
  mWidget->groupBox(PhGlobal::SEARCH_Blunder)->setChecked(true);
  mWidget->selectionMode()->button(1)->setChecked(true);
  QSignalSpy spy(mWidget, &PhSearchWidget::sigRequestSelection);
  press();
  QCOMPARE(spy.count(), 1);
  QCOMPARE(spy.first().at(0).value<PhGlobal::SelectionModeE>(), PhGlobal::SEL_AddToExisting);
  QCOMPARE(spy.first().at(2).toString(), QString());
}

// With PAGE_PICTURES set, a picture of the tab is kept there for a look.
void TestPhSearchWidget::picture() {
  mWidget->resize(mWidget->sizeHint().expandedTo(QSize(360, 720)));
  const QImage image = mWidget->grab().toImage();
  QVERIFY(!image.isNull());
  const QString folder = qEnvironmentVariable("PAGE_PICTURES");
  if (!folder.isEmpty()) image.save(folder + QStringLiteral("/search.png"));
}

QTEST_MAIN(TestPhSearchWidget)
#include "tst_phsearchwidget.moc"
