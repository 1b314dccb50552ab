#include "phobjectpoint.h"

#include "phglobal.h"

PhObjectPoint::PhObjectPoint() {
  for (int i = 0; i < 3; ++i) mObservation.setF(i, NotObserved);
}

bool PhObjectPoint::isProjectionCentre() const { return mCode == 900 || mCode == 901; }

float PhObjectPoint::adjustedSigma(int iAxis) const {
  return iAxis >= 0 && iAxis < 3 ? float(mAdjusted.f(iAxis + 3)) : 0.0f;
}

float PhObjectPoint::observedResidual(int iAxis) const {
  return iAxis >= 0 && iAxis < 3 ? float(mObservation.f(iAxis + 3)) : 0.0f;
}

float PhObjectPoint::residualSigma(int iAxis) const {
  return iAxis >= 0 && iAxis < 3 ? mObservation.w(iAxis) : 0.0f;
}

void PhObjectPoint::setAdjustedValues(double x, double y, double z, float sigmaX, float sigmaY,
                                      float sigmaZ) {
  mAdjusted.setF(0, x);
  mAdjusted.setF(1, y);
  mAdjusted.setF(2, z);
  mAdjusted.setF(3, sigmaX);
  mAdjusted.setF(4, sigmaY);
  mAdjusted.setF(5, sigmaZ);
}

void PhObjectPoint::setObservedAxis(int iAxis, double value, float residual, float sigma,
                                    bool bAccepted) {
  if (iAxis < 0 || iAxis > 2) return;
  mObservation.setF(iAxis, value);
  mObservation.setF(iAxis + 3, residual);
  mObservation.setW(iAxis, sigma);
  mObservation.setB(iAxis, bAccepted);
}

double PhObjectPoint::horizontal(int iPlane) const {
  const int axis = PhGlobal::horizontalAxis(iPlane);
  return axis < 0 ? 0.0 : adjustedCoord(axis);
}

double PhObjectPoint::vertical(int iPlane) const {
  const int axis = PhGlobal::verticalAxis(iPlane);
  return axis < 0 ? 0.0 : adjustedCoord(axis);
}

float PhObjectPoint::horizontalSigma(int iPlane) const {
  return adjustedSigma(PhGlobal::horizontalAxis(iPlane));
}

float PhObjectPoint::verticalSigma(int iPlane) const {
  return adjustedSigma(PhGlobal::verticalAxis(iPlane));
}

float PhObjectPoint::horizontalResidual(int iPlane) const {
  return observedResidual(PhGlobal::horizontalAxis(iPlane));
}

float PhObjectPoint::verticalResidual(int iPlane) const {
  return observedResidual(PhGlobal::verticalAxis(iPlane));
}

bool PhObjectPoint::hasObserved(int iAxis) const {
  return mObservation.f(iAxis) < NotObserved;
}

int PhObjectPoint::rejectedStatus(int iPlane) const {
  const int h = PhGlobal::horizontalAxis(iPlane);
  const int v = PhGlobal::verticalAxis(iPlane);
  if (h < 0) return -1;
  const int rejected = int(!mObservation.b(h)) + int(!mObservation.b(v));
  return rejected == 2 ? 1 : rejected == 1 ? 2 : 0;
}

bool PhObjectPoint::rejectedAxisObserved(int iPlane) const {
  if (rejectedStatus(iPlane) != 2) return false;
  const int h = PhGlobal::horizontalAxis(iPlane);
  const int v = PhGlobal::verticalAxis(iPlane);
  return mObservation.b(h) ? hasObserved(v) : hasObserved(h);
}

bool PhObjectPoint::rejectedOfPlaneAxis(int iPlane) const {
  const int h = PhGlobal::horizontalAxis(iPlane);
  return h < 0 ? false : !mObservation.b(h);
}
