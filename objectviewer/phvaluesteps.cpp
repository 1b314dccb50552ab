#include "phvaluesteps.h"

#include <cmath>
#include <limits>

#include "phdrawsettings.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phpainttools.h"
#include "phpointvalues.h"

void PhValueSteps::clear() {
  mValues.clear();
  mValueKind = 0;
  mSteps.clear();
  mStepsValid = false;
}

const std::vector<quint8> &PhValueSteps::steps(const PhObjectList &list, const PhDrawSettings &s, bool bSigmas) {
  static const std::vector<quint8> none;
  if (s.colourBy == PhDrawSettings::COL_Type) return none;
  const int n = list.count();
  if (mValueKind != s.colourBy || mValueSigmas != bSigmas || int(mValues.size()) != n) {
    mValues.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) {
      const PhObjectPoint &point = *list.at(i);
      double value = std::numeric_limits<double>::quiet_NaN();
      switch (s.colourBy) {
        case PhDrawSettings::COL_Residual: value = PhPointValues::imageResidualRms(point); break;
        case PhDrawSettings::COL_Sigma:
          if (bSigmas) value = PhPointValues::sigma(point);
          break;
        case PhDrawSettings::COL_Rays: value = PhPointValues::rays(point); break;
        default: break;
      }
      mValues[std::size_t(i)] = float(value);
    }
    mValueKind = s.colourBy;
    mValueSigmas = bSigmas;
    mStepsValid = false;
  }
  if (!mStepsValid || mStepKind != s.colourBy || mStepLow != s.colourLow || mStepHigh != s.colourHigh) {
    mSteps.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) mSteps[std::size_t(i)] = quint8(PhPaintTools::stepOf(s, mValues[std::size_t(i)]));
    mStepKind = s.colourBy;
    mStepLow = s.colourLow;
    mStepHigh = s.colourHigh;
    mStepsValid = true;
  }
  return mSteps;
}
