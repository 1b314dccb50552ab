#ifndef PHOBJECTPOINT_H
#define PHOBJECTPOINT_H

#include <QString>

#include "phobjectcoord.h"

// One object point or projection centre of the adjustment.
//
// observation: f0..f2 observed X, Y, Z (NotObserved marks an axis without
// observation), f3..f5 their residuals, b0..b2 the per-axis accepted flags,
// w0..w2 the standard deviations of the residuals.
// adjusted: f0..f2 adjusted X, Y, Z, f3..f5 their standard deviations.
class PhObjectPoint {
 public:
  static constexpr double NotObserved = 999999999.0;

  // A new point as the readers make it: accepted, not selected, no axis
  // observed, all residuals and standard deviations 0.
  PhObjectPoint();
  // Most points have nothing kept beside them: no call to find out.
  ~PhObjectPoint() {
    if (mHasExtras) dropExtras();
  }
  PhObjectPoint(const PhObjectPoint &other);
  PhObjectPoint &operator=(const PhObjectPoint &other);
  PhObjectPoint(PhObjectPoint &&other) noexcept
      : mPointId(other.mPointId),
        mCode(other.mCode),
        mAdjusted{other.mAdjusted[0], other.mAdjusted[1], other.mAdjusted[2]},
        mAdjustedSigma{other.mAdjustedSigma[0], other.mAdjustedSigma[1], other.mAdjustedSigma[2]},
        mSelected(other.mSelected),
        mAccepted(other.mAccepted) {
    if (other.mHasExtras) takeExtras(other);
  }
  PhObjectPoint &operator=(PhObjectPoint &&other) noexcept;

  int pointId() const { return mPointId; }
  void setPointId(int iPointId) { mPointId = iPointId; }
  bool isSelected() const { return mSelected; }
  void setSelected(bool bSelected) { mSelected = bSelected; }
  int code() const { return mCode; }
  void setCode(int iCode) { mCode = iCode; }
  bool isAccepted() const { return mAccepted; }
  void setAccepted(bool bAccepted) { mAccepted = bAccepted; }
  PhObjectCoord observation() const;
  void setObservation(const PhObjectCoord &coord);
  // Only f0..f5 of the adjustment are kept.
  PhObjectCoord adjusted() const;
  void setAdjusted(const PhObjectCoord &coord);
  QString note() const;
  void setNote(const QString &strNote);

  // Codes 900 and 901.
  bool isProjectionCentre() const;

  // Axis 0..2 = X, Y, Z; 0 outside.
  double adjustedCoord(int iAxis) const;
  float adjustedSigma(int iAxis) const;
  double observedCoord(int iAxis) const;
  float observedResidual(int iAxis) const;
  float residualSigma(int iAxis) const;
  void setAdjustedValues(double x, double y, double z, float sigmaX, float sigmaY, float sigmaZ);
  void setObservedAxis(int iAxis, double value, float residual, float sigma, bool bAccepted);

  // By plane (PhGlobal::PlaneE); 0 for a value outside 0..2.
  double horizontal(int iPlane) const;
  double vertical(int iPlane) const;
  float horizontalSigma(int iPlane) const;
  float verticalSigma(int iPlane) const;
  float horizontalResidual(int iPlane) const;
  float verticalResidual(int iPlane) const;

  // An axis is observed when its value is below NotObserved (NaN is not).
  bool hasObservedX() const { return hasObserved(0); }
  bool hasObservedY() const { return hasObserved(1); }
  bool hasObservedZ() const { return hasObserved(2); }
  // An axis is rejected when its accepted flag is false, observed or not.
  bool isRejectedX() const { return !axisAccepted(0); }
  bool isRejectedY() const { return !axisAccepted(1); }
  bool isRejectedZ() const { return !axisAccepted(2); }
  // 1 both axes of the plane rejected, 2 exactly one, 0 none, -1 invalid plane.
  int rejectedStatus(int iPlane) const;
  // With exactly one rejected axis: whether that axis is observed.
  bool rejectedAxisObserved(int iPlane) const;
  // The first axis's rejection: X for XY and XZ, Y for YZ.
  bool rejectedOfPlaneAxis(int iPlane) const;

  // What only observed points (control points, observed projection
  // centres) and points with a note carry; most points never need it. It is
  // kept beside the points, found by the point's address, so that a point
  // without it costs no pointer.
  struct Extras;

 private:
  Extras &extras();
  const Extras *findExtras() const;
  void takeExtras(PhObjectPoint &other);
  void dropExtras();
  bool hasObserved(int iAxis) const;
  bool axisAccepted(int iAxis) const;

  int mPointId = 0;
  int mCode = 0;
  double mAdjusted[3] = {0.0, 0.0, 0.0};
  float mAdjustedSigma[3] = {0.0f, 0.0f, 0.0f};
  bool mSelected = false;
  bool mAccepted = true;
  bool mHasExtras = false;
};

#endif  // PHOBJECTPOINT_H
