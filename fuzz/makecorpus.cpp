// Writes the seed corpora of the fuzz targets: small inputs that together
// hold every record kind and value type each reader knows, some damage each
// reader must refuse, and odd values (NaN, infinities, non-numeric IDs).
// Run as: fuzz_makecorpus <fuzz/corpus folder>
#include <QDir>
#include <QFile>
#include <QList>
#include <QRect>
#include <QSize>
#include <QColor>
#include <QDateTime>
#include <QPoint>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <limits>

#include "baxwriter.h"
#include "fuzzsupport.h"
#include "uxcfgfile.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

QString sRoot;
bool sOk = true;

void put(const char *target, const char *name, const QByteArray &bytes) {
  const QString dir = sRoot + QLatin1Char('/') + QLatin1String(target);
  QDir().mkpath(dir);
  QFile file(dir + QLatin1Char('/') + QLatin1String(name));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
    sOk = false;
  }
}

void must(bool bOk) {
  if (!bOk) {
    std::fprintf(stderr, "a seed record does not fit\n");
    sOk = false;
  }
}

QByteArray point(int status, int id, double x, double y, double rx, double ry, double w) {
  BaxImagePoint p;
  p.status = status;
  p.id = id;
  p.x = x;
  p.y = y;
  p.residualX = rx;
  p.residualY = ry;
  p.weight = w;
  QByteArray r(BaxWriter::ImageRecordSize, '\0');
  must(BaxWriter::encodeImagePoint(p, r.data()));
  return r;
}
QByteArray header(int id) { return point(0, id, 1, 1, 1, 1, 1); }
QByteArray end(double d1 = 0.0) { return point(0, BaxWriter::ImageEndId, d1, 0, 0, 0, 0); }

// A record with its ID field replaced by raw text.
QByteArray withId(QByteArray r, int at, const char *id9) {
  std::memcpy(r.data() + at, id9, 9);
  return r;
}

QByteArray orientation(int image, int camera, double var = 0.0004) {
  BaxOrientation o;
  o.imageId = image;
  o.cameraId = camera;
  o.x0 = 100.0 * image;
  o.y0 = -20.0;
  o.z0 = 250.0;
  o.varX0 = o.varY0 = o.varZ0 = var;
  QByteArray r(BaxWriter::OrientationRecordSize, '\0');
  must(BaxWriter::encodeOrientation(o, r.data()));
  return r;
}

QByteArray objectPoint(int code, int id, double var = 0.01, double x = 10.0) {
  BaxObjectPoint p;
  p.code = code;
  p.id = id;
  p.x = x;
  p.y = 20.0;
  p.z = -3.0;
  p.varX = p.varY = p.varZ = var;
  QByteArray r(BaxWriter::ObjectRecordSize, '\0');
  must(BaxWriter::encodeObjectPoint(p, r.data()));
  return r;
}

QByteArray projectRecord(double inversion, double sigma0 = 0.9) {
  BaxProjectRecord pr;
  pr.sigma0 = sigma0;
  pr.redundancy = 0.4;
  pr.inversion = inversion;
  QByteArray r(BaxWriter::ObjectRecordSize, '\0');
  must(BaxWriter::encodeProjectRecord(pr, r.data()));
  return r;
}

QByteArray observation(int component, int status, int id, double value = 10.0,
                       double residual = 0.25, double sigma = 0.01) {
  BaxObservation o;
  o.component = component;
  o.status = status;
  o.id = id;
  o.value = value;
  o.residual = residual;
  o.sigma = sigma;
  QByteArray r(BaxWriter::ObservationRecordSize, '\0');
  must(BaxWriter::encodeObservation(o, r.data()));
  return r;
}

QByteArray camera(const QByteArray &idText, double x = -18, double y = 12, double w = 36,
                  double h = 24) {
  BaxCamera c;
  c.idText = idText;
  c.c[21] = x;
  c.c[22] = y;
  c.c[23] = w;
  c.c[24] = h;
  QByteArray r(BaxWriter::CameraRecordSize, '\0');
  must(BaxWriter::encodeCamera(c, r.data()));
  return r;
}

Ux::CfgFile::Entry entry(const char *key, Ux::CfgFile::KindE kind, const QVariant &value) {
  Ux::CfgFile::Entry e;
  e.key = QString::fromUtf8(key);
  e.kind = kind;
  e.value = value;
  return e;
}

QByteArray cfg(const QList<Ux::CfgFile::Entry> &entries) {
  Ux::CfgFile::Header h;
  h.julianDay = 2461000;
  h.msecs = 3600000;
  const QByteArray bytes = Ux::CfgFile::encode(h, entries);
  must(!bytes.isEmpty());
  return bytes;
}

void imageSeeds() {
  put("imagefile", "valid", Fuzz::imageFile());
  // Points before any header, an end with no image, an image cut off by the
  // next header, then one complete image.
  put("imagefile", "stray-records",
      point(0, 7, 1, 2, 0, 0, 1) + end() + header(5) + point(0, 101, 1, 1, 0, 0, 1) + header(1) +
          point(1, 101, 3, 4, 0.1, 0.2, 0.5) + end(4.5));
  put("imagefile", "odd-values",
      header(1) + point(0, 101, NaN, Inf, -Inf, NaN, 0) + point(0, 102, 1e300, -1e300, 1e-320, 0, -1) +
          point(-1, 101, 0, 0, 0, 0, 0) + point(0, 103, 1, 1, 1, 1, 0.999999) + end() + header(2) +
          end());
  put("imagefile", "text-ids",
      header(1) + withId(point(0, 0, 1, 2, 0, 0, 1), 2, "  12ab   ") +
          withId(point(0, 0, 1, 2, 0, 0, 1), 2, "abcdefghi") +
          withId(point(0, 0, 1, 2, 0, 0, 1), 2, "+99999999") +
          withId(point(0, 0, 1, 2, 0, 0, 1), 2, "-\t\n7    ") + end() + header(2) + end() +
          header(3) + withId(end(), 2, "  -99xyz "));
  // Image 2 before image 1: the orientation file's order does not fit.
  put("imagefile", "out-of-order", header(2) + end() + header(1) + end());
  put("imagefile", "many-images",
      header(1) + end() + header(2) + end() + header(3) + end() + header(4) + end());

  put("orientationfile", "valid", Fuzz::orientationFile());
  put("orientationfile", "swapped", orientation(2, 12) + orientation(1, 12) + orientation(3, 12));
  put("orientationfile", "short", orientation(1, 12) + orientation(2, 12));
  put("orientationfile", "odd-values",
      orientation(1, 12, NaN) + orientation(2, -5, -1.0) + orientation(3, 999999999, Inf) +
          orientation(4, 12));
  put("orientationfile", "text-ids",
      withId(orientation(1, 12), 12, "twelve   ") + withId(orientation(2, 0), 2, "  2junk  ") +
          orientation(3, 12));
}

void objectSeeds() {
  put("objectfile", "valid", Fuzz::objectFile());
  put("objectfile", "repeats",
      objectPoint(100, 101) + objectPoint(100, 101) + objectPoint(3, 102) + objectPoint(100, 101) +
          projectRecord(0.0) + objectPoint(900, 2) + objectPoint(901, 3));
  put("objectfile", "bad-inversion", objectPoint(100, 101) + projectRecord(0.5));
  put("objectfile", "odd-values",
      projectRecord(1.0, NaN) + objectPoint(100, 101, -1.0, NaN) + objectPoint(-32768, 102, Inf, -Inf) +
          objectPoint(32767, 103, 0, 1e300) + withId(objectPoint(100, 0), 2, "x1       "));

  put("observationfile", "valid", Fuzz::observationFile());
  put("observationfile", "statuses",
      observation(1, 1, 102) + observation(2, 0, 102) + observation(3, 0, 102) +
          observation(1, 0, 103) + observation(2, 0, 103) + observation(3, 1, 103) +
          observation(3, -1, 104));
  put("observationfile", "unknown-and-illegal",
      observation(9, 0, 4711) + observation(0, 0, 4712) + observation(4, 0, 3) +
          observation(7, 0, 101));
  put("observationfile", "odd-values",
      observation(1, 0, 101, NaN, Inf, -Inf) + observation(2, 0, 101, 1e300, -1e300, 1e-310) +
          withId(observation(5, 0, 0), 4, "   1abc  ") + observation(6, 32767, 1));
}

void cameraSeeds() {
  put("camerafile", "valid", Fuzz::cameraFile());
  put("camerafile", "padded", camera("   12    "));
  put("camerafile", "not-a-number", camera("12a"));
  put("camerafile", "other-camera", camera("13"));
  put("camerafile", "nul-in-id", camera(QByteArray("12\0 9", 5)));
  put("camerafile", "odd-frame", camera("12", NaN, Inf, 1e300, -1e300));
  put("camerafile", "short", camera("12").left(120));
}

void projectSeeds() {
  // Small files: the replay walks every bit of every seed, and the readers'
  // own targets cover the records in depth.
  const QByteArray i = header(1) + point(0, 101, 1, 2, 0, 0, 1) + point(1, 102, 3, 4, 0, 0, 1) +
                       end() + header(2) + point(0, 101, 5, 6, 0, 0, 1) + end();
  const QByteArray e = orientation(1, 12) + orientation(2, 12);
  const QByteArray o = projectRecord(1.0) + objectPoint(100, 101) + objectPoint(3, 102);
  const QByteArray c = observation(1, 0, 102) + observation(4, 0, 2);
  const QByteArray cam = Fuzz::cameraFile();
  put("project", "valid", Fuzz::join({i, e, o, c, cam}));
  put("project", "other-camera", Fuzz::join({i, e, o, c, camera("13")}));
  put("project", "no-camera", Fuzz::join({i, e, o, c, QByteArray()}));
  put("project", "sequence-error", Fuzz::join({i, orientation(2, 12) + orientation(1, 12), o, c, cam}));
  put("project", "bad-inversion", Fuzz::join({i, e, projectRecord(2.0), c, cam}));
  put("project", "illegal-component", Fuzz::join({i, e, o, observation(8, 0, 101), cam}));
  // Image points whose object points carry another code.
  put("project", "codes",
      Fuzz::join({i, e, objectPoint(5, 101) + objectPoint(6, 102) + objectPoint(7, 101), c, cam}));

  put("projectfile", "valid", Fuzz::projectFile());
  put("projectfile", "lf-and-comments",
      "BAX project file\nCAMERA_FILE:   cam12.cam  \nIMAGE_FILE: blk.(i) image coordinates\n"
      "OBJECT_FILE: blk.(o)\nORIENTATION_FILE: blk.(e) (e) twice\n"
      "OBJECT_OBSERVATION_FILE: blk.(c)\nIMAGE_FILE: blk.(i)\n");
  put("projectfile", "missing-key",
      "IMAGE_FILE: blk.(i)\r\nOBJECT_FILE: blk.(o)\r\nORIENTATION_FILE:blk.(e)\r\n");
  put("projectfile", "odd-names",
      "CAMERA_FILE: cam12.cam\rIMAGE_FILE: sub\\blk.(i)\r\nOBJECT_FILE: \xe4\xf6.(o)\r\n"
      "ORIENTATION_FILE: blk.(e\r\nOBJECT_OBSERVATION_FILE: nothing here\r\n"
      "OBJECT_FILE: blk.(o) \xc3\xa4 \r\n");
  put("projectfile", "long-line",
      "IMAGE_FILE: " + QByteArray(1100, 'x') + ".(i)\nOBJECT_FILE: blk.(o)\nORIENTATION_FILE: "
      "blk.(e)\nOBJECT_OBSERVATION_FILE: blk.(c)");
}

void iniSeeds() {
  put("baxini", "valid",
      "[BAX]\r\nPATH_PROGRAMS = C:\\BAX\\PROGRAMS\r\n;\r\n[BAXB]\r\nBAXB_LAST_PROJ=C:\\BAX\\"
      "proj.lst\r\n;end\r\n[PROJECT]\r\nBAXB_OUT_TESL = C:\\data\\blk\r\n");
  put("baxini", "semicolon-first",
      "[BAXB]\n; comment\nBAXB_LAST_PROJ=x\n[BAX]\nPATH_PROGRAMSX=prefix\n[PROJECT]\n");
  put("baxini", "runs-on",
      "[PROJECT]\nOTHER=1\n[NEXT]\nBAXB_OUT_TESL\nBAXB_OUT_TESL=second\n[BAX]\n"
      "PATH_PROGRAMS=a=b=c\n[BAXB]");
  put("baxini", "latin1",
      "[PROJECT]\r\nBAXB_OUT_TESL = C:\\Daten\\M\xfcller\\blk \r\n[BAX]\r\nPATH_PROGRAMS=\t \r\n");
}

void cfgSeeds() {
  using Ux::CfgFile;
  CfgFile::Pen pen;
  pen.style = 0x21;
  pen.width = 3;
  pen.color = 0x80FF0000u;
  const QList<CfgFile::Entry> all = {
      entry("General/Name", CfgFile::K_String, QStringLiteral("Tessella \u00e4\u20ac")),
      entry("General/Null", CfgFile::K_String, QString()),
      entry("General/Empty", CfgFile::K_String, QStringLiteral("")),
      entry("Files/Recent", CfgFile::K_StringList,
            QStringList{QStringLiteral("a.(p)"), QString(), QStringLiteral("")}),
      entry("Window/Geometry", CfgFile::K_Rect, QRect(10, 20, 640, 480)),
      entry("Window/Size", CfgFile::K_Size, QSize(-1, 300)),
      entry("View/Colour", CfgFile::K_Color, QColor::fromRgba(0x7F102030u)),
      entry("View/Count", CfgFile::K_Int, -42),
      entry("View/Scale", CfgFile::K_Double, 1.5),
      entry("View/Pen", CfgFile::K_Pen, QVariant::fromValue(pen)),
  };
  put("cfgfile", "all-kinds", cfg(all));
  put("cfgfile", "odd-doubles",
      cfg({entry("a", CfgFile::K_Double, NaN), entry("b", CfgFile::K_Double, Inf),
           entry("c", CfgFile::K_Double, -Inf), entry("a", CfgFile::K_Int, 1)}));
  put("cfgfile", "empty-table", cfg({}));
  put("cfgfile", "trailing-data", cfg({entry("k", CfgFile::K_Int, 7)}) + "xyz");
  QByteArray wrongKind = cfg({entry("k", CfgFile::K_Int, 7)});
  // The type number of the one entry, after the header and the key "k".
  wrongKind[CfgFile::HEADER_SIZE + 6 + 3] = char(99);
  put("cfgfile", "unknown-kind", wrongKind);

  // The kinds of other writers, nested; a Map out of key order with a repeated key.
  const CfgFile::List inner = {{CfgFile::K_Invalid, QVariant()},
                               {CfgFile::K_Bool, true},
                               {CfgFile::K_ByteArray, QByteArray()},
                               {CfgFile::K_Pen, QVariant::fromValue(pen)}};
  const CfgFile::Map map = {entry("z", CfgFile::K_UInt, 4000000000u),
                            entry("a", CfgFile::K_List, QVariant::fromValue(inner)),
                            entry("z", CfgFile::K_Point, QPoint(-1, 2))};
  put("cfgfile", "further-kinds",
      cfg({entry("Other/Map", CfgFile::K_Map, QVariant::fromValue(map)),
           entry("Other/Invalid", CfgFile::K_Invalid, QVariant()),
           entry("Other/Bool", CfgFile::K_Bool, false),
           entry("Other/Date", CfgFile::K_Date, QDate(2023, 2, 24)),
           entry("Other/Time", CfgFile::K_Time, QTime(12, 34, 56, 789)),
           entry("Other/DateTime", CfgFile::K_DateTime,
                 QDateTime(QDate::fromJulianDay(0), QTime(23, 59, 59, 999), Qt::UTC)),
           entry("Other/Bytes", CfgFile::K_ByteArray, QByteArray("\0\xff", 2)),
           entry("Other/Empty", CfgFile::K_ByteArray, QByteArray("", 0)),
           entry("Other/LongLong", CfgFile::K_LongLong, std::numeric_limits<qlonglong>::min()),
           entry("Other/ULongLong", CfgFile::K_ULongLong, std::numeric_limits<qulonglong>::max())}));
  // Lists as deep as a file may nest them, and one level deeper.
  QVariant deep = 7;
  CfgFile::KindE kind = CfgFile::K_Int;
  for (int i = 0; i < CfgFile::MAX_DEPTH; ++i) {
    deep = QVariant::fromValue(CfgFile::List{{kind, deep}});
    kind = CfgFile::K_List;
  }
  const QByteArray deepest = cfg({entry("deep", CfgFile::K_List, deep)});
  put("cfgfile", "deep-lists", deepest);
  QByteArray tooDeep = deepest;
  // One more list after the header, the key "deep" and the outer type number.
  tooDeep.insert(CfgFile::HEADER_SIZE + 4 + 8 + 4, QByteArray::fromHex("0000000100000002"));
  put("cfgfile", "too-deep", tooDeep);
  QByteArray badBool = cfg({entry("b", CfgFile::K_Bool, true), entry("c", CfgFile::K_Int, 1)});
  // The byte of the first Bool, after the header, the key "b" and the type number.
  badBool[CfgFile::HEADER_SIZE + 6 + 4] = char(2);
  put("cfgfile", "bad-bool", badBool);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  sRoot = QString::fromLocal8Bit(argv[1]);
  imageSeeds();
  objectSeeds();
  cameraSeeds();
  projectSeeds();
  iniSeeds();
  cfgSeeds();
  return sOk ? 0 : 1;
}
