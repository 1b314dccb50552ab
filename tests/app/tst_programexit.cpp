#include "uxcfg.h"
#include "uxplatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <QDirIterator>
#include <csignal>
#include <unistd.h>

// Every way out of the program, through its real event loop, as a child process
// with a home of its own: exit status 0, a closed log, and the user's settings
// saved or left untouched as the exit dialog said.
class TestProgramExit : public QObject {
  Q_OBJECT

 private slots:
  void leavingThroughTheExitDialog_data();
  void leavingThroughTheExitDialog();
  void terminationSignalLeavesCleanly_data();
  void terminationSignalLeavesCleanly();
  void fatalMessageLeavesCleanly();
  void failedSaveKeepsTheOldFile();

 private:
  struct Home {
    QTemporaryDir dir;
    QString cfgFile;
    QByteArray cfgBytes;
  };
  // A home whose user configuration is a copy of the factory one.
  static void prepare(Home &home);
  static QProcessEnvironment environment(const Home &home, const QString &exitScript);
  static QByteArray lastLog(const Home &home);
  // Ended by itself with status 0, not by a signal.
  static void verifyLeftCleanly(QProcess &process);
  // Closed with its two last lines; warnings only where the run has to give some.
  static void verifyClosedLog(const QByteArray &log, bool bWarningsExpected = false);
  static QStringList savedKeys(const QString &file);
  static QString program() { return qEnvironmentVariable("TESSELLA_BINARY_DIR") + QStringLiteral("/bin/tessella"); }
  // The example's folder holds the BAX installation's settings too.
  static QString exampleDir() { return qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block"); }
  static QString project() { return exampleDir() + QStringLiteral("/block.(p)"); }
};

void TestProgramExit::prepare(Home &home) {
  QVERIFY(home.dir.isValid());
  const QString cfgDir = home.dir.path() + QStringLiteral("/.tessella/cfg");
  QVERIFY(QDir().mkpath(cfgDir));
  home.cfgFile = cfgDir + QLatin1Char('/') + Ux::currentUserName().toLower() + QStringLiteral(".cfg");
  QFile factory(qEnvironmentVariable("TESSELLA_BINARY_DIR") + QStringLiteral("/bin/default.cfg"));
  QVERIFY(factory.open(QIODevice::ReadOnly));
  home.cfgBytes = factory.readAll();
  QFile user(home.cfgFile);
  QVERIFY(user.open(QIODevice::WriteOnly));
  QCOMPARE(user.write(home.cfgBytes), home.cfgBytes.size());
}

QProcessEnvironment TestProgramExit::environment(const Home &home, const QString &exitScript) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), home.dir.path());
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.remove(QStringLiteral("windir"));
  if (exitScript.isEmpty())
    env.remove(QStringLiteral("TESSELLA_TEST_EXIT"));
  else
    env.insert(QStringLiteral("TESSELLA_TEST_EXIT"), exitScript);
  return env;
}

QByteArray TestProgramExit::lastLog(const Home &home) {
  const QDir logDir(home.dir.path() + QStringLiteral("/.tessella/log"));
  const QStringList logs = logDir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
  if (logs.isEmpty()) return QByteArray();
  QFile file(logDir.filePath(logs.last()));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestProgramExit::verifyLeftCleanly(QProcess &process) {
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    QFAIL("the program did not leave");
  }
  QVERIFY2(process.exitStatus() == QProcess::NormalExit, process.readAllStandardError().constData());
  QCOMPARE(process.exitCode(), 0);
}

void TestProgramExit::verifyClosedLog(const QByteArray &log, bool bWarningsExpected) {
  const QList<QByteArray> lines = log.trimmed().split('\n');
  QVERIFY2(lines.size() >= 4, log.constData());
  QVERIFY2(lines.at(lines.size() - 2).startsWith("Logging stopped at: "), log.constData());
  QCOMPARE(lines.last(), QByteArray("#########################"));
  if (!bWarningsExpected) QVERIFY2(!log.contains("Warning"), log.constData());
}

QStringList TestProgramExit::savedKeys(const QString &file) {
  Ux::Cfg::clear();
  if (!Ux::Cfg::load(file, true)) return QStringList();
  const QStringList keys = Ux::Cfg::keys();
  Ux::Cfg::clear();
  return keys;
}

void TestProgramExit::leavingThroughTheExitDialog_data() {
  QTest::addColumn<QString>("way");
  QTest::addColumn<bool>("withProject");
  QTest::addColumn<bool>("savePreferences");
  QTest::addColumn<bool>("savePositions");
  const char *ways[] = {"close", "quit"};
  int row = 0;
  for (bool withProject : {false, true}) {
    for (bool preferences : {false, true}) {
      for (bool positions : {false, true}) {
        // Both ways out cover every combination between them.
        const QString way = QString::fromLatin1(ways[row++ % 2]);
        QTest::addRow("%s, %s, preferences %s, positions %s", qPrintable(way),
                      withProject ? "project" : "no project", preferences ? "saved" : "kept",
                      positions ? "saved" : "kept")
            << way << withProject << preferences << positions;
      }
    }
  }
}

void TestProgramExit::leavingThroughTheExitDialog() {
  QFETCH(QString, way);
  QFETCH(bool, withProject);
  QFETCH(bool, savePreferences);
  QFETCH(bool, savePositions);
  Home home;
  prepare(home);
  if (QTest::currentTestFailed()) return;

  QProcess process;
  process.setWorkingDirectory(exampleDir());
  process.setProcessEnvironment(environment(
      home, QStringLiteral("%1 %2 %3").arg(way).arg(int(savePreferences)).arg(int(savePositions))));
  process.start(program(), withProject ? QStringList{project()} : QStringList());
  QVERIFY(process.waitForStarted());
  verifyLeftCleanly(process);
  if (QTest::currentTestFailed()) return;
  verifyClosedLog(lastLog(home));

  QFile cfg(home.cfgFile);
  QVERIFY(cfg.open(QIODevice::ReadOnly));
  const QByteArray after = cfg.readAll();
  if (!savePreferences) {
    QVERIFY2(after == home.cfgBytes, "the configuration was written although the dialog said not to");
    return;
  }
  const QStringList keys = savedKeys(home.cfgFile);
  QVERIFY(keys.contains(QStringLiteral("Tessella/Geometry")));
  QCOMPARE(keys.contains(QStringLiteral("Tessella/Last project-file")), withProject);
  QCOMPARE(keys.contains(QStringLiteral("ImageViewer/#Viewer")), savePositions);
  // The project opens the viewers of the last session, whose frames are saved.
  QCOMPARE(keys.contains(QStringLiteral("ObjectViewer/Geometry_0")), savePositions && withProject);
  QCOMPARE(keys.contains(QStringLiteral("ImageViewer/Geometry_0")), savePositions && withProject);
}

void TestProgramExit::terminationSignalLeavesCleanly_data() {
  QTest::addColumn<int>("signalNumber");
  QTest::addColumn<bool>("withProject");
  QTest::newRow("SIGTERM, no project") << int(SIGTERM) << false;
  QTest::newRow("SIGTERM, project") << int(SIGTERM) << true;
  QTest::newRow("SIGINT, project") << int(SIGINT) << true;
}

void TestProgramExit::terminationSignalLeavesCleanly() {
  QFETCH(int, signalNumber);
  QFETCH(bool, withProject);
  Home home;
  prepare(home);
  if (QTest::currentTestFailed()) return;

  QProcess process;
  process.setWorkingDirectory(exampleDir());
  process.setProcessEnvironment(environment(home, QString()));
  process.start(program(), withProject ? QStringList{project()} : QStringList());
  QVERIFY(process.waitForStarted());
  // Up and running: the welcome comes at the end of the start-up.
  QTRY_VERIFY_WITH_TIMEOUT(lastLog(home).contains("Welcome to"), 30000);
  QCOMPARE(::kill(pid_t(process.processId()), signalNumber), 0);
  verifyLeftCleanly(process);
  if (QTest::currentTestFailed()) return;
  const QByteArray log = lastLog(home);
  verifyClosedLog(log);
  QVERIFY2(log.contains("Notice: Signal "), log.constData());
  QFile cfg(home.cfgFile);
  QVERIFY(cfg.open(QIODevice::ReadOnly));
  QVERIFY2(cfg.readAll() == home.cfgBytes, "a signal must leave the settings untouched");
}

// "&Quit" in the read-failure box ends the program through a fatal message:
// status 1 from exit(), not a signal, the log still closed, nothing saved.
void TestProgramExit::fatalMessageLeavesCleanly() {
  Home home;
  prepare(home);
  if (QTest::currentTestFailed()) return;
  // The example without its orientations cannot be read.
  QTemporaryDir damaged;
  QVERIFY(damaged.isValid());
  for (const QString &name : QDir(exampleDir()).entryList(QDir::Files)) {
    if (name.endsWith(QLatin1String(".(e)"))) continue;
    QVERIFY(QFile::copy(exampleDir() + QLatin1Char('/') + name, damaged.filePath(name)));
  }

  QProcess process;
  process.setWorkingDirectory(damaged.path());
  process.setProcessEnvironment(environment(home, QStringLiteral("quit-on-failure")));
  process.start(program(), {damaged.filePath(QStringLiteral("block.(p)"))});
  QVERIFY(process.waitForStarted());
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    QFAIL("the program did not leave");
  }
  QVERIFY2(process.exitStatus() == QProcess::NormalExit, process.readAllStandardError().constData());
  QCOMPARE(process.exitCode(), 1);
  const QByteArray log = lastLog(home);
  QVERIFY2(log.contains("Fatal error: Quitting ..."), log.constData());
  verifyClosedLog(log, true);
  QFile cfg(home.cfgFile);
  QVERIFY(cfg.open(QIODevice::ReadOnly));
  QVERIFY2(cfg.readAll() == home.cfgBytes, "a fatal end must leave the settings untouched");
}

// The exit dialog says to save, but the configuration folder is read-only:
// the old file stays byte for byte, nothing is left beside it, the user is
// told, and the program still leaves cleanly.
void TestProgramExit::failedSaveKeepsTheOldFile() {
  Home home;
  prepare(home);
  if (QTest::currentTestFailed()) return;
  const QString cfgDir = QFileInfo(home.cfgFile).absolutePath();
  // The superuser writes into read-only folders; the child runs as nobody.
  const bool dropRights = ::geteuid() == 0;
  const uid_t nobody = 65534;
  if (dropRights) {
    QDirIterator it(home.dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    QVERIFY(::chown(QFile::encodeName(home.dir.path()).constData(), nobody, nobody) == 0);
    while (it.hasNext()) QVERIFY(::chown(QFile::encodeName(it.next()).constData(), nobody, nobody) == 0);
  }
  QVERIFY(QFile::setPermissions(cfgDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther));

  // The build may lie below folders that only their owner enters: nobody
  // starts a copy of the program, beside a copy of the example, in the home.
  QString binary = program();
  QString working = exampleDir();
  if (dropRights) {
    const QDir bin = QFileInfo(program()).absoluteDir();
    const QString runtime = home.dir.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(runtime));
    for (const QString &name : {QStringLiteral("tessella"), QStringLiteral("libnubux.so.1"), QStringLiteral("default.cfg")})
      QVERIFY2(QFile::copy(bin.filePath(name), runtime + QLatin1Char('/') + name), qPrintable(name));
    // Without its help file the program would stop at a warning first.
    QVERIFY(QDir().mkpath(runtime + QStringLiteral("/doc")));
    QVERIFY(QFile::copy(bin.filePath(QStringLiteral("doc/manual.html")), runtime + QStringLiteral("/doc/manual.html")));
    QVERIFY(QFile::setPermissions(runtime + QStringLiteral("/tessella"),
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                      QFileDevice::ExeOther));
    // The example's BAX settings, as in its own folder.
    for (const QString &name : QDir(exampleDir()).entryList(QDir::Files))
      QVERIFY2(QFile::copy(exampleDir() + QLatin1Char('/') + name, runtime + QLatin1Char('/') + name), qPrintable(name));
    for (const QString &folder : {runtime, runtime + QStringLiteral("/doc")})
      QVERIFY(::chown(QFile::encodeName(folder).constData(), nobody, nobody) == 0);
    binary = runtime + QStringLiteral("/tessella");
    working = runtime;
  }

  QProcess process;
  process.setWorkingDirectory(working);
  process.setProcessEnvironment(environment(home, QStringLiteral("close 1 0")));
  if (dropRights)
    process.setChildProcessModifier([nobody] {
      if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(97);
    });
  process.start(binary, QStringList());
  QVERIFY(process.waitForStarted());
  verifyLeftCleanly(process);
  QFile::setPermissions(cfgDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  if (QTest::currentTestFailed()) return;
  const QByteArray log = lastLog(home);
  verifyClosedLog(log, true);
  QVERIFY2(log.contains("Warning: Can't write configuration-file"), log.constData());
  QFile cfg(home.cfgFile);
  QVERIFY(cfg.open(QIODevice::ReadOnly));
  QVERIFY2(cfg.readAll() == home.cfgBytes, "a failed save must keep the previous file");
  QCOMPARE(QDir(cfgDir).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(home.cfgFile).fileName()});
}

QTEST_MAIN(TestProgramExit)
#include "tst_programexit.moc"
