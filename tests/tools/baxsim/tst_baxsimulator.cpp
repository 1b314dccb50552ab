#include "baxsimulator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstring>

namespace {

QByteArray readAll(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint16 int16At(const char *p) { return qFromLittleEndian<qint16>(p); }

double doubleAt(const char *p) {
  quint64 bits = qFromLittleEndian<quint64>(p);
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}

int id9At(const char *p) { return QByteArray(p, 9).trimmed().toInt(); }

// What a minimal reader finds in the files, with the first structural fault.
struct Decoded {
  QString fault;
  qint64 images = 0, imagePoints = 0, eliminated = 0, lonely = 0, maxLinks = 0;
  qint64 objectPoints = 0, objectRecords = 0, repeated = 0;
  QMap<int, qint64> codes;
  qint64 observationRecords = 0, rejected = 0, observedCentres = 0, notAccepted = 0;
  double sigma0 = 0.0, redundancy = 0.0, inversion = -1.0;
};

Decoded decode(const BaxSimResult &r) {
  Decoded d;
  auto fault = [&d](const QString &text) {
    if (d.fault.isEmpty()) d.fault = text;
  };
  const QByteArray ib = readAll(r.imageFile), eb = readAll(r.orientationFile);
  const QByteArray ob = readAll(r.objectFile), cb = readAll(r.observationFile);
  if (ib.size() % 52 || eb.size() % 70 || ob.size() % 60 || cb.size() % 38)
    fault(QStringLiteral("a file is not a whole number of records"));

  QList<int> imageIds;
  QHash<int, int> links;
  int current = -1;
  qint64 inImage = 0;
  for (qint64 at = 0; at + 52 <= ib.size(); at += 52) {
    const char *p = ib.constData() + at;
    const int status = int16At(p), id = id9At(p + 2);
    double v[5];
    for (int i = 0; i < 5; ++i) v[i] = doubleAt(p + 12 + 8 * i);
    if (status == 0 && v[0] == 1.0 && v[1] == 1.0 && v[2] == 1.0 && v[3] == 1.0 && v[4] == 1.0) {
      if (current != -1) fault(QStringLiteral("header inside image %1").arg(current));
      current = id;
      inImage = 0;
      imageIds.append(id);
    } else if (status == 0 && id == -99 && v[1] == 0.0 && v[2] == 0.0 && v[3] == 0.0 && v[4] == 0.0) {
      if (current == -1) fault(QStringLiteral("end without header"));
      if (v[0] != double(inImage)) fault(QStringLiteral("end record of %1 miscounts").arg(current));
      current = -1;
      ++d.images;
    } else {
      if (current == -1) fault(QStringLiteral("point %1 outside an image").arg(id));
      if (qAbs(v[0]) > 115.0 || qAbs(v[1]) > 115.0) fault(QStringLiteral("point %1 off the frame").arg(id));
      if (status == 0 && (qAbs(v[2]) > 0.01 || qAbs(v[3]) > 0.01))
        fault(QStringLiteral("adjusted point %1 with a residual of blunder size").arg(id));
      ++d.imagePoints;
      ++inImage;
      d.eliminated += status != 0;
      d.maxLinks = qMax<qint64>(d.maxLinks, ++links[id]);
    }
  }
  if (current != -1) fault(QStringLiteral("image without end"));

  for (qint64 i = 0; i * 70 + 70 <= eb.size(); ++i) {
    const char *p = eb.constData() + i * 70;
    if (i >= imageIds.size() || id9At(p + 2) != imageIds[int(i)])
      fault(QStringLiteral("orientation %1 out of sequence").arg(i));
  }
  if (eb.size() / 70 != imageIds.size()) fault(QStringLiteral("orientation count"));

  QSet<int> objectIds;
  int previous = -1;
  for (qint64 at = 0; at + 60 <= ob.size(); at += 60) {
    const char *p = ob.constData() + at;
    const int code = int16At(p), id = id9At(p + 2);
    if (at == 0) {
      if (code != -1) fault(QStringLiteral("object file does not start with the project record"));
      d.sigma0 = doubleAt(p + 12);
      d.redundancy = doubleAt(p + 20);
      d.inversion = doubleAt(p + 28);
      continue;
    }
    ++d.objectRecords;
    if (id == previous) {
      ++d.repeated;
      continue;
    }
    if (id < previous) fault(QStringLiteral("object IDs not ascending at %1").arg(id));
    if (!links.contains(id)) fault(QStringLiteral("object point %1 in no image").arg(id));
    previous = id;
    ++d.objectPoints;
    ++d.codes[code];
    objectIds.insert(id);
  }
  for (auto it = links.cbegin(); it != links.cend(); ++it) d.lonely += objectIds.contains(it.key()) ? 0 : it.value();

  // The accepted flag as the readers derive it, per point, in record order.
  struct Flag {
    bool accepted = true, xObserved = false, xAccepted = false;
  };
  QHash<int, Flag> flags;
  QSet<int> centres;
  for (qint64 at = 0; at + 38 <= cb.size(); at += 38) {
    const char *p = cb.constData() + at;
    const int component = int16At(p), status = int16At(p + 2), id = id9At(p + 4);
    ++d.observationRecords;
    d.rejected += status != 0;
    if (component >= 4) {
      centres.insert(id);
      if (!imageIds.contains(id)) fault(QStringLiteral("centre observation of unknown image %1").arg(id));
    } else if (!objectIds.contains(id)) {
      fault(QStringLiteral("observation of unknown point %1").arg(id));
    }
    Flag &f = flags[id];
    f.accepted = status == 0;
    if (component == 1) {
      f.xObserved = true;
      f.xAccepted = status == 0;
    }
    if (component == 3 && status == 0 && f.xObserved && !f.xAccepted) f.accepted = false;
  }
  d.observedCentres = centres.size();
  for (const Flag &f : flags) d.notAccepted += f.accepted ? 0 : 1;
  return d;
}

QStringList projectFiles(const QString &dir) {
  return QDir(dir).entryList(QDir::Files, QDir::Name);
}

// Key=value of the first such line after "[section]".
QString iniValue(const QString &path, const QString &section, const QString &key) {
  const QList<QByteArray> lines = readAll(path).split('\n');
  bool inSection = false;
  for (const QByteArray &raw : lines) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.startsWith(QLatin1Char('['))) inSection = line == QLatin1Char('[') + section + QLatin1Char(']');
    else if (inSection && line.startsWith(key + QLatin1Char('='))) return line.mid(key.size() + 1);
  }
  return QString();
}

}  // namespace

Q_DECLARE_METATYPE(BaxSimOptions)

class TestBaxSimulator : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir mDir;

 private slots:
  void initTestCase() { QVERIFY(mDir.isValid()); }

  void countsMatchTheFiles_data() {
    QTest::addColumn<BaxSimOptions>("options");
    QTest::addColumn<bool>("everyFeature");
    BaxSimOptions o;
    QTest::addRow("default block") << o << true;
    BaxSimOptions one;
    one.strips = 1;
    one.imagesPerStrip = 4;
    one.seed = 3;
    QTest::addRow("one strip") << one << false;
    BaxSimOptions wide;
    wide.strips = 4;
    wide.imagesPerStrip = 7;
    wide.forwardOverlap = 0.8;
    wide.sideOverlap = 0.6;
    wide.spacing = 250.0;
    wide.focalLength = 100.0;
    wide.offsetX = 500000.0;
    wide.offsetY = 5300000.0;
    QTest::addRow("wide overlap") << wide << true;
    BaxSimOptions target;
    target.targetImagePoints = 20000;
    target.seed = 99;
    QTest::addRow("target of 20000 image points") << target << true;
    BaxSimOptions dense;
    dense.strips = 3;
    dense.imagesPerStrip = 6;
    dense.pointsPerImage = 1500;
    QTest::addRow("1500 points per image") << dense << true;
  }

  void countsMatchTheFiles() {
    QFETCH(BaxSimOptions, options);
    QFETCH(bool, everyFeature);
    const QString folder = mDir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    BaxSimResult r;
    QString error;
    QVERIFY2(BaxSimulator::write(options, folder, &r, &error), qPrintable(error));
    const Decoded d = decode(r);
    QVERIFY2(d.fault.isEmpty(), qPrintable(d.fault));

    QCOMPARE(d.images, r.images);
    QCOMPARE(r.images, qint64(r.strips) * r.imagesPerStrip);
    QCOMPARE(d.imagePoints, r.imagePoints);
    QCOMPARE(d.eliminated, r.eliminatedImagePoints);
    QCOMPARE(d.lonely, r.lonelyImagePoints);
    QCOMPARE(d.maxLinks, r.maxLinks);
    QCOMPARE(d.objectPoints, r.objectPoints);
    QCOMPARE(d.objectRecords, r.objectRecords);
    QCOMPARE(d.repeated, r.repeatedObjectRecords);
    for (int code : {100, 101, 200, 300, 500}) QCOMPARE(d.codes.value(code), r.pointsOfCode(code));
    QCOMPARE(d.codes.size(), 5);
    QCOMPARE(d.observationRecords, r.observationRecords);
    QCOMPARE(d.rejected, r.rejectedObservations);
    QCOMPARE(d.observedCentres, r.observedCentres);
    QCOMPARE(d.notAccepted, r.notAcceptedPoints);
    QCOMPARE(d.sigma0, r.sigma0);
    QCOMPARE(d.redundancy, r.redundancy);
    QCOMPARE(d.inversion, 1.0);
    QVERIFY(r.sigma0 > 0.001 && r.sigma0 < 0.01);  // a few micrometres
    QVERIFY(r.redundancy > 0.0 && r.redundancy < 1.0);

    // count() predicts the same without writing.
    BaxSimResult counted;
    QVERIFY(BaxSimulator::count(options, &counted, &error));
    QCOMPARE(counted.imagePoints, r.imagePoints);
    QCOMPARE(counted.objectRecords, r.objectRecords);
    QCOMPARE(counted.notAcceptedPoints, r.notAcceptedPoints);

    if (options.targetImagePoints > 0)
      QVERIFY2(qAbs(r.imagePoints - options.targetImagePoints) < options.targetImagePoints / 50,
               qPrintable(QString::number(r.imagePoints)));
    if (options.pointsPerImage > 0) {
      // The spacing is chosen, the block stays as given.
      QCOMPARE(r.strips, options.strips);
      QCOMPARE(r.imagesPerStrip, options.imagesPerStrip);
      const qint64 wanted = qint64(options.pointsPerImage) * r.images;
      QVERIFY2(qAbs(r.imagePoints - wanted) < wanted / 50, qPrintable(QString::number(r.imagePoints)));
    }
    if (everyFeature) {
      for (int code : {200, 300, 500}) QVERIFY(r.pointsOfCode(code) > 0);
      QVERIFY(r.eliminatedImagePoints > 0);
      QVERIFY(r.lonelyImagePoints > 0);
      QVERIFY(r.repeatedObjectRecords > 0);
      QVERIFY(r.observedCentres > 0);
      QVERIFY(r.rejectedObservations > r.rejectedCentreObservations);
      QVERIFY(r.notAcceptedPoints > 0);
    }
  }

  void sameSeedGivesSameBytes() {
    BaxSimOptions o;
    o.relativeIni = true;
    o.seed = 5;
    const QString a = mDir.filePath(QStringLiteral("seedA")), b = mDir.filePath(QStringLiteral("seedB"));
    const QString c = mDir.filePath(QStringLiteral("seedC"));
    BaxSimResult r;
    QVERIFY(BaxSimulator::write(o, a, &r, nullptr));
    QVERIFY(BaxSimulator::write(o, b, &r, nullptr));
    o.seed = 6;
    QVERIFY(BaxSimulator::write(o, c, &r, nullptr));
    const QStringList files = projectFiles(a);
    QCOMPARE(files.size(), 8);
    QCOMPARE(projectFiles(b), files);
    for (const QString &f : files) {
      const QByteArray bytes = readAll(a + QLatin1Char('/') + f);
      QCOMPARE(readAll(b + QLatin1Char('/') + f), bytes);
      if (f.contains(QLatin1String(".(")) && !f.endsWith(QLatin1String(".(p)")))
        QVERIFY2(readAll(c + QLatin1Char('/') + f) != bytes, qPrintable(f));
    }
  }

  void projectFilesResolve_data() {
    QTest::addColumn<bool>("relative");
    QTest::addRow("absolute paths in Bax.ini") << false;
    QTest::addRow("relative paths in Bax.ini") << true;
  }

  void projectFilesResolve() {
    QFETCH(bool, relative);
    BaxSimOptions o;
    o.name = QStringLiteral("area-7");
    o.relativeIni = relative;
    o.strips = 2;
    o.imagesPerStrip = 3;
    const QString folder = mDir.filePath(relative ? QStringLiteral("rel") : QStringLiteral("abs"));
    BaxSimResult r;
    QVERIFY(BaxSimulator::write(o, folder, &r, nullptr));
    const QDir dir(folder);

    // The project file: CRLF only; result files named relative to it.
    const QByteArray project = readAll(r.projectFile);
    QVERIFY(project.endsWith("\r\n"));
    QCOMPARE(project.count('\n'), project.count("\r\n"));
    QMap<QString, QString> values;
    for (const QByteArray &line : project.split('\n')) {
      const int colon = line.indexOf(": ");
      if (colon > 0) values[QString::fromUtf8(line.left(colon))] = QString::fromUtf8(line.mid(colon + 2)).trimmed();
    }
    const QStringList keys = {QStringLiteral("IMAGE_FILE"), QStringLiteral("ORIENTATION_FILE"),
                              QStringLiteral("OBJECT_FILE"), QStringLiteral("OBJECT_OBSERVATION_FILE")};
    const QStringList expected = {r.imageFile, r.orientationFile, r.objectFile, r.observationFile};
    for (int i = 0; i < keys.size(); ++i) {
      QString value = values.value(keys[i]);
      value = value.left(value.lastIndexOf(QLatin1Char(')')) + 1);
      QVERIFY2(QDir::isRelativePath(value), qPrintable(value));
      QCOMPARE(QFileInfo(dir.filePath(value)).absoluteFilePath(), expected[i]);
      QVERIFY(QFileInfo::exists(expected[i]));
    }

    // Bax.ini -> project list -> project file; camera under PATH_PROGRAMS.
    QCOMPARE(r.iniFile, dir.absoluteFilePath(QStringLiteral("Bax.ini")));
    const QByteArray ini = readAll(r.iniFile);
    QCOMPARE(ini.count('\n'), ini.count("\r\n"));
    const QString list = iniValue(r.iniFile, QStringLiteral("BAXB"), QStringLiteral("BAXB_LAST_PROJ"));
    const QString programs = iniValue(r.iniFile, QStringLiteral("BAX"), QStringLiteral("PATH_PROGRAMS"));
    QCOMPARE(QDir::isRelativePath(list), relative);
    QCOMPARE(QDir::isRelativePath(programs), relative);
    QCOMPARE(QFileInfo(dir.filePath(list)).absoluteFilePath(), r.projectListFile);
    const QString out = iniValue(r.projectListFile, QStringLiteral("PROJECT"), QStringLiteral("BAXB_OUT_TESL"));
    QCOMPARE(QFileInfo(dir.filePath(out + QStringLiteral(".(p)"))).absoluteFilePath(), r.projectFile);
    QCOMPARE(QFileInfo(QDir(dir.filePath(programs)).filePath(values.value(QStringLiteral("CAMERA_FILE"))))
                 .absoluteFilePath(),
             r.cameraFile);

    // The camera file names the images' camera and the frame.
    const QByteArray camera = readAll(r.cameraFile);
    QCOMPARE(camera.size(), 210);
    QCOMPARE(camera.left(9).trimmed().toInt(), o.cameraId);
    QCOMPARE(doubleAt(camera.constData() + 10 + 21 * 8), -o.frameSize / 2);
    QCOMPARE(doubleAt(camera.constData() + 10 + 24 * 8), o.frameSize);
    const QByteArray orientation = readAll(r.orientationFile);
    QCOMPARE(id9At(orientation.constData() + 12), o.cameraId);
  }

  void rejectsBadOptions_data() {
    QTest::addColumn<BaxSimOptions>("options");
    BaxSimOptions o;
    o.name = QStringLiteral("a/b");
    QTest::addRow("name with a slash") << o;
    o = BaxSimOptions();
    o.name = QStringLiteral("x)");
    QTest::addRow("name with a parenthesis") << o;
    o = BaxSimOptions();
    o.strips = 0;
    QTest::addRow("no strips") << o;
    o = BaxSimOptions();
    o.spacing = 0.05;
    QTest::addRow("grid beyond its limit") << o;
    o = BaxSimOptions();
    o.forwardOverlap = 1.0;
    QTest::addRow("full overlap") << o;
    o = BaxSimOptions();
    o.spacing = qQNaN();
    QTest::addRow("spacing not a number") << o;
    o = BaxSimOptions();
    o.blunderRate = 2.0;
    QTest::addRow("rate above one") << o;
    o = BaxSimOptions();
    o.targetImagePoints = -1;
    QTest::addRow("negative target") << o;
    o = BaxSimOptions();
    o.pointsPerImage = -1;
    QTest::addRow("negative points per image") << o;
  }

  void rejectsBadOptions() {
    QFETCH(BaxSimOptions, options);
    QString error;
    QVERIFY(!BaxSimulator::validate(options, &error));
    QVERIFY(!error.isEmpty());
    const QString folder = mDir.filePath(QStringLiteral("bad"));
    BaxSimResult r;
    QVERIFY(!BaxSimulator::write(options, folder, &r, &error));
    QVERIFY(!QFileInfo::exists(folder));
  }

  void unwritableFileIsNamed_data() {
    QTest::addColumn<QString>("file");
    for (const char *name : {"cam12.cam", "block.(i)", "block.(e)", "block.(o)", "block.(c)", "block.(p)",
                             "Bax.ini", "block.prj"})
      QTest::addRow("%s", name) << QString::fromLatin1(name);
  }

  void unwritableFileIsNamed() {
    // A folder in the place of one of the files: the writing stops with its name.
    QFETCH(QString, file);
    const QString folder = mDir.filePath(QStringLiteral("blocked-") + file);
    QVERIFY(QDir().mkpath(folder + QLatin1Char('/') + file));
    BaxSimOptions o;
    o.strips = 1;
    o.imagesPerStrip = 2;
    QString error;
    BaxSimResult r;
    QVERIFY(!BaxSimulator::write(o, folder, &r, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(QDir(folder).absoluteFilePath(file))), qPrintable(error));
  }

  void exampleRegeneratesByteForByte() {
    // examples/block was made by baxsim with the options in examples/block.args.
    const QString source = qEnvironmentVariable("TESSELLA_SOURCE_DIR");
    const QString examples = source + QStringLiteral("/examples");
    const QString args = QString::fromUtf8(readAll(examples + QStringLiteral("/block.args"))).trimmed();
    QVERIFY(!args.isEmpty());
    QVERIFY2(readAll(examples + QStringLiteral("/README.md")).contains(args.toUtf8()),
             "README.md shows other options");
    const QString out = mDir.filePath(QStringLiteral("example/block"));
    QProcess baxsim;
    baxsim.start(qEnvironmentVariable("TESSELLA_BINARY_DIR") + QStringLiteral("/bin/baxsim"),
                 args.split(QLatin1Char(' '), Qt::SkipEmptyParts) << QStringLiteral("--quiet") << out);
    QVERIFY(baxsim.waitForFinished(60000));
    QCOMPARE(baxsim.exitStatus(), QProcess::NormalExit);
    QVERIFY2(baxsim.exitCode() == 0, baxsim.readAllStandardError().constData());
    const QStringList files = projectFiles(out);
    QCOMPARE(projectFiles(examples + QStringLiteral("/block")), files);
    qint64 total = 0;
    for (const QString &f : files) {
      const QByteArray committed = readAll(examples + QStringLiteral("/block/") + f);
      total += committed.size();
      QVERIFY2(readAll(out + QLatin1Char('/') + f) == committed, qPrintable(f));
    }
    QVERIFY(total < 1024 * 1024);
  }
};

QTEST_GUILESS_MAIN(TestBaxSimulator)
#include "tst_baxsimulator.moc"
