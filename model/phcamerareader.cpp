#include "phcamerareader.h"

#include <QByteArray>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phbaxfile.h"
#include "phbaxrecord.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phreadfailure.h"

PhCameraReader::PhCameraReader(PhImageList &images) : mImages(images) {}

bool PhCameraReader::read(const QString &strCameraFile, PhReadFailure *failure) {
  Nub::debug("Tessella::ReadBAXCameraFile");
  PhBaxFile file(RecordSize);
  if (!file.open(strCameraFile)) {
    if (failure)
      *failure = PhReadFailure(PhReadFailure::RF_CannotOpen, PhReadFailure::FILE_Camera,
                               strCameraFile, tr("Could not open file\n%1\n\n").arg(strCameraFile));
    return false;
  }
  if (mImages.isEmpty()) {
    Ux::warn(tr("No image loaded to extract camera ID from."));
    return true;
  }
  const int cameraOfImages = mImages.first()->cameraId();

  bool bNumber = false;
  int cameraId = 0;
  if (file.recordCount() > 0) {
    // The ID field is text; a NUL ends it as it ends a C string.
    QByteArray text(file.record(0), 9);
    const int nul = text.indexOf('\0');
    if (nul >= 0) text.truncate(nul);
    cameraId = text.trimmed().toInt(&bNumber, 10);
  }
  if (!bNumber) {
    Ux::warn(tr("Camera ID in '%1' is no number! Can't compare with Camera ID of images.").arg(strCameraFile));
    return true;
  }
  if (cameraId != cameraOfImages) return true;

  // c22, c23: corner with the smallest x and largest y; c24, c25: width, height.
  const char *r = file.record(0);
  const double c22 = PhBaxRecord::doubleAt(r + 10 + 21 * 8);
  const double c23 = PhBaxRecord::doubleAt(r + 10 + 22 * 8);
  const double c24 = PhBaxRecord::doubleAt(r + 10 + 23 * 8);
  const double c25 = PhBaxRecord::doubleAt(r + 10 + 24 * 8);
  for (PhImage *image : mImages) {
    image->setMinX(float(c22));
    image->setMinY(float(c23 - c25));
    image->setMaxX(float(c22 + c24));
    image->setMaxY(float(c23));
  }
  return true;
}
