#ifndef PHIMAGEPOINT_H
#define PHIMAGEPOINT_H

#include <QtGlobal>

// One measured point in one image. Kept small: a project holds millions, all
// stored by value in their image.
class PhImagePoint {
 public:
  PhImagePoint() = default;
  PhImagePoint(int iPointId, bool bAdjust, float x, float y, float residualX, float residualY,
               float weight);

  int pointId() const { return mPointId; }
  // True when the point took part in the adjustment, false for a blunder.
  bool adjustStatus() const { return mAdjustStatus; }
  // The BAX code of the object point with this ID; -1 until the project is
  // initialised and for a point without object point. BAX codes are 16-bit
  // values, and so is this one.
  int code() const { return mCode; }
  void setCode(int iCode) { mCode = qint16(iCode); }

  float x() const { return mX; }
  float y() const { return mY; }
  float residualX() const { return mResidualX; }
  float residualY() const { return mResidualY; }
  float weight() const { return mWeight; }
  void setX(float x) { mX = x; }
  void setY(float y) { mY = y; }
  void setResidualX(float value) { mResidualX = value; }
  void setResidualY(float value) { mResidualY = value; }

 private:
  int mPointId = 0;
  float mX = 0.0f;
  float mY = 0.0f;
  float mResidualX = 0.0f;
  float mResidualY = 0.0f;
  float mWeight = 0.0f;
  qint16 mCode = -1;
  bool mAdjustStatus = false;
};

#endif  // PHIMAGEPOINT_H
