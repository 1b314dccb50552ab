#include "messagecapture.h"
#include "uxapp.h"
#include "uxcfg.h"
#include "uxplatform.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

QString todayLog(int run) {
  const QDate d = QDate::currentDate();
  return Ux::App::logFileName(d.year(), d.month(), d.day(), run, QStringLiteral(".log"));
}

void touch(const QString &path) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
}

QByteArray readAll(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool initDefault(Ux::App &app) {
  return app.init(true, QStringLiteral("log"), QStringLiteral(".log"), QStringLiteral("cfg"),
                  QStringLiteral(".cfg"));
}

}  // namespace

class TestUxApp : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void initMakesDirectoriesAndFirstLog();
  void messagesAreLogged();
  void configurationFileNames();
  void runNumberNeverReusesAName_data();
  void runNumberNeverReusesAName();
  void logFilesAreSortedOldestFirst();
  void reduceLogFilesKeepsNewest();
  void reduceLogFilesReadsTheLimit();
  void informationTable();
  void helpFile();
  void translationsAreNeverFormats_data();
  void translationsAreNeverFormats();
  void libraryPaths();
  void selfInfoNamesTheSettings();
  void closingLinesOnDestruction();
  void cleanupTestCase();

 private:
  Ux::App &app() { return *Ux::App::getRep(); }
  QTemporaryDir mScratch;
};

void TestUxApp::initTestCase() {
  QVERIFY(Ux::App::getRep());
  QVERIFY(initDefault(app()));
}

void TestUxApp::initMakesDirectoriesAndFirstLog() {
  const QString home = QDir::homePath();
  QCOMPARE(app().localAppDir(), QDir::toNativeSeparators(home + QStringLiteral("/.tessella")));
  QCOMPARE(app().logDir(), QDir::toNativeSeparators(home + QStringLiteral("/.tessella/log")));
  QCOMPARE(app().cfgDir(), QDir::toNativeSeparators(home + QStringLiteral("/.tessella/cfg")));
  QVERIFY(QFileInfo(app().cfgDir()).isDir());
  QCOMPARE(app().logExt(), QStringLiteral(".log"));
  QCOMPARE(app().logFile(), QDir::toNativeSeparators(home + QStringLiteral("/.tessella/log/") + todayLog(0)));
  const QList<QByteArray> lines = readAll(app().logFile()).split('\n');
  QVERIFY(lines.size() >= 2);
  QCOMPARE(lines.at(0), QByteArray("#########################"));
  QVERIFY(lines.at(1).startsWith("Logging started at: "));
}

void TestUxApp::messagesAreLogged() {
  Nub::info("hello %d", 1);
  Nub::note("careful");
  Nub::warn("broken");
  Nub::log("plain");
  Nub::status("busy");
  Nub::msg(0, "never");
  qInfo("from the toolkit");
  const QByteArray log = readAll(app().logFile());
  for (const char *line : {"Info: hello 1\n", "Notice: careful\n", "Warning: broken\n", "Log: plain\n",
                           "Status: busy\n", "Qt: from the toolkit\n"})
    QVERIFY2(log.contains(line), line);
  QVERIFY(!log.contains("never"));
}

void TestUxApp::configurationFileNames() {
  const QString user = Ux::currentUserName().toLower();
  QVERIFY(!user.isEmpty());
  QCOMPARE(app().cfgFileUser(), QDir::toNativeSeparators(app().cfgDir() + QLatin1Char('/') + user + QStringLiteral(".cfg")));
  QCOMPARE(app().cfgFileSystem(),
           QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/default.cfg")));
  QCOMPARE(app().cfgPattern(), QStringLiteral("*.cfg"));
  QCOMPARE(app().logPattern(), QStringLiteral("*.log"));
  QCOMPARE(app().appDir(), QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

void TestUxApp::runNumberNeverReusesAName_data() {
  QTest::addColumn<QStringList>("existing");
  QTest::addColumn<QString>("expected");
  QTest::addRow("first run of the day") << QStringList{QStringLiteral("20000101_05.log")} << todayLog(0);
  QTest::addRow("after two runs") << QStringList{todayLog(0), todayLog(1)} << todayLog(2);
  QTest::addRow("gap kept") << QStringList{todayLog(0), todayLog(4)} << todayLog(5);
  QTest::addRow("last is not a number") << QStringList{todayLog(0), todayLog(1), todayLog(0).replace(QStringLiteral("_00"), QStringLiteral("_zz"))}
                                        << todayLog(2);
  QTest::addRow("hundredth run") << QStringList{todayLog(98), todayLog(99)} << todayLog(100);
  QTest::addRow("beyond ninety-nine") << QStringList{todayLog(99), todayLog(100), todayLog(101)} << todayLog(102);
}

void TestUxApp::runNumberNeverReusesAName() {
  QFETCH(QStringList, existing);
  QFETCH(QString, expected);
  QTemporaryDir dir;
  for (const QString &name : existing) touch(dir.filePath(name));
  QVERIFY(app().init(true, dir.path(), QStringLiteral("log"), QStringLiteral("cfg"), QStringLiteral("cfg")));
  QCOMPARE(QFileInfo(app().logFile()).fileName(), expected);
  for (const QString &name : existing) QCOMPARE(readAll(dir.filePath(name)), QByteArray());
  QVERIFY(app().isCurrentLog(app().logFile().toUpper()));
  QCOMPARE(app().cfgExt(), QStringLiteral(".cfg"));
  QVERIFY(initDefault(app()));
}

void TestUxApp::logFilesAreSortedOldestFirst() {
  QTemporaryDir dir;
  for (const char *name : {"20200102_00.log", "20200101_01.log", "20200101_00.log", "notes.log", "2020010_00.txt"})
    touch(dir.filePath(QString::fromLatin1(name)));
  QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("20200103_00.log")));  // folders are not log files
  QVERIFY(app().init(true, dir.path(), QStringLiteral(".log"), QStringLiteral("cfg"), QStringLiteral(".cfg")));
  const QStringList names = app().logFiles(false);
  QCOMPARE(names, (QStringList{QStringLiteral("20200101_00.log"), QStringLiteral("20200101_01.log"),
                              QStringLiteral("20200102_00.log"), todayLog(0)}));
  QCOMPARE(app().logFiles(true).first(), QDir::toNativeSeparators(dir.filePath(QStringLiteral("20200101_00.log"))));
  QVERIFY(initDefault(app()));
}

void TestUxApp::reduceLogFilesKeepsNewest() {
  QTemporaryDir dir;
  for (const char *name : {"20200101_00.log", "20200102_00.log", "20200103_00.log", "20200104_00.log"})
    touch(dir.filePath(QString::fromLatin1(name)));
  QVERIFY(app().init(true, dir.path(), QStringLiteral(".log"), QStringLiteral("cfg"), QStringLiteral(".cfg")));
  QCOMPARE(app().logFiles(false).size(), 5);
  {
    MessageCapture capture;
    QVERIFY(app().reduceLogFiles(5));
    QCOMPARE(capture.count(), 0);
    QVERIFY(app().reduceLogFiles(3));
    QCOMPARE(capture.texts(Nub::MsgInfo),
             (QStringList{QStringLiteral("Logfile '%1' deleted.").arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("20200101_00.log")))),
                          QStringLiteral("Logfile '%1' deleted.").arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("20200102_00.log")))),
                          QStringLiteral("2 logfiles deleted.")}));
    QCOMPARE(app().logFiles(false),
             (QStringList{QStringLiteral("20200103_00.log"), QStringLiteral("20200104_00.log"), todayLog(0)}));
    capture.clear();
    QVERIFY(app().reduceLogFiles(2));
    QCOMPARE(capture.texts(Nub::MsgInfo).last(), QStringLiteral("One logfile deleted."));
    capture.clear();
    QVERIFY(!app().reduceLogFiles(0));
    QVERIFY(capture.texts(Nub::MsgWarn).first().startsWith(QStringLiteral(">>> ERR: 'iMaxFiles <= 0' in ")));
  }
  QVERIFY(QFileInfo::exists(app().logFile()));
  QVERIFY(initDefault(app()));
}

void TestUxApp::reduceLogFilesReadsTheLimit() {
  QTemporaryDir dir;
  for (const char *name : {"20200101_00.log", "20200102_00.log"}) touch(dir.filePath(QString::fromLatin1(name)));
  QVERIFY(app().init(true, dir.path(), QStringLiteral(".log"), QStringLiteral("cfg"), QStringLiteral(".cfg")));
  MessageCapture capture;
  QVERIFY(Ux::Cfg::keys().isEmpty() || !Ux::Cfg::keys().contains(QStringLiteral("Global/MaxLogs")));
  QVERIFY(!app().reduceLogFiles());
  QCOMPARE(capture.texts(Nub::MsgWarn),
           (QStringList{QStringLiteral("Setting 'Global/MaxLogs' does not exist in configuration!"),
                        QStringLiteral("Logfiles will not be deleted.")}));
  QCOMPARE(app().logFiles(false).size(), 3);
  capture.clear();
  Ux::Cfg cfg(QStringLiteral("Global"));
  cfg.writeEntry(QStringLiteral("MaxLogs"), 2);
  QVERIFY(app().reduceLogFiles());
  QCOMPARE(capture.texts(Nub::MsgInfo).first(), QStringLiteral("A maximum of 2 Logfiles is allowed."));
  QCOMPARE(app().logFiles(false), (QStringList{QStringLiteral("20200102_00.log"), todayLog(0)}));
  QVERIFY(initDefault(app()));
}

void TestUxApp::informationTable() {
  QVERIFY(!Ux::App::hasInfo(QStringLiteral("nothing")));
  QVERIFY(Ux::App::info(QStringLiteral("nothing")).isNull());
  QVERIFY(Ux::App::setInfo(QStringLiteral("version"), QStringLiteral("1")));
  QVERIFY(Ux::App::setInfo(QStringLiteral("version"), QStringLiteral("2")));
  QVERIFY(Ux::App::hasInfo(QStringLiteral("version")));
  QCOMPARE(Ux::App::info(QStringLiteral("version")), QStringLiteral("2"));
}

void TestUxApp::helpFile() {
  MessageCapture capture;
  QVERIFY(!app().setHelpFile(QString()));
  QVERIFY(capture.texts(Nub::MsgWarn).first().startsWith(QStringLiteral(">>> ERR: 'strHelpFile.isEmpty()' in uxkit/app/uxapp.cpp (")));
  capture.clear();
  QVERIFY(!app().setHelpFile(QStringLiteral("doc/nowhere.html")));
  QCOMPARE(capture.texts(Nub::MsgWarn),
           QStringList{QStringLiteral("The helpfile 'doc/nowhere.html' does not exist or isn't readable!")});
  QVERIFY(app().helpFile().isEmpty());
  QVERIFY(!app().setHelpFile(mScratch.path()));  // a folder is no help file
  const QString file = mScratch.filePath(QStringLiteral("manual.html"));
  touch(file);
  QVERIFY(app().setHelpFile(file));
  QCOMPARE(app().helpFile(), QDir::toNativeSeparators(file));
}

namespace {
// A translation that puts printf directives and a lone per cent sign into
// every text it knows.
class StrayPercentTranslator : public QTranslator {
 public:
  QString translate(const char *, const char *sourceText, const char *, int) const override {
    const QString source = QString::fromUtf8(sourceText);
    if (!source.contains(QLatin1String("%1"))) return QString();
    return QStringLiteral("100 %s %n %d: ") + source;
  }
  bool isEmpty() const override { return false; }
};
}  // namespace

void TestUxApp::translationsAreNeverFormats_data() {
  QTest::addColumn<QString>("which");
  QTest::newRow("help file") << "help";
  QTest::newRow("library path") << "library";
  QTest::newRow("log limit") << "logs";
}

// A translated text is filled, then handed over as data: what reaches the
// message is the translation as it stands.
void TestUxApp::translationsAreNeverFormats() {
  QFETCH(QString, which);
  StrayPercentTranslator translator;
  QVERIFY(QCoreApplication::installTranslator(&translator));
  MessageCapture capture;
  QString expected;
  if (which == QLatin1String("help")) {
    QVERIFY(!app().setHelpFile(QStringLiteral("doc/%s%n.html")));
    expected = QStringLiteral("100 %s %n %d: The helpfile 'doc/%s%n.html' does not exist or isn't readable!");
  } else if (which == QLatin1String("library")) {
    QVERIFY(!app().addLibraryPath(QStringLiteral("/no/%n/plugins")));
    expected = QStringLiteral("100 %s %n %d: The library-path '%1' is invalid (0, 0, 0)!")
                   .arg(QDir::toNativeSeparators(QStringLiteral("/no/%n/plugins")));
  } else {
    QVERIFY(app().reduceLogFiles(1000));
    Ux::Cfg(QStringLiteral("Global")).writeEntry(QStringLiteral("MaxLogs"), 1000);
    QVERIFY(app().reduceLogFiles());
    expected = QStringLiteral("100 %s %n %d: A maximum of 1000 Logfiles is allowed.");
  }
  QCoreApplication::removeTranslator(&translator);
  const QStringList texts = capture.texts(which == QLatin1String("logs") ? Nub::MsgInfo : Nub::MsgWarn);
  QVERIFY2(texts.contains(expected), qPrintable(texts.join(QLatin1Char('|'))));
}

void TestUxApp::libraryPaths() {
  MessageCapture capture;
  QVERIFY(app().clearLibraryPaths());
  QVERIFY(!app().addLibraryPath(QString()));
  const QString file = mScratch.filePath(QStringLiteral("plain"));
  touch(file);
  capture.clear();
  QVERIFY(!app().addLibraryPath(file));
  QCOMPARE(capture.texts(Nub::MsgWarn),
           QStringList{QStringLiteral("The library-path '%1' is invalid (1, 0, 1)!").arg(QDir::toNativeSeparators(file))});
  capture.clear();
  QVERIFY(!app().addLibraryPath(QStringLiteral("no-such-plugins")));
  QVERIFY(capture.texts(Nub::MsgWarn).first().endsWith(QStringLiteral("no-such-plugins' is invalid (0, 0, 0)!")));
  QVERIFY(app().addLibraryPath(mScratch.path()));
  QVERIFY(QCoreApplication::libraryPaths().contains(QDir(mScratch.path()).absolutePath()));
  QVERIFY(app().clearLibraryPaths());
  QVERIFY(QCoreApplication::libraryPaths().isEmpty());
}

void TestUxApp::selfInfoNamesTheSettings() {
  const QString html = app().selfInfo();
  QVERIFY(html.startsWith(QStringLiteral("<table border=1><tr><th><b>Information</b></th>")));
  QVERIFY(html.contains(QStringLiteral("<tr><td>Name</td><td>Tessella</td></tr>")));
  QVERIFY(html.contains(QStringLiteral("<tr><td>Current logfile</td><td>%1</td></tr>").arg(app().logFile())));
  QVERIFY(html.contains(QStringLiteral("<tr><td>Pattern for config-files</td><td>*.cfg</td></tr>")));
  QVERIFY(html.endsWith(QStringLiteral("</td></tr></table>")));
}

void TestUxApp::closingLinesOnDestruction() {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  QTemporaryDir home;
  env.insert(QStringLiteral("HOME"), home.path());
  env.insert(QStringLiteral("UXAPP_CHILD"), QStringLiteral("1"));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {});
  QVERIFY(child.waitForFinished(30000));
  QCOMPARE(child.exitCode(), 0);
  const QByteArray log = readAll(home.path() + QStringLiteral("/.tessella/log/") + todayLog(0));
  const QList<QByteArray> lines = log.trimmed().split('\n');
  QVERIFY2(lines.size() >= 5, log.constData());
  QVERIFY(lines.at(1).startsWith("Logging started at: "));
  QCOMPARE(lines.at(2), QByteArray("Info: child"));
  QVERIFY(lines.at(lines.size() - 2).startsWith("Logging stopped at: "));
  QCOMPARE(lines.last(), QByteArray("#########################"));
}

void TestUxApp::cleanupTestCase() {}

int main(int argc, char **argv) {
  Ux::App app("Tessella", argc, argv);
  if (qEnvironmentVariableIsSet("UXAPP_CHILD")) {
    if (!initDefault(app)) return 3;
    Nub::info("child");
    return 0;
  }
  app.setAttribute(Qt::AA_Use96Dpi, true);
  TestUxApp test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_uxapp.moc"
