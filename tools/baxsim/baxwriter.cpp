#include "baxwriter.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

constexpr qint64 BufferSize = 1 << 20;
constexpr qint64 MinId = -99999999;
constexpr qint64 MaxId = 999999999;

bool putInt16(char *out, int value) {
  if (value < -32768 || value > 32767) return false;
  qToLittleEndian<qint16>(static_cast<qint16>(value), out);
  return true;
}

void putDouble(char *out, double value) {
  quint64 bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  qToLittleEndian<quint64>(bits, out);
}

void putDoubles(char *out, std::initializer_list<double> values) {
  for (double v : values) {
    putDouble(out, v);
    out += 8;
  }
}

bool writeText(const QString &path, const QByteArray &text, QString *error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    if (error) *error = QStringLiteral("Cannot write '%1': %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace

BaxWriter::BaxWriter() = default;

BaxWriter::~BaxWriter() { close(); }

bool BaxWriter::open(const QString &path) {
  close();
  mError.clear();
  mFailed = false;
  mUsed = 0;
  mFlushed = 0;
  mFile = new QFile(path);
  if (!mFile->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
    QString reason = mFile->errorString();
    delete mFile;
    mFile = nullptr;
    return _fail(QStringLiteral("Cannot open '%1' for writing: %2").arg(path, reason));
  }
  if (mBuffer.size() != BufferSize) mBuffer.resize(BufferSize);
  return true;
}

bool BaxWriter::close() {
  if (!mFile) return !mFailed;
  _flush();
  mFile->close();
  if (!mFailed && mFile->error() != QFileDevice::NoError)
    _fail(QStringLiteral("Cannot write '%1': %2").arg(mFile->fileName(), mFile->errorString()));
  delete mFile;
  mFile = nullptr;
  return !mFailed;
}

bool BaxWriter::isOpen() const { return mFile != nullptr; }

QString BaxWriter::errorString() const { return mError; }

bool BaxWriter::reportError(QString *error) const {
  if (error) *error = mError;
  return false;
}

qint64 BaxWriter::bytesWritten() const { return mFlushed + mUsed; }

bool BaxWriter::_fail(const QString &message) {
  if (!mFailed) mError = message;
  mFailed = true;
  return false;
}

bool BaxWriter::_flush() {
  if (!mFile || mUsed == 0) return !mFailed;
  if (!mFailed && mFile->write(mBuffer.constData(), mUsed) != mUsed)
    _fail(QStringLiteral("Cannot write '%1': %2").arg(mFile->fileName(), mFile->errorString()));
  mFlushed += mUsed;
  mUsed = 0;
  return !mFailed;
}

bool BaxWriter::_append(const char *data, qint64 size) {
  if (mFailed) return false;
  if (!mFile) return _fail(QStringLiteral("No file open for writing"));
  while (size > 0) {
    if (mUsed == BufferSize && !_flush()) return false;
    qint64 n = qMin(size, BufferSize - mUsed);
    std::memcpy(mBuffer.data() + mUsed, data, static_cast<size_t>(n));
    mUsed += n;
    data += n;
    size -= n;
  }
  return true;
}

bool BaxWriter::writeRaw(const char *data, qint64 size) { return _append(data, size); }

bool BaxWriter::putId9(char *out, qint64 id) {
  if (id < MinId || id > MaxId) return false;
  char text[16];
  std::snprintf(text, sizeof text, "%9lld", static_cast<long long>(id));
  std::memcpy(out, text, 9);
  return true;
}

bool BaxWriter::encodeImagePoint(const BaxImagePoint &p, char *out) {
  if (!putInt16(out, p.status) || !putId9(out + 2, p.id)) return false;
  out[11] = ' ';
  putDoubles(out + 12, {p.x, p.y, p.residualX, p.residualY, p.weight});
  return true;
}

bool BaxWriter::encodeOrientation(const BaxOrientation &o, char *out) {
  putInt16(out, 0);
  if (!putId9(out + 2, o.imageId) || !putId9(out + 12, o.cameraId)) return false;
  out[11] = ' ';
  out[21] = ' ';
  putDoubles(out + 22, {o.x0, o.y0, o.z0, o.varX0, o.varY0, o.varZ0});
  return true;
}

bool BaxWriter::encodeObjectPoint(const BaxObjectPoint &p, char *out) {
  if (!putInt16(out, p.code) || !putId9(out + 2, p.id)) return false;
  out[11] = ' ';
  putDoubles(out + 12, {p.x, p.y, p.z, p.varX, p.varY, p.varZ});
  return true;
}

bool BaxWriter::encodeProjectRecord(const BaxProjectRecord &r, char *out) {
  putInt16(out, -1);
  if (!putId9(out + 2, r.id)) return false;
  out[11] = ' ';
  putDoubles(out + 12, {r.sigma0, r.redundancy, r.inversion, 0.0, 0.0, 0.0});
  return true;
}

bool BaxWriter::encodeObservation(const BaxObservation &o, char *out) {
  if (!putInt16(out, o.component) || !putInt16(out + 2, o.status) || !putId9(out + 4, o.id))
    return false;
  out[13] = ' ';
  putDoubles(out + 14, {o.value, o.residual, o.sigma});
  return true;
}

bool BaxWriter::encodeCamera(const BaxCamera &c, char *out) {
  if (c.idText.isEmpty()) {
    // Left-aligned: readers strip the blanks around the camera ID.
    char text[16];
    if (c.id < MinId || c.id > MaxId) return false;
    std::snprintf(text, sizeof text, "%-9d", c.id);
    std::memcpy(out, text, 9);
  } else {
    if (c.idText.size() > 9) return false;
    std::memset(out, ' ', 9);
    std::memcpy(out, c.idText.constData(), static_cast<size_t>(c.idText.size()));
  }
  out[9] = ' ';
  for (int i = 0; i < 25; ++i) putDouble(out + 10 + 8 * i, c.c[i]);
  return true;
}

bool BaxWriter::writeImageHeader(int imageId) {
  BaxImagePoint header;
  header.id = imageId;
  header.x = header.y = header.residualX = header.residualY = header.weight = 1.0;
  return writeImagePoint(header);
}

bool BaxWriter::writeImageEnd(double d1) {
  BaxImagePoint end;
  end.id = ImageEndId;
  end.x = d1;
  end.weight = 0.0;
  return writeImagePoint(end);
}

bool BaxWriter::writeImagePoint(const BaxImagePoint &point) {
  char record[ImageRecordSize];
  if (!encodeImagePoint(point, record))
    return _fail(QStringLiteral("Image point %1 (status %2) does not fit its record")
                     .arg(point.id)
                     .arg(point.status));
  return _append(record, ImageRecordSize);
}

bool BaxWriter::writeOrientation(const BaxOrientation &orientation) {
  char record[OrientationRecordSize];
  if (!encodeOrientation(orientation, record))
    return _fail(QStringLiteral("Orientation of image %1 does not fit its record")
                     .arg(orientation.imageId));
  return _append(record, OrientationRecordSize);
}

bool BaxWriter::writeProjectRecord(const BaxProjectRecord &projectRecord) {
  char record[ObjectRecordSize];
  if (!encodeProjectRecord(projectRecord, record))
    return _fail(QStringLiteral("Project record does not fit its record"));
  return _append(record, ObjectRecordSize);
}

bool BaxWriter::writeObjectPoint(const BaxObjectPoint &point) {
  char record[ObjectRecordSize];
  if (!encodeObjectPoint(point, record))
    return _fail(QStringLiteral("Object point %1 (code %2) does not fit its record")
                     .arg(point.id)
                     .arg(point.code));
  return _append(record, ObjectRecordSize);
}

bool BaxWriter::writeObservation(const BaxObservation &observation) {
  char record[ObservationRecordSize];
  if (!encodeObservation(observation, record))
    return _fail(QStringLiteral("Observation of point %1 does not fit its record")
                     .arg(observation.id));
  return _append(record, ObservationRecordSize);
}

bool BaxWriter::writeCamera(const BaxCamera &camera) {
  char record[CameraRecordSize];
  if (!encodeCamera(camera, record))
    return _fail(QStringLiteral("Camera %1 does not fit its record").arg(camera.id));
  return _append(record, CameraRecordSize);
}

bool BaxWriter::writeProjectFile(const QString &path, const BaxProjectFile &p, QString *error) {
  QByteArray text;
  const QByteArray &eol = p.lineEnd;
  text += "BAX project file" + eol;
  if (!p.projectName.isEmpty()) text += "PROJECT_NAME: " + p.projectName.toUtf8() + eol;
  if (!p.cameraFile.isEmpty()) text += "CAMERA_FILE: " + p.cameraFile.toUtf8() + eol;
  struct Line {
    const char *key;
    const QString &value;
    const char *comment;
  };
  const Line lines[] = {
      {"IMAGE_FILE", p.imageFile, "image coordinates"},
      {"ORIENTATION_FILE", p.orientationFile, "exterior orientations"},
      {"OBJECT_FILE", p.objectFile, "object coordinates"},
      {"OBJECT_OBSERVATION_FILE", p.observationFile, "object observations"},
  };
  for (const Line &line : lines) {
    if (line.value.isEmpty()) continue;
    text += QByteArray(line.key) + ": " + line.value.toUtf8();
    if (p.comments) text += QByteArray("   ") + line.comment;
    text += eol;
  }
  return writeText(path, text, error);
}

bool BaxWriter::writeIniFile(const QString &path, const QList<BaxIniSection> &sections,
                             const QByteArray &lineEnd, QString *error) {
  QByteArray text;
  for (const BaxIniSection &section : sections) {
    text += '[' + section.name.toUtf8() + ']' + lineEnd;
    for (const auto &entry : section.entries)
      text += entry.first.toUtf8() + '=' + entry.second.toUtf8() + lineEnd;
    // A ';' line closes the section for readers that search on past its end.
    text += ';' + lineEnd;
  }
  return writeText(path, text, error);
}
