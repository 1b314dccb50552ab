#include "phimagereader.h"

#include <climits>
#include <cmath>
#include <memory>
#include <vector>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phbaxfile.h"
#include "phbaxrecord.h"
#include "phbaxprogress.h"
#include "phexception.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagepoint.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phreadfailure.h"

namespace {

enum RecordKindE { RK_Point, RK_Header, RK_End };

// The kind of a record whose ID field reads `id`.
RecordKindE kindOf(const char *r, int id) {
  using namespace PhBaxRecord;
  if (int16At(r) != 0) return RK_Point;
  if (doubleAt(r + 20) == 1.0 && doubleAt(r + 28) == 1.0 && doubleAt(r + 36) == 1.0 &&
      doubleAt(r + 44) == 1.0 && doubleAt(r + 12) == 1.0)
    return RK_Header;
  if (id == PhImageReader::EndId && doubleAt(r + 20) == 0.0 && doubleAt(r + 28) == 0.0 &&
      doubleAt(r + 36) == 0.0 && doubleAt(r + 44) == 0.0)
    return RK_End;
  return RK_Point;
}

RecordKindE kindOf(const char *r) { return kindOf(r, PhBaxRecord::id9At(r + 2)); }

PhImagePoint pointOf(const char *r, int id) {
  using namespace PhBaxRecord;
  return PhImagePoint(id, int16At(r) == 0, float(doubleAt(r + 12)), float(doubleAt(r + 20)),
                      float(doubleAt(r + 28)), float(doubleAt(r + 36)), float(doubleAt(r + 44)));
}

PhReadFailure cannotOpen(PhReadFailure::FileE file, const QString &path, const QString &text) {
  return PhReadFailure(PhReadFailure::RF_CannotOpen, file, path, text.arg(path));
}


}  // namespace

PhImageReader::PhImageReader(PhImageList &images, PhObjectList &objects)
    : mImages(images), mObjects(objects) {}

bool PhImageReader::read(const QString &strImageFile, const QString &strOrientationFile,
                         PhReadFailure *failure) {
  using namespace PhBaxRecord;
  const QString openText = tr("Could not open file\n%1\n\n");
  PhBaxFile imageFile(ImageRecordSize);
  if (!imageFile.open(strImageFile)) {
    if (failure) *failure = cannotOpen(PhReadFailure::FILE_Image, strImageFile, openText);
    return false;
  }
  PhBaxFile orientationFile(OrientationRecordSize);
  if (!orientationFile.open(strOrientationFile)) {
    if (failure)
      *failure = cannotOpen(PhReadFailure::FILE_Orientation, strOrientationFile, openText);
    return false;
  }

  const qint64 records = imageFile.recordCount();
  const qint64 orientations = orientationFile.recordCount();
  // Every image brings a header and an end record besides its points.
  PhImage::reservePointIndex(
      int(qMin<qint64>(records - 2 * qMin(orientations, records / 2), INT_MAX)));
  mObjects.reserve(int(qMin<qint64>(mObjects.count() + orientations, INT_MAX)));

  PhBaxProgress progress(records);
  constexpr qint64 BatchSize = 65536;
  std::vector<PhImagePoint> batch;
  batch.reserve(std::size_t(BatchSize));
  qint64 nextOrientation = 0;
  qint64 ignored = 0;
  qint64 i = 0;
  while (i < records) {
    progress.at(i);
    const char *header = imageFile.record(i);
    if (kindOf(header) != RK_Header) {
      // A point or an end with no image open.
      ++ignored;
      ++i;
      continue;
    }
    const int imageId = id9At(header + 2);
    // One walk finds the image's end, so that an image cut off by another
    // header or the end of the file never enters the model, and decodes its
    // points on the way as far as the batch holds them. An image that fits
    // the file's window is read once, a longer one partly again.
    imageFile.slideTo(i + 1);
    batch.clear();
    qint64 end = i + 1;
    RecordKindE kind = RK_Point;
    for (; end < records; ++end) {
      const char *r = imageFile.record(end);
      const int id = id9At(r + 2);
      if ((kind = kindOf(r, id)) != RK_Point) break;
      if (end - i <= BatchSize) batch.push_back(pointOf(r, id));
    }
    if (end == records || kind != RK_End) {
      ignored += end - i;
      i = end;
      continue;
    }

    auto image = std::make_unique<PhImage>();
    image->setImageId(imageId);
    image->reservePoints(int(qMin<qint64>(end - i - 1, INT_MAX)));
    image->addPoints(batch.data(), int(batch.size()));
    // The points beyond the batch, in batches: the points of one image may
    // be as many as the file holds.
    for (qint64 p = i + 1 + qint64(batch.size()); p < end;) {
      batch.clear();
      for (const qint64 stop = qMin(end, p + BatchSize); p < stop; ++p) {
        const char *r = imageFile.record(p);
        batch.push_back(pointOf(r, id9At(r + 2)));
      }
      image->addPoints(batch.data(), int(batch.size()));
    }

    // A missing orientation record is as much a misfit as a wrong one.
    if (nextOrientation >= orientations ||
        id9At(orientationFile.record(nextOrientation) + 2) != imageId)
      throw PhException(SequenceError,
                        "Tessella::ReadImageFiles: Sequences in files (i) and (e) don't fit!");
    const char *e = orientationFile.record(nextOrientation++);
    const double x0 = doubleAt(e + 22);
    const double y0 = doubleAt(e + 30);
    const double z0 = doubleAt(e + 38);
    const float sigmaX0 = float(std::sqrt(doubleAt(e + 46)));
    const float sigmaY0 = float(std::sqrt(doubleAt(e + 54)));
    const float sigmaZ0 = float(std::sqrt(doubleAt(e + 62)));
    image->setCameraId(id9At(e + 12));
    image->setProjectionCentre(imageId, x0, y0, z0, sigmaX0, sigmaY0, sigmaZ0);

    PhObjectPoint centre;
    centre.setPointId(imageId);
    centre.setCode(900);
    centre.setAdjustedValues(x0, y0, z0, sigmaX0, sigmaY0, sigmaZ0);
    mObjects.append(std::move(centre));
    mImages.append(image.release());
    i = end + 1;
  }

  if (ignored > 0)
    Ux::warn(tr("%1 records of '%2' belong to no complete image and were ignored.")
                 .arg(QString::number(static_cast<long long>(ignored)), strImageFile));
  return true;
}
