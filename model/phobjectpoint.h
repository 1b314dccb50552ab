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

  int pointId() const { return mPointId; }
  void setPointId(int iPointId) { mPointId = iPointId; }
  bool isSelected() const { return mSelected; }
  void setSelected(bool bSelected) { mSelected = bSelected; }
  int code() const { return mCode; }
  void setCode(int iCode) { mCode = iCode; }
  bool isAccepted() const { return mAccepted; }
  void setAccepted(bool bAccepted) { mAccepted = bAccepted; }
  const PhObjectCoord &observation() const { return mObservation; }
  void setObservation(const PhObjectCoord &coord) { mObservation = coord; }
  const PhObjectCoord &adjusted() const { return mAdjusted; }
  void setAdjusted(const PhObjectCoord &coord) { mAdjusted = coord; }
  const QString &note() const { return mNote; }
  void setNote(const QString &strNote) { mNote = strNote; }

  // Codes 900 and 901.
  bool isProjectionCentre() const;

  // Axis 0..2 = X, Y, Z.
  double adjustedCoord(int iAxis) const { return mAdjusted.f(iAxis); }
  float adjustedSigma(int iAxis) const;
  double observedCoord(int iAxis) const { return mObservation.f(iAxis); }
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
  bool isRejectedX() const { return !mObservation.b(0); }
  bool isRejectedY() const { return !mObservation.b(1); }
  bool isRejectedZ() const { return !mObservation.b(2); }
  // 1 both axes of the plane rejected, 2 exactly one, 0 none, -1 invalid plane.
  int rejectedStatus(int iPlane) const;
  // With exactly one rejected axis: whether that axis is observed.
  bool rejectedAxisObserved(int iPlane) const;
  // The first axis's rejection: X for XY and XZ, Y for YZ.
  bool rejectedOfPlaneAxis(int iPlane) const;

 private:
  bool hasObserved(int iAxis) const;

  int mPointId = 0;
  int mCode = 0;
  bool mSelected = false;
  bool mAccepted = true;
  PhObjectCoord mObservation;
  PhObjectCoord mAdjusted;
  QString mNote;
};

#endif  // PHOBJECTPOINT_H
