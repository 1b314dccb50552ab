#include "filebytes.h"
#include "nubmsg.h"
#include "uxcfg.h"
#include "uxcfgfile.h"

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QPen>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(Q_OS_LINUX)
#include <sys/resource.h>
#endif

// The address sanitizer reserves far more address space than it uses.
#if defined(__SANITIZE_ADDRESS__)
#define TST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TST_ASAN 1
#endif
#endif

using Ux::Cfg;
using Ux::CfgFile;

namespace {

struct Message {
  Nub::MsgTypeE type;
  QString text;
};

QList<Message> gMessages;

void captureMessage(Nub::MsgTypeE type, const char *text) {
  if (type != Nub::MsgDebug) gMessages.append({type, QString::fromUtf8(text)});
}

QStringList texts(Nub::MsgTypeE type) {
  QStringList out;
  for (const Message &m : gMessages) {
    if (m.type == type) out << m.text;
  }
  return out;
}

// Hex with spaces for readability.
QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// A file as another writer lays it out: 2023-02-24 12:34:56.789, eight
// entries of every kind in key order.
const char *const kHeaderAt = "0000270E 00000064 00258960 02B32C95";
const char *const kAllKinds =
    "0000270E 00000064 00258960 02B32C95 00000008"
    "0000000E 0041002F0063006F006C006F0072 0000000A 80112233"                  // A/color
    "00000010 0041002F0064006F00750062006C0065 00000013 C004000000000000"      // A/double -2.5
    "0000000A 0041002F0069006E0074 00000010 FFFFFFF9"                          // A/int -7
    "0000000C 0041002F006C006900730074 00000004 00000002"                      // A/list
    "  00000002 0078  00000004 0079007A"                                       //   x, yz
    "0000000A 0041002F00700065006E 00000020 A2 0003 FF0000FF"                  // A/pen
    "0000000C 0041002F0072006500630074 00000008 0000000A 00000014 0000006D 00000045"  // A/rect
    "0000000C 0041002F00730069007A0065 00000009 00000280 000001E0"             // A/size
    "0000000C 0041002F0074006500780074 00000003 00000008 0047007200FC00DF";    // A/text Grüß

QPen allKindsPen() {
  return QPen(QBrush(QColor(0, 0, 255)), 3, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin);
}

void writeAllKinds() {
  Cfg cfg(QStringLiteral("A"));
  cfg.writeEntry(QStringLiteral("color"), QColor(0x11, 0x22, 0x33, 0x80));
  cfg.writeEntry(QStringLiteral("double"), -2.5);
  cfg.writeEntry(QStringLiteral("int"), -7);
  cfg.writeEntry(QStringLiteral("list"), QStringList{QStringLiteral("x"), QStringLiteral("yz")});
  cfg.writeEntry(QStringLiteral("pen"), allKindsPen());
  cfg.writeEntry(QStringLiteral("rect"), QRect(10, 20, 100, 50));
  cfg.writeEntry(QStringLiteral("size"), QSize(640, 480));
  cfg.writeEntry(QStringLiteral("text"), QString::fromUtf8("Grüß"));
}

// Writes through the writer of the value's kind; a QByteArray stands for
// the const char* writer.
void writeValue(Cfg &cfg, const QString &key, const QVariant &v) {
  switch (v.metaType().id()) {
    case QMetaType::Int: cfg.writeEntry(key, v.toInt()); break;
    case QMetaType::Double: cfg.writeEntry(key, v.toDouble()); break;
    case QMetaType::QString: cfg.writeEntry(key, v.toString()); break;
    case QMetaType::QByteArray: cfg.writeEntry(key, v.toByteArray().constData()); break;
    case QMetaType::QStringList: cfg.writeEntry(key, v.toStringList()); break;
    case QMetaType::QSize: cfg.writeEntry(key, v.toSize()); break;
    case QMetaType::QRect: cfg.writeEntry(key, v.toRect()); break;
    case QMetaType::QFont: cfg.writeEntry(key, v.value<QFont>()); break;
    case QMetaType::QPen: cfg.writeEntry(key, v.value<QPen>()); break;
    case QMetaType::QColor: cfg.writeEntry(key, v.value<QColor>()); break;
    default: break;  // an invalid variant writes nothing
  }
}

QVariant readAs(const QString &reader, const Cfg &cfg, const QString &key, const QVariant &def,
                bool *found) {
  if (reader == QLatin1String("bool")) return cfg.readBool(key, def.toBool(), found);
  if (reader == QLatin1String("num")) return cfg.readNum(key, def.toInt(), found);
  if (reader == QLatin1String("real")) return cfg.readReal(key, def.toDouble(), found);
  if (reader == QLatin1String("string")) return cfg.readString(key, def.toString(), found);
  if (reader == QLatin1String("list")) return cfg.readStringList(key, def.toStringList(), found);
  if (reader == QLatin1String("size")) return cfg.readSize(key, def.toSize(), found);
  if (reader == QLatin1String("rect")) return cfg.readRect(key, def.toRect(), found);
  if (reader == QLatin1String("font")) return cfg.readFont(key, def.value<QFont>(), found);
  if (reader == QLatin1String("pen")) return QVariant::fromValue(cfg.readPen(key, def.value<QPen>(), found));
  if (reader == QLatin1String("color")) return cfg.readColor(key, def.value<QColor>(), found);
  return QVariant();
}

// The reader that belongs to a written value.
QString readerOf(const QVariant &v) {
  switch (v.metaType().id()) {
    case QMetaType::Int: return QStringLiteral("num");
    case QMetaType::Double: return QStringLiteral("real");
    case QMetaType::QString:
    case QMetaType::QByteArray: return QStringLiteral("string");
    case QMetaType::QStringList: return QStringLiteral("list");
    case QMetaType::QSize: return QStringLiteral("size");
    case QMetaType::QRect: return QStringLiteral("rect");
    case QMetaType::QFont: return QStringLiteral("font");
    case QMetaType::QPen: return QStringLiteral("pen");
    case QMetaType::QColor: return QStringLiteral("color");
  }
  return QString();
}

const char *const kBoundedLoadVar = "TST_UXCFG_BOUNDED_LOAD";

// Child mode of this program: caps the address space a little above what
// the process already uses, so an allocation sized from a damaged count or
// length fails here instead of quietly succeeding, then loads the file and
// prints the keys it holds.
int boundedLoad(const QString &file) {
#if defined(Q_OS_LINUX) && !defined(TST_ASAN)
  long vmKb = 0;
  if (FILE *status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
      if (std::strncmp(line, "VmSize:", 7) == 0) vmKb = std::atol(line + 7);
    }
    std::fclose(status);
  }
  const rlim_t cap = rlim_t(vmKb) * 1024 + rlim_t(256) * 1024 * 1024;
  const rlimit limit{cap, cap};
  if (vmKb <= 0 || setrlimit(RLIMIT_AS, &limit) != 0) return 3;
#endif
  if (!Cfg::load(file, true)) return 1;
  std::fputs(Cfg::keys().join(QLatin1Char('\n')).toUtf8().constData(), stdout);
  return 0;
}

// Loads the file in a child process in bounded memory; its keys, or an
// explanation of what went wrong.
QString keysLoadedInBoundedMemory(const QString &file) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QString::fromLatin1(kBoundedLoadVar), file);
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), QStringList());
  if (!child.waitForFinished(120000)) return QStringLiteral("<child did not finish>");
  if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
    return QStringLiteral("<child failed: %1>").arg(QString::fromUtf8(child.readAllStandardError()));
  }
  return QString::fromUtf8(child.readAllStandardOutput());
}

}  // namespace

class TestUxCfg : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void fullKeyJoinsGroupAndEntry_data();
  void fullKeyJoinsGroupAndEntry();
  void handlesShareOneTable();
  void writeReplacesEntryOfAnyKind();
  void writerAndReaderKeepValue_data();
  void writerAndReaderKeepValue();
  void readerGivesDefaultWhenAbsentOrUnfit_data();
  void readerGivesDefaultWhenAbsentOrUnfit();
  void foundMeansKeyPresent_data();
  void foundMeansKeyPresent();
  void staticAccessUsesKeyAsPassed();
  void scramblingXorsWithKeyAndMarker();
  void selfInfoListsEntriesAsHtml();
  void mainWindowAndSplitterRestore();

  void readsFileOfAnotherWriter();
  void writesBytesAnotherReaderReads();
  void versionIsReportedNotChecked();
  void wrongMagicIsRefusedAndTableKept_data();
  void wrongMagicIsRefusedAndTableKept();
  void missingFileWarnsOnlyWhenAsked();
  void emptyFileNameIsRefused();
  void loadReplacesTable();
  void damagedFileKeepsEntriesBeforeDamage_data();
  void damagedFileKeepsEntriesBeforeDamage();
  void failedSaveKeepsPreviousFile_data();
  void failedSaveKeepsPreviousFile();
  void unwritablePathFailsSave();

 private:
  QString path(const QString &name) const { return mDir.filePath(name); }
  QTemporaryDir mDir;
};

void TestUxCfg::initTestCase() {
  QVERIFY(mDir.isValid());
  Nub::installMsgHandler(captureMessage);
}

void TestUxCfg::init() {
  Cfg::clear();
  gMessages.clear();
  CfgFile::setWriteLimitForTest(-1);
}

void TestUxCfg::cleanup() {
  CfgFile::setWriteLimitForTest(-1);
  for (const QString &name : QDir(mDir.path()).entryList(QDir::Files | QDir::Hidden)) {
    QFile::remove(path(name));
  }
}

void TestUxCfg::fullKeyJoinsGroupAndEntry_data() {
  QTest::addColumn<QString>("group");
  QTest::addColumn<QString>("entry");
  QTest::addColumn<QString>("fullKey");
  QTest::addRow("group and entry") << "ImageViewer" << "BG_Color" << "ImageViewer/BG_Color";
  QTest::addRow("group ending in slash") << "A/" << "x" << "A/x";
  QTest::addRow("entry with leading slashes") << "A" << "//x" << "A/x";
  QTest::addRow("both slashes") << "A/" << "/x" << "A/x";
  QTest::addRow("no group keeps entry") << QString() << "/x" << "/x";
  QTest::addRow("empty group keeps entry") << "" << "a/b" << "a/b";
  QTest::addRow("case kept") << "a" << "X" << "a/X";
}

void TestUxCfg::fullKeyJoinsGroupAndEntry() {
  QFETCH(QString, group);
  QFETCH(QString, entry);
  QFETCH(QString, fullKey);
  Cfg cfg(group);
  QVERIFY(cfg.writeEntry(entry, 7));
  QCOMPARE(Cfg::keys(), QStringList{fullKey});
  bool found = false;
  QCOMPARE(Cfg().readNum(fullKey, 0, &found), 7);
  QVERIFY(found);
  // beginGroup replaces the group rather than nesting it.
  Cfg other(QStringLiteral("Other"));
  other.beginGroup(group);
  QCOMPARE(other.readNum(entry, 0), 7);
  other.endGroup();
  QVERIFY(other.curGroup().isNull());
}

void TestUxCfg::handlesShareOneTable() {
  Cfg viewer(QStringLiteral("ImageViewer"));
  viewer.writeEntry(QStringLiteral("BG_Color"), QColor(Qt::red));
  Cfg global(QStringLiteral("Global"));
  global.writeEntry(QStringLiteral("MaxLogs"), 10);
  Cfg none;
  QCOMPARE(none.readColor(QStringLiteral("ImageViewer/BG_Color"), QColor()), QColor(Qt::red));
  QCOMPARE(viewer.count(), 2u);
  QCOMPARE(none.count(), 2u);
  Cfg copy = viewer;
  QCOMPARE(copy.curGroup(), QStringLiteral("ImageViewer"));
  QCOMPARE(copy.readNum(QStringLiteral("/Global/MaxLogs"), 0), 0);
}

void TestUxCfg::writeReplacesEntryOfAnyKind() {
  Cfg cfg(QStringLiteral("G"));
  cfg.writeEntry(QStringLiteral("k"), QColor(Qt::blue));
  QVERIFY(cfg.writeEntry(QStringLiteral("k"), 3));
  QCOMPARE(cfg.count(), 1u);
  QCOMPARE(Cfg::value(QStringLiteral("G/k")).metaType().id(), int(QMetaType::Int));
  bool found = true;
  QCOMPARE(cfg.readColor(QStringLiteral("k"), QColor(Qt::green), &found), QColor(Qt::green));
  QVERIFY(!found);
}

void TestUxCfg::writerAndReaderKeepValue_data() {
  QTest::addColumn<QVariant>("value");
  QTest::addColumn<QVariant>("stored");
  QFont font(QStringLiteral("Liberation Sans"), 13);
  font.setBold(true);
  const QStringList list{QStringLiteral("a"), QString(), QStringLiteral("")};
  const QPen pen = allKindsPen();
  QTest::addRow("int") << QVariant(-123456) << QVariant(-123456);
  QTest::addRow("double") << QVariant(0.1) << QVariant(0.1);
  QTest::addRow("string") << QVariant(QString::fromUtf8("Grüße €")) << QVariant(QString::fromUtf8("Grüße €"));
  QTest::addRow("const char*") << QVariant(QByteArray("Grüße")) << QVariant(QString::fromUtf8("Grüße"));
  QTest::addRow("string list") << QVariant(list) << QVariant(list);
  QTest::addRow("size") << QVariant(QSize(0, 7)) << QVariant(QSize(0, 7));
  QTest::addRow("rect") << QVariant(QRect(-5, 6, 7, 8)) << QVariant(QRect(-5, 6, 7, 8));
  QTest::addRow("font") << QVariant(font) << QVariant(font.toString());
  QTest::addRow("pen") << QVariant(pen) << QVariant(pen);
  QTest::addRow("color") << QVariant(QColor(1, 2, 3, 4)) << QVariant(QColor(1, 2, 3, 4));
}

void TestUxCfg::writerAndReaderKeepValue() {
  QFETCH(QVariant, value);
  QFETCH(QVariant, stored);
  Cfg cfg(QStringLiteral("G"));
  writeValue(cfg, QStringLiteral("k"), value);
  const QVariant expected = value.metaType().id() == QMetaType::QByteArray ? stored : value;

  for (const char *stage : {"in memory", "after save and load"}) {
    QCOMPARE(Cfg::value(QStringLiteral("G/k")), stored);
    QCOMPARE(Cfg::value(QStringLiteral("G/k")).typeName(), stored.typeName());
    bool found = false;
    QCOMPARE(readAs(readerOf(value), cfg, QStringLiteral("k"), QVariant(expected.metaType()), &found),
             expected);
    QVERIFY2(found, stage);
    QVERIFY(Cfg::save(path(QStringLiteral("kinds.cfg"))));
    QVERIFY(Cfg::load(path(QStringLiteral("kinds.cfg")), true));
    QCOMPARE(Cfg::keys(), QStringList{QStringLiteral("G/k")});
  }
}

void TestUxCfg::readerGivesDefaultWhenAbsentOrUnfit_data() {
  QTest::addColumn<QVariant>("stored");  // invalid: nothing written
  QTest::addColumn<QString>("reader");
  QTest::addColumn<QVariant>("def");
  QTest::addColumn<QVariant>("expected");
  QTest::addColumn<bool>("found");
  const QVariant none;
  QTest::addRow("readNum on String 12") << QVariant(QStringLiteral("12")) << "num" << QVariant(5) << QVariant(12) << true;
  QTest::addRow("readNum on String abc") << QVariant(QStringLiteral("abc")) << "num" << QVariant(5) << QVariant(5) << false;
  QTest::addRow("readNum absent") << none << "num" << QVariant(5) << QVariant(5) << false;
  QTest::addRow("readReal on String") << QVariant(QStringLiteral("2.5")) << "real" << QVariant(1.0) << QVariant(2.5) << true;
  QTest::addRow("readReal on Color") << QVariant(QColor(Qt::red)) << "real" << QVariant(1.0) << QVariant(1.0) << false;
  QTest::addRow("readBool on Int 0") << QVariant(0) << "bool" << QVariant(true) << QVariant(false) << true;
  QTest::addRow("readBool on Int 5") << QVariant(5) << "bool" << QVariant(false) << QVariant(true) << true;
  QTest::addRow("readBool absent") << none << "bool" << QVariant(true) << QVariant(true) << false;
  QTest::addRow("readString on empty string") << QVariant(QStringLiteral("")) << "string" << QVariant(QStringLiteral("dflt")) << QVariant(QStringLiteral("dflt")) << false;
  QTest::addRow("readString absent") << none << "string" << QVariant(QStringLiteral("dflt")) << QVariant(QStringLiteral("dflt")) << false;
  QTest::addRow("readStringList absent") << none << "list" << QVariant(QStringList{QStringLiteral("d")}) << QVariant(QStringList{QStringLiteral("d")}) << false;
  QTest::addRow("readSize negative") << QVariant(QSize(-1, 4)) << "size" << QVariant(QSize(1, 1)) << QVariant(QSize(1, 1)) << false;
  QTest::addRow("readRect empty") << QVariant(QRect(0, 0, 0, 5)) << "rect" << QVariant(QRect(1, 1, 1, 1)) << QVariant(QRect(1, 1, 1, 1)) << false;
  QTest::addRow("readRect on Size") << QVariant(QSize(3, 3)) << "rect" << QVariant(QRect(1, 1, 1, 1)) << QVariant(QRect(1, 1, 1, 1)) << false;
  QTest::addRow("readColor invalid") << QVariant(QColor()) << "color" << QVariant(QColor(Qt::green)) << QVariant(QColor(Qt::green)) << false;
  QTest::addRow("readFont absent") << none << "font" << QVariant(QFont(QStringLiteral("Liberation Serif"))) << QVariant(QFont(QStringLiteral("Liberation Serif"))) << false;
}

void TestUxCfg::readerGivesDefaultWhenAbsentOrUnfit() {
  QFETCH(QVariant, stored);
  QFETCH(QString, reader);
  QFETCH(QVariant, def);
  QFETCH(QVariant, expected);
  QFETCH(bool, found);
  Cfg cfg(QStringLiteral("G"));
  writeValue(cfg, QStringLiteral("k"), stored);
  const unsigned before = cfg.count();
  bool wasFound = !found;
  QCOMPARE(readAs(reader, cfg, QStringLiteral("k"), def, &wasFound), expected);
  QCOMPARE(wasFound, found);
  QCOMPARE(cfg.count(), before);  // no reader adds an entry
  readAs(reader, cfg, QStringLiteral("k"), def, nullptr);  // the flag is optional
}

// These readers find any present key and give the toolkit's conversion of
// its value, even one that does not convert.
void TestUxCfg::foundMeansKeyPresent_data() {
  QTest::addColumn<QVariant>("stored");
  QTest::addColumn<QString>("reader");
  QTest::addColumn<QVariant>("def");
  QTest::addColumn<QVariant>("expected");
  const QPen green(Qt::green);
  QTest::addRow("readBool on Color") << QVariant(QColor(Qt::red)) << "bool" << QVariant(true) << QVariant(false);
  QTest::addRow("readBool on Rect") << QVariant(QRect(1, 2, 3, 4)) << "bool" << QVariant(true) << QVariant(false);
  QTest::addRow("readBool on String true") << QVariant(QStringLiteral("true")) << "bool" << QVariant(false) << QVariant(true);
  QTest::addRow("readStringList on Int") << QVariant(5) << "list" << QVariant(QStringList{QStringLiteral("d")}) << QVariant(QStringList());
  QTest::addRow("readStringList on Color") << QVariant(QColor(Qt::red)) << "list" << QVariant(QStringList{QStringLiteral("d")}) << QVariant(QStringList());
  QTest::addRow("readStringList on String") << QVariant(QStringLiteral("a,b")) << "list" << QVariant(QStringList()) << QVariant(QStringList{QStringLiteral("a,b")});
  QTest::addRow("readPen on Color") << QVariant(QColor(Qt::red)) << "pen" << QVariant(green) << QVariant(QPen());
  QTest::addRow("readPen on Int") << QVariant(3) << "pen" << QVariant(green) << QVariant(QPen());
}

void TestUxCfg::foundMeansKeyPresent() {
  QFETCH(QVariant, stored);
  QFETCH(QString, reader);
  QFETCH(QVariant, def);
  QFETCH(QVariant, expected);
  Cfg cfg(QStringLiteral("G"));
  writeValue(cfg, QStringLiteral("k"), stored);
  bool found = false;
  QCOMPARE(readAs(reader, cfg, QStringLiteral("k"), def, &found), expected);
  QVERIFY(found);
  if (reader == QLatin1String("bool")) {
    bool out = !expected.toBool();
    QVERIFY(Cfg::read(out, QStringLiteral("G/k"), def.toBool()));
    QCOMPARE(out, expected.toBool());
  }
  Cfg::clear();
  found = true;
  QCOMPARE(readAs(reader, cfg, QStringLiteral("k"), def, &found), def);
  QVERIFY(!found);
}

void TestUxCfg::staticAccessUsesKeyAsPassed() {
  Cfg cfg(QStringLiteral("G"));
  cfg.writeEntry(QStringLiteral("n"), 5);
  cfg.writeEntry(QStringLiteral("empty"), QStringLiteral(""));
  int n = 0;
  QVERIFY(Cfg::read(n, QStringLiteral("G/n"), 1));
  QCOMPARE(n, 5);
  QVERIFY(!Cfg::read(n, QStringLiteral("n"), 1));
  QCOMPARE(n, 1);
  bool b = false;
  QVERIFY(Cfg::read(b, QStringLiteral("G/n"), false));
  QVERIFY(b);
  QVERIFY(!Cfg::read(b, QStringLiteral("G/none"), false));
  QVERIFY(!b);
  QString s;
  QVERIFY(!Cfg::read(s, QStringLiteral("G/empty"), QStringLiteral("d")));
  QCOMPARE(s, QStringLiteral("d"));

  cfg.setCrypt(true);
  QVERIFY(Cfg::write(QStringLiteral("plain"), QStringLiteral("abc")));
  QCOMPARE(Cfg::value(QStringLiteral("plain")), QVariant(QStringLiteral("abc")));
  QVERIFY(Cfg::read(s, QStringLiteral("plain"), QString()));
  QCOMPARE(s, QStringLiteral("abc"));
}

void TestUxCfg::scramblingXorsWithKeyAndMarker() {
  Cfg writer(QStringLiteral("S"));
  QVERIFY(!writer.crypt());
  writer.setCrypt(true);
  QVERIFY(writer.crypt());
  writer.writeEntry(QStringLiteral("abc"), QStringLiteral("abc"));
  QString expected = QStringLiteral("!#*~");
  expected += QChar('a' ^ 'Q');
  expected += QChar('b' ^ 'u');
  expected += QChar('c' ^ 'o');
  QCOMPARE(Cfg::value(QStringLiteral("S/abc")).toString(), expected);

  // The key repeats after seven characters; a character beyond Latin-1 counts as 0.
  writer.writeEntry(QStringLiteral("long"), QString::fromUtf8("abcdefgh€"));
  const QString longStored = Cfg::value(QStringLiteral("S/long")).toString();
  QCOMPARE(longStored.size(), 4 + 9);
  QCOMPARE(longStored.at(4 + 7), QChar('h' ^ 'Q'));
  QCOMPARE(longStored.at(4 + 8), QChar('u'));

  Cfg reader(QStringLiteral("S"));
  QCOMPARE(reader.readString(QStringLiteral("abc"), QString()), QStringLiteral("abc"));
  QString viaStatic;
  QVERIFY(Cfg::read(viaStatic, QStringLiteral("S/abc"), QString()));
  QCOMPARE(viaStatic, QStringLiteral("abc"));

  // A font written in crypt mode reads back as the font.
  QFont font(QStringLiteral("Liberation Mono"), 9);
  writer.writeEntry(QStringLiteral("font"), font);
  QVERIFY(Cfg::value(QStringLiteral("S/font")).toString().startsWith(QLatin1String("!#*~")));
  QCOMPARE(reader.readFont(QStringLiteral("font"), QFont()), font);
}

void TestUxCfg::selfInfoListsEntriesAsHtml() {
  QCOMPARE(Cfg::selfInfo(), QStringLiteral("<b>No configuration-settings available!</b>"));
  Cfg cfg(QStringLiteral("A"));
  cfg.writeEntry(QStringLiteral("i"), 1);
  cfg.writeEntry(QStringLiteral("c"), QColor(255, 0, 0));
  cfg.writeEntry(QStringLiteral("s"), QStringLiteral("<%1>"));
  QCOMPARE(Cfg::selfInfo(),
           QStringLiteral("<table border=1><tr><th><b>Key</b></th><th><b>Type</b></th><th><b>Value</b></th></tr>"
                          "<tr><td>A/c</td><td>QColor</td><td>#ff0000</td></tr>"
                          "<tr><td>A/i</td><td>int</td><td>1</td></tr>"
                          "<tr><td>A/s</td><td>QString</td><td><%1></td></tr>"
                          "</table>"));
}

void TestUxCfg::mainWindowAndSplitterRestore() {
  auto makeWindow = [](Qt::DockWidgetArea area, QDockWidget **dock) {
    auto *window = new QMainWindow;
    window->setCentralWidget(new QLabel(QStringLiteral("centre")));
    *dock = new QDockWidget(QStringLiteral("Messages"), window);
    (*dock)->setObjectName(QStringLiteral("MessageDock"));
    window->addDockWidget(area, *dock);
    return window;
  };
  QDockWidget *dockA = nullptr;
  QDockWidget *dockB = nullptr;
  std::unique_ptr<QMainWindow> a(makeWindow(Qt::RightDockWidgetArea, &dockA));
  std::unique_ptr<QMainWindow> b(makeWindow(Qt::LeftDockWidgetArea, &dockB));
  Cfg cfg(QStringLiteral("Main"));
  QVERIFY(!cfg.readMainWindow(QStringLiteral("Layout"), *b));
  QVERIFY(cfg.writeEntry(QStringLiteral("Layout"), *a));
  QVERIFY(cfg.readMainWindow(QStringLiteral("Layout"), *b));
  QCOMPARE(b->dockWidgetArea(dockB), Qt::RightDockWidgetArea);

  QSplitter left;
  QSplitter right;
  for (QSplitter *s : {&left, &right}) {
    s->addWidget(new QLabel(QStringLiteral("one")));
    s->addWidget(new QLabel(QStringLiteral("two")));
    s->resize(300, 100);
  }
  left.setSizes({200, 100});
  right.setSizes({50, 250});
  QVERIFY(!cfg.readSplitter(QStringLiteral("Split"), right));
  cfg.writeEntry(QStringLiteral("Split"), left);
  QVERIFY(Cfg::save(path(QStringLiteral("layout.cfg"))));
  QVERIFY(Cfg::load(path(QStringLiteral("layout.cfg")), true));
  QVERIFY(cfg.readSplitter(QStringLiteral("Split"), right));
  QCOMPARE(right.saveState(), left.saveState());
}

void TestUxCfg::readsFileOfAnotherWriter() {
  const QString file = path(QStringLiteral("other.cfg"));
  QVERIFY(putFile(file, hex(kAllKinds)));
  QVERIFY(Cfg::load(file, true));
  QVERIFY(Cfg::hasLoaded());

  const QList<QPair<QString, QVariant>> expected{
      {QStringLiteral("A/color"), QColor(0x11, 0x22, 0x33, 0x80)},
      {QStringLiteral("A/double"), -2.5},
      {QStringLiteral("A/int"), -7},
      {QStringLiteral("A/list"), QStringList{QStringLiteral("x"), QStringLiteral("yz")}},
      {QStringLiteral("A/pen"), QVariant(allKindsPen())},
      {QStringLiteral("A/rect"), QRect(10, 20, 100, 50)},
      {QStringLiteral("A/size"), QSize(640, 480)},
      {QStringLiteral("A/text"), QString::fromUtf8("Grüß")}};
  QCOMPARE(Cfg::keys().size(), expected.size());
  for (const auto &[key, value] : expected) {
    QCOMPARE(Cfg::value(key).typeName(), value.typeName());
    QCOMPARE(Cfg::value(key), value);
  }
  QCOMPARE(Cfg(QStringLiteral("A")).readRect(QStringLiteral("rect"), QRect()).right(), 109);

  const QString date =
      QDateTime(QDate(2023, 2, 24), QTime(12, 34, 56, 789)).toString(Qt::TextDate);
  QCOMPARE(texts(Nub::MsgInfo),
           QStringList({QStringLiteral("Loading configuration-file '%1' (version: 100, date: %2)")
                            .arg(QDir::toNativeSeparators(file), date),
                        QStringLiteral("Configurationfile loaded.")}));
  QVERIFY(texts(Nub::MsgWarn).isEmpty());
}

void TestUxCfg::writesBytesAnotherReaderReads() {
  writeAllKinds();
  const QString file = path(QStringLiteral("mine.cfg"));
  const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
  QVERIFY(Cfg::save(file));
  const QDateTime after = QDateTime::currentDateTime().addSecs(1);
  QCOMPARE(texts(Nub::MsgInfo),
           QStringList{QStringLiteral("Configurationfile '%1' written.").arg(QDir::toNativeSeparators(file))});

  const QByteArray got = fileBytes(file);
  const QByteArray want = hex(kAllKinds);
  QCOMPARE(got.size(), want.size());
  QCOMPARE(got.left(8).toHex(), want.left(8).toHex());
  QCOMPARE(got.mid(16).toHex(' '), want.mid(16).toHex(' '));
  // Bytes 8 to 15: Julian day and milliseconds of the local time of writing.
  const uchar *d = reinterpret_cast<const uchar *>(got.constData());
  const qint64 jd = (qint64(d[8]) << 24) | (d[9] << 16) | (d[10] << 8) | d[11];
  const int ms = (d[12] << 24) | (d[13] << 16) | (d[14] << 8) | d[15];
  const QDateTime written(QDate::fromJulianDay(jd), QTime::fromMSecsSinceStartOfDay(ms));
  QVERIFY2(written >= before && written <= after, qPrintable(written.toString(Qt::ISODateWithMs)));
}

void TestUxCfg::versionIsReportedNotChecked() {
  QByteArray bytes = hex(kAllKinds);
  bytes[7] = 5;
  const QString file = path(QStringLiteral("v5.cfg"));
  QVERIFY(putFile(file, bytes));
  QVERIFY(Cfg::load(file, true));
  QCOMPARE(Cfg::keys().size(), 8);
  QVERIFY(texts(Nub::MsgInfo).value(0).contains(QLatin1String("(version: 5, date: ")));
}

void TestUxCfg::wrongMagicIsRefusedAndTableKept_data() {
  QTest::addColumn<QByteArray>("bytes");
  QByteArray otherMagic = hex(kAllKinds);
  otherMagic[3] = 0x0F;
  QTest::addRow("other magic") << otherMagic;
  QTest::addRow("little-endian magic") << hex("0E270000 64000000");
  QTest::addRow("shorter than the magic") << hex("000027");
  QTest::addRow("empty file") << QByteArray();
}

void TestUxCfg::wrongMagicIsRefusedAndTableKept() {
  QFETCH(QByteArray, bytes);
  Cfg(QStringLiteral("Keep")).writeEntry(QStringLiteral("me"), 1);
  const QString file = path(QStringLiteral("foreign.cfg"));
  QVERIFY(putFile(file, bytes));
  QVERIFY(!Cfg::load(file, true));
  QCOMPARE(texts(Nub::MsgWarn),
           QStringList{QStringLiteral("The internal format of the configuration is invalid!")});
  QVERIFY(texts(Nub::MsgInfo).isEmpty());
  QCOMPARE(Cfg::keys(), QStringList{QStringLiteral("Keep/me")});
}

void TestUxCfg::missingFileWarnsOnlyWhenAsked() {
  Cfg(QStringLiteral("Keep")).writeEntry(QStringLiteral("me"), 1);
  const QString file = path(QStringLiteral("missing.cfg"));
  QVERIFY(!Cfg::load(file, false));
  QVERIFY(gMessages.isEmpty());
  QVERIFY(!Cfg::load(file, true));
  QCOMPARE(texts(Nub::MsgWarn),
           QStringList{QStringLiteral("The configuration-file '%1' does not exist!")
                           .arg(QDir::toNativeSeparators(file))});
  QCOMPARE(Cfg::keys().size(), 1);
}

void TestUxCfg::emptyFileNameIsRefused() {
  QVERIFY(!Cfg::load(QString(), true));
  QVERIFY(!Cfg::save(QString()));
  QCOMPARE(texts(Nub::MsgWarn),
           QStringList({QStringLiteral("Empty filename!"), QStringLiteral("Empty filename!")}));
}

void TestUxCfg::loadReplacesTable() {
  const QString file = path(QStringLiteral("replace.cfg"));
  QVERIFY(putFile(file, hex(kAllKinds)));
  Cfg cfg(QStringLiteral("Before"));
  cfg.writeEntry(QStringLiteral("gone"), 1);
  QVERIFY(Cfg::load(file, true));
  QVERIFY(!Cfg::keys().contains(QStringLiteral("Before/gone")));
  QCOMPARE(cfg.count(), 8u);
}

void TestUxCfg::damagedFileKeepsEntriesBeforeDamage_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QStringList>("keys");
  const QByteArray header = hex(kHeaderAt);
  const QByteArray one = hex("00000002 0061 00000010 00000001");  // "a" = 1
  const QByteArray keyB = hex("00000002 0062");                    // "b"
  const QStringList a{QStringLiteral("a")};
  QTest::addRow("header cut short") << hex("0000270E 00000064 0025") << QStringList();
  QTest::addRow("cut inside the second value") << header + hex("00000002") + one + keyB + hex("00000010 0000") << a;
  QTest::addRow("cut inside the second key") << header + hex("00000002") + one + hex("00000004 0062") << a;
  QTest::addRow("count beyond the entries") << header + hex("00000003") + one << a;
  QTest::addRow("huge entry count") << header + hex("FFFFFFFF") + one << a;
  QTest::addRow("huge key length") << header + hex("00000002") + one + hex("FFFFFFFE 0062") << a;
  QTest::addRow("huge string length") << header + hex("00000002") + one + keyB + hex("00000003 7FFFFFFE 00620063") << a;
  QTest::addRow("huge string-list count") << header + hex("00000002") + one + keyB + hex("00000004 FFFFFFF0 00000000") << a;
  QTest::addRow("huge length in a list") << header + hex("00000002") + one + keyB + hex("00000004 00000002 00000000 FFFFFFF0") << a;
  QTest::addRow("odd string length") << header + hex("00000002") + one + keyB + hex("00000003 00000003 006200") << a;
  QTest::addRow("unknown type number") << header + hex("00000003") + one + keyB + hex("00000007 00000001") + one << a;
  // Kinds of other writers, damaged.
  const QByteArray two = header + hex("00000002") + one + keyB;
  QTest::addRow("Bool neither 0 nor 1") << two + hex("00000012 02") << a;
  QTest::addRow("Invalid without the null-string marker") << two + hex("00000000 00000000") << a;
  QTest::addRow("time past the end of the day") << two + hex("0000001B 05265C00") << a;
  QTest::addRow("date-time past the end of the day") << two + hex("0000001C 00258960 FFFFFFFF") << a;
  QTest::addRow("huge list count") << two + hex("00000002 FFFFFFFF 00000012 01") << a;
  QTest::addRow("huge map count") << two + hex("00000001 7FFFFFFF 00000002 0078 00000012 01") << a;
  QTest::addRow("huge byte-array length") << two + hex("0000001D 7FFFFFF0 00") << a;
  QTest::addRow("unknown kind inside a list") << two + hex("00000002 00000001 00000007 00000000") << a;
  QTest::addRow("cut inside a map") << two + hex("00000001 00000002 00000002 0078 00000010 00000001") << a;
  QByteArray deep = two;
  for (int i = 0; i <= CfgFile::MAX_DEPTH; ++i) deep += hex("00000002 00000001");
  QTest::addRow("lists nested too deep") << deep + hex("00000010 00000001") << a;
}

void TestUxCfg::damagedFileKeepsEntriesBeforeDamage() {
  QFETCH(QByteArray, bytes);
  QFETCH(QStringList, keys);
  Cfg(QStringLiteral("Before")).writeEntry(QStringLiteral("gone"), 1);
  const QString file = path(QStringLiteral("damaged.cfg"));
  QVERIFY(putFile(file, bytes));
  QVERIFY(Cfg::load(file, true));
  QCOMPARE(Cfg::keys(), keys);
  const QStringList warnings = texts(Nub::MsgWarn);
  QCOMPARE(warnings.size(), 1);
  QVERIFY2(warnings.first().startsWith(QStringLiteral("The configuration-file '%1' is damaged (")
                                           .arg(QDir::toNativeSeparators(file))),
           qPrintable(warnings.first()));
  QCOMPARE(texts(Nub::MsgInfo).last(), QStringLiteral("Configurationfile loaded."));

  // The same load in a process whose memory is capped near what it uses.
  QCOMPARE(keysLoadedInBoundedMemory(file), keys.join(QLatin1Char('\n')));
}

void TestUxCfg::failedSaveKeepsPreviousFile_data() {
  QTest::addColumn<qint64>("limit");
  QTest::addRow("nothing written") << qint64(0);
  QTest::addRow("inside the header") << qint64(10);
  QTest::addRow("inside the entries") << qint64(40);
}

void TestUxCfg::failedSaveKeepsPreviousFile() {
  QFETCH(qint64, limit);
  const QString file = path(QStringLiteral("keep.cfg"));
  writeAllKinds();
  QVERIFY(Cfg::save(file));
  const QByteArray previous = fileBytes(file);
  Cfg(QStringLiteral("A")).writeEntry(QStringLiteral("int"), 99);
  gMessages.clear();

  CfgFile::setWriteLimitForTest(limit);
  QVERIFY(!Cfg::save(file));
  QCOMPARE(texts(Nub::MsgWarn),
           QStringList{QStringLiteral("Can't write configuration-file '%1'!").arg(QDir::toNativeSeparators(file))});
  QVERIFY(texts(Nub::MsgInfo).isEmpty());
  QCOMPARE(fileBytes(file), previous);
  QCOMPARE(QDir(mDir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
           QStringList{QStringLiteral("keep.cfg")});
}

void TestUxCfg::unwritablePathFailsSave() {
  writeAllKinds();
  for (const QString &file : {path(QStringLiteral("no/such/dir/x.cfg")), mDir.path()}) {
    gMessages.clear();
    QVERIFY(!Cfg::save(file));
    QCOMPARE(texts(Nub::MsgWarn),
             QStringList{QStringLiteral("Can't write configuration-file '%1'!").arg(QDir::toNativeSeparators(file))});
  }
}

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsSet(kBoundedLoadVar)) {
    return boundedLoad(qEnvironmentVariable(kBoundedLoadVar));
  }
  QApplication app(argc, argv);
  TestUxCfg test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_uxcfg.moc"
