#include "messagecapture.h"
#include "phinfotexts.h"
#include "phstartup.h"
#include "uxapp.h"
#include "uxcfg.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QScopeGuard>
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
  void installPlaces_data();
  void installPlaces();

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

// An installation keeps the three in its shared places; beside the
// executable comes first, as in a build.
void TestPhStartup::installPlaces_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<bool>("beside");
  QTest::addColumn<bool>("installed");
  for (const char *kind : {"configuration", "manual", "plugins"}) {
    QTest::addRow("%s beside the executable", kind) << QString::fromLatin1(kind) << true << false;
    QTest::addRow("%s installed", kind) << QString::fromLatin1(kind) << false << true;
    QTest::addRow("%s in both places", kind) << QString::fromLatin1(kind) << true << true;
    QTest::addRow("%s nowhere", kind) << QString::fromLatin1(kind) << false << false;
  }
}

void TestPhStartup::installPlaces() {
  QFETCH(QString, kind);
  QFETCH(bool, beside);
  QFETCH(bool, installed);
  const QString dir = QCoreApplication::applicationDirPath();
  QString besidePath;
  QString installedPath;
  if (kind == QLatin1String("configuration")) {
    besidePath = dir + QStringLiteral("/default.cfg");
    installedPath = dir + QStringLiteral("/" TESSELLA_DATADIR_FROM_BIN "/default.cfg");
  } else if (kind == QLatin1String("manual")) {
    besidePath = dir + QStringLiteral("/doc/manual.html");
    installedPath = dir + QStringLiteral("/" TESSELLA_DOCDIR_FROM_BIN "/manual.html");
  } else {
    besidePath = dir + QStringLiteral("/plugins");
    installedPath = dir + QStringLiteral("/" TESSELLA_PLUGINDIR_FROM_BIN);
  }
  installedPath = QDir::cleanPath(installedPath);
  // Everything this case makes goes again, the installed folders with their
  // parents as far as they are empty.
  auto removeAll = [&] {
    QFile::remove(besidePath);
    QDir(dir + QStringLiteral("/doc")).removeRecursively();
    QDir(besidePath).removeRecursively();
    const QString made = QFileInfo(installedPath).path();
    QDir(made).removeRecursively();
    QDir().rmpath(QFileInfo(made).path());
  };
  removeAll();
  const auto guard = qScopeGuard(removeAll);

  auto make = [&](const QString &path, int maxLogs) {
    if (kind == QLatin1String("plugins")) {
      QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("configuration")) {
      QVERIFY(QDir().mkpath(QFileInfo(path).path()));
      writeCfg(path, maxLogs);
    } else {
      QVERIFY(QDir().mkpath(QFileInfo(path).path()));
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
  };
  if (beside) make(besidePath, 1);
  if (installed) make(installedPath, 2);
  const QString expected = beside ? besidePath : installed ? installedPath : QString();

  PhStartup startup(app());
  MessageCapture capture;
  QString used;
  if (kind == QLatin1String("configuration")) {
    startup.readConfiguration();
    const int maxLogs = Ux::Cfg(QStringLiteral("Global")).readNum(QStringLiteral("MaxLogs"), -1);
    used = maxLogs == 1 ? besidePath : maxLogs == 2 ? installedPath : QString();
    QCOMPARE(capture.texts(Nub::MsgWarn).contains(
                 QStringLiteral("Can't find a valid configuration-file! Using internal defaults.")),
             expected.isEmpty());
  } else if (kind == QLatin1String("manual")) {
    startup.setHelpFile();
    used = app().helpFile();
    QCOMPARE(capture.texts(Nub::MsgWarnDlg).contains(QStringLiteral("Can't initialise help-file!")),
             expected.isEmpty());
  } else {
    startup.registerPluginDirectory();
    const QStringList paths = QCoreApplication::libraryPaths();
    if (!paths.isEmpty() && paths.first() != QLibraryInfo::path(QLibraryInfo::PluginsPath)) used = paths.first();
    QCOMPARE(capture.texts(Nub::MsgWarn).contains(QStringLiteral("Can't initialise plugin-directory 'plugins'.")),
             expected.isEmpty());
  }
  // Found in either place, the first is used and nothing is warned. A failed
  // lookup is told above; what an earlier case set may stay.
  if (!expected.isEmpty()) {
    QCOMPARE(used, QDir::toNativeSeparators(expected));
    QCOMPARE(capture.texts(Nub::MsgWarn), QStringList());
    QCOMPARE(capture.texts(Nub::MsgWarnDlg), QStringList());
  }
}

int main(int argc, char **argv) {
  Ux::App app(PhStartup::sAppName, argc, argv);
  TestPhStartup test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_phstartup.moc"
