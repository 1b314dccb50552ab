#include "phobjectpoint.h"

#include <unordered_map>

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

// Never destroyed: points in static storage may outlive any other static.
static std::unordered_map<const PhObjectPoint *, PhObjectPoint::Extras> &extrasTable() {
  static auto *table = new std::unordered_map<const PhObjectPoint *, PhObjectPoint::Extras>;
  return *table;
}

static_assert(sizeof(PhObjectPoint) <= 48, "object points are stored by the million");

PhObjectPoint::PhObjectPoint() = default;

PhObjectPoint::PhObjectPoint(const PhObjectPoint &other)
    : mPointId(other.mPointId),
      mCode(other.mCode),
      mSelected(other.mSelected),
      mAccepted(other.mAccepted) {
  for (int i = 0; i < 3; ++i) {
    mAdjusted[i] = other.mAdjusted[i];
    mAdjustedSigma[i] = other.mAdjustedSigma[i];
  }
  if (const Extras *found = other.findExtras()) {
    // The reference stays valid while the table grows.
    extrasTable()[this] = *found;
    mHasExtras = true;
  }
}

PhObjectPoint &PhObjectPoint::operator=(const PhObjectPoint &other) {
  if (this != &other) *this = PhObjectPoint(other);
  return *this;
}

PhObjectPoint &PhObjectPoint::operator=(PhObjectPoint &&other) noexcept {
  if (this == &other) return *this;
  mPointId = other.mPointId;
  mCode = other.mCode;
  mSelected = other.mSelected;
  mAccepted = other.mAccepted;
  for (int i = 0; i < 3; ++i) {
    mAdjusted[i] = other.mAdjusted[i];
    mAdjustedSigma[i] = other.mAdjustedSigma[i];
  }
  dropExtras();
  takeExtras(other);
  return *this;
}

void PhObjectPoint::takeExtras(PhObjectPoint &other) {
  if (!other.mHasExtras) return;
  auto &table = extrasTable();
  auto node = table.extract(&other);
  node.key() = this;
  table.insert(std::move(node));
  other.mHasExtras = false;
  mHasExtras = true;
}

void PhObjectPoint::dropExtras() {
  if (!mHasExtras) return;
  extrasTable().erase(this);
  mHasExtras = false;
}

const PhObjectPoint::Extras *PhObjectPoint::findExtras() const {
  if (!mHasExtras) return nullptr;
  const auto &table = extrasTable();
  const auto it = table.find(this);
  return it == table.end() ? nullptr : &it->second;
}

PhObjectPoint::Extras &PhObjectPoint::extras() {
  if (mHasExtras) return extrasTable()[this];
  mHasExtras = true;
  return extrasTable().emplace(this, Extras()).first->second;
}

PhObjectCoord PhObjectPoint::observation() const {
  const Extras *found = findExtras();
  return found ? found->observation : Extras().observation;
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

QString PhObjectPoint::note() const {
  const Extras *found = findExtras();
  return found ? found->note : QString();
}

void PhObjectPoint::setNote(const QString &strNote) {
  if (mHasExtras || !strNote.isEmpty()) extras().note = strNote;
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
  const Extras *found = findExtras();
  return found ? found->observation.f(iAxis) : NotObserved;
}

float PhObjectPoint::observedResidual(int iAxis) const {
  const Extras *found = validAxis(iAxis) ? findExtras() : nullptr;
  return found ? float(found->observation.f(iAxis + 3)) : 0.0f;
}

float PhObjectPoint::residualSigma(int iAxis) const {
  const Extras *found = validAxis(iAxis) ? findExtras() : nullptr;
  return found ? found->observation.w(iAxis) : 0.0f;
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
  const Extras *found = findExtras();
  return found && found->observation.f(iAxis) < NotObserved;
}

bool PhObjectPoint::axisAccepted(int iAxis) const {
  const Extras *found = findExtras();
  return found && found->observation.b(iAxis);
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
