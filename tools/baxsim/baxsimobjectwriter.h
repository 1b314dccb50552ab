#ifndef BAXSIMOBJECTWRITER_H
#define BAXSIMOBJECTWRITER_H

#include <QString>
#include <QtGlobal>

class BaxSimBlock;
struct BaxSimResult;

// Writes the object file "(o)" (project record, control points first, then
// the other points in grid order) and the object observations "(c)" of a
// block. The rules of what is repeated and rejected are public so that the
// tally counts what is written.
class BaxSimObjectWriter {
 public:
  // Needs sigma 0 and the redundancy in `result`.
  static bool write(const BaxSimBlock &block, const QString &objectPath,
                    const QString &observationPath, const BaxSimResult &result, QString *error);

  // Whether the object record of that number (from 0) is written twice:
  // every 500th is.
  static bool isRepeated(qint64 record) { return record % RepeatPeriod == RepeatPeriod / 2; }

  // Axis (0 X, 1 Y, 2 Z) whose observation is rejected for the n-th control
  // point of a code, or -1. Periodic so that small blocks show every case.
  static int rejectedControlAxis(int code, int n) {
    switch (code) {
      case 500:
        return n % 8 == 1 ? 0 : n % 8 == 3 ? 1 : n % 8 == 5 ? 2 : -1;
      case 300:
        return n % 8 == 2 ? 0 : n % 8 == 6 ? 1 : -1;
      case 200:
        return n % 8 == 4 ? 2 : -1;
    }
    return -1;
  }

  // The same for the n-th observed projection centre.
  static int rejectedCentreAxis(int n) {
    return n % 12 == 2 ? 0 : n % 12 == 5 ? 2 : n % 12 == 9 ? 1 : -1;
  }

  // Whether a control point of the code is observed in that axis.
  static bool hasAxis(int code, int axis) {
    if (code == 500) return true;
    if (code == 300) return axis < 2;
    if (code == 200) return axis == 2;
    return false;
  }

 private:
  static constexpr int RepeatPeriod = 500;
};

#endif  // BAXSIMOBJECTWRITER_H
