#ifndef BAXWRITER_H
#define BAXWRITER_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QFile;

// Plain records of the BAX result files. Every integer field is range-checked
// when written (int16 fields -32768..32767, IDs -99999999..999999999), so a
// record that cannot be represented is refused rather than truncated.

// One record of the image-coordinate file "(i)": a measured point.
struct BaxImagePoint {
  int status = 0;  // 0 = took part in the adjustment, anything else = eliminated
  int id = 0;
  double x = 0.0;
  double y = 0.0;
  double residualX = 0.0;
  double residualY = 0.0;
  double weight = 1.0;
};

// One record of the exterior-orientation file "(e)".
struct BaxOrientation {
  int imageId = 0;
  int cameraId = 0;
  double x0 = 0.0;
  double y0 = 0.0;
  double z0 = 0.0;
  double varX0 = 0.0;
  double varY0 = 0.0;
  double varZ0 = 0.0;
};

// One point record of the object file "(o)": adjusted coordinates and variances.
struct BaxObjectPoint {
  int code = 100;
  int id = 0;
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double varX = 0.0;
  double varY = 0.0;
  double varZ = 0.0;
};

// The project record of the object file (code -1): global adjustment results.
struct BaxProjectRecord {
  int id = 0;  // not used by readers
  double sigma0 = 0.0;
  double redundancy = 0.0;
  double inversion = 1.0;  // 0.0 or 1.0
};

// One record of the object-observation file "(c)".
struct BaxObservation {
  int component = 1;  // 1..3 X, Y, Z of a control point; 4..6 of a projection centre
  int status = 0;     // 0 = accepted, anything else = rejected
  int id = 0;         // point ID, or image ID for components 4..6
  double value = 0.0;
  double residual = 0.0;
  double sigma = 0.0;
};

// The camera file's record: a 9-character ID text and 25 doubles. c[21]..c[24]
// (c22..c25 counted from one) are the frame: upper-left x, y, width, height.
struct BaxCamera {
  int id = 0;
  QByteArray idText;  // written instead of `id` when not empty (at most 9 bytes)
  double c[25] = {};
};

// The text project file "(p)". An empty field leaves its line out.
struct BaxProjectFile {
  QString projectName;
  QString cameraFile;
  QString imageFile;
  QString objectFile;
  QString orientationFile;
  QString observationFile;
  bool comments = true;  // a short comment after each result-file name
  QByteArray lineEnd = "\r\n";
};

// One section of an INI-style file ("Bax.ini", BAX's project list).
struct BaxIniSection {
  QString name;
  QList<QPair<QString, QString>> entries;
};

// Appends BAX records to one binary file through a large buffer. Any failure
// (open, write, a value out of range) is remembered: the writing calls return
// false from then on and close() reports it.
class BaxWriter {
 public:
  enum RecordSize : int {
    ImageRecordSize = 52,
    OrientationRecordSize = 70,
    ObjectRecordSize = 60,
    ObservationRecordSize = 38,
    CameraRecordSize = 210
  };
  static constexpr int ImageEndId = -99;

  BaxWriter();
  ~BaxWriter();
  BaxWriter(const BaxWriter &) = delete;
  BaxWriter &operator=(const BaxWriter &) = delete;

  bool open(const QString &path);  // creates or truncates
  bool close();                    // flushes; false when anything failed
  bool isOpen() const;
  QString errorString() const;
  // Hands the error message to `error` (when given); always false.
  bool reportError(QString *error) const;
  qint64 bytesWritten() const;  // including what is still buffered

  // "(i)": a header (status 0, ID = image ID, d1..d5 = 1.0), the points, an end
  // record (status 0, ID -99, d1 as given, d2..d5 = 0.0).
  bool writeImageHeader(int imageId);
  bool writeImagePoint(const BaxImagePoint &point);
  bool writeImageEnd(double d1 = 0.0);
  bool writeOrientation(const BaxOrientation &orientation);  // "(e)"
  bool writeProjectRecord(const BaxProjectRecord &record);   // "(o)"
  bool writeObjectPoint(const BaxObjectPoint &point);        // "(o)"
  bool writeObservation(const BaxObservation &observation);  // "(c)"
  bool writeCamera(const BaxCamera &camera);
  bool writeRaw(const char *data, qint64 size);  // for damaged files in tests

  // Byte encoders (little-endian numbers, IDs right-aligned in 9 characters,
  // skip bytes blank). `out` must hold the record size; false when a value
  // does not fit, and `out` is then unspecified.
  static bool encodeImagePoint(const BaxImagePoint &point, char *out);
  static bool encodeOrientation(const BaxOrientation &orientation, char *out);
  static bool encodeObjectPoint(const BaxObjectPoint &point, char *out);
  static bool encodeProjectRecord(const BaxProjectRecord &record, char *out);
  static bool encodeObservation(const BaxObservation &observation, char *out);
  static bool encodeCamera(const BaxCamera &camera, char *out);
  static bool putId9(char *out, qint64 id);

  // Text files; false with a message in `error` when the file cannot be written.
  static bool writeProjectFile(const QString &path, const BaxProjectFile &project,
                               QString *error = nullptr);
  static bool writeIniFile(const QString &path, const QList<BaxIniSection> &sections,
                           const QByteArray &lineEnd = "\r\n", QString *error = nullptr);

 private:
  bool _append(const char *data, qint64 size);
  bool _fail(const QString &message);
  bool _flush();

  QFile *mFile = nullptr;
  QByteArray mBuffer;
  qint64 mUsed = 0;
  qint64 mFlushed = 0;
  QString mError;
  bool mFailed = false;
};

#endif  // BAXWRITER_H
