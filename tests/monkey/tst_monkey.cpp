#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The monkey as a user of the whole program: a few seeds, each a child
// process with a home of its own, a short budget of random steps, the
// invariants after each, and the way out through the exit dialog. The seeds
// of faults it once found are kept in the table.
class TestMonkey : public QObject {
  Q_OBJECT

 private slots:
  void randomUserLeavesCleanly_data();
  void randomUserLeavesCleanly();
};

void TestMonkey::randomUserLeavesCleanly_data() {
  QTest::addColumn<int>("seed");
  QTest::addColumn<int>("actions");
  QTest::newRow("seed 1") << 1 << 400;
  QTest::newRow("seed 2") << 2 << 400;
  QTest::newRow("seed 3") << 3 << 400;
}

void TestMonkey::randomUserLeavesCleanly() {
  QFETCH(int, seed);
  QFETCH(int, actions);
  QTemporaryDir home;
  QVERIFY(home.isValid());
  const QString log = home.filePath(QStringLiteral("actions.log"));

  QProcess monkey;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), home.path());
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.remove(QStringLiteral("windir"));
  monkey.setProcessEnvironment(env);
  monkey.start(qEnvironmentVariable("TESSELLA_BINARY_DIR") + QStringLiteral("/bin/tessella-monkey"),
               {QStringLiteral("--seed"), QString::number(seed), QStringLiteral("--actions"),
                QString::number(actions), QStringLiteral("--seconds"), QStringLiteral("12"),
                QStringLiteral("--large-points"), QStringLiteral("5000"), QStringLiteral("--log"), log,
                QStringLiteral("--work"), home.filePath(QStringLiteral("work"))});
  QVERIFY(monkey.waitForStarted());
  if (!monkey.waitForFinished(120000)) {
    monkey.kill();
    monkey.waitForFinished();
    QFAIL("the monkey did not finish");
  }
  const QByteArray err = monkey.readAllStandardError();
  QFile actionLog(log);
  QVERIFY(actionLog.open(QIODevice::ReadOnly));
  const QByteArray steps = actionLog.readAll();
  const QByteArray tail = steps.right(3000);
  QVERIFY2(monkey.exitStatus() == QProcess::NormalExit, (err + tail).constData());
  QVERIFY2(monkey.exitCode() == 0, (err + tail).constData());
  QVERIFY2(!err.contains("runtime error") && !err.contains("Sanitizer"), err.constData());
  QVERIFY2(monkey.readAllStandardOutput().contains("invariant checks"), tail.constData());
  QVERIFY(steps.contains("exit dialog: Yes"));
  QVERIFY(steps.contains("step 10:"));

  // The program's own log was closed.
  const QDir logDir(home.filePath(QStringLiteral(".tessella/log")));
  const QStringList logs = logDir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
  QVERIFY(!logs.isEmpty());
  QFile programLog(logDir.filePath(logs.last()));
  QVERIFY(programLog.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = programLog.readAll().trimmed().split('\n');
  QVERIFY(lines.size() >= 2);
  QVERIFY2(lines.at(lines.size() - 2).startsWith("Logging stopped at: "), lines.last().constData());
}

QTEST_GUILESS_MAIN(TestMonkey)
#include "tst_monkey.moc"
