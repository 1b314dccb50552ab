#ifndef PHCONTROLTABLEMODEL_H
#define PHCONTROLTABLEMODEL_H

#include <memory>

#include "phanalysistablemodel.h"
#include "phcontroltable.h"

class PhObjectList;

// The "Control Points" table: one row per observed axis of a control point
// or observed projection centre; a row stands for its point.
class PhControlTableModel : public PhAnalysisTableModel {
  Q_OBJECT

 public:
  enum ColumnE { COL_Point = 0, COL_Type, COL_Axis, COL_Observed, COL_Residual, COL_Sigma, COL_Accepted, COL_Count };

  explicit PhControlTableModel(QObject *parent = nullptr);
  ~PhControlTableModel() override;

  // Reads the list's observations; null empties the table.
  void fill(const PhObjectList *objects);
  void clear() { fill(nullptr); }
  // Null while empty.
  const PhControlTable *table() const { return mTable.get(); }
  const PhControlTable::Row &tableRow(int row) const { return mTable->rows()[std::size_t(sourceRow(row))]; }
  int positionOfRow(int row) const override { return tableRow(row).index; }

  int columnCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  static QString axisName(int iAxis);
  // The point type of a BAX code as the menus name it, without accelerator.
  static QString typeName(int iCode);

 protected:
  double sortKey(int source, int column) const override;
  void csvCell(PhCsvWriter &csv, int source, int column) const override;

 private:
  std::unique_ptr<PhControlTable> mTable;
};

#endif  // PHCONTROLTABLEMODEL_H
