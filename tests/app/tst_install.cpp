#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The installation as a user gets it: `cmake --install` into a prefix of its
// own, moved elsewhere afterwards, and the program started from there.
class TestInstall : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void installedFiles_data();
  void installedFiles();
  void nothingPointsIntoTheBuild();
  void installedProgramStartsWithoutWarnings();
  void desktopEntryOpensProjectFiles();
  void desktopEntryPassesTheValidator();
  void debianPackageDependsOnTheLinkedLibraries();

 private:
  struct Run {
    int exitCode = -1;
    QByteArray output;
  };
  static Run run(const QString &program, const QStringList &arguments, const QString &home = QString(),
                 int timeout = 120000);
  static QString buildDir() { return qEnvironmentVariable("TESSELLA_BINARY_DIR"); }
  static QString sourceDir() { return qEnvironmentVariable("TESSELLA_SOURCE_DIR"); }
  QString installed(const char *relative) const { return mPrefix + QLatin1Char('/') + QLatin1String(relative); }

  QTemporaryDir mRoot;
  QString mPrefix;
};

TestInstall::Run TestInstall::run(const QString &program, const QStringList &arguments, const QString &home,
                                  int timeout) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  // Only the installation's own RPATH may find libnubux.
  env.remove(QStringLiteral("LD_LIBRARY_PATH"));
  if (!home.isEmpty()) env.insert(QStringLiteral("HOME"), home);
  process.setProcessEnvironment(env);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setWorkingDirectory(QDir::tempPath());
  process.start(program, arguments);
  Run result;
  if (!process.waitForFinished(timeout)) {
    process.kill();
    process.waitForFinished();
    result.output = "timed out: " + process.readAll();
    return result;
  }
  result.output = process.readAll();
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  return result;
}

void TestInstall::initTestCase() {
  QVERIFY(mRoot.isValid());
  const QString first = mRoot.filePath(QStringLiteral("first"));
  const Run install = run(QStringLiteral(TESSELLA_CMAKE_COMMAND),
                          {QStringLiteral("--install"), buildDir(), QStringLiteral("--prefix"), first});
  QVERIFY2(install.exitCode == 0, install.output.constData());
  // A tree that works only where it was installed would fail from here on.
  mPrefix = mRoot.filePath(QStringLiteral("moved"));
  QVERIFY(QDir().rename(first, mPrefix));
}

void TestInstall::installedFiles_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<bool>("folder");
  const QString bin = QStringLiteral(TESSELLA_BINDIR "/");
  for (const char *tool : {"tessella", "tessella-cfg", "tessella-report", "baxsim"})
    QTest::addRow("%s", tool) << bin + QLatin1String(tool) << false;
  QTest::addRow("library by its SONAME") << QStringLiteral(TESSELLA_LIBDIR "/libnubux.so.1") << false;
  QTest::addRow("link for linking") << QStringLiteral(TESSELLA_LIBDIR "/libnubux.so") << false;
  QTest::addRow("system configuration") << QStringLiteral(TESSELLA_DATADIR "/default.cfg") << false;
  QTest::addRow("manual") << QStringLiteral(TESSELLA_DOCDIR "/manual.html") << false;
  QTest::addRow("a picture of the manual") << QStringLiteral(TESSELLA_DOCDIR "/images/density.png") << false;
  QTest::addRow("plug-in folder") << QStringLiteral(TESSELLA_PLUGINDIR) << true;
  QTest::addRow("desktop entry") << QStringLiteral("share/applications/org.tessella.Tessella.desktop") << false;
  QTest::addRow("MIME type") << QStringLiteral("share/mime/packages/org.tessella.Tessella.xml") << false;
  QTest::addRow("scalable icon") << QStringLiteral("share/icons/hicolor/scalable/apps/org.tessella.Tessella.svg") << false;
  QTest::addRow("PNG icon") << QStringLiteral("share/icons/hicolor/128x128/apps/org.tessella.Tessella.png") << false;
}

void TestInstall::installedFiles() {
  QFETCH(QString, path);
  QFETCH(bool, folder);
  const QFileInfo info(mPrefix + QLatin1Char('/') + path);
  QVERIFY2(info.exists(), qPrintable(info.filePath()));
  QCOMPARE(info.isDir(), folder);
}

void TestInstall::nothingPointsIntoTheBuild() {
  // A search path or a compiled-in path into the build folder would make the
  // installation work here and nowhere else. Executables find libnubux
  // through their RUNPATH alone, the library by its SONAME; other files
  // hold no build path at all. (Debug information may name the build.)
  const QString readelf = QStandardPaths::findExecutable(QStringLiteral("readelf"));
  QVERIFY2(!readelf.isEmpty(), "readelf (binutils) is needed");
  const QByteArray build = QDir(buildDir()).canonicalPath().toUtf8();
  QVERIFY(!build.isEmpty());
  int executables = 0;
  QDirIterator it(mPrefix, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\x7f" "ELF")) {
      QVERIFY2(!bytes.contains(build), qPrintable(path));
      continue;
    }
    const Run dynamic = run(readelf, {QStringLiteral("-d"), path});
    QCOMPARE(dynamic.exitCode, 0);
    QVERIFY2(!dynamic.output.contains(build), dynamic.output.constData());
    QVERIFY2(!dynamic.output.contains("(RPATH)"), dynamic.output.constData());
    if (QFileInfo(path).path() == installed(TESSELLA_BINDIR)) {
      QVERIFY2(dynamic.output.contains("Library runpath: [" TESSELLA_INSTALL_RPATH "]\n"), dynamic.output.constData());
      ++executables;
    } else {
      QVERIFY2(!dynamic.output.contains("(RUNPATH)"), dynamic.output.constData());
    }
    if (QFileInfo(path).fileName().startsWith(QLatin1String("libnubux.so.")))
      QVERIFY2(dynamic.output.contains("Library soname: [libnubux.so.1]"), dynamic.output.constData());
    if (QFileInfo(path).fileName() == QLatin1String("tessella"))
      QVERIFY2(dynamic.output.contains("Shared library: [libnubux.so.1]"), dynamic.output.constData());
  }
  QCOMPARE(executables, 4);
}

void TestInstall::installedProgramStartsWithoutWarnings() {
  QTemporaryDir home;
  const QString picture = home.filePath(QStringLiteral("window.png"));
  const Run result = run(installed(TESSELLA_BINDIR "/tessella"),
                         {QStringLiteral("--screenshot"), picture,
                          sourceDir() + QStringLiteral("/examples/block/block.(p)")},
                         home.path());
  QByteArray log;
  const QDir logDir(home.filePath(QStringLiteral(".tessella/log")));
  const QStringList logs = logDir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
  QCOMPARE(logs.size(), 1);
  QFile file(logDir.filePath(logs.first()));
  QVERIFY(file.open(QIODevice::ReadOnly));
  log = file.readAll();
  const QByteArray both = result.output + log;
  QVERIFY2(result.exitCode == 0, both.constData());
  // Start-up ends with the welcome; the project opens after it.
  const qsizetype welcome = log.indexOf("Info: Welcome to");
  QVERIFY2(welcome > 0, log.constData());
  QVERIFY2(!log.left(welcome).contains("Warning"), log.constData());
  for (const char *text : {"Can't find a valid configuration-file", "help-file", "helpfile", "plugin-directory",
                           "library-path"})
    QVERIFY2(!both.contains(text), text);
  // The system configuration is the installed one, and sets the limit on log files.
  QVERIFY2(log.contains("Info: Loading configuration-file '" + installed(TESSELLA_DATADIR "/default.cfg").toUtf8() + "'"),
           log.constData());
  QVERIFY(log.contains("Info: A maximum of "));
  QVERIFY(log.contains("Info: Read <b>18</b> Images.\n"));
  const QImage image(picture);
  QVERIFY(!image.isNull());
  QVERIFY(image.width() >= 640 && image.height() >= 400);
}

void TestInstall::desktopEntryOpensProjectFiles() {
  QFile file(installed("share/applications/org.tessella.Tessella.desktop"));
  QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
  QMap<QString, QString> entry;
  for (const QByteArray &line : file.readAll().split('\n')) {
    const int equals = line.indexOf('=');
    if (equals > 0) entry.insert(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1)));
  }
  QCOMPARE(entry.value(QStringLiteral("Exec")), QStringLiteral("tessella %f"));
  QVERIFY(QFileInfo(installed(TESSELLA_BINDIR "/tessella")).isExecutable());
  const QString icon = entry.value(QStringLiteral("Icon"));
  for (const char *dir : {"scalable/apps/", "128x128/apps/"}) {
    const QString base = installed("share/icons/hicolor/") + QLatin1String(dir) + icon;
    QVERIFY2(QFileInfo::exists(base + QStringLiteral(".svg")) || QFileInfo::exists(base + QStringLiteral(".png")),
             qPrintable(base));
  }
  const QImage png(installed("share/icons/hicolor/128x128/apps/org.tessella.Tessella.png"));
  QCOMPARE(png.size(), QSize(128, 128));
  const QString mimeTypes = entry.value(QStringLiteral("MimeType"));

  // The MIME type the entry opens is the one the shared-mime-info file
  // defines, and its glob matches the example project and nothing else.
  QFile xml(installed("share/mime/packages/org.tessella.Tessella.xml"));
  QVERIFY(xml.open(QIODevice::ReadOnly));
  QXmlStreamReader reader(&xml);
  QString type;
  QStringList globs;
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) continue;
    if (reader.name() == QLatin1String("mime-type")) type = reader.attributes().value(QLatin1String("type")).toString();
    if (reader.name() == QLatin1String("glob")) globs << reader.attributes().value(QLatin1String("pattern")).toString();
  }
  QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
  QVERIFY(!type.isEmpty());
  QCOMPARE(mimeTypes, type + QLatin1Char(';'));
  QCOMPARE(globs, QStringList{QStringLiteral("*.(p)")});
  const QRegularExpression glob(QRegularExpression::wildcardToRegularExpression(globs.first()));
  QVERIFY(glob.match(QStringLiteral("block.(p)")).hasMatch());
  QVERIFY(!glob.match(QStringLiteral("block.(i)")).hasMatch());
  QVERIFY(!glob.match(QStringLiteral("block.p")).hasMatch());
}

void TestInstall::desktopEntryPassesTheValidator() {
  const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (validator.isEmpty()) QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");
  const Run result = run(validator, {installed("share/applications/org.tessella.Tessella.desktop")});
  QVERIFY2(result.exitCode == 0, result.output.constData());
  // Hints are printed but do not fail; a clean entry has none.
  QVERIFY2(result.output.trimmed().isEmpty(), result.output.constData());
}

void TestInstall::debianPackageDependsOnTheLinkedLibraries() {
  const QString dpkgDeb = QStandardPaths::findExecutable(QStringLiteral("dpkg-deb"));
  if (dpkgDeb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("dpkg-shlibdeps")).isEmpty())
    QSKIP("dpkg-deb or dpkg-shlibdeps is not installed (Debian package dpkg-dev)");
  const QString out = mRoot.filePath(QStringLiteral("package"));
  const Run pack = run(QStringLiteral(TESSELLA_CPACK_COMMAND),
                       {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                        buildDir() + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"), out},
                       QString(), 300000);
  QVERIFY2(pack.exitCode == 0, pack.output.constData());
  const QStringList debs = QDir(out).entryList({QStringLiteral("tessella_*.deb")}, QDir::Files);
  QCOMPARE(debs.size(), 1);
  const QString deb = QDir(out).filePath(debs.first());

  const Run depends = run(dpkgDeb, {QStringLiteral("--field"), deb, QStringLiteral("Depends")});
  QCOMPARE(depends.exitCode, 0);
  // Versioned dependencies as dpkg-shlibdeps writes them, one per linked library.
  for (const char *package : {"libc6 (>=", "libstdc++6 (>=", "libqt6core6 (>=", "libqt6gui6 (>=", "libqt6widgets6 (>="})
    QVERIFY2(depends.output.contains(package), depends.output.constData());
  // The library of the package itself is no dependency.
  QVERIFY2(!depends.output.contains("nubux"), depends.output.constData());

  const Run contents = run(dpkgDeb, {QStringLiteral("--contents"), deb});
  QCOMPARE(contents.exitCode, 0);
  for (const char *path : {"./usr/bin/tessella", "./usr/" TESSELLA_LIBDIR "/libnubux.so.1 ",
                           "./usr/" TESSELLA_DATADIR "/default.cfg", "./usr/" TESSELLA_DOCDIR "/manual.html",
                           "./usr/" TESSELLA_PLUGINDIR "/", "./usr/share/applications/org.tessella.Tessella.desktop"})
    QVERIFY2(contents.output.contains(path), path);
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
