#ifndef PHIMAGEREADER_H
#define PHIMAGEREADER_H

#include <QCoreApplication>
#include <QString>

class PhImageList;
class PhObjectList;
class PhReadFailure;

// Reads BAX's image-coordinate file "(i)" and exterior-orientation file "(e)"
// into images, image points and projection centres.
//
// (i): 52-byte records: int16 status, ID9, skip, five doubles. A header
// (status 0, all doubles 1.0) starts an image, an end (status 0, ID -99, the
// last four doubles 0.0) completes it, anything else is a point of it.
// (e): one 70-byte record per complete image, in the same order.
class PhImageReader {
  Q_DECLARE_TR_FUNCTIONS(Tessella)

 public:
  static constexpr int ImageRecordSize = 52;
  static constexpr int OrientationRecordSize = 70;
  static constexpr int EndId = -99;
  static constexpr int SequenceError = 60868;

  PhImageReader(PhImageList &images, PhObjectList &objects);

  // False with the failure when a file cannot be opened. Raises PhException
  // when the orientation file does not fit the image file. Only complete
  // images (header, points, end) enter the lists; other records are
  // reported once and skipped.
  bool read(const QString &strImageFile, const QString &strOrientationFile,
            PhReadFailure *failure);

 private:
  PhImageList &mImages;
  PhObjectList &mObjects;
};

#endif  // PHIMAGEREADER_H
