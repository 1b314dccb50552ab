#ifndef PHVALUESTEPS_H
#define PHVALUESTEPS_H

#include <QtGlobal>

#include <vector>

class PhObjectList;
struct PhDrawSettings;

// The colour-map step (PhPaintTools::stepOf()) of every point of a list when
// points are coloured by a value: the values are found once per list and
// kind, the steps again only when the limits change.
class PhValueSteps {
 public:
  // Forgets everything: the list changed.
  void clear();
  // The steps for the settings, in list order; empty when colouring by type.
  // Sigmas count only when they were computed.
  const std::vector<quint8> &steps(const PhObjectList &list, const PhDrawSettings &settings, bool bSigmas);

 private:
  std::vector<float> mValues;
  int mValueKind = 0;
  bool mValueSigmas = false;
  std::vector<quint8> mSteps;
  int mStepKind = 0;
  double mStepLow = 0.0;
  double mStepHigh = 0.0;
  bool mStepsValid = false;
};

#endif  // PHVALUESTEPS_H
