#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "phfixture.h"

using namespace PhFixture;

class TstTessellaReport : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void summaryOfAProject();
  void imageWithoutAdjustedPoints();
  void tablesAgreeWithTheSummary_data();
  void tablesAgreeWithTheSummary();
  void tablesThatCannotBeWritten();
  void unreadableProjects_data();
  void unreadableProjects();
  void failureShowsWhereTheReaderLooked();

 private:
  // Runs the tool on the project with "windir" naming an empty directory.
  int run(const QString &project, QByteArray *out, QByteArray *err, const QStringList &more = {});

  QTemporaryDir mDir;
  QString mTool;
};

void TstTessellaReport::initTestCase() {
  QVERIFY(mDir.isValid());
  mTool = QDir(qEnvironmentVariable("TESSELLA_BINARY_DIR")).filePath(QStringLiteral("bin/tessella-report"));
  QVERIFY2(QFileInfo(mTool).isExecutable(), qPrintable(mTool));
  QDir().mkpath(mDir.filePath(QStringLiteral("windows")));
}

int TstTessellaReport::run(const QString &project, QByteArray *out, QByteArray *err, const QStringList &more) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("windir"), mDir.filePath(QStringLiteral("windows")));
  process.setProcessEnvironment(env);
  process.start(mTool, QStringList{project} + more);
  if (!process.waitForFinished(60000)) return -1;
  *out = process.readAllStandardOutput();
  *err = process.readAllStandardError();
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void TstTessellaReport::summaryOfAProject() {
  Project p = smallProject(3, 4);
  // Image 11's projection centre observed and rejected in X.
  p.observation += observation(4, 1, 11, 4500100.5, 0.5, 0.1);
  const QString path = p.write(mDir.filePath(QStringLiteral("p")));
  QByteArray out;
  QByteArray err;
  QCOMPARE(run(path, &out, &err), 0);
  QVERIFY2(err.isEmpty(), err.constData());
  QJsonParseError error;
  const QJsonObject r = QJsonDocument::fromJson(out, &error).object();
  QCOMPARE(error.error, QJsonParseError::NoError);

  QCOMPARE(r.keys().count(), 16);
  QCOMPARE(r[QLatin1String("project")].toString(), QDir::toNativeSeparators(path));
  QCOMPARE(r[QLatin1String("images")].toInt(), 3);
  QCOMPARE(r[QLatin1String("image_points")].toInt(), 3 * 5);
  QCOMPARE(r[QLatin1String("object_points")].toInt(), 3 + 4);
  const QJsonObject types = r[QLatin1String("points_by_type")].toObject();
  QCOMPARE(types.count(), 7);
  QCOMPARE(types[QLatin1String("New Point")].toInt(), 2);
  QCOMPARE(types[QLatin1String("Vertical Control Point")].toInt(), 1);
  QCOMPARE(types[QLatin1String("Horizontal Control Point")].toInt(), 0);
  QCOMPARE(types[QLatin1String("Horiz. + Vert. Control Point")].toInt(), 1);
  QCOMPARE(types[QLatin1String("Projection Centre")].toInt(), 2);
  QCOMPARE(types[QLatin1String("Observed Proj. Centre")].toInt(), 1);
  QCOMPARE(types[QLatin1String("Lonely Image Point")].toInt(), 0);
  QCOMPARE(r[QLatin1String("lonely_image_points")].toInt(), 3);
  QCOMPARE(r[QLatin1String("blunders")].toInt(), 1);
  QCOMPARE(r[QLatin1String("rejected_object_points")].toInt(), 1);
  QCOMPARE(r[QLatin1String("sigma0")].toDouble(), 0.8);
  QCOMPARE(r[QLatin1String("redundancy")].toDouble(), 2.5);
  QCOMPARE(r[QLatin1String("inversion")].toBool(), true);

  // Residual lengths 0.005 * (k + 1) for points k = 0..3, sqrt(2) * 0.001
  // for the lonely points; point 100 of image 10 is a blunder.
  double squares = 0;
  int n = 0;
  for (int image = 0; image < 3; ++image) {
    for (int k = image == 0 ? 1 : 0; k < 4; ++k, ++n) {
      const double rx = float(0.003 * (k + 1));
      const double ry = float(-0.004 * (k + 1));
      squares += rx * rx + ry * ry;
    }
    squares += 2 * double(0.001f) * double(0.001f);
    ++n;
  }
  QVERIFY(std::abs(r[QLatin1String("rms_image_residual")].toDouble() - std::sqrt(squares / n)) < 1e-12);

  const QJsonArray images = r[QLatin1String("images_list")].toArray();
  QCOMPARE(images.count(), 3);
  for (int i = 0; i < 3; ++i) {
    const QJsonObject image = images[i].toObject();
    QCOMPARE(image.keys().count(), 10);
    QCOMPARE(image[QLatin1String("id")].toInt(), 10 + i);
    QCOMPARE(image[QLatin1String("camera")].toInt(), 7);
    QCOMPARE(image[QLatin1String("points")].toInt(), 5);
    QCOMPARE(image[QLatin1String("not_adjusted")].toInt(), i == 0 ? 1 : 0);
    QCOMPARE(image[QLatin1String("largest_residual_point")].toInt(), 103);
    // Single-precision values are written in their shortest float form.
    QCOMPARE(float(image[QLatin1String("largest_residual")].toDouble()), 0.02f);
    QCOMPARE(image[QLatin1String("frame")].toArray(), (QJsonArray{-115, -115, 115, 115}));
    QCOMPARE(image[QLatin1String("projection_centre")].toArray(),
             (QJsonArray{4500000.0 + 100 * i, 5600000.0, 1500.0}));
    QCOMPARE(image[QLatin1String("projection_centre_sigma")].toArray(), (QJsonArray{0.2, 0.3, 0.4}));
  }
  QVERIFY(images[0].toObject()[QLatin1String("rms_residual")].toDouble() >
          images[1].toObject()[QLatin1String("rms_residual")].toDouble());

  const QJsonArray messages = r[QLatin1String("messages")].toArray();
  QStringList got;
  for (const QJsonValue &m : messages)
    got << m.toObject()[QLatin1String("type")].toString() + QLatin1String(": ") +
               m.toObject()[QLatin1String("text")].toString();
  QCOMPARE(got, (QStringList{
                    QStringLiteral("Warning: BAX configuaration file '%1' doesn't exist!")
                        .arg(QDir::toNativeSeparators(mDir.filePath(QStringLiteral("windows/Bax.ini")))),
                    QStringLiteral("Info: Read <b>3</b> Images."),
                    QStringLiteral("Info: Read <b>7</b> Objects."),
                    QStringLiteral("Info: Reading Projectfile ready.")}));
}

// The summaries of the JSON computed again from control.csv (the accepted
// observations per axis, of the control types and of the observed centres),
// and the image rows against the JSON's images.
void TstTessellaReport::tablesAgreeWithTheSummary_data() {
  QTest::addColumn<QString>("project");
  QTest::addColumn<int>("centreRows");
  Project p = smallProject(3, 4);
  // Image 11's projection centre observed and rejected in X.
  p.observation += observation(4, 1, 11, 4500100.5, 0.5, 0.1);
  QTest::newRow("small project") << p.write(mDir.filePath(QStringLiteral("tables"))) << 1;
  QTest::newRow("example project")
      << qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block/block.(p)") << -1;
}

void TstTessellaReport::tablesAgreeWithTheSummary() {
  QFETCH(QString, project);
  QFETCH(int, centreRows);
  const QString dir = mDir.filePath(QStringLiteral("tables-out/") + QLatin1String(QTest::currentDataTag()));
  QByteArray out;
  QByteArray err;
  QCOMPARE(run(project, &out, &err, {QStringLiteral("--csv"), dir}), 0);
  QVERIFY2(err.isEmpty(), err.constData());
  const QJsonObject r = QJsonDocument::fromJson(out).object();

  auto rows = [&](const char *name) {
    QFile file(QDir(dir).filePath(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly)) return QList<QList<QByteArray>>();
    QList<QList<QByteArray>> result;
    for (QByteArray line : file.readAll().split('\n')) {
      if (line.endsWith('\r')) line.chop(1);
      if (!line.isEmpty()) result << line.split(',');
    }
    return result;
  };
  const auto images = rows("images.csv");
  const QJsonArray listed = r[QLatin1String("images_list")].toArray();
  QCOMPARE(images.size(), 1 + int(listed.size()));
  QCOMPARE(images[0].join(','), QByteArray("image,camera,points,eliminated,rms_x,rms_y,rms,max_residual,max_residual_point"));
  for (int i = 0; i < listed.size(); ++i) {
    const QJsonObject image = listed[i].toObject();
    QCOMPARE(images[i + 1][0].toInt(), image[QLatin1String("id")].toInt());
    QCOMPARE(images[i + 1][3].toInt(), image[QLatin1String("not_adjusted")].toInt());
    QCOMPARE(images[i + 1][6].toDouble(), image[QLatin1String("rms_residual")].toDouble());
    QCOMPARE(images[i + 1][8].toInt(), image[QLatin1String("largest_residual_point")].toInt());
  }
  QCOMPARE(rows("points.csv").size(), 1 + r[QLatin1String("object_points")].toInt());

  const auto control = rows("control.csv");
  QVERIFY(control.size() > 1);
  QCOMPARE(control[0].join(','), QByteArray("point,type,axis,observed,residual,sigma,accepted"));
  struct Sums {
    double sum[3] = {}, squares[3] = {}, maxAbs[3] = {};
    int n[3] = {};
  } sums[2];  // control points, observed centres
  int centres = 0;
  for (const QList<QByteArray> &row : control.mid(1)) {
    QCOMPARE(row.size(), 7);
    const int axis = QByteArray("XYZ").indexOf(row[2]);
    QVERIFY(axis >= 0);
    const bool centre = row[1] == "Observed Proj. Centre";
    if (centre) ++centres;
    if ((!centre && !row[1].contains("Control Point")) || row[6] != "1") continue;
    Sums &s = sums[centre ? 1 : 0];
    const double residual = double(row[4].toFloat());
    ++s.n[axis];
    s.sum[axis] += residual;
    s.squares[axis] += residual * residual;
    s.maxAbs[axis] = std::max(s.maxAbs[axis], std::abs(residual));
  }
  if (centreRows >= 0) QCOMPARE(centres, centreRows);
  for (int kind = 0; kind < 2; ++kind) {
    const QJsonValue value = r[QLatin1String(kind ? "centres" : "control")];
    QVERIFY(value.isObject());
    const QJsonObject summary = value.toObject();
    const Sums &s = sums[kind];
    for (int axis = 0; axis < 3; ++axis) {
      const QString name = QString(QLatin1Char("XYZ"[axis]));
      QCOMPARE(summary.contains(name), s.n[axis] > 0);
      if (!s.n[axis]) continue;
      const QJsonObject a = summary[name].toObject();
      QCOMPARE(a[QLatin1String("n")].toInt(), s.n[axis]);
      QCOMPARE(a[QLatin1String("mean")].toDouble(), s.sum[axis] / s.n[axis]);
      QCOMPARE(a[QLatin1String("rms")].toDouble(), std::sqrt(s.squares[axis] / s.n[axis]));
      QCOMPARE(a[QLatin1String("max_abs")].toDouble(), s.maxAbs[axis]);
    }
  }
}

void TstTessellaReport::tablesThatCannotBeWritten() {
  const QString path = smallProject(1, 2).write(mDir.filePath(QStringLiteral("unwritable")));
  QFile blocker(mDir.filePath(QStringLiteral("blocker")));
  QVERIFY(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QByteArray out;
  QByteArray err;
  // The summary still comes; the status says the tables did not.
  QCOMPARE(run(path, &out, &err, {QStringLiteral("--csv"), blocker.fileName() + QStringLiteral("/csv")}), 1);
  QVERIFY(!QJsonDocument::fromJson(out).isNull());
  QVERIFY2(err.contains("Can't make the folder"), err.constData());
  // A flag without its folder is a usage error.
  QCOMPARE(run(path, &out, &err, {QStringLiteral("--csv")}), 2);
  QVERIFY(err.startsWith("Usage: tessella-report"));
}

void TstTessellaReport::imageWithoutAdjustedPoints() {
  Project p = smallProject(1, 2);
  p.image = imageHeader(10) + imagePoint(1, 100, 1, 1, 0.1, 0.1) + imageEnd();
  p.camera.clear();
  QByteArray out;
  QByteArray err;
  QCOMPARE(run(p.write(mDir.filePath(QStringLiteral("q"))), &out, &err), 0);
  const QJsonObject r = QJsonDocument::fromJson(out).object();
  const QJsonObject image = r[QLatin1String("images_list")].toArray()[0].toObject();
  QVERIFY(image[QLatin1String("largest_residual")].isNull());
  QVERIFY(image[QLatin1String("largest_residual_point")].isNull());
  QVERIFY(image[QLatin1String("rms_residual")].isNull());
  QVERIFY(r[QLatin1String("rms_image_residual")].isNull());
  QCOMPARE(image[QLatin1String("frame")].toArray(), (QJsonArray{1, 1, 1, 1}));
  QCOMPARE(r[QLatin1String("blunders")].toInt(), 1);
}

void TstTessellaReport::unreadableProjects_data() {
  QTest::addColumn<QString>("damage");
  QTest::addColumn<QString>("text");
  QTest::addRow("no project file") << "missing" << "Project file corrupt!\nCould not read necessary parameters.";
  QTest::addRow("inversion flag 2") << "inversion" << "Tessella::ReadObjectFiles: Check for inversion neither 0 nor 1!";
  QTest::addRow("random image file") << "random" << "";
  QTest::addRow("orientation file missing") << "orientation" << "Could not open file\n";
}

void TstTessellaReport::unreadableProjects() {
  QFETCH(QString, damage);
  QFETCH(QString, text);
  Project p = smallProject(2, 3);
  if (damage == QLatin1String("inversion")) p.object += objectProject(1, 1, 2.0);
  if (damage == QLatin1String("random")) {
    p.image.clear();
    for (int i = 0; i < 5000; ++i) p.image += char((i * 7919) % 251);
  }
  QString path = p.write(mDir.filePath(QStringLiteral("d_") + damage));
  if (damage == QLatin1String("missing")) path += QStringLiteral(".gone");
  if (damage == QLatin1String("orientation")) QFile::remove(mDir.filePath(QStringLiteral("d_orientation/blk.(e)")));
  QByteArray out;
  QByteArray err;
  const int status = run(path, &out, &err);
  if (damage == QLatin1String("random")) {
    // Garbage gives either a report or a failure, never a crash.
    QVERIFY(status == 0 || status == 2);
    if (status == 0) QVERIFY(QJsonDocument::fromJson(out).isObject());
    return;
  }
  QCOMPARE(status, 2);
  QVERIFY(out.isEmpty());
  QVERIFY2(QString::fromUtf8(err).startsWith(text), err.constData());
}

void TstTessellaReport::failureShowsWhereTheReaderLooked() {
  Project p = smallProject(2, 3);
  const QString path = p.write(mDir.filePath(QStringLiteral("looked")));
  const QString missing = mDir.filePath(QStringLiteral("looked/blk.(o)"));
  QFile::remove(missing);
  QByteArray out;
  QByteArray err;
  QCOMPARE(run(path, &out, &err), 2);
  QVERIFY(out.isEmpty());
  const QStringList lines = QString::fromUtf8(err).split(QLatin1Char('\n'));
  // The failure first, then the warnings gathered before it, the resolved
  // path among them.
  QVERIFY2(lines.first() == QLatin1String("Could not open file"), err.constData());
  const QString looked =
      QStringLiteral("Warning: Can't find file '%1'").arg(QDir::toNativeSeparators(missing));
  QVERIFY2(lines.contains(looked), err.constData());
  QVERIFY2(lines.indexOf(looked) > lines.indexOf(QStringLiteral("blk.(o)")), err.constData());
  QVERIFY2(lines.contains(QStringLiteral("Warning: BAX configuaration file '%1' doesn't exist!")
                              .arg(QDir::toNativeSeparators(mDir.filePath(QStringLiteral("windows/Bax.ini"))))),
           err.constData());
}

QTEST_GUILESS_MAIN(TstTessellaReport)
#include "tst_tessellareport.moc"
