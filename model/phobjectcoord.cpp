#include "phobjectcoord.h"

double PhObjectCoord::f(int i) const {
  if (i >= 0 && i < 3) return mCoord[i];
  if (i >= 3 && i < 6) return mF[i - 3];
  return 0.0;
}

void PhObjectCoord::setF(int i, double value) {
  if (i >= 0 && i < 3)
    mCoord[i] = value;
  else if (i >= 3 && i < 6)
    mF[i - 3] = float(value);
}

bool PhObjectCoord::b(int i) const { return i >= 0 && i < 3 ? mB[i] : false; }

void PhObjectCoord::setB(int i, bool value) {
  if (i >= 0 && i < 3) mB[i] = value;
}

float PhObjectCoord::w(int i) const { return i >= 0 && i < 6 ? mW[i] : 0.0f; }

void PhObjectCoord::setW(int i, float value) {
  if (i >= 0 && i < 6) mW[i] = value;
}
