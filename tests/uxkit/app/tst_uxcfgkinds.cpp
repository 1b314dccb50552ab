// The variant kinds that other writers of the file put there and the store
// itself never writes: read, kept in the table, written back byte for byte.
#include "filebytes.h"
#include "messagecapture.h"
#include "uxcfg.h"
#include "uxcfgfile.h"

#include <QApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using Ux::Cfg;
using Ux::CfgFile;

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// 2023-02-24 12:34:56.789
const char *const kHeader = "0000270E 00000064 00258960 02B32C95";
const char *const kKeyA = "00000002 0061";
const char *const kKeyC = "00000002 0063";
const char *const kKeyBX = "00000006 0062002F0078";  // b/x

// A file of three entries: a = 1, the value under test as b/x, c = 2.
QByteArray fileAround(const QByteArray &value) {
  return hex(kHeader) + hex("00000003") + hex(kKeyA) + hex("00000010 00000001") + hex(kKeyBX) +
         value + hex(kKeyC) + hex("00000010 00000002");
}

// A List nested `levels` deep around an Int.
QByteArray nestedLists(int levels) {
  QByteArray out;
  for (int i = 0; i < levels; ++i) out += hex("00000002 00000001");
  return out + hex("00000010 00000007");
}

QVariant nestedTable(int levels) {
  QVariant v = 7;
  for (int i = 0; i < levels; ++i) v = QVariantList{v};
  return v;
}

// What the toolkit's own data stream writes for a value in the 3.3 format.
QByteArray qtBytes(const QVariant &value) {
  QByteArray out;
  QDataStream s(&out, QIODevice::WriteOnly);
  s.setVersion(QDataStream::Qt_3_3);
  s << value;
  return out;
}

// Equal values of the same type; a byte array's nullness and a date-time's
// zone count, which QVariant's equality ignores.
bool sameValue(const QVariant &got, const QVariant &want) {
  if (got.metaType() != want.metaType() || got != want) return false;
  switch (want.metaType().id()) {
    case QMetaType::QByteArray: return got.toByteArray().isNull() == want.toByteArray().isNull();
    case QMetaType::QDateTime: return got.toDateTime().timeSpec() == want.toDateTime().timeSpec();
    case QMetaType::QVariantList: {
      const QVariantList g = got.toList(), w = want.toList();
      for (qsizetype i = 0; i < w.size(); ++i) {
        if (!sameValue(g.at(i), w.at(i))) return false;
      }
      return true;
    }
    case QMetaType::QVariantMap: {
      const QVariantMap g = got.toMap(), w = want.toMap();
      for (auto it = w.cbegin(); it != w.cend(); ++it) {
        if (!sameValue(g.value(it.key()), it.value())) return false;
      }
      return true;
    }
  }
  return true;
}

QDateTime utc(int y, int m, int d, int h, int min, int s, int ms) {
  return QDateTime(QDate(y, m, d), QTime(h, min, s, ms), Qt::UTC);
}

}  // namespace

class TestUxCfgKinds : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(mDir.isValid()); }
  void init() { Cfg::clear(); }

  void furtherKindsRoundTripThroughLoadAndSave_data();
  void furtherKindsRoundTripThroughLoadAndSave();
  void readersConvertAsTheToolkit_data();
  void readersConvertAsTheToolkit();
  void selfInfoShowsFurtherKinds();

 private:
  QString path(const QString &name) const { return mDir.filePath(name); }
  QTemporaryDir mDir;
};

void TestUxCfgKinds::furtherKindsRoundTripThroughLoadAndSave_data() {
  QTest::addColumn<QByteArray>("value");  // type number and value form
  QTest::addColumn<QVariant>("table");    // what the table holds after the load
  QTest::addColumn<bool>("fromQt");       // whether the toolkit's 3.3 stream writes the same bytes
  QTest::addColumn<QVariant>("qtValue");  // ... for this value

  const QVariant none;
  auto row = [](const char *name, const QByteArray &value, const QVariant &table) {
    QTest::addRow("%s", name) << value << table << true << table;
  };
  row("Invalid", hex("00000000 FFFFFFFF"), none);
  row("Bool false", hex("00000012 00"), false);
  row("Bool true", hex("00000012 01"), true);
  row("UInt", hex("00000011 FFFFFFFF"), 4294967295u);
  row("Point", hex("0000000E FFFFFFFF 80000000"), QPoint(-1, std::numeric_limits<int>::min()));
  row("Date", hex("0000001A 00258960"), QDate(2023, 2, 24));
  row("Date of Julian day 0", hex("0000001A 00000000"), QDate::fromJulianDay(0));
  row("Time", hex("0000001B 02B32C95"), QTime(12, 34, 56, 789));
  row("Time, last of the day", hex("0000001B 05265BFF"), QTime(23, 59, 59, 999));
  // Another writer's date-time is a clock reading; the table keeps it as UTC.
  QTest::addRow("DateTime") << hex("0000001C 00258960 0038CEFC") << QVariant(utc(2023, 2, 24, 1, 2, 3, 4))
                            << true << QVariant(QDateTime(QDate(2023, 2, 24), QTime(1, 2, 3, 4)));
  QTest::addRow("DateTime at midnight") << hex("0000001C 00258960 00000000") << QVariant(utc(2023, 2, 24, 0, 0, 0, 0))
                                        << true << QVariant(QDateTime(QDate(2023, 2, 24), QTime(0, 0)));
  // 02:30 does not exist in Berlin that day (see main); the clock reading stays.
  QTest::addRow("DateTime in a daylight-saving gap") << hex("0000001C 0025897E 00895440")
                                                     << QVariant(utc(2023, 3, 26, 2, 30, 0, 0)) << false << none;
  row("ByteArray", hex("0000001D 00000003 00FF61"), QByteArray("\0\xff" "a", 3));
  row("ByteArray, empty", hex("0000001D 00000000"), QByteArray("", 0));
  row("ByteArray, null", hex("0000001D FFFFFFFF"), QByteArray());
  row("LongLong", hex("00000021 8000000000000000"), std::numeric_limits<qlonglong>::min());
  row("LongLong beyond 2^53", hex("00000021 0020000000000001"), qlonglong(9007199254740993));
  row("ULongLong", hex("00000022 FFFFFFFFFFFFFFFF"), std::numeric_limits<qulonglong>::max());
  row("List, empty", hex("00000002 00000000"), QVariantList());
  row("List of further kinds",
      hex("00000002 00000005 00000000 FFFFFFFF 00000012 01 00000011 00000009"
          "  00000003 00000002 0078  00000002 00000001 0000001A 00258960"),
      QVariantList{none, true, 9u, QStringLiteral("x"), QVariantList{QDate(2023, 2, 24)}});
  row("Map, nested",
      hex("00000001 00000002"
          "  00000002 0061  00000001 00000001 00000002 006B 00000011 00000001"
          "  00000002 0062  00000002 00000001 0000000E 00000001 00000002"),
      QVariantMap{{QStringLiteral("a"), QVariantMap{{QStringLiteral("k"), 1u}}},
                  {QStringLiteral("b"), QVariantList{QPoint(1, 2)}}});
  row("Map with a null key", hex("00000001 00000001 FFFFFFFF 00000010 00000003"),
      QVariantMap{{QString(), 3}});
  // The toolkit's 3.3 stream writes no colours or pens; the bytes are the ones the store writes.
  QTest::addRow("List of the store's own kinds")
      << hex("00000002 00000004 0000000A 80112233 00000008 00000001 00000002 00000003 00000004"
             "  00000020 A2 0003 FF0000FF  00000004 00000001 FFFFFFFF")
      << QVariant(QVariantList{QColor(0x11, 0x22, 0x33, 0x80), QRect(QPoint(1, 2), QPoint(3, 4)),
                               QPen(QBrush(QColor(0, 0, 255)), 3, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin),
                               QStringList{QString()}})
      << false << none;
  row("Lists nested as deep as allowed", nestedLists(CfgFile::MAX_DEPTH), nestedTable(CfgFile::MAX_DEPTH));
}

void TestUxCfgKinds::furtherKindsRoundTripThroughLoadAndSave() {
  QFETCH(QByteArray, value);
  QFETCH(QVariant, table);
  QFETCH(bool, fromQt);
  QFETCH(QVariant, qtValue);
  if (fromQt) QCOMPARE(qtBytes(qtValue).toHex(' '), value.toHex(' '));

  const QString file = path(QStringLiteral("other.cfg"));
  const QByteArray bytes = fileAround(value);
  QVERIFY(putFile(file, bytes));
  MessageCapture messages;
  QVERIFY(Cfg::load(file, true));
  QCOMPARE(messages.texts(Nub::MsgWarn), QStringList());
  // Nothing after the further kind is lost.
  QCOMPARE(Cfg::keys(), QStringList({QStringLiteral("a"), QStringLiteral("b/x"), QStringLiteral("c")}));
  QCOMPARE(Cfg().readNum(QStringLiteral("c"), 0), 2);
  const QVariant got = Cfg::value(QStringLiteral("b/x"));
  QVERIFY2(sameValue(got, table), qPrintable(QStringLiteral("%1 %2").arg(QString::fromLatin1(got.typeName()), got.toString())));

  // Saved again, everything but the time of writing is the same.
  const QString saved = path(QStringLiteral("saved.cfg"));
  QVERIFY(Cfg::save(saved));
  const QByteArray again = fileBytes(saved);
  QCOMPARE(again.left(8).toHex(' '), bytes.left(8).toHex(' '));
  QCOMPARE(again.mid(16).toHex(' '), bytes.mid(16).toHex(' '));
}

void TestUxCfgKinds::readersConvertAsTheToolkit_data() {
  QTest::addColumn<QByteArray>("value");
  QTest::addColumn<QString>("reader");
  QTest::addColumn<QVariant>("def");
  QTest::addColumn<QVariant>("expected");
  QTest::addColumn<bool>("found");
  const QVariant x = QStringLiteral("x");
  QTest::addRow("readBool of Bool true") << hex("00000012 01") << "bool" << QVariant(false) << QVariant(true) << true;
  QTest::addRow("readBool of Bool false") << hex("00000012 00") << "bool" << QVariant(true) << QVariant(false) << true;
  QTest::addRow("readBool of LongLong 0") << hex("00000021 0000000000000000") << "bool" << QVariant(true) << QVariant(false) << true;
  QTest::addRow("readNum of Bool") << hex("00000012 01") << "num" << QVariant(5) << QVariant(1) << true;
  QTest::addRow("readNum of UInt that fits") << hex("00000011 7FFFFFFF") << "num" << QVariant(5) << QVariant(2147483647) << true;
  QTest::addRow("readNum of UInt too large") << hex("00000011 80000000") << "num" << QVariant(5) << QVariant(5) << false;
  QTest::addRow("readNum of LongLong -5") << hex("00000021 FFFFFFFFFFFFFFFB") << "num" << QVariant(5) << QVariant(-5) << true;
  QTest::addRow("readNum of LongLong 2^40") << hex("00000021 0000010000000000") << "num" << QVariant(5) << QVariant(5) << false;
  QTest::addRow("readNum of LongLong below int") << hex("00000021 FFFFFFFF7FFFFFFF") << "num" << QVariant(5) << QVariant(5) << false;
  QTest::addRow("readNum of ULongLong 2^63") << hex("00000022 8000000000000000") << "num" << QVariant(5) << QVariant(5) << false;
  QTest::addRow("readNum of ULongLong 3") << hex("00000022 0000000000000003") << "num" << QVariant(5) << QVariant(3) << true;
  QTest::addRow("readNum of Double 1e20") << hex("00000013 4415AF1D78B58C40") << "num" << QVariant(5) << QVariant(5) << false;
  QTest::addRow("readNum of Double NaN") << hex("00000013 7FF8000000000000") << "num" << QVariant(5) << QVariant(5) << false;
  QTest::addRow("readNum of Double 2.75") << hex("00000013 4006000000000000") << "num" << QVariant(5) << QVariant(3) << true;
  QTest::addRow("readReal of ULongLong 2^53") << hex("00000022 0020000000000000") << "real" << QVariant(1.0) << QVariant(9007199254740992.0) << true;
  QTest::addRow("readReal of UInt") << hex("00000011 00000009") << "real" << QVariant(1.0) << QVariant(9.0) << true;
  QTest::addRow("readString of Bool") << hex("00000012 01") << "string" << x << QVariant(QStringLiteral("true")) << true;
  QTest::addRow("readString of Date") << hex("0000001A 00258960") << "string" << x << QVariant(QStringLiteral("2023-02-24")) << true;
  QTest::addRow("readString of Time") << hex("0000001B 02B32C95") << "string" << x << QVariant(QStringLiteral("12:34:56.789")) << true;
  QTest::addRow("readString of DateTime") << hex("0000001C 00258960 0038CEFC") << "string" << x << QVariant(QStringLiteral("2023-02-24T01:02:03.004")) << true;
  QTest::addRow("readString of ByteArray") << hex("0000001D 00000003 616263") << "string" << x << QVariant(QStringLiteral("abc")) << true;
  QTest::addRow("readString of LongLong") << hex("00000021 8000000000000000") << "string" << x << QVariant(QStringLiteral("-9223372036854775808")) << true;
  QTest::addRow("readString of ULongLong") << hex("00000022 FFFFFFFFFFFFFFFF") << "string" << x << QVariant(QStringLiteral("18446744073709551615")) << true;
  QTest::addRow("readString of Invalid") << hex("00000000 FFFFFFFF") << "string" << x << x << false;
  QTest::addRow("readStringList of List")
      << hex("00000002 00000003 00000003 00000002 0078 00000010 00000002 00000012 01") << "list"
      << QVariant(QStringList{QStringLiteral("d")})
      << QVariant(QStringList{QStringLiteral("x"), QStringLiteral("2"), QStringLiteral("true")}) << true;
  QTest::addRow("readSize of Point") << hex("0000000E 00000001 00000002") << "size" << QVariant(QSize(3, 3)) << QVariant(QSize(3, 3)) << false;
}

void TestUxCfgKinds::readersConvertAsTheToolkit() {
  QFETCH(QByteArray, value);
  QFETCH(QString, reader);
  QFETCH(QVariant, def);
  QFETCH(QVariant, expected);
  QFETCH(bool, found);
  const QString file = path(QStringLiteral("reader.cfg"));
  QVERIFY(putFile(file, fileAround(value)));
  MessageCapture quiet;
  QVERIFY(Cfg::load(file, true));
  const Cfg cfg(QStringLiteral("b"));
  const QString key = QStringLiteral("x");
  bool wasFound = !found;
  QVariant got;
  if (reader == QLatin1String("bool")) {
    got = cfg.readBool(key, def.toBool(), &wasFound);
    bool viaStatic = !expected.toBool();
    QCOMPARE(Cfg::read(viaStatic, QStringLiteral("b/x"), def.toBool()), found);
    QCOMPARE(viaStatic, expected.toBool());
  } else if (reader == QLatin1String("num")) {
    got = cfg.readNum(key, def.toInt(), &wasFound);
    int viaStatic = 0;
    QCOMPARE(Cfg::read(viaStatic, QStringLiteral("b/x"), def.toInt()), found);
    QCOMPARE(viaStatic, expected.toInt());
  } else if (reader == QLatin1String("real")) {
    got = cfg.readReal(key, def.toDouble(), &wasFound);
  } else if (reader == QLatin1String("string")) {
    got = cfg.readString(key, def.toString(), &wasFound);
  } else if (reader == QLatin1String("list")) {
    got = cfg.readStringList(key, def.toStringList(), &wasFound);
  } else if (reader == QLatin1String("size")) {
    got = cfg.readSize(key, def.toSize(), &wasFound);
  }
  QCOMPARE(got, expected);
  QCOMPARE(wasFound, found);
}

void TestUxCfgKinds::selfInfoShowsFurtherKinds() {
  const QString file = path(QStringLiteral("info.cfg"));
  QVERIFY(putFile(file, fileAround(hex("0000001C 00258960 0038CEFC"))));
  MessageCapture quiet;
  QVERIFY(Cfg::load(file, true));
  QVERIFY2(Cfg::selfInfo().contains(
               QStringLiteral("<tr><td>b/x</td><td>QDateTime</td><td>2023-02-24T01:02:03.004</td></tr>")),
           qPrintable(Cfg::selfInfo()));
}

int main(int argc, char **argv) {
  // A zone with daylight-saving time, so that a local clock reading can fall into a gap.
  qputenv("TZ", "Europe/Berlin");
  QApplication app(argc, argv);
  TestUxCfgKinds test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_uxcfgkinds.moc"
