#include "phobjectpoint.h"

#include "phglobal.h"

struct PhObjectPoint::Extras {
  PhObjectCoord observation;
  QString note;

  Extras() {
    for (int i = 0; i < 3; ++i) observation.setF(i, NotObserved);
  }
};

namespace {

bool validAxis(int iAxis) { return iAxis >= 0 && iAxis < 3; }

}  // namespace

PhObjectPoint::PhObjectPoint() = default;

PhObjectPoint::~PhObjectPoint() = default;

PhObjectPoint::PhObjectPoint(const PhObjectPoint &other)
    : mPointId(other.mPointId),
      mCode(other.mCode),
      mSelected(other.mSelected),
      mAccepted(other.mAccepted),
      mExtras(other.mExtras ? std::make_unique<Extras>(*other.mExtras) : nullptr) {
  for (int i = 0; i < 3; ++i) {
    mAdjusted[i] = other.mAdjusted[i];
    mAdjustedSigma[i] = other.mAdjustedSigma[i];
  }
}

PhObjectPoint &PhObjectPoint::operator=(const PhObjectPoint &other) {
  if (this != &other) *this = PhObjectPoint(other);
  return *this;
}

PhObjectPoint::PhObjectPoint(PhObjectPoint &&other) noexcept = default;

PhObjectPoint &PhObjectPoint::operator=(PhObjectPoint &&other) noexcept = default;

PhObjectPoint::Extras &PhObjectPoint::extras() {
  if (!mExtras) mExtras = std::make_unique<Extras>();
  return *mExtras;
}

PhObjectCoord PhObjectPoint::observation() const {
  return mExtras ? mExtras->observation : Extras().observation;
}

void PhObjectPoint::setObservation(const PhObjectCoord &coord) { extras().observation = coord; }

PhObjectCoord PhObjectPoint::adjusted() const {
  PhObjectCoord coord;
  for (int i = 0; i < 3; ++i) {
    coord.setF(i, mAdjusted[i]);
    coord.setF(i + 3, mAdjustedSigma[i]);
  }
  return coord;
}

void PhObjectPoint::setAdjusted(const PhObjectCoord &coord) {
  for (int i = 0; i < 3; ++i) {
    mAdjusted[i] = coord.f(i);
    mAdjustedSigma[i] = float(coord.f(i + 3));
  }
}

QString PhObjectPoint::note() const { return mExtras ? mExtras->note : QString(); }

void PhObjectPoint::setNote(const QString &strNote) {
  if (mExtras || !strNote.isEmpty()) extras().note = strNote;
}

bool PhObjectPoint::isProjectionCentre() const { return mCode == 900 || mCode == 901; }

double PhObjectPoint::adjustedCoord(int iAxis) const {
  return validAxis(iAxis) ? mAdjusted[iAxis] : 0.0;
}

float PhObjectPoint::adjustedSigma(int iAxis) const {
  return validAxis(iAxis) ? mAdjustedSigma[iAxis] : 0.0f;
}

double PhObjectPoint::observedCoord(int iAxis) const {
  if (!validAxis(iAxis)) return 0.0;
  return mExtras ? mExtras->observation.f(iAxis) : NotObserved;
}

float PhObjectPoint::observedResidual(int iAxis) const {
  return validAxis(iAxis) && mExtras ? float(mExtras->observation.f(iAxis + 3)) : 0.0f;
}

float PhObjectPoint::residualSigma(int iAxis) const {
  return validAxis(iAxis) && mExtras ? mExtras->observation.w(iAxis) : 0.0f;
}

void PhObjectPoint::setAdjustedValues(double x, double y, double z, float sigmaX, float sigmaY,
                                      float sigmaZ) {
  mAdjusted[0] = x;
  mAdjusted[1] = y;
  mAdjusted[2] = z;
  mAdjustedSigma[0] = sigmaX;
  mAdjustedSigma[1] = sigmaY;
  mAdjustedSigma[2] = sigmaZ;
}

void PhObjectPoint::setObservedAxis(int iAxis, double value, float residual, float sigma,
                                    bool bAccepted) {
  if (!validAxis(iAxis)) return;
  PhObjectCoord &observation = extras().observation;
  observation.setF(iAxis, value);
  observation.setF(iAxis + 3, residual);
  observation.setW(iAxis, sigma);
  observation.setB(iAxis, bAccepted);
}

double PhObjectPoint::horizontal(int iPlane) const {
  return adjustedCoord(PhGlobal::horizontalAxis(iPlane));
}

double PhObjectPoint::vertical(int iPlane) const {
  return adjustedCoord(PhGlobal::verticalAxis(iPlane));
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
  return mExtras && mExtras->observation.f(iAxis) < NotObserved;
}

bool PhObjectPoint::axisAccepted(int iAxis) const {
  return mExtras && mExtras->observation.b(iAxis);
}

int PhObjectPoint::rejectedStatus(int iPlane) const {
  const int h = PhGlobal::horizontalAxis(iPlane);
  const int v = PhGlobal::verticalAxis(iPlane);
  if (h < 0) return -1;
  const int rejected = int(!axisAccepted(h)) + int(!axisAccepted(v));
  return rejected == 2 ? 1 : rejected == 1 ? 2 : 0;
}

bool PhObjectPoint::rejectedAxisObserved(int iPlane) const {
  if (rejectedStatus(iPlane) != 2) return false;
  const int h = PhGlobal::horizontalAxis(iPlane);
  const int v = PhGlobal::verticalAxis(iPlane);
  return axisAccepted(h) ? hasObserved(v) : hasObserved(h);
}

bool PhObjectPoint::rejectedOfPlaneAxis(int iPlane) const {
  const int h = PhGlobal::horizontalAxis(iPlane);
  return h < 0 ? false : !axisAccepted(h);
}
