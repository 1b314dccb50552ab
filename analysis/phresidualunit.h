#ifndef PHRESIDUALUNIT_H
#define PHRESIDUALUNIT_H

#include <QString>

// The unit image residuals are shown in: millimetres as stored, or
// micrometres. Stored as "Analysis/ImageResidualUnit" (0 mm, 1 µm).
namespace PhResidualUnit {

enum UnitE { Millimetre = 0, Micrometre = 1 };

inline UnitE fromInt(int value) { return value == Micrometre ? Micrometre : Millimetre; }
inline double factor(UnitE unit) { return unit == Micrometre ? 1000.0 : 1.0; }
// Decimals of a shown value: a hundredth of a micrometre either way.
inline int decimals(UnitE unit) { return unit == Micrometre ? 2 : 5; }
inline QString name(UnitE unit) {
  return unit == Micrometre ? QString(QChar(0x00b5)) + QLatin1Char('m') : QStringLiteral("mm");
}

}  // namespace PhResidualUnit

#endif  // PHRESIDUALUNIT_H
