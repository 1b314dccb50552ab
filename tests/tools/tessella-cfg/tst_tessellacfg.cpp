#include "filebytes.h"
#include "uxcfgfile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using Ux::CfgFile;

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

const char *const kHeader = "0000270E 00000064 00258960 02B32C95";  // 2023-02-24 12:34:56.789

// Every kind, in an order that is not the key order.
const char *const kFileOrder =
    "0000270E 00000064 00258960 02B32C95 00000009"
    "00000002 0062 00000020 FF FFFE 12345678"                            // b Pen
    "00000002 0061 00000003 FFFFFFFF"                                    // a null String
    "00000002 0073 00000003 0000000E 00210023002A007E00300017000C"       // s scrambled "abc"
    "00000002 006C 00000004 00000003 FFFFFFFF 00000000 00000008 00710022005C000A"  // l
    "00000002 0064 00000013 3FB999999999999A"                            // d 0.1
    "00000002 0069 00000010 80000000"                                    // i Int min
    "00000002 0072 00000008 FFFFFFFF FFFFFFFE FFFFFFFD FFFFFFFC"         // r Rect
    "00000002 007A 00000009 00000000 7FFFFFFF"                           // z Size
    "00000002 0063 0000000A 00FFFFFF";                                   // c Color

// The same as JSON; kept out of a raw string, which the meta-object compiler misreads.
const char *const kFileOrderJson =
    "{\n"
    "  \"magic\": 9998, \"version\": 100, \"written\": \"2023-02-24T12:34:56.789\",\n"
    "  \"entries\": [\n"
    "    {\"key\": \"b\", \"type\": \"Pen\", \"value\": {\"style\": 255, \"width\": -2, \"color\": \"#12345678\"}},\n"
    "    {\"key\": \"a\", \"type\": \"String\", \"value\": null},\n"
    "    {\"key\": \"s\", \"type\": \"String\", \"value\": \"!#*~0\\u0017\\f\"},\n"
    "    {\"key\": \"l\", \"type\": \"StringList\", \"value\": [null, \"\", \"q\\\"\\\\\\n\"]},\n"
    "    {\"key\": \"d\", \"type\": \"Double\", \"value\": 0.1},\n"
    "    {\"key\": \"i\", \"type\": \"Int\", \"value\": -2147483648},\n"
    "    {\"key\": \"r\", \"type\": \"Rect\", \"value\": [-1, -2, -3, -4]},\n"
    "    {\"key\": \"z\", \"type\": \"Size\", \"value\": [0, 2147483647]},\n"
    "    {\"key\": \"c\", \"type\": \"Color\", \"value\": \"#00FFFFFF\"}\n"
    "  ]\n"
    "}\n";

// The kinds other writers put there, nested, out of key order, a Map with a
// repeated and a null key, the extremes of the 64-bit integers.
const char *const kFurther =
    "0000270E 00000064 00258960 02B32C95 00000011"
    "00000002 006D 00000001 00000003"                                     // m Map
    "  00000002 007A 00000012 01"                                         //   z Bool true
    "  00000002 0061 00000002 00000002 00000011 00000001 00000000 FFFFFFFF"  //   a List
    "  00000002 007A 00000010 FFFFFFFF"                                   //   z Int -1
    "00000002 0069 00000000 FFFFFFFF"                                     // i Invalid
    "00000002 0070 0000000E FFFFFFFF 7FFFFFFF"                            // p Point
    "00000002 0075 00000011 FFFFFFFF"                                     // u UInt max
    "00000002 0062 00000012 00"                                           // b Bool false
    "00000002 0064 0000001A 00258960"                                     // d Date
    "00000002 0065 0000001A 00000000"                                     // e Date, Julian day 0
    "00000002 0074 0000001B 02B32C95"                                     // t Time
    "00000002 0077 0000001C 00258960 0038CEFC"                            // w DateTime
    "00000002 0078 0000001C 00000001 00000005"                            // x DateTime, Julian day 1
    "00000002 0079 0000001D 00000003 616263"                              // y ByteArray abc
    "00000002 006E 0000001D FFFFFFFF"                                     // n ByteArray null
    "00000002 006F 0000001D 00000000"                                     // o ByteArray empty
    "00000002 006C 00000021 8000000000000000"                             // l LongLong min
    "00000002 006B 00000021 0020000000000001"                             // k LongLong 2^53 + 1
    "00000002 0071 00000022 FFFFFFFFFFFFFFFF"                             // q ULongLong max
    "00000002 0072 00000001 00000001 FFFFFFFF 00000003 00000002 0076";    // r Map, null key

const char *const kFurtherJson =
    "{\n"
    "  \"magic\": 9998, \"version\": 100, \"written\": \"2023-02-24T12:34:56.789\",\n"
    "  \"entries\": [\n"
    "    {\"key\": \"m\", \"type\": \"Map\", \"value\": [[\"z\", {\"type\": \"Bool\", \"value\": true}],\n"
    "      [\"a\", {\"type\": \"List\", \"value\": [{\"type\": \"UInt\", \"value\": 1}, {\"type\": \"Invalid\", \"value\": null}]}],\n"
    "      [\"z\", {\"type\": \"Int\", \"value\": -1}]]},\n"
    "    {\"key\": \"i\", \"type\": \"Invalid\", \"value\": null},\n"
    "    {\"key\": \"p\", \"type\": \"Point\", \"value\": [-1, 2147483647]},\n"
    "    {\"key\": \"u\", \"type\": \"UInt\", \"value\": 4294967295},\n"
    "    {\"key\": \"b\", \"type\": \"Bool\", \"value\": false},\n"
    "    {\"key\": \"d\", \"type\": \"Date\", \"value\": \"2023-02-24\"},\n"
    "    {\"key\": \"e\", \"type\": \"Date\", \"value\": {\"julianDay\": 0}},\n"
    "    {\"key\": \"t\", \"type\": \"Time\", \"value\": \"12:34:56.789\"},\n"
    "    {\"key\": \"w\", \"type\": \"DateTime\", \"value\": \"2023-02-24T01:02:03.004\"},\n"
    "    {\"key\": \"x\", \"type\": \"DateTime\", \"value\": {\"julianDay\": 1, \"msecs\": 5}},\n"
    "    {\"key\": \"y\", \"type\": \"ByteArray\", \"value\": \"YWJj\"},\n"
    "    {\"key\": \"n\", \"type\": \"ByteArray\", \"value\": null},\n"
    "    {\"key\": \"o\", \"type\": \"ByteArray\", \"value\": \"\"},\n"
    "    {\"key\": \"l\", \"type\": \"LongLong\", \"value\": -9223372036854775808},\n"
    "    {\"key\": \"k\", \"type\": \"LongLong\", \"value\": 9007199254740993},\n"
    "    {\"key\": \"q\", \"type\": \"ULongLong\", \"value\": 18446744073709551615},\n"
    "    {\"key\": \"r\", \"type\": \"Map\", \"value\": [[null, {\"type\": \"String\", \"value\": \"v\"}]]}\n"
    "  ]\n"
    "}\n";

// Lists nested as deep as a file may hold them, around an Int.
QByteArray deepLists(int levels) {
  QByteArray value;
  for (int i = 0; i < levels; ++i) value += hex("00000002 00000001");
  return hex(kHeader) + hex("00000001 00000002 0061") + value + hex("00000010 00000007");
}

QByteArray deepListJson(int levels) {
  QByteArray value = R"({"type": "Int", "value": 7})";
  for (int i = 1; i < levels; ++i) value = R"({"type": "List", "value": [)" + value + "]}";
  return R"({"entries": [{"key": "a", "type": "List", "value": [)" + value + "]}]}";
}

struct Run {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

Run runTool(const QStringList &args) {
  QProcess p;
  p.start(QStringLiteral(TESSELLA_CFG_TOOL), args);
  Run r;
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return r;
  r.exitCode = p.exitCode();
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

// Random doubles from raw bits, NaNs and infinities included.
QByteArray randomDoubles() {
  QRandomGenerator rng(4711);
  QList<CfgFile::Entry> entries;
  for (int i = 0; i < 300; ++i) {
    const quint64 bits = rng.generate64();
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    entries.append({QStringLiteral("d%1").arg(i), CfgFile::K_Double, d});
  }
  return CfgFile::encode(CfgFile::Header{}, entries);
}

}  // namespace

class TestTessellaCfg : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(mDir.isValid()); }

  void dumpShowsEveryKindInFileOrder();
  void makeWritesTheLayout();
  void dumpShowsFurtherKinds();
  void makeWritesFurtherKinds();
  void makeOfDumpGivesSameBytes_data();
  void makeOfDumpGivesSameBytes();
  void damagedFileExitsTwoWithOneLine_data();
  void damagedFileExitsTwoWithOneLine();
  void badJsonExitsTwoAndKeepsOutput_data();
  void badJsonExitsTwoAndKeepsOutput();
  void wrongArgumentsGiveUsage_data();
  void wrongArgumentsGiveUsage();

 private:
  QString path(const QString &name) const { return mDir.filePath(name); }
  // Dumps the file of these hex bytes and compares the JSON; the text as printed in *text.
  void verifyDump(const char *bytes, const char *json, QByteArray *text = nullptr);
  QTemporaryDir mDir;
};

void TestTessellaCfg::verifyDump(const char *bytes, const char *json, QByteArray *text) {
  const QString file = path(QStringLiteral("dumped.cfg"));
  QVERIFY(putFile(file, hex(bytes)));
  const Run r = runTool({QStringLiteral("dump"), file});
  QCOMPARE(r.exitCode, 0);
  QVERIFY2(r.err.isEmpty(), r.err.constData());
  QJsonParseError error;
  const QJsonDocument got = QJsonDocument::fromJson(r.out, &error);
  QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
  QCOMPARE(got, QJsonDocument::fromJson(json));
  if (text) *text = r.out;
}

void TestTessellaCfg::dumpShowsEveryKindInFileOrder() { verifyDump(kFileOrder, kFileOrderJson); }

void TestTessellaCfg::makeWritesTheLayout() {
  const QString json = path(QStringLiteral("order.json"));
  const QString out = path(QStringLiteral("made.cfg"));
  QVERIFY(putFile(json, kFileOrderJson));
  const Run r = runTool({QStringLiteral("make"), json, out});
  QCOMPARE(r.exitCode, 0);
  QVERIFY2(r.err.isEmpty(), r.err.constData());
  QCOMPARE(fileBytes(out).toHex(' '), hex(kFileOrder).toHex(' '));

  // Without "written" the file carries the time of making.
  QVERIFY(putFile(json, R"({"entries": [{"key": "k", "type": "Int", "value": 1}]})"));
  QCOMPARE(runTool({QStringLiteral("make"), json, out}).exitCode, 0);
  const CfgFile::Contents made = CfgFile::read(fileBytes(out));
  QCOMPARE(made.status, CfgFile::S_Ok);
  QCOMPARE(made.header.version, 100);
  QVERIFY(qAbs(CfgFile::written(made.header).secsTo(QDateTime::currentDateTime())) < 120);
}

void TestTessellaCfg::dumpShowsFurtherKinds() {
  QByteArray text;
  verifyDump(kFurther, kFurtherJson, &text);
  if (QTest::currentTestFailed()) return;
  // A parsed document holds doubles; the text must hold every digit.
  for (const char *exact : {"\"value\": -9223372036854775808}", "\"value\": 9007199254740993}",
                            "\"value\": 18446744073709551615}"}) {
    QVERIFY2(text.contains(exact), exact);
  }
}

void TestTessellaCfg::makeWritesFurtherKinds() {
  const QString json = path(QStringLiteral("further.json"));
  const QString out = path(QStringLiteral("further.cfg"));
  QVERIFY(putFile(json, kFurtherJson));
  const Run r = runTool({QStringLiteral("make"), json, out});
  QCOMPARE(r.exitCode, 0);
  QVERIFY2(r.err.isEmpty(), r.err.constData());
  QCOMPARE(fileBytes(out).toHex(' '), hex(kFurther).toHex(' '));

  QVERIFY(putFile(json, deepListJson(CfgFile::MAX_DEPTH)));
  QCOMPARE(runTool({QStringLiteral("make"), json, out}).exitCode, 0);
  QCOMPARE(fileBytes(out).mid(16).toHex(' '), deepLists(CfgFile::MAX_DEPTH).mid(16).toHex(' '));
}

void TestTessellaCfg::makeOfDumpGivesSameBytes_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addRow("every kind") << hex(kFileOrder);
  QTest::addRow("no entries") << hex(kHeader) + hex("00000000");
  QTest::addRow("repeated key") << hex(kHeader) + hex("00000002 00000002 0061 00000010 00000001 00000002 0061 00000010 00000002");
  QTest::addRow("special doubles") << hex(kHeader) + hex(
      "00000007"
      "00000000 00000013 7FF8000000000000"   // empty key, quiet NaN
      "FFFFFFFF 00000013 7FF0000000000001"   // null key, NaN with a payload
      "00000002 0061 00000013 FFF0000000000000"
      "00000002 0062 00000013 8000000000000000"
      "00000002 0063 00000013 0000000000000001"
      "00000002 0064 00000013 7FEFFFFFFFFFFFFF"
      "00000002 0065 00000013 C1E0000000000000");
  QTest::addRow("awkward characters") << hex(kHeader) + hex(
      "00000001 00000002 0061 00000004 00000004"
      "  00000002 D800  00000004 D83DDE00  00000006 0001007F2028  00000004 DC00D800");
  QTest::addRow("version 5, stored time not a time") << hex("0000270E 00000005 00000000 FFFFFFFF 00000000");
  QTest::addRow("random doubles") << randomDoubles();
  QTest::addRow("further kinds") << hex(kFurther);
  QTest::addRow("lists nested as deep as allowed") << deepLists(CfgFile::MAX_DEPTH);
  QTest::addRow("dates of the years 1 and 9999, and beyond") << hex(kHeader) + hex(
      "00000004"
      "00000002 0061 0000001A 001A4452"            // 0001-01-01
      "00000002 0062 0000001C 0051FE2C 05265BFF"   // 9999-12-31 23:59:59.999
      "00000002 0063 0000001A 0051FE2D"            // 10000-01-01
      "00000002 0064 0000001C FFFFFFFF 00000000");
  QTest::addRow("extremes of the integers") << hex(kHeader) + hex(
      "00000006"
      "00000002 0061 00000021 7FFFFFFFFFFFFFFF"
      "00000002 0062 00000021 FFDFFFFFFFFFFFFF"    // -(2^53 + 1)
      "00000002 0063 00000022 0000000000000000"
      "00000002 0064 00000022 8000000000000001"
      "00000002 0065 00000011 00000000"
      "00000002 0066 00000002 00000001 00000021 FFFFFFFFFFFFFFFF");
}

void TestTessellaCfg::makeOfDumpGivesSameBytes() {
  QFETCH(QByteArray, bytes);
  const QString file = path(QStringLiteral("in.cfg"));
  const QString json = path(QStringLiteral("dump.json"));
  const QString out = path(QStringLiteral("out.cfg"));
  QVERIFY(putFile(file, bytes));
  const Run dumped = runTool({QStringLiteral("dump"), file});
  QCOMPARE(dumped.exitCode, 0);
  QVERIFY(putFile(json, dumped.out));
  const Run made = runTool({QStringLiteral("make"), json, out});
  QVERIFY2(made.exitCode == 0, made.err.constData());
  QCOMPARE(fileBytes(out).toHex(' '), bytes.toHex(' '));
}

void TestTessellaCfg::damagedFileExitsTwoWithOneLine_data() {
  QTest::addColumn<QByteArray>("bytes");  // null: no file at all
  QTest::addColumn<QString>("says");
  const QByteArray header = hex(kHeader);
  const QByteArray one = hex("00000002 0061 00000010 00000001");
  QTest::addRow("foreign file") << QByteArray("PK\x03\x04 not ours") << "not a configuration file";
  QTest::addRow("empty file") << QByteArray("") << "not a configuration file";
  QTest::addRow("header cut short") << hex("0000270E 00000064") << "damaged";
  QTest::addRow("count beyond entries") << header + hex("00000002") + one << "damaged";
  QTest::addRow("cut inside a value") << header + hex("00000001 00000002 0061 00000010 0000") << "damaged";
  QTest::addRow("huge count") << header + hex("FFFFFFFF") + one << "damaged";
  QTest::addRow("huge key length") << header + hex("00000001 FFFFFFF0 0061") << "damaged";
  QTest::addRow("huge list count") << header + hex("00000001 00000002 0061 00000004 FFFFFFFF") << "damaged";
  QTest::addRow("unknown type") << header + hex("00000001 00000002 0061 00000007 00000001") << "damaged";
  QTest::addRow("data after the last entry") << header + hex("00000001") + one + hex("00") << "damaged";
  QTest::addRow("missing file") << QByteArray() << "cannot open";
}

void TestTessellaCfg::damagedFileExitsTwoWithOneLine() {
  QFETCH(QByteArray, bytes);
  QFETCH(QString, says);
  const QString file = path(QStringLiteral("bad.cfg"));
  QFile::remove(file);
  if (!bytes.isNull()) QVERIFY(putFile(file, bytes));
  const Run r = runTool({QStringLiteral("dump"), file});
  QCOMPARE(r.exitCode, 2);
  QVERIFY(r.out.isEmpty());
  QCOMPARE(r.err.count('\n'), 1);
  QVERIFY(r.err.endsWith('\n'));
  QVERIFY2(r.err.startsWith("tessella-cfg: ") && r.err.contains(says.toUtf8()) &&
               r.err.contains(file.toUtf8()),
           r.err.constData());
}

void TestTessellaCfg::badJsonExitsTwoAndKeepsOutput_data() {
  QTest::addColumn<QByteArray>("json");
  QTest::addColumn<QString>("says");
  auto entry = [](const char *type, const char *value) {
    return QByteArray(R"({"entries": [{"key": "k", "type": ")") + type + R"(", "value": )" + value + "}]}";
  };
  QTest::addRow("not JSON") << QByteArray("{\"entries\": [") << "invalid JSON at line 1";
  QTest::addRow("not an object") << QByteArray("[]") << "must be an object";
  QTest::addRow("entries missing") << QByteArray("{}") << "\"entries\" must be an array";
  QTest::addRow("unknown field") << QByteArray(R"({"entries": [], "colour": 1})") << "unknown field \"colour\"";
  QTest::addRow("foreign magic") << QByteArray(R"({"magic": 1, "entries": []})") << "magic must be";
  QTest::addRow("bad written") << QByteArray(R"({"written": "yesterday", "entries": []})") << "written: must be an ISO 8601";
  QTest::addRow("unknown type") << entry("Font", "1") << "entries[0] (\"k\"): type must be one of";
  QTest::addRow("missing value") << QByteArray(R"({"entries": [{"key": "k", "type": "Int"}]})") << "value is missing";
  QTest::addRow("fractional Int") << entry("Int", "1.5") << "value must be a whole number";
  QTest::addRow("Int beyond 32 bits") << entry("Int", "2147483648") << "value must be a whole number";
  QTest::addRow("Double as text") << entry("Double", "\"1.5\"") << "value must be a number";
  QTest::addRow("String as number") << entry("String", "5") << "value must be a string or null";
  QTest::addRow("list of numbers") << entry("StringList", "[1]") << "value[0] must be a string";
  QTest::addRow("Rect of three") << entry("Rect", "[1, 2, 3]") << "[left, top, right, bottom]";
  QTest::addRow("Size beyond 32 bits") << entry("Size", "[1, 9999999999]") << "[width, height]";
  QTest::addRow("Color by name") << entry("Color", "\"red\"") << "colour";
  QTest::addRow("Pen too wide") << entry("Pen", R"({"style": 1, "width": 40000, "color": "#FF000000"})") << "width must be";
  QTest::addRow("Pen without colour") << entry("Pen", R"({"style": 1, "width": 1})") << "color must be";
  QTest::addRow("Invalid with a value") << entry("Invalid", "0") << "value must be null";
  QTest::addRow("Bool as number") << entry("Bool", "1") << "value must be true or false";
  QTest::addRow("UInt negative") << entry("UInt", "-1") << "value must be a whole number from 0 to 4294967295";
  QTest::addRow("LongLong beyond 63 bits") << entry("LongLong", "9223372036854775808")
      << "value must be a whole number from -9223372036854775808 to 9223372036854775807";
  QTest::addRow("LongLong below -2^63") << entry("LongLong", "-9223372036854775809") << "value must be a whole number";
  QTest::addRow("LongLong fractional") << entry("LongLong", "1.5") << "value must be a whole number";
  QTest::addRow("ULongLong beyond 64 bits") << entry("ULongLong", "18446744073709551616")
      << "value must be a whole number from 0 to 18446744073709551615";
  QTest::addRow("ULongLong as text") << entry("ULongLong", "\"1\"") << "value must be a whole number";
  QTest::addRow("Point of three") << entry("Point", "[1, 2, 3]") << "[x, y]";
  QTest::addRow("Date not a day") << entry("Date", "\"2023-02-30\"") << "value must be a date";
  QTest::addRow("Date beyond 32 bits") << entry("Date", R"({"julianDay": 4294967296})") << "julianDay must be";
  QTest::addRow("Time past the day") << entry("Time", "\"24:00:00.000\"") << "value must be a time";
  QTest::addRow("DateTime without a time") << entry("DateTime", "\"2023-02-24\"") << "value must be a date-time";
  QTest::addRow("DateTime past the day") << entry("DateTime", R"({"julianDay": 1, "msecs": 86400000})")
      << "msecs must be a whole number from 0 to 86399999";
  QTest::addRow("ByteArray not base64") << entry("ByteArray", "\"@@\"") << "value must be base64";
  QTest::addRow("Map of non-pairs") << entry("Map", R"([["a", {"type": "Int", "value": 1}, 3]])") << "value must be an array of [key";
  QTest::addRow("Map key a number") << entry("Map", R"([[1, {"type": "Int", "value": 1}]])") << "entries[0] (\"k\")[0]: key must be";
  QTest::addRow("List item without type") << entry("List", R"([{"value": 1}])") << "entries[0] (\"k\")[0]: type must be one of Invalid, Map, List";
  QTest::addRow("List item with a stray field") << entry("List", R"([{"type": "Int", "value": 1, "key": "x"}])") << "unknown field \"key\"";
  QTest::addRow("List item of the wrong value") << entry("List", R"([{"type": "Int", "value": true}])") << "entries[0] (\"k\")[0]: value must be a whole number";
  QTest::addRow("Pen as a long number") << entry("Pen", "123456789012345678") << "an object belongs here, not a number";
  QTest::addRow("lists nested too deep") << deepListJson(CfgFile::MAX_DEPTH + 1) << "may nest at most 64 levels";
}

void TestTessellaCfg::badJsonExitsTwoAndKeepsOutput() {
  QFETCH(QByteArray, json);
  QFETCH(QString, says);
  const QString in = path(QStringLiteral("bad.json"));
  const QString out = path(QStringLiteral("keep.cfg"));
  QVERIFY(putFile(in, json));
  QVERIFY(putFile(out, "previous"));
  const Run r = runTool({QStringLiteral("make"), in, out});
  QCOMPARE(r.exitCode, 2);
  QCOMPARE(r.err.count('\n'), 1);
  QVERIFY2(r.err.startsWith("tessella-cfg: ") && r.err.contains(says.toUtf8()), r.err.constData());
  QCOMPARE(fileBytes(out), QByteArray("previous"));
  QCOMPARE(QDir(mDir.path()).entryList({QStringLiteral("keep.cfg*")}, QDir::Files | QDir::Hidden),
           QStringList{QStringLiteral("keep.cfg")});
}

void TestTessellaCfg::wrongArgumentsGiveUsage_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addRow("nothing") << QStringList();
  QTest::addRow("dump without file") << QStringList{QStringLiteral("dump")};
  QTest::addRow("make without output") << QStringList{QStringLiteral("make"), QStringLiteral("a.json")};
  QTest::addRow("unknown command") << QStringList{QStringLiteral("show"), QStringLiteral("a.cfg")};
}

void TestTessellaCfg::wrongArgumentsGiveUsage() {
  QFETCH(QStringList, args);
  const Run r = runTool(args);
  QCOMPARE(r.exitCode, 1);
  QVERIFY(r.err.startsWith("usage: tessella-cfg "));
  QCOMPARE(r.err.count('\n'), 1);

  const Run help = runTool({QStringLiteral("--help")});
  QCOMPARE(help.exitCode, 0);
  QVERIFY(help.out.contains("Exit codes: 0 success; 1 wrong arguments"));
}

QTEST_GUILESS_MAIN(TestTessellaCfg)
#include "tst_tessellacfg.moc"
