#include "fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "baxwriter.h"
#include "nubmsg.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagepoint.h"
#include "phimagerefs.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"

namespace Fuzz {

const char *const Separator = "\n--tessella-fuzz-file--\n";
const char *const ImageName = "blk.(i)";
const char *const OrientationName = "blk.(e)";
const char *const ObjectName = "blk.(o)";
const char *const ObservationName = "blk.(c)";
const char *const CameraName = "cam12.cam";
const char *const ProjectName = "blk.(p)";

namespace {

void quietMessage(Nub::MsgTypeE, const char *) {}
void quietProgress(int, int) {}

std::unique_ptr<QTemporaryDir> &scratch() {
  static std::unique_ptr<QTemporaryDir> d;
  return d;
}

QByteArray imageRecord(const BaxImagePoint &p) {
  QByteArray r(BaxWriter::ImageRecordSize, '\0');
  if (!BaxWriter::encodeImagePoint(p, r.data())) fail("encodeImagePoint", __FILE__, __LINE__);
  return r;
}

}  // namespace

void init() {
  static bool bDone = false;
  if (bDone) return;
  bDone = true;
  Nub::installMsgHandler(quietMessage);
  Nub::installProgressHandler(quietProgress);
  // Files in memory where the system offers it: the targets write files at
  // every run.
  const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                  : QDir::tempPath();
  scratch() = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tessella-fuzz-XXXXXX"));
  if (!scratch()->isValid()) fail("scratch folder", __FILE__, __LINE__);
  // No BAX installation unless a target writes a Bax.ini there.
  qputenv("windir", QFile::encodeName(dir()));
  // The scratch folder goes with the process, also when the fuzzer exits.
  std::atexit([] { scratch().reset(); });
}

QString dir() { return scratch()->path(); }

// What each scratch file holds: a file that would get the same bytes again
// is left alone, which makes runs that change one of several files faster.
QHash<QString, QByteArray> &written() {
  static QHash<QString, QByteArray> files;
  return files;
}

QString writeFile(const QString &strName, const QByteArray &bytes) {
  const QString path = QDir(dir()).filePath(strName);
  const auto known = written().constFind(strName);
  if (known != written().constEnd() && *known == bytes && QFileInfo(path).isFile()) return path;
  written().remove(strName);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
    fail("writing a scratch file", __FILE__, __LINE__);
  written().insert(strName, bytes);
  return path;
}

void removeFile(const QString &strName) {
  written().remove(strName);
  QFile::remove(QDir(dir()).filePath(strName));
}

QList<QByteArray> split(const QByteArray &input, int parts) {
  QList<QByteArray> pieces;
  const QByteArray sep(Separator);
  qsizetype from = 0;
  while (pieces.size() < parts - 1) {
    const qsizetype at = input.indexOf(sep, from);
    if (at < 0) break;
    pieces.append(input.mid(from, at - from));
    from = at + sep.size();
  }
  pieces.append(input.mid(from));
  while (pieces.size() < parts) pieces.append(QByteArray());
  return pieces;
}

QByteArray join(const QList<QByteArray> &pieces) { return pieces.join(QByteArray(Separator)); }

void fail(const char *condition, const char *file, int line) {
  std::fprintf(stderr, "FUZZ CHECK FAILED: %s at %s:%d\n", condition, file, line);
  std::fflush(stderr);
  std::abort();
}

void checkObjectList(const PhObjectList &objects) {
  QSet<int> seen;
  for (int i = 0; i < objects.count(); ++i) {
    const PhObjectPoint *p = objects.at(i);
    FUZZ_CHECK(p != nullptr);
    const PhObjectPoint *found = objects.find(p->pointId());
    FUZZ_CHECK(found != nullptr);
    // find gives the first point of that ID in list order.
    if (!seen.contains(p->pointId())) FUZZ_CHECK(found == p);
    seen.insert(p->pointId());
  }
}

void checkImageModel(const PhImageList &images, const PhObjectList &objects, int firstCentre) {
  FUZZ_CHECK(objects.count() >= firstCentre + images.count());
  for (int i = 0; i < images.count(); ++i) {
    const PhImage *image = images.at(i);
    FUZZ_CHECK(image != nullptr);
    FUZZ_CHECK(PhImageList::hasImage(image->imageId()));
    FUZZ_CHECK(image->pointCount() >= 0);
    FUZZ_CHECK(image->notAdjustedCount() >= 0 && image->notAdjustedCount() <= image->pointCount());
    for (int k = 0; k < image->pointCount(); ++k) {
      const PhImagePoint *point = image->pointAt(k);
      FUZZ_CHECK(point != nullptr);
      FUZZ_CHECK(image->point(point->pointId()) == point);
      FUZZ_CHECK(PhImage::imagesOfPoint(point->pointId()).contains(image));
    }
    if (image->largestResidualPointId() != -1)
      FUZZ_CHECK(image->hasPoint(image->largestResidualPointId()));
  }
  checkObjectList(objects);
}

void resetModel(PhImageList &images, PhObjectList &objects) {
  PhImage::clearPointIndex();
  images.clear();
  objects.clear();
}

QByteArray imageFile() {
  QByteArray out;
  int id = 101;
  for (int image = 1; image <= 3; ++image) {
    BaxImagePoint header;
    header.id = image;
    header.x = header.y = header.residualX = header.residualY = header.weight = 1.0;
    out += imageRecord(header);
    for (int k = 0; k < 3; ++k) {
      BaxImagePoint p;
      p.status = k == 2 ? 1 : 0;
      p.id = 101 + (id++ - 101) % 5;
      p.x = -10.5 + k * 3.25;
      p.y = 7.0 - k;
      p.residualX = 0.002 * (k + 1);
      p.residualY = -0.001 * k;
      p.weight = 1.0 + k;
      out += imageRecord(p);
    }
    BaxImagePoint end;
    end.id = BaxWriter::ImageEndId;
    end.weight = 0.0;
    out += imageRecord(end);
  }
  return out;
}

QByteArray orientationFile() {
  QByteArray out;
  for (int image = 1; image <= 3; ++image) {
    BaxOrientation o;
    o.imageId = image;
    o.cameraId = 12;
    o.x0 = 100.0 * image;
    o.y0 = 50.0;
    o.z0 = 300.0;
    o.varX0 = o.varY0 = o.varZ0 = 0.0004;
    QByteArray r(BaxWriter::OrientationRecordSize, '\0');
    if (!BaxWriter::encodeOrientation(o, r.data())) fail("encodeOrientation", __FILE__, __LINE__);
    out += r;
  }
  return out;
}

QByteArray objectFile() {
  QByteArray out(BaxWriter::ObjectRecordSize, '\0');
  BaxProjectRecord pr;
  pr.sigma0 = 0.8;
  pr.redundancy = 0.5;
  pr.inversion = 1.0;
  if (!BaxWriter::encodeProjectRecord(pr, out.data())) fail("encodeProjectRecord", __FILE__, __LINE__);
  for (int id = 101; id <= 105; ++id) {
    BaxObjectPoint p;
    p.code = id == 101 ? 3 : 100;
    p.id = id;
    p.x = id * 1.5;
    p.y = -id * 0.5;
    p.z = 12.0;
    p.varX = p.varY = p.varZ = 0.01;
    QByteArray r(BaxWriter::ObjectRecordSize, '\0');
    if (!BaxWriter::encodeObjectPoint(p, r.data())) fail("encodeObjectPoint", __FILE__, __LINE__);
    out += r;
  }
  return out;
}

QByteArray observationFile() {
  QByteArray out;
  const struct {
    int component, status, id;
  } rows[] = {{1, 0, 101}, {2, 1, 101}, {3, 0, 101}, {4, 0, 2}, {5, 0, 2}, {6, 0, 2}};
  for (const auto &row : rows) {
    BaxObservation o;
    o.component = row.component;
    o.status = row.status;
    o.id = row.id;
    o.value = 151.5;
    o.residual = 0.25;
    o.sigma = 0.01;
    QByteArray r(BaxWriter::ObservationRecordSize, '\0');
    if (!BaxWriter::encodeObservation(o, r.data())) fail("encodeObservation", __FILE__, __LINE__);
    out += r;
  }
  return out;
}

QByteArray cameraFile(const QByteArray &idText) {
  BaxCamera camera;
  camera.idText = idText;
  camera.c[21] = -18.0;
  camera.c[22] = 12.0;
  camera.c[23] = 36.0;
  camera.c[24] = 24.0;
  QByteArray r(BaxWriter::CameraRecordSize, '\0');
  if (!BaxWriter::encodeCamera(camera, r.data())) fail("encodeCamera", __FILE__, __LINE__);
  return r;
}

QByteArray projectFile() {
  return QByteArray("PROJECT: blk\r\nCAMERA_FILE: ") + CameraName + "\r\nIMAGE_FILE: " + ImageName +
         " image coordinates\r\nOBJECT_FILE: " + ObjectName + "\r\nORIENTATION_FILE: " +
         OrientationName + "\r\nOBJECT_OBSERVATION_FILE: " + ObservationName + "\r\n";
}

}  // namespace Fuzz
