#ifndef FUZZSUPPORT_H
#define FUZZSUPPORT_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

class PhImageList;
class PhObjectList;

// Shared by the fuzz targets: a quiet, hermetic setting (no messages, no
// progress output, a scratch folder of the process's own, "windir" pointing
// into it), fixed companion files and the checks of a model that a reader
// claims to have read whole.
namespace Fuzz {

// Once per process; every target calls it first.
void init();

// The process's scratch folder.
QString dir();

// Writes the bytes to a file of that name in the scratch folder and returns
// its path; aborts when that fails (a broken setting, not a finding).
QString writeFile(const QString &strName, const QByteArray &bytes);
// Removes the file, if any.
void removeFile(const QString &strName);

inline QByteArray bytes(const uint8_t *data, size_t size) {
  return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input cut at each separator into at most `parts` pieces; missing
// pieces are empty. The separator is a line of its own in the seeds.
QList<QByteArray> split(const QByteArray &input, int parts);
QByteArray join(const QList<QByteArray> &pieces);
extern const char *const Separator;

// Reports the broken condition and aborts, which the fuzzer and the replay
// both take as a finding.
[[noreturn]] void fail(const char *condition, const char *file, int line);

// A model the readers built: every image in the class-wide index and in the
// point index under each of its points, one projection centre per image in
// the object list (from `firstCentre` on, in image order), every object
// point findable by its ID.
void checkImageModel(const PhImageList &images, const PhObjectList &objects, int firstCentre);
void checkObjectList(const PhObjectList &objects);
// Empties the lists and the class-wide indexes.
void resetModel(PhImageList &images, PhObjectList &objects);

// Valid companion files: images 1, 2 and 3 (camera 12) with points 101..105,
// their orientations, object points 101..105 after a project record, their
// observations (control point 101, observed centre of image 2) and camera 12.
QByteArray imageFile();
QByteArray orientationFile();
QByteArray objectFile();
QByteArray observationFile();
QByteArray cameraFile(const QByteArray &idText = "       12");
QByteArray projectFile();  // names the five files below, in the scratch folder
extern const char *const ImageName;
extern const char *const OrientationName;
extern const char *const ObjectName;
extern const char *const ObservationName;
extern const char *const CameraName;
extern const char *const ProjectName;

}  // namespace Fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : Fuzz::fail(#condition, __FILE__, __LINE__))

#endif  // FUZZSUPPORT_H
