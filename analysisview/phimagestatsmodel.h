#ifndef PHIMAGESTATSMODEL_H
#define PHIMAGESTATSMODEL_H

#include <vector>

#include "phanalysistablemodel.h"
#include "phimagestats.h"
#include "phresidualunit.h"

class PhImageList;
class PhObjectList;

// The "Images" table: one row per image with its residual figures; a row
// stands for the image's projection centre (the object point with the
// image's ID that is a projection centre) in the selection.
class PhImageStatsModel : public PhAnalysisTableModel {
  Q_OBJECT

 public:
  enum ColumnE {
    COL_Image = 0,
    COL_Camera,
    COL_Points,
    COL_Eliminated,
    COL_RmsX,
    COL_RmsY,
    COL_Rms,
    COL_MaxResidual,
    COL_MaxPoint,
    COL_Count
  };

  using PhAnalysisTableModel::PhAnalysisTableModel;

  // The images' figures and their centres' positions in the object list
  // (which may be null); null images empty the table.
  void fill(const PhImageList *images, const PhObjectList *objects);
  void clear() { fill(nullptr, nullptr); }
  void setUnit(PhResidualUnit::UnitE unit);
  PhResidualUnit::UnitE unit() const { return mUnit; }

  const PhImageStats &stats(int row) const { return mStats[std::size_t(sourceRow(row))]; }
  int positionOfRow(int row) const override { return mCentres[std::size_t(sourceRow(row))]; }

  int columnCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 protected:
  double sortKey(int source, int column) const override;
  void csvCell(PhCsvWriter &csv, int source, int column) const override;

 private:
  std::vector<PhImageStats> mStats;
  std::vector<int> mCentres;  // per stored row: list position of the centre, or -1
  PhResidualUnit::UnitE mUnit = PhResidualUnit::Millimetre;
};

#endif  // PHIMAGESTATSMODEL_H
