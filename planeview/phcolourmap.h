#ifndef PHCOLOURMAP_H
#define PHCOLOURMAP_H

#include <QColor>

// Colours for values: a continuous, perceptually uniform map from dark blue
// through green to yellow, laid over limits that the user sets. Values
// beyond the limits take the colour of the nearer end; a value that is no
// number takes a fixed grey. A value without any widget, so that a legend and
// the drawing read the same colours.
class PhColourMap {
 public:
  // Limits 0 and 1.
  PhColourMap() = default;
  PhColourMap(double low, double high);

  // The value drawn in the map's first and in its last colour. Inverted
  // limits run the map backwards; equal limits split it at that value.
  // Limits that are no finite numbers are refused and the old ones kept.
  bool setLimits(double low, double high);
  double low() const { return mLow; }
  double high() const { return mHigh; }

  // Where a value falls on the map, 0 (first colour) to 1 (last); NaN stays NaN.
  double position(double value) const;
  // The colour of a value.
  QColor colour(double value) const;
  // The map at t from 0 (first colour) to 1 (last), held within them; NaN
  // gives the grey.
  static QColor at(double t);
  // The colour of a value that is no number.
  static QColor nanColour() { return QColor(128, 128, 128); }

 private:
  double mLow = 0.0;
  double mHigh = 1.0;
};

#endif  // PHCOLOURMAP_H
