#include "phfixture.h"

#include "phimage.h"
#include "phimagelist.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cstring>

namespace PhFixture {

namespace {

void putInt16(QByteArray &bytes, int value) {
  char raw[2];
  qToLittleEndian<qint16>(qint16(value), raw);
  bytes.append(raw, 2);
}

void putDouble(QByteArray &bytes, double value) {
  quint64 bits;
  std::memcpy(&bits, &value, sizeof bits);
  char raw[8];
  qToLittleEndian<quint64>(bits, raw);
  bytes.append(raw, 8);
}

}  // namespace

QByteArray id9(int id) { return QByteArray::number(id).rightJustified(9, ' '); }

QByteArray imageRecord(int status, const QByteArray &id9Field, double d1, double d2, double d3,
                       double d4, double d5) {
  QByteArray r;
  putInt16(r, status);
  r.append(id9Field.leftJustified(9, ' ', true));
  r.append(' ');
  for (double d : {d1, d2, d3, d4, d5}) putDouble(r, d);
  return r;
}

QByteArray imageHeader(int imageId) { return imageRecord(0, id9(imageId), 1, 1, 1, 1, 1); }

QByteArray imagePoint(int status, int pointId, double x, double y, double residualX,
                      double residualY, double weight) {
  return imageRecord(status, id9(pointId), x, y, residualX, residualY, weight);
}

QByteArray imageEnd() { return imageRecord(0, id9(-99), 5, 0, 0, 0, 0); }

QByteArray orientation(int imageId, int cameraId, double x0, double y0, double z0,
                       double varianceX0, double varianceY0, double varianceZ0) {
  QByteArray r("\0\0", 2);
  r.append(id9(imageId));
  r.append(' ');
  r.append(id9(cameraId));
  r.append(' ');
  for (double d : {x0, y0, z0, varianceX0, varianceY0, varianceZ0}) putDouble(r, d);
  return r;
}

QByteArray objectRecord(int code, int id, double d1, double d2, double d3, double d4, double d5,
                        double d6) {
  QByteArray r;
  putInt16(r, code);
  r.append(id9(id));
  r.append(' ');
  for (double d : {d1, d2, d3, d4, d5, d6}) putDouble(r, d);
  return r;
}

QByteArray objectProject(double sigma0, double redundancy, double inversion) {
  return objectRecord(-1, 0, sigma0, redundancy, inversion, 0, 0, 0);
}

QByteArray objectPoint(int code, int id, double x, double y, double z, double varianceX,
                       double varianceY, double varianceZ) {
  return objectRecord(code, id, x, y, z, varianceX, varianceY, varianceZ);
}

QByteArray observation(int component, int status, int id, double value, double residual,
                       double sigma) {
  QByteArray r;
  putInt16(r, component);
  putInt16(r, status);
  r.append(id9(id));
  r.append(' ');
  for (double d : {value, residual, sigma}) putDouble(r, d);
  return r;
}

QByteArray camera(const QByteArray &idText, double c22, double c23, double c24, double c25) {
  QByteArray r = idText.leftJustified(9, ' ', true);
  r.append(' ');
  for (int i = 1; i <= 21; ++i) putDouble(r, 1000.0 + i);
  for (double d : {c22, c23, c24, c25}) putDouble(r, d);
  return r;
}

bool writeFile(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(bytes) == bytes.size();
}

QString Project::write(const QString &dir, const QString &base) const {
  QDir().mkpath(dir);
  const QDir d(dir);
  writeFile(d.filePath(base + QStringLiteral(".(i)")), image);
  writeFile(d.filePath(base + QStringLiteral(".(e)")), orientation);
  writeFile(d.filePath(base + QStringLiteral(".(o)")), object);
  writeFile(d.filePath(base + QStringLiteral(".(c)")), observation);
  QByteArray text = "BAX project\r\n";
  if (!camera.isEmpty()) {
    writeFile(d.filePath(QStringLiteral("camera.cam")), camera);
    text += "CAMERA_FILE: camera.cam\r\n";
  }
  const QByteArray b = base.toUtf8();
  text += "IMAGE_FILE: " + b + ".(i)\r\n";
  text += "OBJECT_FILE: " + b + ".(o)\r\n";
  text += "ORIENTATION_FILE: " + b + ".(e)\r\n";
  text += "OBJECT_OBSERVATION_FILE: " + b + ".(c)\r\n";
  const QString path = d.filePath(base + QStringLiteral(".(p)"));
  writeFile(path, text);
  return path;
}

Project smallProject(int images, int pointsPerImage) {
  Project p;
  p.object = objectProject(0.8, 2.5, 1.0);
  for (int i = 0; i < images; ++i) {
    const int imageId = 10 + i;
    p.image += imageHeader(imageId);
    for (int k = 0; k < pointsPerImage; ++k) {
      const bool bBlunder = i == 0 && k == 0;
      p.image += imagePoint(bBlunder ? 1 : 0, 100 + k, -50.0 + 10 * k + i, 20.0 - 5 * k,
                            0.003 * (k + 1), -0.004 * (k + 1));
    }
    p.image += imagePoint(0, 5000 + i, 1.0, 2.0, 0.001, 0.001);
    p.image += imageEnd();
    p.orientation += orientation(imageId, 7, 4500000.0 + 100 * i, 5600000.0, 1500.0);
  }
  for (int k = 0; k < pointsPerImage; ++k) {
    const int code = k == 0 ? 500 : k == 1 ? 200 : 100;
    p.object += objectPoint(code, 100 + k, 4500010.0 + k, 5600020.0 + k, 300.0);
  }
  p.observation += observation(1, 0, 100, 4500010.5, 0.02, 0.01);
  p.observation += observation(2, 0, 100, 5600020.5, -0.03, 0.01);
  p.observation += observation(3, 0, 100, 300.5, 0.01, 0.02);
  p.camera = camera("7", -115.0, 115.0, 230.0, 230.0);
  return p;
}

}  // namespace PhFixture

void phResetModel() {
  PhImage::clearPointIndex();
  PhImageList().clear();
}
