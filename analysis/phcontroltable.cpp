#include "phcontroltable.h"

#include "phobjectlist.h"
#include "phobjectpoint.h"

bool PhControlTable::isObserved(const PhObjectPoint &point, int iAxis) {
  switch (iAxis) {
    case 0: return point.hasObservedX();
    case 1: return point.hasObservedY();
    case 2: return point.hasObservedZ();
    default: return false;
  }
}

bool PhControlTable::isAccepted(const PhObjectPoint &point, int iAxis) {
  switch (iAxis) {
    case 0: return !point.isRejectedX();
    case 1: return !point.isRejectedY();
    case 2: return !point.isRejectedZ();
    default: return false;
  }
}

bool PhControlTable::isControlCode(int iCode) { return iCode == 200 || iCode == 300 || iCode == 500; }

PhControlTable::PhControlTable(const PhObjectList &list) : mList(list) {
  const int n = list.count();
  for (int i = 0; i < n; ++i) {
    const PhObjectPoint &point = *list.at(i);
    for (int axis = 0; axis < 3; ++axis) {
      if (!isObserved(point, axis)) continue;
      mRows.push_back({i, axis});
      if (!isAccepted(point, axis)) continue;
      const double r = point.observedResidual(axis);
      if (isControlCode(point.code()))
        mControl[axis].add(r);
      else if (point.code() == 901)
        mCentres[axis].add(r);
    }
  }
}

const PhObjectPoint *PhControlTable::point(const Row &row) const { return mList.at(row.index); }

double PhControlTable::observed(const Row &row) const { return point(row)->observedCoord(row.axis); }

float PhControlTable::residual(const Row &row) const { return point(row)->observedResidual(row.axis); }

float PhControlTable::sigma(const Row &row) const { return point(row)->residualSigma(row.axis); }

bool PhControlTable::accepted(const Row &row) const { return isAccepted(*point(row), row.axis); }
