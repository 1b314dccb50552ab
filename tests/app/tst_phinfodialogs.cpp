#include "modalanswer.h"
#include "phexitdialog.h"
#include "phinfotexts.h"
#include "phprojectdata.h"
#include "phprojectinfo.h"
#include "phsplashpicture.h"
#include "uxapp.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestPhInfoDialogs : public QObject {
  Q_OBJECT

 private slots:
  void pagesReadTheKeysAtCallTime();
  void exitDialogQueries_data();
  void exitDialogQueries();
  void exitDialogButtons();
  void projectInfoFormats();
  void projectInfoCutsLongPathsInTheMiddle();
  void splashMessagesStandOnLightGround();
};

void TestPhInfoDialogs::pagesReadTheKeysAtCallTime() {
  Ux::App::setInfo(QStringLiteral("name"), QStringLiteral("Tessella"));
  Ux::App::setInfo(QStringLiteral("version"), QStringLiteral("9.9"));
  Ux::App::setInfo(QStringLiteral("author1"), QStringLiteral("Team A"));
  Ux::App::setInfo(QStringLiteral("author2"), QStringLiteral("Desk B"));
  Ux::App::setInfo(QStringLiteral("author2Fax"), QStringLiteral("+00 1"));
  QVERIFY(splashText().startsWith(QStringLiteral(
      "<h2>Tessella</h2><h3>Graphical Analysis Tool for BAXB Adjustment Results</h3><h3>Version: 9.9</h3>")));
  QVERIFY(splashText().contains(QStringLiteral("Team A")) && splashText().contains(QStringLiteral("Desk B")));
  QVERIFY(supportText().contains(QStringLiteral("<h2>Desk B</h2><h2>Phone: ")));
  QVERIFY(supportText().contains(QStringLiteral("<br>Fax: +00 1<br>E-Mail: <font color=\"#0000ff\"><u>")));
  Ux::App::setInfo(QStringLiteral("dateCreation"), QStringLiteral("April 13, 2005"));
  const QString history = historyText();
  QVERIFY(history.startsWith(QStringLiteral("<br><center><h2>History since creation of program at April 13, 2005</h2><table border=2><tr bgcolor=\"#3b589a\">")));
  // Newest release first.
  QVERIFY(history.contains(QStringLiteral("</tr><tr><td>1.0.5</td><td>January 12, 2006</td><td><ul><li>")));
  QVERIFY(history.indexOf(QStringLiteral("<td>1.0.5</td>")) < history.indexOf(QStringLiteral("<td>1.0.4</td>")));
  QVERIFY(history.endsWith(QStringLiteral("</ul></td></tr></table></center>")));
}

void TestPhInfoDialogs::exitDialogQueries_data() {
  QTest::addColumn<bool>("group");
  QTest::addColumn<bool>("check");
  QTest::addColumn<bool>("preferences");
  QTest::addColumn<bool>("positions");
  QTest::addRow("nothing") << false << false << false << false;
  QTest::addRow("positions only, group off") << false << true << false << false;
  QTest::addRow("preferences") << true << false << true << false;
  QTest::addRow("both") << true << true << true << true;
}

void TestPhInfoDialogs::exitDialogQueries() {
  QFETCH(bool, group);
  QFETCH(bool, check);
  QFETCH(bool, preferences);
  QFETCH(bool, positions);
  PhExitDialog dialog;
  QVERIFY(!dialog.preferencesBox()->isChecked() && !dialog.positionsCheck()->isChecked());
  dialog.preferencesBox()->setChecked(true);  // the check box is disabled while the group is off
  dialog.positionsCheck()->setChecked(check);
  dialog.preferencesBox()->setChecked(group);
  QCOMPARE(dialog.savePreferences(), preferences);
  QCOMPARE(dialog.saveViewerPositions(), positions);
}

void TestPhInfoDialogs::exitDialogButtons() {
  PhExitDialog dialog;
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Leave program?"));
  QPushButton *yes = nullptr;
  QPushButton *no = nullptr;
  for (QPushButton *b : dialog.findChildren<QPushButton *>()) {
    if (b->text() == QLatin1String("Yes")) yes = b;
    if (b->text() == QLatin1String("No")) no = b;
  }
  QVERIFY(yes && no);
  answerNextModal([&](QWidget *) { yes->click(); });
  QCOMPARE(dialog.exec(), int(QDialog::Accepted));
  answerNextModal([&](QWidget *) { no->click(); });
  QCOMPARE(dialog.exec(), int(QDialog::Rejected));
  answerNextModal([&](QWidget *w) { w->close(); });  // the window's close button rejects
  QCOMPARE(dialog.exec(), int(QDialog::Rejected));
}

void TestPhInfoDialogs::projectInfoFormats() {
  PhProjectData data;
  data.setProjectFile(QStringLiteral("/p/block.(p)"));
  data.setCameraFile(QStringLiteral("/p/cam.dat"));
  data.setImageFile(QStringLiteral("/p/block.(i)"));
  data.setObjectFile(QStringLiteral("/p/block.(o)"));
  data.setOrientationFile(QStringLiteral("/p/block.(e)"));
  data.setObservationFile(QStringLiteral("/p/block.(c)"));
  data.setSigma0(1.23456);
  data.setAverageRedundancy(0.5);
  data.setInversion(false);
  ProjectInfo info;
  info.setProjectData(data, 12, 3456);
  const QStringList captions = {"Project:", "Camera File:", "Image File:", "Object File:", "Orientation File:",
                                "Observation File:", "Sigma 0:", "Average Redundancy:", "# Images:", "# Points",
                                "Inversion:"};
  const QStringList values = {"/p/block.(p)", "/p/cam.dat", "/p/block.(i)", "/p/block.(o)", "/p/block.(e)",
                              "/p/block.(c)", "1.235", "0.500", "12", "3456", "FALSE"};
  for (int row = 0; row < ProjectInfo::RowCount; ++row) {
    QCOMPARE(info.caption(row)->text(), captions.at(row));
    QCOMPARE(info.value(row)->text(), values.at(row));
  }
  data.setInversion(true);
  info.setProjectData(data, 0, 0);
  QCOMPARE(info.value(10)->text(), QStringLiteral("TRUE"));
}

void TestPhInfoDialogs::projectInfoCutsLongPathsInTheMiddle() {
  const QString path = QStringLiteral("/home/surveyor/projects/2026/city-block-north/adjustment-run-7/") +
                       QStringLiteral("results/block-north-final.(i)");
  PhProjectData data;
  data.setImageFile(path);
  ProjectInfo info;
  info.resize(260, 400);
  info.show();
  QVERIFY(QTest::qWaitForWindowExposed(&info));
  info.setProjectData(data, 1, 1);
  PhElidedLabel *label = info.value(2);
  QTRY_VERIFY(label->isElided());
  QCOMPARE(label->text(), path);
  QCOMPARE(label->toolTip(), path);
  // Both ends of the path stay, the middle gives way.
  const QString shown = label->shownText();
  const QStringList ends = shown.split(QChar(0x2026));
  QVERIFY2(ends.size() == 2 && !ends.at(0).isEmpty() && !ends.at(1).isEmpty() && path.startsWith(ends.at(0)) &&
               path.endsWith(ends.at(1)),
           qPrintable(shown));
  QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());

  // Wide enough: the whole text and no tool tip.
  info.resize(1400, 400);
  QTRY_VERIFY(!label->isElided());
  QCOMPARE(label->shownText(), path);
  QVERIFY(label->toolTip().isEmpty());
}

// Messages are written black, left and bottom aligned: that corner is light.
void TestPhInfoDialogs::splashMessagesStandOnLightGround() {
  const QImage picture = phSplashPicture().toImage();
  QCOMPARE(picture.size(), QSize(758, 380));
  for (int y = 380 - 60; y < 380; ++y)
    for (int x = 0; x < 500; ++x)
      QVERIFY2(qGray(picture.pixel(x, y)) > 200, qPrintable(QStringLiteral("dark at %1, %2").arg(x).arg(y)));
}

QTEST_MAIN(TestPhInfoDialogs)
#include "tst_phinfodialogs.moc"
