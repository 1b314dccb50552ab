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

bool putFile(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
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
  QTemporaryDir mDir;
};

void TestTessellaCfg::dumpShowsEveryKindInFileOrder() {
  const QString file = path(QStringLiteral("order.cfg"));
  QVERIFY(putFile(file, hex(kFileOrder)));
  const Run r = runTool({QStringLiteral("dump"), file});
  QCOMPARE(r.exitCode, 0);
  QVERIFY2(r.err.isEmpty(), r.err.constData());
  QJsonParseError error;
  const QJsonDocument got = QJsonDocument::fromJson(r.out, &error);
  QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
  QCOMPARE(got, QJsonDocument::fromJson(kFileOrderJson));
}

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
