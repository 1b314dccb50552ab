// tessella --export-view as a user runs it: a child process without a
// display that draws a view of the example project into a PNG, SVG or PDF
// file and ends; and what it says when the request cannot be met.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

class TestViewExport : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void everyViewInEveryFormat_data();
  void everyViewInEveryFormat();
  void requestsThatCannotBeMet_data();
  void requestsThatCannotBeMet();

 private:
  struct Run {
    int exitCode = -1;
    QByteArray errors;
  };
  Run run(const QStringList &arguments);
  static QString example() {
    return qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block/block.(p)");
  }
  QTemporaryDir mDir;
};

void TestViewExport::initTestCase() {
  QVERIFY(mDir.isValid());
  QVERIFY(QDir().mkpath(mDir.filePath(QStringLiteral("home"))));
}

TestViewExport::Run TestViewExport::run(const QStringList &arguments) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), mDir.filePath(QStringLiteral("home")));
  // No display at all: the export must not need one.
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  env.remove(QStringLiteral("DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  process.setProcessEnvironment(env);
  process.start(qEnvironmentVariable("TESSELLA_BINARY_DIR") + QStringLiteral("/bin/tessella"), arguments);
  Run result;
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.errors = process.readAllStandardError();
  return result;
}

void TestViewExport::everyViewInEveryFormat_data() {
  QTest::addColumn<QString>("view");
  QTest::addColumn<QString>("format");
  for (const char *view : {"XY", "XZ", "YZ", "IMAGE:1001"})
    for (const char *format : {"png", "svg", "pdf"})
      QTest::addRow("%s %s", view, format) << view << format;
}

void TestViewExport::everyViewInEveryFormat() {
  QFETCH(QString, view);
  QFETCH(QString, format);
  const QString file = mDir.filePath(QString(view).replace(QLatin1Char(':'), QLatin1Char('_')) + QLatin1Char('.') + format);
  const Run r = run({QStringLiteral("--export-view"), view, file, QStringLiteral("--size"), QStringLiteral("640x480"), example()});
  QCOMPARE(r.exitCode, 0);
  QFile out(file);
  QVERIFY(out.open(QIODevice::ReadOnly));
  const QByteArray bytes = out.readAll();
  if (format == QLatin1String("png")) {
    const QImage image = QImage::fromData(bytes, "PNG");
    QCOMPARE(image.size(), QSize(640, 480));
    // Drawn: more than the background colour.
    const QRgb background = image.pixel(639, 479);
    int ink = 0;
    for (int y = 0; y < image.height(); y += 2)
      for (int x = 0; x < image.width(); x += 2) ink += image.pixel(x, y) != background;
    QVERIFY2(ink > 50, qPrintable(QString::number(ink)));
  } else if (format == QLatin1String("svg")) {
    QXmlStreamReader xml(bytes);
    int elements = 0;
    QString root;
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement) {
        if (root.isEmpty()) root = xml.name().toString();
        ++elements;
      }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(root, QStringLiteral("svg"));
    QVERIFY(elements > 100);
  } else {
    QVERIFY(bytes.startsWith("%PDF-"));
    // Exactly one page object, whatever else the file holds.
    const int pages = int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                          bytes.count("/Type /Page ") + bytes.count("/Type /Page/") +
                          bytes.count("/Type /Page>"));
    QCOMPARE(pages, 1);
  }
}

void TestViewExport::requestsThatCannotBeMet_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("message");
  const QString png = QStringLiteral("out.png");
  QTest::newRow("unknown plane") << QStringList{"--export-view", "XW", png, example()} << 1 << "--export-view takes XY, XZ, YZ";
  QTest::newRow("unknown format") << QStringList{"--export-view", "XY", "out.gif", example()} << 1
                                  << "Can't tell the picture format of 'out.gif'";
  QTest::newRow("size without height") << QStringList{"--export-view", "XY", png, "--size", "800", example()} << 1
                                       << "--size takes WIDTHxHEIGHT";
  QTest::newRow("size too large") << QStringList{"--export-view", "XY", png, "--size", "99999x10", example()} << 1
                                  << "--size takes WIDTHxHEIGHT";
  QTest::newRow("missing file") << QStringList{"--export-view", "XY"} << 1 << "--export-view needs a view";
  QTest::newRow("no such image") << QStringList{"--export-view", "IMAGE:7", png, example()} << 1
                                 << "The project has no image 7.";
  QTest::newRow("no project") << QStringList{"--export-view", "XY", png} << 2 << "--export-view needs a project file.";
  QTest::newRow("unreadable project") << QStringList{"--export-view", "XY", png, "/nonexistent/x.(p)"} << 2 << "x.(p)";
}

void TestViewExport::requestsThatCannotBeMet() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, message);
  for (QString &argument : arguments)
    if (argument == QLatin1String("out.png")) argument = mDir.filePath(argument);
  const Run r = run(arguments);
  QCOMPARE(r.exitCode, exitCode);
  QVERIFY2(QString::fromUtf8(r.errors).contains(message), r.errors.constData());
  // Nothing half-written is left behind.
  QVERIFY(!QFile::exists(mDir.filePath(QStringLiteral("out.png"))));
}

QTEST_GUILESS_MAIN(TestViewExport)
#include "tst_viewexport.moc"
