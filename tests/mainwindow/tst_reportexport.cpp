#include "programtest.h"
#include "messagecapture.h"
#include "modalanswer.h"
#include "phreportdialog.h"
#include "tessella.h"
#include "uxapp.h"
#include "uxcfg.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString exampleProject() {
  return QFileInfo(qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block/block.(p)"))
      .canonicalFilePath();
}

QByteArray readAll(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a user types into the report dialog.
struct Answer {
  QString html;
  QString pdf;
  bool check = false;
  double tolerance[3] = {0.0, 0.0, 0.0};
};

void fillIn(PhReportDialog *dialog, const Answer &answer) {
  QVERIFY(dialog);
  auto *html = dialog->findChild<QCheckBox *>(QStringLiteral("htmlCheck"));
  auto *pdf = dialog->findChild<QCheckBox *>(QStringLiteral("pdfCheck"));
  auto *check = dialog->findChild<QCheckBox *>(QStringLiteral("toleranceCheck"));
  QVERIFY(html && pdf && check);
  html->setChecked(!answer.html.isEmpty());
  pdf->setChecked(!answer.pdf.isEmpty());
  if (!answer.html.isEmpty()) dialog->findChild<QLineEdit *>(QStringLiteral("htmlFile"))->setText(answer.html);
  if (!answer.pdf.isEmpty()) dialog->findChild<QLineEdit *>(QStringLiteral("pdfFile"))->setText(answer.pdf);
  check->setChecked(answer.check);
  for (int axis = 0; axis < 3; ++axis) {
    auto *spin = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("tolerance%1").arg(QLatin1Char("XYZ"[axis])));
    QVERIFY(spin);
    QCOMPARE(spin->isEnabled(), answer.check);
    spin->setValue(answer.tolerance[axis]);
  }
}

void clickOk(QDialog *dialog) {
  dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

}  // namespace

// Project > Export Report... through the real main window: the dialog asks
// for the files and tolerances and the same document as tessella-report's
// is written.
class TestReportExport : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void menuHoldsTheAction();
  void exportWritesTheSameDocumentAsTheCommandLine();
  void dialogRefusesWhatItCannotWrite_data();
  void dialogRefusesWhatItCannotWrite();
  void choicesAreKeptForTheNextTime();
  void withoutAProjectNothingIsAsked();
  void unwritableFileIsReported();

 private:
  QAction *exportAction() const {
    for (QAction *action : mWindow->popupMenu(Ux::MainWindow::UI_File)->actions())
      if (action->text() == QLatin1String("Export &Report...")) return action;
    return nullptr;
  }
  void openExample() {
    QVERIFY(mWindow->openProject(exampleProject()));
    QVERIFY(mWindow->hasProject());
  }

  QTemporaryDir mDir;
  std::unique_ptr<Tessella> mWindow;
};

void TestReportExport::initTestCase() {
  QVERIFY(mDir.isValid());
  // Where the command line reads the example from.
  QVERIFY(QDir::setCurrent(QFileInfo(exampleProject()).path()));
  qputenv("SOURCE_DATE_EPOCH", "1700000000");
}

void TestReportExport::init() {
  Ux::Cfg::clear();
  // The factory configuration, as the command line reads it.
  QVERIFY(Ux::Cfg::load(QDir(qEnvironmentVariable("TESSELLA_BINARY_DIR")).filePath(QStringLiteral("bin/default.cfg")),
                        true));
  mWindow = std::make_unique<Tessella>(QPixmap(10, 10));
  mWindow->show();
  QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
}

void TestReportExport::cleanup() {
  mWindow->setAskBeforeClosing(false);
  mWindow.reset();
  QFile::remove(Ux::App::getRep()->cfgFileUser());
  Ux::Cfg::clear();
}

void TestReportExport::menuHoldsTheAction() {
  QAction *action = exportAction();
  QVERIFY(action);
  // After the project's own items, keeping theirs in place.
  const QList<QAction *> actions = mWindow->popupMenu(Ux::MainWindow::UI_File)->actions();
  int close = -1;
  for (int i = 0; i < actions.size(); ++i)
    if (actions[i]->text() == QLatin1String("&Close")) close = i;
  QVERIFY(close >= 0);
  QCOMPARE(actions.indexOf(action), close + 1);
}

void TestReportExport::exportWritesTheSameDocumentAsTheCommandLine() {
  openExample();
  // The user's selection has no say in the document, and stays.
  const std::vector<int> selected{0, 5, 17, 1409};
  mWindow->objects().selection().selectIndices(selected, false);
  Answer answer;
  answer.html = mDir.filePath(QStringLiteral("window.html"));
  answer.pdf = mDir.filePath(QStringLiteral("window.pdf"));
  answer.check = true;
  answer.tolerance[0] = 0.02;
  answer.tolerance[1] = 0.02;
  answer.tolerance[2] = 0.03;
  bool answered = false;
  answerNext<PhReportDialog>([&](PhReportDialog *dialog) {
    // Offered beside the project at first.
    QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("htmlFile"))->text(),
             QFileInfo(exampleProject()).dir().filePath(QStringLiteral("block-report.html")));
    fillIn(dialog, answer);
    clickOk(dialog);
    answered = true;
  });
  MessageCapture capture;
  exportAction()->trigger();
  QVERIFY(answered);
  QCOMPARE(mWindow->objects().selection().indices(), selected);
  QVERIFY2(capture.count(Nub::MsgInfo, QStringLiteral("Report written")) == 1,
           qPrintable(capture.infos().join(QLatin1Char('\n'))));

  QProcess tool;
  tool.setWorkingDirectory(QDir::currentPath());
  tool.start(QDir(qEnvironmentVariable("TESSELLA_BINARY_DIR")).filePath(QStringLiteral("bin/tessella-report")),
             {mWindow->projectFile(), QStringLiteral("--html"), mDir.filePath(QStringLiteral("tool.html")),
              QStringLiteral("--tolerance"), QStringLiteral("0.02,0.02,0.03")});
  QVERIFY(tool.waitForFinished(120000));
  QCOMPARE(tool.exitCode(), 0);
  const QByteArray window = readAll(answer.html);
  QVERIFY(window.contains("<td class=\"fail\">FAIL</td>"));
  QVERIFY(window == readAll(mDir.filePath(QStringLiteral("tool.html"))));
  QVERIFY(readAll(answer.pdf).startsWith("%PDF-"));
}

void TestReportExport::dialogRefusesWhatItCannotWrite_data() {
  QTest::addColumn<bool>("html");
  QTest::addColumn<bool>("pdf");
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("problem");
  QTest::addRow("no format") << false << false << "x" << "Choose HTML, PDF or both.";
  QTest::addRow("no html file") << true << false << "" << "Name a file for each format chosen.";
  QTest::addRow("no pdf file") << false << true << "  " << "Name a file for each format chosen.";
}

void TestReportExport::dialogRefusesWhatItCannotWrite() {
  QFETCH(bool, html);
  QFETCH(bool, pdf);
  QFETCH(QString, file);
  QFETCH(QString, problem);
  openExample();
  const QString refused = mDir.filePath(QStringLiteral("refused"));
  QVERIFY(QDir().mkpath(refused));
  if (!file.trimmed().isEmpty()) file = QDir(refused).filePath(file);
  QString shown;
  bool stillOpen = false;
  answerNext<PhReportDialog>([&](PhReportDialog *dialog) {
    dialog->findChild<QCheckBox *>(QStringLiteral("htmlCheck"))->setChecked(html);
    dialog->findChild<QCheckBox *>(QStringLiteral("pdfCheck"))->setChecked(pdf);
    dialog->findChild<QLineEdit *>(QStringLiteral("htmlFile"))->setText(file);
    dialog->findChild<QLineEdit *>(QStringLiteral("pdfFile"))->setText(file);
    clickOk(dialog);
    stillOpen = dialog->isVisible();
    auto *error = dialog->findChild<QLabel *>(QStringLiteral("error"));
    shown = error->isVisible() ? error->text() : QString();
    dialog->reject();
  });
  MessageCapture capture;
  exportAction()->trigger();
  QVERIFY(stillOpen);
  QCOMPARE(shown, problem);
  QCOMPARE(capture.count(Nub::MsgInfo, QStringLiteral("Report written")), 0);
  QVERIFY(QDir(refused).entryList(QDir::Files).isEmpty());
}

void TestReportExport::choicesAreKeptForTheNextTime() {
  openExample();
  Answer answer;
  answer.pdf = mDir.filePath(QStringLiteral("kept.pdf"));
  answer.check = true;
  answer.tolerance[0] = 0.5;
  answer.tolerance[1] = 0.25;
  answer.tolerance[2] = 0.125;
  answerNext<PhReportDialog>([&](PhReportDialog *dialog) {
    fillIn(dialog, answer);
    clickOk(dialog);
  });
  exportAction()->trigger();
  QVERIFY(QFileInfo::exists(answer.pdf));
  QVERIFY(!QFileInfo::exists(mDir.filePath(QStringLiteral("kept.html"))));
  // Stored under a group of its own, and offered again.
  const Ux::Cfg cfg(QStringLiteral("Report"));
  QCOMPARE(cfg.readReal(QStringLiteral("ToleranceY"), 0.0), 0.25);
  QCOMPARE(cfg.readBool(QStringLiteral("Html"), true), false);
  PhReportDialog again(mWindow->projectFile());
  const PhReportOptions options = again.options();
  QCOMPARE(options.htmlFile, QString());
  QVERIFY(options.pdfFile.endsWith(QLatin1String("block-report.pdf")));
  QVERIFY(options.hasTolerance);
  QCOMPARE(options.tolerance[2], 0.125);
}

void TestReportExport::withoutAProjectNothingIsAsked() {
  bool asked = false;
  answerNext<PhReportDialog>([&](PhReportDialog *dialog) {
    asked = true;
    dialog->reject();
  }, 300);
  MessageCapture capture;
  exportAction()->trigger();
  QTest::qWait(400);
  QVERIFY(!asked);
  QCOMPARE(capture.count(Nub::MsgWarnDlg, QStringLiteral("No project is open")), 1);
}

void TestReportExport::unwritableFileIsReported() {
  openExample();
  Answer answer;
  answer.html = mDir.filePath(QStringLiteral("no/such/folder/r.html"));
  answerNext<PhReportDialog>([&](PhReportDialog *dialog) {
    fillIn(dialog, answer);
    clickOk(dialog);
  });
  MessageCapture capture;
  exportAction()->trigger();
  QCOMPARE(capture.count(Nub::MsgWarnDlg, QStringLiteral("Can't write '%1'").arg(answer.html)), 1);
  QCOMPARE(capture.count(Nub::MsgInfo, QStringLiteral("Report written")), 0);
  QVERIFY(!QFileInfo::exists(answer.html));
}

TESSELLA_PROGRAM_TEST_MAIN(TestReportExport)
#include "tst_reportexport.moc"
