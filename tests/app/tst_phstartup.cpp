#include "messagecapture.h"
#include "phinfotexts.h"
#include "phstartup.h"
#include "uxapp.h"
#include "uxcfg.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QtTest>

class TestPhStartup : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void informationKeys();
  void configuration_data();
  void configuration();
  void pluginDirectory();
  void helpFile();

 private:
  Ux::App &app() { return *Ux::App::getRep(); }
  void writeCfg(const QString &path, int maxLogs) {
    Ux::Cfg::clear();
    Ux::Cfg(QStringLiteral("Global")).writeEntry(QStringLiteral("MaxLogs"), maxLogs);
    MessageCapture quiet;
    QVERIFY(Ux::Cfg::save(path));
    Ux::Cfg::clear();
  }
};

void TestPhStartup::initTestCase() {
  PhStartup startup(app());
  QVERIFY(startup.initApplication());
  QCOMPARE(app().logDir(), QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/.tessella/log")));
  QCOMPARE(app().cfgExt(), QStringLiteral(".cfg"));
}

void TestPhStartup::cleanup() {
  QFile::remove(app().cfgFileUser());
  QFile::remove(app().cfgFileSystem());
  Ux::Cfg::clear();
}

void TestPhStartup::informationKeys() {
  PhStartup(app()).registerInformation();
  QCOMPARE(Ux::App::info(QStringLiteral("name")), QStringLiteral("Tessella"));
  QCOMPARE(Ux::App::info(QStringLiteral("version")), QStringLiteral("1.0.5"));
  QCOMPARE(Ux::App::info(QStringLiteral("nameLong")), QStringLiteral("Tessella Version 1.0.5"));
  QCOMPARE(Ux::App::info(QStringLiteral("dateCreation")), QStringLiteral("April 13, 2005"));
  QCOMPARE(Ux::App::info(QStringLiteral("history")), historyText());
  QVERIFY(Ux::App::info(QStringLiteral("history")).contains(QStringLiteral("History since creation of program at April 13, 2005")));
  // The support page was built after the contacts were set.
  QVERIFY(Ux::App::info(QStringLiteral("support")).contains(Ux::App::info(QStringLiteral("author2Email"))));
  QVERIFY(Ux::App::info(QStringLiteral("support")).contains(QStringLiteral("<h2>Phone: %1<br>").arg(Ux::App::info(QStringLiteral("author1Tel")))));
  for (const char *key : {"dateLastChange", "author1", "author1Email", "author1Tel", "author1Fax", "author2",
                          "author2Email", "author2Tel", "author2Fax"})
    QVERIFY2(!Ux::App::info(QString::fromLatin1(key)).isEmpty(), key);
}

void TestPhStartup::configuration_data() {
  QTest::addColumn<bool>("user");
  QTest::addColumn<bool>("system");
  QTest::addColumn<int>("maxLogs");
  QTest::addColumn<int>("warnings");
  QTest::addRow("user file") << true << true << 4 << 0;
  QTest::addRow("system file only") << false << true << 6 << 0;
  QTest::addRow("neither") << false << false << -1 << 1;
}

void TestPhStartup::configuration() {
  QFETCH(bool, user);
  QFETCH(bool, system);
  QFETCH(int, maxLogs);
  QFETCH(int, warnings);
  if (system) writeCfg(app().cfgFileSystem(), 6);
  if (user) writeCfg(app().cfgFileUser(), 4);
  MessageCapture capture;
  PhStartup(app()).readConfiguration();
  const QStringList warned = capture.texts(Nub::MsgWarn);
  QCOMPARE(warned.size(), warnings);
  if (warnings)
    QCOMPARE(warned.first(), QStringLiteral("Can't find a valid configuration-file! Using internal defaults."));
  QCOMPARE(Ux::Cfg(QStringLiteral("Global")).readNum(QStringLiteral("MaxLogs"), -1), maxLogs);
}

void TestPhStartup::pluginDirectory() {
  const QString plugins = QCoreApplication::applicationDirPath() + QStringLiteral("/plugins");
  QDir(plugins).removeRecursively();
  {
    MessageCapture capture;
    PhStartup(app()).registerPluginDirectory();
    QCOMPARE(capture.texts(Nub::MsgWarn).last(), QStringLiteral("Can't initialise plugin-directory 'plugins'."));
  }
  QVERIFY(QDir().mkpath(plugins));
  MessageCapture capture;
  PhStartup(app()).registerPluginDirectory();
  QCOMPARE(capture.count(), 0);
  const QStringList paths = QCoreApplication::libraryPaths();
  QVERIFY(!paths.isEmpty());
  QCOMPARE(paths.first(), QDir(plugins).absolutePath());
  QVERIFY(paths.contains(QLibraryInfo::path(QLibraryInfo::PluginsPath)));
  QDir(plugins).removeRecursively();
}

void TestPhStartup::helpFile() {
  // The help file lies beside the executable; without it the user is told in a box.
  const QString doc = QCoreApplication::applicationDirPath() + QStringLiteral("/doc");
  QDir(doc).removeRecursively();
  MessageCapture capture;
  PhStartup(app()).setHelpFile();
  QCOMPARE(capture.texts(Nub::MsgWarnDlg), QStringList{QStringLiteral("Can't initialise help-file!")});
  QVERIFY(QDir().mkpath(doc));
  QFile manual(doc + QStringLiteral("/manual.html"));
  QVERIFY(manual.open(QIODevice::WriteOnly));
  manual.close();
  capture.clear();
  PhStartup(app()).setHelpFile();
  QCOMPARE(capture.count(), 0);
  QCOMPARE(app().helpFile(), QDir::toNativeSeparators(manual.fileName()));
  QDir(doc).removeRecursively();
}

int main(int argc, char **argv) {
  Ux::App app(PhStartup::sAppName, argc, argv);
  TestPhStartup test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_phstartup.moc"
