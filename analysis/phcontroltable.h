#ifndef PHCONTROLTABLE_H
#define PHCONTROLTABLE_H

#include <vector>

#include "phaxissummary.h"

class PhObjectList;
class PhObjectPoint;

// The observations of the object points: one row per observed axis of every
// point with observation records (control points and observed projection
// centres), in list order, and per axis the summaries of the accepted
// observations' residuals, apart for control points (codes 200, 300, 500)
// and observed projection centres (901).
class PhControlTable {
 public:
  struct Row {
    int index;  // position in the list
    int axis;   // 0 X, 1 Y, 2 Z
  };

  explicit PhControlTable(const PhObjectList &list);

  const std::vector<Row> &rows() const { return mRows; }
  const PhObjectPoint *point(const Row &row) const;
  double observed(const Row &row) const;
  // With the model's sign, as the views show it.
  float residual(const Row &row) const;
  float sigma(const Row &row) const;
  bool accepted(const Row &row) const;

  const PhAxisSummary &control(int iAxis) const { return mControl[iAxis]; }
  const PhAxisSummary &centres(int iAxis) const { return mCentres[iAxis]; }

  static bool isObserved(const PhObjectPoint &point, int iAxis);
  static bool isAccepted(const PhObjectPoint &point, int iAxis);
  // Codes 200, 300, 500.
  static bool isControlCode(int iCode);

 private:
  const PhObjectList &mList;
  std::vector<Row> mRows;
  PhAxisSummary mControl[3];
  PhAxisSummary mCentres[3];
};

#endif  // PHCONTROLTABLE_H
