#ifndef BAXSIMIMAGEWRITER_H
#define BAXSIMIMAGEWRITER_H

#include <QString>

class BaxSimBlock;
struct BaxSimResult;

// Writes the image-coordinate file "(i)" and the exterior orientations "(e)"
// of a block, image by image in flight order.
class BaxSimImageWriter {
 public:
  // Needs the object and observation counts in `result` (the tally) and
  // adds sigma 0 and the redundancy as the adjustment would report them.
  static bool write(const BaxSimBlock &block, const QString &imagePath,
                    const QString &orientationPath, BaxSimResult *result, QString *error);
};

#endif  // BAXSIMIMAGEWRITER_H
