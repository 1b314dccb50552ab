#ifndef PHPOINTIMAGESMODEL_H
#define PHPOINTIMAGESMODEL_H

#include <vector>

#include "phanalysistablemodel.h"
#include "phresidualunit.h"

// The point inspector's image rows: one per image that measures the point,
// with the measurement copied (the rows outlive no model change unseen).
class PhPointImagesModel : public PhAnalysisTableModel {
  Q_OBJECT

 public:
  enum ColumnE { COL_Image = 0, COL_X, COL_Y, COL_ResidualX, COL_ResidualY, COL_Residual, COL_Status, COL_Count };

  struct Row {
    int imageId;
    float x, y;
    float residualX, residualY;
    bool adjusted;
  };

  using PhAnalysisTableModel::PhAnalysisTableModel;

  // The images measuring the ID, in the order the point index has them.
  void fill(int iPointId);
  void clear();
  void setUnit(PhResidualUnit::UnitE unit);
  PhResidualUnit::UnitE unit() const { return mUnit; }
  const Row &row(int shownRow) const { return mRows[std::size_t(sourceRow(shownRow))]; }

  int columnCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 protected:
  double sortKey(int source, int column) const override;
  void csvCell(PhCsvWriter &csv, int source, int column) const override;

 private:
  // A residual cell in the shown unit, as the float it is stored as.
  float residual(const Row &row, int column) const;

  std::vector<Row> mRows;
  PhResidualUnit::UnitE mUnit = PhResidualUnit::Millimetre;
};

#endif  // PHPOINTIMAGESMODEL_H
