#ifndef PHPOINTSEARCH_H
#define PHPOINTSEARCH_H

#include <QString>

class PhObjectPoint;

// One search of the object points: which property it compares
// (PhGlobal::SearchModeE), its range or pattern, and the test of one point.
// Ranges: both bounds given: min <= v <= max; only a minimum (or nothing,
// then the minimum is 0): v >= min; only a maximum: v <= max. Integer modes
// read the bounds as decimal integers, the residual and sigma modes as floats.
class PhPointSearch {
 public:
  PhPointSearch(int iSearchMode, const QString &strPar1, const QString &strPar2, bool bUsePattern);

  // False, after a warning, for an unknown mode or an undecodable bound.
  bool isValid() const { return mValid; }
  // Every mode but the point-ID one enters the projection centres it finds
  // into the image set.
  bool entersImageSet() const;
  // Whether the point is found. A projection centre whose image is missing
  // is not a blunder; that is said once per search.
  bool matches(const PhObjectPoint *point);

 private:
  bool readRange(bool bInteger);
  bool readBound(const QString &text, bool bInteger, double &value) const;
  bool inRange(double value) const {
    return (!mHasMin || value >= mMin) && (!mHasMax || value <= mMax);
  }

  int mMode = 0;
  QString mPar1;
  QString mPar2;
  bool mPattern = false;
  bool mValid = false;
  bool mHasMin = true;
  bool mHasMax = false;
  double mMin = 0.0;
  double mMax = 0.0;
  bool mMissingImageReported = false;
};

#endif  // PHPOINTSEARCH_H
