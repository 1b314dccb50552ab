#include "uxcfg.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The program started the way the desktop starts it, "tessella FILE.(p)", as a
// child process with a home of its own, left through the exit dialog with
// the preferences saved: the project opens, and the recent projects are
// there again on the next start.
class TestProgramProjects : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void projectAsTheOnlyArgument_data();
  void projectAsTheOnlyArgument();
  void recentProjectsSurviveARestart();

 private:
  struct Run {
    int exitCode = -1;
    QByteArray log;
  };
  // Runs to its end: the exit dialog is answered with the preferences saved.
  static Run run(const QString &home, const QStringList &arguments, const QString &workingDir);
  // What the saved user configuration holds under a key.
  static QVariant saved(const QString &home, const QString &key);
  static QString program() { return qEnvironmentVariable("TESSELLA_BINARY_DIR") + QStringLiteral("/bin/tessella"); }
  static QString exampleDir() {
    return QFileInfo(qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block"))
        .canonicalFilePath();
  }
  // The example under another name, in a folder of its own with BAX's settings.
  QString copyOfExample(const QString &folder, const QString &name);

  QTemporaryDir mDir;
};

void TestProgramProjects::initTestCase() { QVERIFY(mDir.isValid()); }

TestProgramProjects::Run TestProgramProjects::run(const QString &home, const QStringList &arguments,
                                                  const QString &workingDir) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), home);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("TESSELLA_TEST_EXIT"), QStringLiteral("close 1 0"));
  env.remove(QStringLiteral("windir"));
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(workingDir);
  process.start(program(), arguments);
  Run result;
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  const QDir logDir(home + QStringLiteral("/.tessella/log"));
  const QStringList logs = logDir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
  if (!logs.isEmpty()) {
    QFile file(logDir.filePath(logs.last()));
    if (file.open(QIODevice::ReadOnly)) result.log = file.readAll();
  }
  return result;
}

QVariant TestProgramProjects::saved(const QString &home, const QString &key) {
  const QDir cfgDir(home + QStringLiteral("/.tessella/cfg"));
  const QStringList files = cfgDir.entryList({QStringLiteral("*.cfg")}, QDir::Files);
  if (files.size() != 1) return QVariant();
  Ux::Cfg::clear();
  QVariant value;
  if (Ux::Cfg::load(cfgDir.filePath(files.first()), true)) value = Ux::Cfg::value(key);
  Ux::Cfg::clear();
  return value;
}

QString TestProgramProjects::copyOfExample(const QString &folder, const QString &name) {
  const QString target = mDir.filePath(folder);
  if (!QDir(target).exists()) {
    QDir().mkpath(target);
    for (const QString &file : QDir(exampleDir()).entryList(QDir::Files))
      QFile::copy(exampleDir() + QLatin1Char('/') + file, target + QLatin1Char('/') + file);
    QFile::rename(target + QStringLiteral("/block.(p)"), target + QLatin1Char('/') + name);
  }
  return QFileInfo(target + QLatin1Char('/') + name).canonicalFilePath();
}

void TestProgramProjects::projectAsTheOnlyArgument_data() {
  QTest::addColumn<QString>("workingDir");
  QTest::addColumn<QString>("argument");
  QTest::addColumn<QString>("project");
  const QString example = exampleDir() + QStringLiteral("/block.(p)");
  const QString other = copyOfExample(QStringLiteral("with space"), QStringLiteral("R&D block 2.(p)"));
  // The desktop entry's %f is an absolute path.
  QTest::addRow("absolute path") << exampleDir() << example << example;
  QTest::addRow("relative to the working folder") << exampleDir() << "block.(p)" << example;
  QTest::addRow("spaces and an ampersand") << QFileInfo(other).absolutePath() << other << other;
}

void TestProgramProjects::projectAsTheOnlyArgument() {
  QFETCH(QString, workingDir);
  QFETCH(QString, argument);
  QFETCH(QString, project);
  QTemporaryDir home;
  const Run result = run(home.path(), {argument}, workingDir);
  QCOMPARE(result.exitCode, 0);
  QVERIFY2(result.log.contains("Info: Read <b>18</b> Images.\n"), result.log.constData());
  QVERIFY2(!result.log.contains("Warning"), result.log.constData());
  QCOMPARE(saved(home.path(), QStringLiteral("Recent/Projects")).toStringList(), QStringList{project});
  // The file dialog's start is the path as given; the list keeps the file's own.
  const QString last = saved(home.path(), QStringLiteral("Tessella/Last project-file")).toString();
  QCOMPARE(QFileInfo(QDir(workingDir).absoluteFilePath(last)).canonicalFilePath(), project);
}

void TestProgramProjects::recentProjectsSurviveARestart() {
  QTemporaryDir home;
  const QString first = exampleDir() + QStringLiteral("/block.(p)");
  const QString second = copyOfExample(QStringLiteral("second"), QStringLiteral("second.(p)"));
  QCOMPARE(run(home.path(), {first}, exampleDir()).exitCode, 0);
  QCOMPARE(saved(home.path(), QStringLiteral("Recent/Projects")).toStringList(), QStringList{first});
  // The second start adds to the list the first one left.
  QCOMPARE(run(home.path(), {second}, QFileInfo(second).absolutePath()).exitCode, 0);
  QCOMPARE(saved(home.path(), QStringLiteral("Recent/Projects")).toStringList(), (QStringList{second, first}));
  // A start without a project keeps it, and writes it back as it was.
  const Run third = run(home.path(), {}, home.path());
  QCOMPARE(third.exitCode, 0);
  QVERIFY(!third.log.contains("Read <b>"));
  QCOMPARE(saved(home.path(), QStringLiteral("Recent/Projects")).toStringList(), (QStringList{second, first}));
  // Opening the older one again puts it in front.
  QCOMPARE(run(home.path(), {first}, exampleDir()).exitCode, 0);
  QCOMPARE(saved(home.path(), QStringLiteral("Recent/Projects")).toStringList(), (QStringList{first, second}));
}

QTEST_GUILESS_MAIN(TestProgramProjects)
#include "tst_programprojects.moc"
