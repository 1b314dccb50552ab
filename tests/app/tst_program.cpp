#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The program as a user starts it: a child process with a home of its own.
class TestProgram : public QObject {
  Q_OBJECT

 private slots:
  void firstStartsWithAnEmptyHome();
  void projectOnTheCommandLine();
  void currentBaxProjectWithDashP_data();
  void currentBaxProjectWithDashP();
  void screenshotNeedsAFileName();

 private:
  struct Run {
    int exitCode = -1;
    QByteArray log;
    QByteArray errors;
  };
  Run run(const QString &home, const QStringList &arguments, const QString &workingDir = QString(),
          const QString &windir = QString());
  static QString program() { return qEnvironmentVariable("TESSELLA_BINARY_DIR") + QStringLiteral("/bin/tessella"); }
  static QString exampleDir() { return qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block"); }
  static QString todayLog(int run) {
    const QDate d = QDate::currentDate();
    return QString::asprintf("%04d%02d%02d_%02d.log", d.year(), d.month(), d.day(), run);
  }
};

TestProgram::Run TestProgram::run(const QString &home, const QStringList &arguments, const QString &workingDir,
                                  const QString &windir) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), home);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.remove(QStringLiteral("windir"));
  if (!windir.isEmpty()) env.insert(QStringLiteral("windir"), windir);
  process.setProcessEnvironment(env);
  if (!workingDir.isEmpty()) process.setWorkingDirectory(workingDir);
  process.start(program(), arguments);
  Run result;
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.errors = process.readAllStandardError();
  const QDir logDir(home + QStringLiteral("/.tessella/log"));
  const QStringList logs = logDir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
  if (!logs.isEmpty()) {
    QFile file(logDir.filePath(logs.last()));
    if (file.open(QIODevice::ReadOnly)) result.log = file.readAll();
  }
  return result;
}

void TestProgram::firstStartsWithAnEmptyHome() {
  QTemporaryDir home;
  const QString picture = home.filePath(QStringLiteral("window.png"));
  const Run first = run(home.path(), {QStringLiteral("--screenshot"), picture});
  QCOMPARE(first.exitCode, 0);
  QVERIFY(QFile::exists(home.path() + QStringLiteral("/.tessella/log/") + todayLog(0)));
  const QList<QByteArray> lines = first.log.trimmed().split('\n');
  QCOMPARE(lines.first(), QByteArray("#########################"));
  QVERIFY(lines.at(1).startsWith("Logging started at: "));
  QVERIFY2(!first.log.contains("Warning"), first.log.constData());
  QVERIFY(first.log.contains("Info: Welcome to <em>Tessella Version 1.0.5</em>\n"));
  QVERIFY(lines.at(lines.size() - 2).startsWith("Logging stopped at: "));
  QCOMPARE(lines.last(), QByteArray("#########################"));
  const QImage image(picture);
  QVERIFY(!image.isNull());
  QVERIFY(image.width() >= 640 && image.height() >= 400);
  // Nothing was saved: the user's settings file is made only on request.
  QVERIFY(QDir(home.path() + QStringLiteral("/.tessella/cfg")).entryList(QDir::Files).isEmpty());

  const Run second = run(home.path(), {QStringLiteral("--screenshot"), picture});
  QCOMPARE(second.exitCode, 0);
  QVERIFY(QFile::exists(home.path() + QStringLiteral("/.tessella/log/") + todayLog(1)));
}

void TestProgram::projectOnTheCommandLine() {
  QTemporaryDir home;
  const Run result = run(home.path(), {QStringLiteral("--screenshot"), home.filePath(QStringLiteral("p.png")),
                                       exampleDir() + QStringLiteral("/block.(p)")});
  QCOMPARE(result.exitCode, 0);
  QVERIFY2(result.log.contains("Info: Read <b>18</b> Images.\n"), result.log.constData());
  QVERIFY(result.log.contains("Info: Reading Projectfile ready.\n"));
}

void TestProgram::currentBaxProjectWithDashP_data() {
  QTest::addColumn<bool>("viaWindir");
  QTest::addRow("Bax.ini in the current folder") << false;
  QTest::addRow("Bax.ini in the windir folder") << true;
}

void TestProgram::currentBaxProjectWithDashP() {
  QFETCH(bool, viaWindir);
  QTemporaryDir home;
  QTemporaryDir bax;
  for (const QString &name : QDir(exampleDir()).entryList(QDir::Files))
    QVERIFY(QFile::copy(exampleDir() + QLatin1Char('/') + name, bax.filePath(name)));
  QString workingDir = bax.path();
  if (viaWindir) {
    // Absolute paths, so the working folder no longer matters.
    QFile ini(bax.filePath(QStringLiteral("Bax.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    text.replace("PATH_PROGRAMS=.", "PATH_PROGRAMS=" + bax.path().toUtf8());
    text.replace("BAXB_LAST_PROJ=block.prj", "BAXB_LAST_PROJ=" + bax.filePath(QStringLiteral("block.prj")).toUtf8());
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(text);
    ini.close();
    QFile list(bax.filePath(QStringLiteral("block.prj")));
    QVERIFY(list.open(QIODevice::ReadOnly));
    QByteArray listText = list.readAll();
    list.close();
    listText.replace("BAXB_OUT_TESL=block", "BAXB_OUT_TESL=" + bax.filePath(QStringLiteral("block")).toUtf8());
    QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
    list.write(listText);
    list.close();
    workingDir = home.path();
  }
  const Run result = run(home.path(), {QStringLiteral("-p"), QStringLiteral("--screenshot"), home.filePath(QStringLiteral("p.png"))},
                         workingDir, viaWindir ? bax.path() : QString());
  QCOMPARE(result.exitCode, 0);
  QVERIFY2(result.log.contains("Opening project '"), result.log.constData());
  QVERIFY(result.log.contains("Info: Read <b>18</b> Images.\n"));
  // The project opens before the program says it is ready.
  QVERIFY(result.log.indexOf("Read <b>18</b> Images.") < result.log.indexOf("Welcome to"));
}

void TestProgram::screenshotNeedsAFileName() {
  QTemporaryDir home;
  const Run result = run(home.path(), {QStringLiteral("--screenshot")});
  QCOMPARE(result.exitCode, 1);
  QVERIFY(result.errors.contains("--screenshot needs the name of a picture file."));
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
