#include "phprojectdata.h"

void PhProjectData::resetResults() {
  mSigma0 = 0.0;
  mAverageRedundancy = 0.0;
  mInversion = false;
}
