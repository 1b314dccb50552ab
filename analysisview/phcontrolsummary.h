#ifndef PHCONTROLSUMMARY_H
#define PHCONTROLSUMMARY_H

#include <QTableWidget>

class PhControlTable;

// Below the control points: per axis the count, mean, RMS and largest |r| of
// the accepted observations, for control points and for observed projection
// centres; "–" where there are none.
class PhControlSummary : public QTableWidget {
  Q_OBJECT

 public:
  enum ColumnE { COL_Count = 0, COL_Mean, COL_Rms, COL_Max, COL_Columns };

  explicit PhControlSummary(QWidget *parent = nullptr);

  // Null empties the grid.
  void setTable(const PhControlTable *table);
  // Row of the control points' (false) or the centres' (true) axis.
  static int rowOf(bool bCentres, int iAxis) { return (bCentres ? 3 : 0) + iAxis; }
};

#endif  // PHCONTROLSUMMARY_H
