#include "baxwriter.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstring>
#include <functional>

// Expected bytes are built with QDataStream (little-endian, IEEE doubles),
// independently of the writer's own encoding.
class Expected {
 public:
  Expected() : mStream(&mBytes, QIODevice::WriteOnly) {
    mStream.setByteOrder(QDataStream::LittleEndian);
    mStream.setFloatingPointPrecision(QDataStream::DoublePrecision);
  }
  Expected &i16(qint16 v) { mStream << v; return *this; }
  Expected &text(const char *t) { mStream.writeRawData(t, int(std::strlen(t))); return *this; }
  Expected &d(std::initializer_list<double> values) {
    for (double v : values) mStream << v;
    return *this;
  }
  QByteArray bytes() const { return mBytes; }

 private:
  QByteArray mBytes;
  QDataStream mStream;
};

class TestBaxWriter : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir mDir;

  QByteArray written(const std::function<bool(BaxWriter &)> &write) {
    const QString path = mDir.filePath(QStringLiteral("records"));
    BaxWriter w;
    if (!w.open(path) || !write(w) || !w.close()) return QByteArray("failed: ") + w.errorString().toUtf8();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }

  static QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

 private slots:
  void initTestCase() { QVERIFY(mDir.isValid()); }

  void recordsHaveTheirLayout_data() {
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("size");

    QTest::addRow("image point") << written([](BaxWriter &w) {
      return w.writeImagePoint({3, 4711, 1.5, -2.25, 0.001, -0.002, 0.5});
    }) << Expected().i16(3).text("     4711 ").d({1.5, -2.25, 0.001, -0.002, 0.5}).bytes()
       << int(BaxWriter::ImageRecordSize);
    QTest::addRow("negative point ID") << written([](BaxWriter &w) {
      return w.writeImagePoint({0, -5, 0.0, 0.0, 0.0, 0.0, 1.0});
    }) << Expected().i16(0).text("       -5 ").d({0.0, 0.0, 0.0, 0.0, 1.0}).bytes()
       << int(BaxWriter::ImageRecordSize);
    QTest::addRow("image header") << written([](BaxWriter &w) { return w.writeImageHeader(1001); })
        << Expected().i16(0).text("     1001 ").d({1.0, 1.0, 1.0, 1.0, 1.0}).bytes()
        << int(BaxWriter::ImageRecordSize);
    QTest::addRow("image end") << written([](BaxWriter &w) { return w.writeImageEnd(12.0); })
        << Expected().i16(0).text("      -99 ").d({12.0, 0.0, 0.0, 0.0, 0.0}).bytes()
        << int(BaxWriter::ImageRecordSize);
    QTest::addRow("orientation") << written([](BaxWriter &w) {
      return w.writeOrientation({1001, 12, 3500000.25, 5500000.5, 1930.0, 0.0016, 0.0025, 0.0009});
    }) << Expected().i16(0).text("     1001 ").text("       12 ")
              .d({3500000.25, 5500000.5, 1930.0, 0.0016, 0.0025, 0.0009}).bytes()
       << int(BaxWriter::OrientationRecordSize);
    QTest::addRow("object point") << written([](BaxWriter &w) {
      return w.writeObjectPoint({500, 1000001, 3499960.0, 5499286.5, 385.25, 1e-4, 2e-4, 4e-4});
    }) << Expected().i16(500).text("  1000001 ").d({3499960.0, 5499286.5, 385.25, 1e-4, 2e-4, 4e-4}).bytes()
       << int(BaxWriter::ObjectRecordSize);
    QTest::addRow("project record") << written([](BaxWriter &w) {
      return w.writeProjectRecord({0, 0.0031, 0.42, 1.0});
    }) << Expected().i16(-1).text("        0 ").d({0.0031, 0.42, 1.0, 0.0, 0.0, 0.0}).bytes()
       << int(BaxWriter::ObjectRecordSize);
    QTest::addRow("observation") << written([](BaxWriter &w) {
      return w.writeObservation({3, 1, 1000001, 385.5, -0.25, 0.024});
    }) << Expected().i16(3).i16(1).text("  1000001 ").d({385.5, -0.25, 0.024}).bytes()
       << int(BaxWriter::ObservationRecordSize);

    BaxCamera camera;
    camera.id = 12;
    for (int i = 0; i < 25; ++i) camera.c[i] = i + 0.5;
    Expected cameraBytes;
    cameraBytes.text("12        ");
    for (int i = 0; i < 25; ++i) cameraBytes.d({i + 0.5});
    QTest::addRow("camera") << written([&](BaxWriter &w) { return w.writeCamera(camera); })
                            << cameraBytes.bytes() << int(BaxWriter::CameraRecordSize);
    camera.idText = " 12a";
    Expected textBytes;
    textBytes.text(" 12a      ");
    for (int i = 0; i < 25; ++i) textBytes.d({i + 0.5});
    QTest::addRow("camera ID as text") << written([&](BaxWriter &w) { return w.writeCamera(camera); })
                                       << textBytes.bytes() << int(BaxWriter::CameraRecordSize);
  }

  void recordsHaveTheirLayout() {
    QFETCH(QByteArray, actual);
    QFETCH(QByteArray, expected);
    QFETCH(int, size);
    QCOMPARE(expected.size(), size);
    QCOMPARE(actual.toHex(' '), expected.toHex(' '));
  }

  void refusesValuesThatDoNotFit_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("id");
    QTest::addRow("ID of ten digits") << 0 << 0 << 1000000000;
    QTest::addRow("ID of nine digits and a sign") << 0 << 0 << -100000000;
    QTest::addRow("status beyond int16") << 0 << 32768 << 1;
    QTest::addRow("code beyond int16") << 1 << -32769 << 1;
    QTest::addRow("component beyond int16") << 2 << 70000 << 1;
  }

  void refusesValuesThatDoNotFit() {
    QFETCH(int, kind);
    QFETCH(int, status);
    QFETCH(int, id);
    const QString path = mDir.filePath(QStringLiteral("refused"));
    BaxWriter w;
    QVERIFY(w.open(path));
    QVERIFY(w.writeImageHeader(1001));
    bool ok = kind == 0   ? w.writeImagePoint({status, id, 1.0, 2.0, 0.0, 0.0, 1.0})
              : kind == 1 ? w.writeObjectPoint({status, id, 0, 0, 0, 0, 0, 0})
                          : w.writeObservation({status, 0, id, 0, 0, 0});
    QVERIFY(!ok);
    QVERIFY(!w.writeImageEnd());  // the failure sticks
    QVERIFY(!w.close());
    QVERIFY(!w.errorString().isEmpty());
  }

  void writesManyRecordsThroughTheBuffer() {
    // 2.6 MB of records: several flushes, records straddling the buffer's end.
    const int n = 50000;
    const QString path = mDir.filePath(QStringLiteral("many"));
    BaxWriter w;
    QVERIFY(w.open(path));
    for (int i = 0; i < n; ++i) QVERIFY(w.writeImagePoint({0, i, i * 0.5, -i * 0.25, 0.0, 0.0, 1.0}));
    QCOMPARE(w.bytesWritten(), qint64(n) * BaxWriter::ImageRecordSize);
    QVERIFY(w.close());
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), qint64(n) * BaxWriter::ImageRecordSize);
    for (int i : {0, 20164, 20165, n - 1}) {
      const char *r = bytes.constData() + qint64(i) * BaxWriter::ImageRecordSize;
      QCOMPARE(QByteArray(r + 2, 9).trimmed().toInt(), i);
      quint64 bits = qFromLittleEndian<quint64>(r + 12);
      double x;
      std::memcpy(&x, &bits, 8);
      QCOMPARE(x, i * 0.5);
    }
  }

  void reportsFilesItCannotWrite() {
    const QString path = mDir.filePath(QStringLiteral("missing/folder/file.(i)"));
    BaxWriter w;
    QVERIFY(!w.open(path));
    QVERIFY(w.errorString().contains(path));
    QVERIFY(!w.writeImageHeader(1));
    QVERIFY(!w.close());
    QString error;
    QVERIFY(!BaxWriter::writeProjectFile(path, BaxProjectFile(), &error));
    QVERIFY(error.contains(path));
  }

  void projectFileHasCrlfLines_data() {
    QTest::addColumn<bool>("comments");
    QTest::addColumn<QByteArray>("expected");
    QTest::addRow("with comments") << true << QByteArray(
        "BAX project file\r\nPROJECT_NAME: blk\r\nCAMERA_FILE: cam 12.cam\r\n"
        "IMAGE_FILE: data/blk.(i)   image coordinates\r\n"
        "ORIENTATION_FILE: data/blk.(e)   exterior orientations\r\n"
        "OBJECT_OBSERVATION_FILE: data/blk.(c)   object observations\r\n");
    QTest::addRow("without comments") << false << QByteArray(
        "BAX project file\r\nPROJECT_NAME: blk\r\nCAMERA_FILE: cam 12.cam\r\n"
        "IMAGE_FILE: data/blk.(i)\r\nORIENTATION_FILE: data/blk.(e)\r\n"
        "OBJECT_OBSERVATION_FILE: data/blk.(c)\r\n");
  }

  void projectFileHasCrlfLines() {
    QFETCH(bool, comments);
    QFETCH(QByteArray, expected);
    BaxProjectFile p;
    p.projectName = QStringLiteral("blk");
    p.cameraFile = QStringLiteral("cam 12.cam");
    p.imageFile = QStringLiteral("data/blk.(i)");
    p.orientationFile = QStringLiteral("data/blk.(e)");
    p.observationFile = QStringLiteral("data/blk.(c)");  // object file left out
    p.comments = comments;
    const QString path = mDir.filePath(QStringLiteral("blk.(p)"));
    QVERIFY(BaxWriter::writeProjectFile(path, p));
    QCOMPARE(readAll(path), expected);
  }

  void iniFileClosesSectionsWithSemicolon() {
    const QString path = mDir.filePath(QStringLiteral("Bax.ini"));
    QList<BaxIniSection> sections;
    sections.append({QStringLiteral("BAX"), {{QStringLiteral("PATH_PROGRAMS"), QStringLiteral("C:/bax")}}});
    sections.append({QStringLiteral("BAXB"), {{QStringLiteral("BAXB_LAST_PROJ"), QStringLiteral("p.prj")},
                                              {QStringLiteral("OTHER"), QString()}}});
    QVERIFY(BaxWriter::writeIniFile(path, sections, "\n"));
    QCOMPARE(readAll(path), QByteArray("[BAX]\nPATH_PROGRAMS=C:/bax\n;\n"
                                       "[BAXB]\nBAXB_LAST_PROJ=p.prj\nOTHER=\n;\n"));
  }
};

QTEST_GUILESS_MAIN(TestBaxWriter)
#include "tst_baxwriter.moc"
