#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "reportpages.h"

// The adjustment report written by tessella-report --html and --pdf, read
// back the way a reader of it would: its numbers against the JSON summary
// and the CSV tables of the same run, the HTML as XML, the PDF's text.
class TstReportDocument : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void projectFiguresEqualTheSummary();
  void imagesTableEqualsTheCsv();
  void controlTableEqualsTheCsvWithTheTolerances();
  void summariesEqualTheSummary();
  void largestEliminatedPoints();
  void htmlIsOneSelfContainedFile();
  void pdfHasNumberedPagesWithTheText();
  void sameInputSameDocument();
  void longProjectsListTheWorstImagesInThePdf();
  void residualUnitOfTheReport();
  void badArguments_data();
  void badArguments();
  void unwritableReportLeavesNothing();

 private:
  struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
  };
  // Runs the tool from the example's folder (where its Bax.ini is found).
  Run run(const QStringList &args, const QString &epoch = QStringLiteral("1700000000"),
          const QString &workDir = QString()) const;
  QByteArray read(const QString &name) const;
  QList<QStringList> csv(const QString &name) const;

  QTemporaryDir mDir;
  QString mTool;
  QString mExample;
  QJsonObject mJson;
  ReportHtml mHtml;
  QString mPdfText;
  static constexpr double Tolerance[3] = {0.02, 0.02, 0.03};
};

constexpr double TstReportDocument::Tolerance[3];

TstReportDocument::Run TstReportDocument::run(const QStringList &args, const QString &epoch,
                                              const QString &workDir) const {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("SOURCE_DATE_EPOCH"), epoch);
  env.remove(QStringLiteral("windir"));
  // A runtime folder of its own, so the toolkit has nothing to say about it.
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), mDir.filePath(QStringLiteral("runtime")));
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(workDir.isEmpty() ? QFileInfo(mExample).path() : workDir);
  process.start(mTool, args);
  Run r;
  if (!process.waitForFinished(120000)) return r;
  r.out = process.readAllStandardOutput();
  r.err = process.readAllStandardError();
  r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  return r;
}

QByteArray TstReportDocument::read(const QString &name) const {
  QFile file(mDir.filePath(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QStringList> TstReportDocument::csv(const QString &name) const {
  QList<QStringList> rows;
  const QList<QByteArray> lines = read(QStringLiteral("csv/") + name).split('\n');
  for (int i = 1; i < lines.size(); ++i) {  // past the header
    const QByteArray line = lines[i].trimmed();
    if (!line.isEmpty()) rows << QString::fromUtf8(line).split(QLatin1Char(','));
  }
  return rows;
}

void TstReportDocument::initTestCase() {
  QVERIFY(mDir.isValid());
  QVERIFY(QDir().mkpath(mDir.filePath(QStringLiteral("runtime"))));
  QFile::setPermissions(mDir.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  mTool = QDir(qEnvironmentVariable("TESSELLA_BINARY_DIR")).filePath(QStringLiteral("bin/tessella-report"));
  QVERIFY2(QFileInfo(mTool).isExecutable(), qPrintable(mTool));
  mExample = QDir(qEnvironmentVariable("TESSELLA_SOURCE_DIR")).filePath(QStringLiteral("examples/block/block.(p)"));
  QVERIFY(QFileInfo::exists(mExample));
  const Run r = run({mExample, QStringLiteral("--csv"), mDir.filePath(QStringLiteral("csv")), QStringLiteral("--html"),
                     mDir.filePath(QStringLiteral("r.html")), QStringLiteral("--pdf"), mDir.filePath(QStringLiteral("r.pdf")),
                     QStringLiteral("--tolerance"), QStringLiteral("0.02, 0.02,0.03")});
  QCOMPARE(r.status, 0);
  QVERIFY2(r.err.isEmpty(), r.err.constData());
  QJsonParseError error;
  mJson = QJsonDocument::fromJson(r.out, &error).object();
  QCOMPARE(error.error, QJsonParseError::NoError);
  mHtml = ReportHtml::parse(read(QStringLiteral("r.html")));
  QVERIFY2(mHtml.parseError.isEmpty(), qPrintable(mHtml.parseError));
  mPdfText = QString::fromUtf8(
      popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), mDir.filePath(QStringLiteral("r.pdf")),
                                                  QStringLiteral("-")}));
  QVERIFY2(!mPdfText.isEmpty(), "pdftotext could not read the PDF");
}

void TstReportDocument::projectFiguresEqualTheSummary() {
  const auto value = [this](const char *name) { return mHtml.value(QStringLiteral("project"), QString::fromUtf8(name)); };
  // Four significant digits at least, and the same as the JSON.
  const QString sigma0 = value("Sigma 0");
  QVERIFY2(showsNumber(sigma0, mJson[QLatin1String("sigma0")].toDouble()), qPrintable(sigma0));
  QString digits = sigma0;
  QVERIFY2(digits.remove(QRegularExpression(QStringLiteral("^[0.]+"))).size() >= 4, qPrintable(sigma0));
  QVERIFY(showsNumber(value("Average redundancy"), mJson[QLatin1String("redundancy")].toDouble()));
  QCOMPARE(value("Inversion"), mJson[QLatin1String("inversion")].toBool() ? QStringLiteral("yes") : QStringLiteral("no"));
  const struct {
    const char *row;
    const char *key;
  } counts[] = {{"Images", "images"},
                {"Object points", "object_points"},
                {"Image points", "image_points"},
                {"Eliminated image points", "blunders"},
                {"Lonely image points", "lonely_image_points"},
                {"Rejected object points", "rejected_object_points"}};
  for (const auto &c : counts) QCOMPARE(value(c.row).toLongLong(), mJson[QLatin1String(c.key)].toVariant().toLongLong());
  const QJsonObject types = mJson[QLatin1String("points_by_type")].toObject();
  for (auto it = types.begin(); it != types.end(); ++it) QCOMPARE(value(it.key().toUtf8().constData()).toInt(), it->toInt());
  QVERIFY(showsNumber(value("RMS of image residuals [mm]"), mJson[QLatin1String("rms_image_residual")].toDouble()));
  // Rejected observations: the CSV's rows that are not accepted.
  int rejected = 0;
  for (const QStringList &row : csv(QStringLiteral("control.csv"))) rejected += row[6] == QLatin1String("0");
  QVERIFY(rejected > 0);
  QCOMPARE(value("Rejected control observations").toInt(), rejected);
  QCOMPARE(value("Program version"), QStringLiteral("1.0.5"));
  QVERIFY(value("Date of the BAX files").contains(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d UTC$"))));
  QCOMPARE(mHtml.value(QStringLiteral("files"), QStringLiteral("Project file")), mJson[QLatin1String("project")].toString());
  QVERIFY(mHtml.paragraphs.contains(
      QStringLiteral("Created 2023-11-14 22:13:20 UTC by Tessella 1.0.5 from %1.").arg(mExample)));
}

void TstReportDocument::imagesTableEqualsTheCsv() {
  const QList<QStringList> table = mHtml.tables.value(QStringLiteral("images"));
  const QList<QStringList> rows = csv(QStringLiteral("images.csv"));
  QCOMPARE(table.size(), rows.size());
  QCOMPARE(table.size(), mJson[QLatin1String("images")].toInt());
  QHash<QString, QStringList> byId;
  for (const QStringList &row : rows) byId.insert(row[0], row);
  double previous = INFINITY;
  for (const QStringList &shown : table) {
    QCOMPARE(shown.size(), 9);
    const QStringList expected = byId.take(shown[0]);
    QVERIFY2(!expected.isEmpty(), qPrintable(shown[0]));
    for (int c = 1; c < 4; ++c) QCOMPARE(shown[c], expected[c]);
    for (int c = 4; c < 8; ++c) QVERIFY2(showsNumber(shown[c], expected[c].toDouble()), qPrintable(shown.join(QLatin1Char(' '))));
    QCOMPARE(shown[8], expected[8]);
    // Worst first.
    QVERIFY(shown[6].toDouble() <= previous);
    previous = shown[6].toDouble();
  }
  QVERIFY(byId.isEmpty());
}

void TstReportDocument::controlTableEqualsTheCsvWithTheTolerances() {
  const QList<QStringList> table = mHtml.tables.value(QStringLiteral("control"));
  QList<QStringList> rows;
  for (const QStringList &row : csv(QStringLiteral("control.csv")))
    if (!row[1].contains(QLatin1String("Proj"))) rows << row;
  QVERIFY(!rows.isEmpty());
  QCOMPARE(table.size(), rows.size());
  int passes = 0;
  int fails = 0;
  for (int i = 0; i < rows.size(); ++i) {
    const QStringList &shown = table[i];
    const QStringList &expected = rows[i];
    QCOMPARE(shown.size(), 8);
    QCOMPARE(shown[0], expected[0]);
    QCOMPARE(shown[1], expected[1]);
    QCOMPARE(shown[2], expected[2]);
    for (int c = 3; c < 6; ++c) QVERIFY2(showsNumber(shown[c], expected[c].toDouble()), qPrintable(shown.join(QLatin1Char(' '))));
    QCOMPARE(shown[6], expected[6] == QLatin1String("1") ? QStringLiteral("yes") : QStringLiteral("rejected"));
    const int axis = QStringLiteral("XYZ").indexOf(expected[2]);
    const bool pass = std::fabs(expected[4].toDouble()) <= Tolerance[axis];
    QCOMPARE(shown[7], pass ? QStringLiteral("pass") : QStringLiteral("FAIL"));
    (pass ? passes : fails)++;
  }
  // The tolerances split the example's observations.
  QVERIFY(passes > 0);
  QVERIFY(fails > 0);
}

void TstReportDocument::summariesEqualTheSummary() {
  const struct {
    const char *table;
    const char *key;
    bool checked;
  } summaries[] = {{"control-summary", "control", true}, {"centres", "centres", false}};
  for (const auto &s : summaries) {
    const QJsonObject axes = mJson[QLatin1String(s.key)].toObject();
    const QList<QStringList> table = mHtml.tables.value(QString::fromLatin1(s.table));
    QCOMPARE(table.size(), axes.size());
    QVERIFY(!table.isEmpty());
    for (const QStringList &shown : table) {
      const QJsonObject axis = axes[shown[0]].toObject();
      QCOMPARE(shown[1].toInt(), axis[QLatin1String("n")].toInt());
      QVERIFY(showsNumber(shown[2], axis[QLatin1String("mean")].toDouble()));
      QVERIFY(showsNumber(shown[3], axis[QLatin1String("rms")].toDouble()));
      QVERIFY(showsNumber(shown[4], axis[QLatin1String("max_abs")].toDouble()));
      QCOMPARE(shown.size(), s.checked ? 6 : 5);
      if (!s.checked) continue;
      const bool pass = axis[QLatin1String("max_abs")].toDouble() <= Tolerance[QStringLiteral("XYZ").indexOf(shown[0])];
      QCOMPARE(shown[5], pass ? QStringLiteral("pass") : QStringLiteral("FAIL"));
    }
  }
}

void TstReportDocument::largestEliminatedPoints() {
  const QList<QStringList> table = mHtml.tables.value(QStringLiteral("eliminated"));
  QCOMPARE(table.size(), std::min(100, mJson[QLatin1String("blunders")].toInt()));
  QVERIFY(!table.isEmpty());
  QSet<QString> images;
  for (const QStringList &row : csv(QStringLiteral("images.csv")))
    if (row[3] != QLatin1String("0")) images.insert(row[0]);
  double previous = INFINITY;
  for (const QStringList &row : table) {
    QCOMPARE(row.size(), 3);
    // In an image with eliminated points, largest first.
    QVERIFY2(images.contains(row[0]), qPrintable(row[0]));
    QVERIFY(row[2].toDouble() <= previous);
    previous = row[2].toDouble();
  }
}

void TstReportDocument::htmlIsOneSelfContainedFile() {
  // The three planes and the histogram at least, each as inline SVG.
  QVERIFY(mHtml.svgCount >= 4);
  for (const char *figure : {"plane-xy", "plane-xz", "plane-yz", "histogram", "image-rms", "worst-image"})
    QVERIFY2(mHtml.svgFigures.contains(QLatin1String(figure)), figure);
  for (const char *external : {"script", "img", "link", "object", "iframe", "embed"})
    QVERIFY2(!mHtml.elements.contains(QLatin1String(external)), external);
  for (const QString &link : mHtml.links)
    QVERIFY2(link.startsWith(QLatin1Char('#')) || link.startsWith(QLatin1String("data:")), qPrintable(link));
  QVERIFY(!mHtml.styles.isEmpty());
  QVERIFY(!mHtml.styles.contains(QLatin1String("url(")));
  QVERIFY(!mHtml.styles.contains(QLatin1String("@import")));
  // Printed, each plane starts a page.
  QVERIFY(mHtml.styles.contains(QLatin1String("@media print")));
}

void TstReportDocument::pdfHasNumberedPagesWithTheText() {
  const QByteArray info =
      popplerOutput(QStringLiteral("pdfinfo"), {mDir.filePath(QStringLiteral("r.pdf"))});
  const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info));
  QVERIFY(pages.hasMatch());
  const int count = pages.captured(1).toInt();
  QVERIFY(count >= 5);
  QVERIFY(info.contains("595 x 842 pts (A4)"));
  const QStringList pageTexts = mPdfText.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
  QCOMPARE(pageTexts.size(), count);
  for (int p = 0; p < count; ++p) {
    QVERIFY2(pageTexts[p].contains(QStringLiteral("Page %1").arg(p + 1)), qPrintable(QString::number(p + 1)));
    QVERIFY(pageTexts[p].trimmed().startsWith(QLatin1String("block")));
  }
  QVERIFY(mPdfText.contains(mHtml.value(QStringLiteral("project"), QStringLiteral("Sigma 0"))));
  for (const QStringList &row : csv(QStringLiteral("control.csv")))
    if (!row[1].contains(QLatin1String("Proj"))) QVERIFY2(mPdfText.contains(row[0]), qPrintable(row[0]));
  // Table rows read as rows: an image's figures on one line.
  const QStringList first = mHtml.tables.value(QStringLiteral("images")).value(0);
  QVERIFY(mPdfText.contains(QRegularExpression(QStringLiteral("%1\\s+%2\\s+%3\\s+%4").arg(first[0], first[1], first[2], first[3]))));
  for (const char *heading : {"Object plane XY", "Object plane XZ", "Object plane YZ", "Image with the largest RMS"})
    QVERIFY2(mPdfText.contains(QLatin1String(heading)), heading);
  // The charts and views are drawings: not one raster image in the file.
  const QByteArray images = popplerOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), mDir.filePath(QStringLiteral("r.pdf"))});
  QVERIFY(images.startsWith("page"));
  QCOMPARE(images.trimmed().split('\n').size(), 2);
}

void TstReportDocument::sameInputSameDocument() {
  const QString again = mDir.filePath(QStringLiteral("again.html"));
  const QString later = mDir.filePath(QStringLiteral("later.html"));
  const QStringList tolerance{QStringLiteral("--tolerance"), QStringLiteral("0.02,0.02,0.03")};
  QCOMPARE(run(QStringList{mExample, QStringLiteral("--html"), again} + tolerance).status, 0);
  QCOMPARE(run(QStringList{mExample, QStringLiteral("--html"), later} + tolerance, QStringLiteral("1800000000")).status, 0);
  const QByteArray first = read(QStringLiteral("r.html"));
  QVERIFY(first == read(QStringLiteral("again.html")));
  // Another time changes the one line that names it.
  const QList<QByteArray> a = first.split('\n');
  const QList<QByteArray> b = read(QStringLiteral("later.html")).split('\n');
  QCOMPARE(a.size(), b.size());
  QStringList differing;
  for (int i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) differing << QString::fromUtf8(b[i]);
  QCOMPARE(differing.size(), 1);
  QVERIFY(differing[0].contains(QLatin1String("Created 2027-01-15 08:00:00 UTC")));
}

void TstReportDocument::longProjectsListTheWorstImagesInThePdf() {
  const QString folder = mDir.filePath(QStringLiteral("long"));
  QProcess baxsim;
  baxsim.start(QDir(qEnvironmentVariable("TESSELLA_BINARY_DIR")).filePath(QStringLiteral("bin/baxsim")),
               {QStringLiteral("--strips"), QStringLiteral("4"), QStringLiteral("--images"), QStringLiteral("15"),
                QStringLiteral("--spacing"), QStringLiteral("400"), QStringLiteral("--relative-ini"),
                QStringLiteral("--quiet"), folder});
  QVERIFY(baxsim.waitForFinished(120000));
  QCOMPARE(baxsim.exitCode(), 0);
  const QString pdf = mDir.filePath(QStringLiteral("long.pdf"));
  const QString html = mDir.filePath(QStringLiteral("long.html"));
  const Run r = run({QDir(folder).filePath(QStringLiteral("block.(p)")), QStringLiteral("--pdf"), pdf,
                     QStringLiteral("--html"), html},
                    QStringLiteral("0"), folder);
  QVERIFY2(r.status == 0, r.err.constData());
  QFile file(html);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const ReportHtml parsed = ReportHtml::parse(file.readAll());
  const QList<QStringList> all = parsed.tables.value(QStringLiteral("images"));
  QCOMPARE(all.size(), 60);
  QVERIFY(parsed.parseError.isEmpty());
  for (const QString &link : parsed.links) QVERIFY2(link.startsWith(QLatin1String("data:")), qPrintable(link.left(40)));
  const QString text = QString::fromUtf8(popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
  QVERIFY(text.contains(QLatin1String("The 50 worst of 60 images")));
  QVERIFY(text.contains(QLatin1String("images.csv")));
  // The 50th worst image is listed, the 51st not.
  const auto listed = [&text](const QStringList &row) {
    return text.contains(QRegularExpression(QStringLiteral("\\b%1\\s+%2\\s+%3\\s+%4\\s+%5").arg(row[0], row[1], row[2], row[3], row[4])));
  };
  QVERIFY(listed(all[49]));
  QVERIFY(!listed(all[50]));
}

void TstReportDocument::residualUnitOfTheReport() {
  const QString html = mDir.filePath(QStringLiteral("um.html"));
  QCOMPARE(run({mExample, QStringLiteral("--html"), html, QStringLiteral("--unit"), QStringLiteral("um")}).status, 0);
  QFile file(html);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const ReportHtml parsed = ReportHtml::parse(file.readAll());
  const QString micrometres = QString(QChar(0x00b5)) + QLatin1Char('m');
  const QString rms = parsed.value(QStringLiteral("project"), QStringLiteral("RMS of image residuals [%1]").arg(micrometres));
  QVERIFY2(showsNumber(rms, 1000.0 * mJson[QLatin1String("rms_image_residual")].toDouble()), qPrintable(rms));
  // No control check without tolerances.
  QCOMPARE(parsed.tables.value(QStringLiteral("control")).value(0).size(), 7);

  // A configuration that keeps micrometres gives them without --unit.
  QFile json(mDir.filePath(QStringLiteral("um.json")));
  QVERIFY(json.open(QIODevice::WriteOnly));
  json.write("{\"magic\": 9998, \"version\": 100, \"written\": \"2026-01-01T00:00:00\", \"entries\": ["
             "{\"key\": \"Analysis/ImageResidualUnit\", \"type\": \"Int\", \"value\": 1}]}");
  json.close();
  QProcess make;
  make.start(QDir(qEnvironmentVariable("TESSELLA_BINARY_DIR")).filePath(QStringLiteral("bin/tessella-cfg")),
             {QStringLiteral("make"), json.fileName(), mDir.filePath(QStringLiteral("um.cfg"))});
  QVERIFY(make.waitForFinished(60000));
  QCOMPARE(make.exitCode(), 0);
  const QString fromCfg = mDir.filePath(QStringLiteral("cfg.html"));
  QCOMPARE(run({mExample, QStringLiteral("--html"), fromCfg, QStringLiteral("--cfg"), mDir.filePath(QStringLiteral("um.cfg"))})
               .status,
           0);
  QFile cfgFile(fromCfg);
  QVERIFY(cfgFile.open(QIODevice::ReadOnly));
  QCOMPARE(ReportHtml::parse(cfgFile.readAll()).value(QStringLiteral("project"),
                                                      QStringLiteral("RMS of image residuals [%1]").arg(micrometres)),
           rms);
}

void TstReportDocument::badArguments_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("message");
  const QString out = QStringLiteral("bad.html");
  QTest::addRow("two tolerances") << QStringList{QStringLiteral("--tolerance"), QStringLiteral("0.1,0.1")} << "--tolerance";
  QTest::addRow("not numbers") << QStringList{QStringLiteral("--tolerance"), QStringLiteral("a,b,c")} << "--tolerance";
  QTest::addRow("negative") << QStringList{QStringLiteral("--tolerance"), QStringLiteral("0.1,-0.1,0.1")} << "--tolerance";
  QTest::addRow("no number") << QStringList{QStringLiteral("--tolerance"), QStringLiteral("0.1,nan,0.1")} << "--tolerance";
  QTest::addRow("unknown unit") << QStringList{QStringLiteral("--unit"), QStringLiteral("cm")} << "Usage";
  QTest::addRow("html without file") << QStringList{QStringLiteral("--html")} << "Usage";
  QTest::addRow("missing configuration") << QStringList{QStringLiteral("--cfg"), QStringLiteral("none.cfg")} << "none.cfg";
}

void TstReportDocument::badArguments() {
  QFETCH(QStringList, args);
  QFETCH(QString, message);
  const QString html = mDir.filePath(QStringLiteral("bad.html"));
  const QStringList all = args.contains(QLatin1String("--html")) ? QStringList{mExample} + args
                                                                 : QStringList{mExample, QStringLiteral("--html"), html} + args;
  const Run r = run(all);
  QCOMPARE(r.status, 2);
  QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
  QVERIFY(r.out.isEmpty());
  QVERIFY(!QFileInfo::exists(html));
}

void TstReportDocument::unwritableReportLeavesNothing() {
  const QString missing = mDir.filePath(QStringLiteral("no/such/folder/r.pdf"));
  const QString html = mDir.filePath(QStringLiteral("written.html"));
  const Run r = run({mExample, QStringLiteral("--html"), html, QStringLiteral("--pdf"), missing});
  QCOMPARE(r.status, 1);
  QVERIFY2(r.err.contains("Can't write"), r.err.constData());
  QVERIFY(r.err.contains(missing.toUtf8()));
  // The summary still goes out, the HTML written before is whole.
  QVERIFY(QJsonDocument::fromJson(r.out).isObject());
  QFile file(html);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(ReportHtml::parse(file.readAll()).parseError.isEmpty());
  QVERIFY(!QFileInfo::exists(missing));
}

QTEST_GUILESS_MAIN(TstReportDocument)
#include "tst_reportdocument.moc"
