#include "uxpath.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestUxPath : public QObject {
  Q_OBJECT

 private slots:
  void concat_data();
  void concat();
  void sizeText_data();
  void sizeText();
  void setExtension_data();
  void setExtension();
  void imageFormatFilters();
  void layoutWidth();
};

void TestUxPath::concat_data() {
  QTest::addColumn<QString>("a");
  QTest::addColumn<QString>("b");
  QTest::addColumn<QString>("expected");
  QTest::addRow("both") << "dir" << "file.cfg" << "dir/file.cfg";
  QTest::addRow("first empty") << "" << "x/y" << "x/y";
  QTest::addRow("second empty") << "dir" << "" << "dir";
  QTest::addRow("both empty") << "" << "" << "";
}

void TestUxPath::concat() {
  QFETCH(QString, a);
  QFETCH(QString, b);
  QFETCH(QString, expected);
  QCOMPARE(Ux::pathConcat(a, b), QDir::toNativeSeparators(expected));
}

void TestUxPath::sizeText_data() {
  QTest::addColumn<int>("size");
  QTest::addColumn<QString>("expected");
  QTest::addRow("empty") << 0 << "INVALID";
  QTest::addRow("bytes") << 1023 << "1023 [Bytes]";
  QTest::addRow("one kilobyte") << 1024 << "1.00 [KB]";
  QTest::addRow("just below MB") << 786431 << "768.00 [KB]";
  QTest::addRow("three quarters MB") << 786432 << "0.75 [MB]";
  QTest::addRow("two MB") << 2097152 << "2.00 [MB]";
}

void TestUxPath::sizeText() {
  QFETCH(int, size);
  QFETCH(QString, expected);
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("f")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  QVERIFY(file.resize(size));
  file.close();
  QCOMPARE(Ux::pathSizeTxt(QFileInfo(file.fileName())), expected);
}

void TestUxPath::setExtension_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("ext");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<bool>("changed");
  QTest::addRow("same extension, other case") << "/a/b/USER.CFG" << ".cfg" << "/a/b/USER.CFG" << false;
  QTest::addRow("empty extension") << "/a/b/user" << "" << "/a/b/user" << false;
  QTest::addRow("dot inserted") << "/a/b/user" << "cfg" << "/a/b/user.cfg" << true;
  QTest::addRow("replaces last extension") << "/a/b/user.tar.gz" << ".cfg" << "/a/b/user.tar.cfg" << true;
}

void TestUxPath::setExtension() {
  QFETCH(QString, path);
  QFETCH(QString, ext);
  QFETCH(QString, expected);
  QFETCH(bool, changed);
  bool wasChanged = !changed;
  QCOMPARE(Ux::pathSetExtension(path, ext, &wasChanged), QDir::toNativeSeparators(expected));
  QCOMPARE(wasChanged, changed);
}

void TestUxPath::imageFormatFilters() {
  const QStringList patterns = Ux::supportedInputImageFormats().split(QLatin1Char(' '));
  QVERIFY(patterns.contains(QStringLiteral("*.png")));
  QVERIFY(patterns.contains(QStringLiteral("*.jpg")));
  for (const QString &p : patterns) QVERIFY2(p.startsWith(QStringLiteral("*.")) && p == p.toLower(), qPrintable(p));
  const int jpeg = int(patterns.indexOf(QStringLiteral("*.jpeg")));
  if (jpeg >= 0) QCOMPARE(patterns.indexOf(QStringLiteral("*.jpg")), jpeg + 1);
  QVERIFY(Ux::supportedOutputImageFormats().contains(QStringLiteral("*.png")));
}

void TestUxPath::layoutWidth() {
  QCOMPARE(Ux::stdSpace(), 5);
  QVERIFY(!Ux::layoutActive());
  const int narrow = Ux::layoutOn("ab");
  const int wide = Ux::layoutOn("a much longer caption");
  QVERIFY(narrow > 0 && wide > narrow);
  QCOMPARE(Ux::layoutWidth(), wide);
  QVERIFY(Ux::layoutActive());
  QCOMPARE(Ux::layoutOff(), -1);
  QVERIFY(!Ux::layoutActive());
}

QTEST_MAIN(TestUxPath)
#include "tst_uxpath.moc"
