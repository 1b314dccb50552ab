#ifndef PHOBJECTCOORD_H
#define PHOBJECTCOORD_H

// A plain coordinate record, used for an object point's observation and
// adjustment and for an image's projection centre. f0..f2 are coordinates and
// kept in double (national grid values run into the millions); f3..f5 are
// residuals or standard deviations, w0..w5 further standard deviations, both
// in float.
class PhObjectCoord {
 public:
  long id() const { return mId; }
  void setId(long iId) { mId = iId; }

  // Index 0..5; 0 (or no change) outside.
  double f(int i) const;
  void setF(int i, double value);
  // Index 0..2; false (or no change) outside.
  bool b(int i) const;
  void setB(int i, bool value);
  // Index 0..5; 0 (or no change) outside.
  float w(int i) const;
  void setW(int i, float value);

 private:
  long mId = -1;
  double mCoord[3] = {0.0, 0.0, 0.0};
  float mF[3] = {0.0f, 0.0f, 0.0f};
  float mW[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  bool mB[3] = {false, false, false};
};

#endif  // PHOBJECTCOORD_H
