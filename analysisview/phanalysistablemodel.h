#ifndef PHANALYSISTABLEMODEL_H
#define PHANALYSISTABLEMODEL_H

#include <QAbstractTableModel>
#include <QByteArray>

#include <vector>

class PhCsvWriter;

// The rows of an analysis table over data kept by value in the subclass:
// rows are shown through a permutation of the stored rows, and sorting
// orders that permutation by a number per cell (empty cells last), never by
// text; column -1 is the stored order. A row may stand for an object point
// (its list position) for the selection. The same cells give CSV with the
// header texts shown.
class PhAnalysisTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex &parent = QModelIndex()) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  // The stored row shown at a row.
  int sourceRow(int row) const { return mOrder[std::size_t(row)]; }
  // The list position of the object point the row stands for, or -1.
  virtual int positionOfRow(int row) const;

  // A header line and the given rows (shown rows, in that order).
  QByteArray csv(const std::vector<int> &rows, char separator) const;
  // Every row as shown.
  QByteArray csv(char separator) const;

  int sortColumn() const { return mSortColumn; }
  Qt::SortOrder sortOrder() const { return mSortOrder; }

 protected:
  // The number a cell sorts by; NaN for an empty cell.
  virtual double sortKey(int source, int column) const = 0;
  // The cell as CSV: a number in full, a text, or empty.
  virtual void csvCell(PhCsvWriter &csv, int source, int column) const = 0;

  // For subclasses: `change` puts in a new set of stored rows and returns
  // their count; they are shown in the order last sorted by, and views see
  // no state in between.
  template <class F>
  void resetRows(F change) {
    beginResetModel();
    reorder(change());
    endResetModel();
  }

 private:
  // By the column, or the stored order for column -1.
  void order(int column, Qt::SortOrder order);
  void sortBy(int column, Qt::SortOrder order);
  void reorder(int count);

  std::vector<int> mOrder;  // shown row -> stored row
  int mSortColumn = -1;
  Qt::SortOrder mSortOrder = Qt::AscendingOrder;
};

#endif  // PHANALYSISTABLEMODEL_H
