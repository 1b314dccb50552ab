#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "phbaxini.h"
#include "phfixture.h"
#include "messagecapture.h"

class TstPhBaxIni : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void sectionAndKeyRules_data();
  void sectionAndKeyRules();
  void missingConfiguration();
  void unsetWindirMeansTheCurrentDirectory();
  void unreadableProjectListIsReportedNotFatal();
  void currentProjectWithoutListKey();
  void currentProjectFound();
  void currentProjectFileMissing();

 private:
  void writeIni(const QByteArray &text) {
    QVERIFY(PhFixture::writeFile(mDir.filePath(QStringLiteral("Bax.ini")), text));
  }
  QString iniPath() const { return mDir.filePath(QStringLiteral("Bax.ini")); }

  QTemporaryDir mDir;
  QString mCurrent;
};

void TstPhBaxIni::init() {
  QVERIFY(mDir.isValid());
  QFile::remove(iniPath());
  qputenv("windir", QFile::encodeName(mDir.path()));
  mCurrent = QDir::currentPath();
}

void TstPhBaxIni::cleanup() {
  qunsetenv("windir");
  QDir::setCurrent(mCurrent);
}

void TstPhBaxIni::sectionAndKeyRules_data() {
  QTest::addColumn<QByteArray>("ini");
  QTest::addColumn<QString>("value");  // "<null>" for a null result
  QTest::addColumn<bool>("keywordWarning");
  QTest::addRow("value stripped") << QByteArray("[BAX]\nPATH_PROGRAMS=  C:\\BAX\\bin  \n;\n")
                                  << "C:\\BAX\\bin" << false;
  QTest::addRow("CRLF lines") << QByteArray("[BAXB]\r\nX=1\r\n[BAX]\r\nPATH_PROGRAMS=/opt/bax\r\n;\r\n")
                              << "/opt/bax" << false;
  QTest::addRow("text after the first equals sign") << QByteArray("[BAX]\nPATH_PROGRAMS=a=b\n")
                                                     << "a=b" << false;
  QTest::addRow("prefix matches a longer key first")
      << QByteArray("[BAX]\nPATH_PROGRAMS_OLD=old\nPATH_PROGRAMS=new\n;\n") << "old" << false;
  QTest::addRow("later sections are searched on")
      << QByteArray("[BAX]\nVERSION=4\n[OTHER]\nPATH_PROGRAMS=other\n;\n") << "other" << false;
  QTest::addRow("section header with more text")
      << QByteArray("[BAX] programs\nPATH_PROGRAMS=x\n") << "x" << false;
  QTest::addRow("key line without equals sign") << QByteArray("[BAX]\nPATH_PROGRAMS\n;\n") << ""
                                                << false;
  QTest::addRow("semicolon ends the search")
      << QByteArray("[BAX]\nVERSION=4\n;\nPATH_PROGRAMS=late\n") << "<null>" << true;
  QTest::addRow("only the first header counts")
      << QByteArray("[BAX]\nVERSION=4\n;\n[BAX]\nPATH_PROGRAMS=second\n") << "<null>" << true;
  QTest::addRow("end of file ends the search") << QByteArray("[BAX]\nVERSION=4\n") << "<null>"
                                               << true;
  QTest::addRow("indented key is no key") << QByteArray("[BAX]\n  PATH_PROGRAMS=x\n;\n")
                                          << "<null>" << true;
  QTest::addRow("key before the section") << QByteArray("PATH_PROGRAMS=x\n[BAX]\n;\n") << "<null>"
                                          << true;
  QTest::addRow("no such section") << QByteArray("[BAXB]\nPATH_PROGRAMS=x\n;\n") << "<null>"
                                   << false;
  QTest::addRow("section names are exact") << QByteArray("[bax]\nPATH_PROGRAMS=x\n") << "<null>"
                                           << false;
  QTest::addRow("empty file") << QByteArray() << "<null>" << false;
  QTest::addRow("Latin-1 value") << QByteArray("[BAX]\nPATH_PROGRAMS=C:\\Programme\\M\xfcller\n")
                                 << QString::fromUtf8("C:\\Programme\\M\xc3\xbcller") << false;
}

void TstPhBaxIni::sectionAndKeyRules() {
  QFETCH(QByteArray, ini);
  QFETCH(QString, value);
  QFETCH(bool, keywordWarning);
  writeIni(ini);
  MessageCapture capture;
  const QString got = PhBaxIni::readBAXini(QStringLiteral("BAX"), QStringLiteral("PATH_PROGRAMS"));
  if (value == QLatin1String("<null>"))
    QVERIFY(got.isNull());
  else
    QCOMPARE(got, value);
  const QStringList expected =
      keywordWarning ? QStringList{QStringLiteral("Keyword 'PATH_PROGRAMS' not found in section [BAX] of file '%1'!")
                                       .arg(QDir::toNativeSeparators(iniPath()))}
                     : QStringList();
  QCOMPARE(capture.warnings(), expected);
}

void TstPhBaxIni::missingConfiguration() {
  MessageCapture capture;
  QVERIFY(PhBaxIni::readBAXini(QStringLiteral("BAX"), QStringLiteral("PATH_PROGRAMS")).isNull());
  QCOMPARE(capture.warnings(),
           QStringList{QStringLiteral("BAX configuaration file '%1' doesn't exist!")
                           .arg(QDir::toNativeSeparators(iniPath()))});

  capture.clear();
  QVERIFY(QDir(mDir.path()).mkdir(QStringLiteral("Bax.ini")));
  QVERIFY(PhBaxIni::readBAXini(QStringLiteral("BAX"), QStringLiteral("PATH_PROGRAMS")).isNull());
  QDir(mDir.path()).rmdir(QStringLiteral("Bax.ini"));
  QCOMPARE(capture.warnings(),
           QStringList{QStringLiteral("Can't open BAX configuaration file '%1'!")
                           .arg(QDir::toNativeSeparators(iniPath()))});
}

void TstPhBaxIni::unsetWindirMeansTheCurrentDirectory() {
  QTemporaryDir other;
  QVERIFY(PhFixture::writeFile(other.filePath(QStringLiteral("Bax.ini")),
                               "[BAX]\nPATH_PROGRAMS=here\n"));
  qunsetenv("windir");
  QDir::setCurrent(other.path());
  MessageCapture capture;
  QCOMPARE(PhBaxIni::readBAXini(QStringLiteral("BAX"), QStringLiteral("PATH_PROGRAMS")),
           QStringLiteral("here"));
  QCOMPARE(QFileInfo(PhBaxIni::iniPath()).absolutePath(), QFileInfo(other.path()).canonicalFilePath());
}

void TstPhBaxIni::unreadableProjectListIsReportedNotFatal() {
  MessageCapture capture;
  const QString list = mDir.filePath(QStringLiteral("none.prj"));
  QVERIFY(PhBaxIni::readBAXpro(list, QStringLiteral("PROJECT"), QStringLiteral("BAXB_OUT_TESL")).isNull());
  QCOMPARE(capture.warnings(),
           QStringList{QStringLiteral("Can't open '%1'!").arg(QDir::toNativeSeparators(list))});
}

void TstPhBaxIni::currentProjectWithoutListKey() {
  writeIni("[BAXB]\nOTHER=1\n;\nBAXB_LAST_PROJ=late.prj\n");
  MessageCapture capture;
  QVERIFY(PhBaxIni::currentProjectFile().isNull());
  QCOMPARE(capture.warnings(),
           (QStringList{QStringLiteral("Keyword 'BAXB_LAST_PROJ' not found in section [BAXB] of file '%1'!")
                            .arg(QDir::toNativeSeparators(iniPath())),
                        QStringLiteral("Could not find current BAX project file ''!")}));
}

void TstPhBaxIni::currentProjectFound() {
  const QString list = mDir.filePath(QStringLiteral("current.prj"));
  const QString base = mDir.filePath(QStringLiteral("blk"));
  writeIni("[BAX]\r\nPATH_PROGRAMS=.\r\n;\r\n[BAXB]\r\nBAXB_LAST_PROJ=" + list.toUtf8() + "\r\n;\r\n");
  PhFixture::writeFile(list, "[GENERAL]\r\nNAME=x\r\n[PROJECT]\r\nBAXB_OUT_TESL=" + base.toUtf8() +
                                 "\r\n;\r\n");
  PhFixture::writeFile(base + QStringLiteral(".(p)"), "IMAGE_FILE: blk.(i)\r\n");
  MessageCapture capture;
  QCOMPARE(PhBaxIni::currentProjectFile(), base + QStringLiteral(".(p)"));
  QVERIFY(capture.warnings().isEmpty());
  QCOMPARE(capture.infos(),
           (QStringList{QStringLiteral("Looking for project to open in current BAX project file '%1'.")
                            .arg(QDir::toNativeSeparators(list)),
                        QStringLiteral("Opening project '%1' corresponding to current BAX project.")
                            .arg(QDir::toNativeSeparators(base + QStringLiteral(".(p)")))}));
}

void TstPhBaxIni::currentProjectFileMissing() {
  const QString list = mDir.filePath(QStringLiteral("current.prj"));
  writeIni("[BAXB]\nBAXB_LAST_PROJ=" + list.toUtf8() + "\n");
  PhFixture::writeFile(list, "[PROJECT]\nBAXB_OUT_TESL=" + mDir.filePath(QStringLiteral("gone")).toUtf8() + "\n");
  MessageCapture capture;
  QVERIFY(PhBaxIni::currentProjectFile().isNull());
  QCOMPARE(capture.warnings(),
           QStringList{QStringLiteral("Could not find appropriate project file '%1' for current BAX project!")
                           .arg(QDir::toNativeSeparators(mDir.filePath(QStringLiteral("gone.(p)"))))});
}

QTEST_GUILESS_MAIN(TstPhBaxIni)
#include "tst_phbaxini.moc"
