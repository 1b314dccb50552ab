#ifndef BAXSIMPROJECTWRITER_H
#define BAXSIMPROJECTWRITER_H

#include <QString>

class BaxSimBlock;
struct BaxSimResult;

// Writes a whole BAX project of a block into a folder: the camera file, the
// result files (through the image and object writers), the project file,
// "Bax.ini" and the project list.
class BaxSimProjectWriter {
 public:
  // `result` holds the tally; the paths of the files, sigma 0 and the
  // redundancy are added.
  static bool write(const BaxSimBlock &block, const QString &folder, BaxSimResult *result,
                    QString *error);
};

#endif  // BAXSIMPROJECTWRITER_H
