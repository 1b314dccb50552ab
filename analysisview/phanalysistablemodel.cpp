#include "phanalysistablemodel.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "phcsvwriter.h"

int PhAnalysisTableModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : int(mOrder.size());
}

int PhAnalysisTableModel::positionOfRow(int) const { return -1; }

void PhAnalysisTableModel::reorder(int count) {
  mOrder.resize(std::size_t(count));
  std::iota(mOrder.begin(), mOrder.end(), 0);
  if (mSortColumn >= 0) order(mSortColumn, mSortOrder);
}

void PhAnalysisTableModel::order(int column, Qt::SortOrder sortOrder) {
  if (column < 0) {
    std::iota(mOrder.begin(), mOrder.end(), 0);
    return;
  }
  sortBy(column, sortOrder);
}

void PhAnalysisTableModel::sortBy(int column, Qt::SortOrder sortOrder) {
  const std::size_t n = mOrder.size();
  // One key per stored row, read once: the comparisons only compare numbers.
  std::vector<double> keys(n);
  for (std::size_t i = 0; i < n; ++i) keys[i] = sortKey(int(i), column);
  const bool ascending = sortOrder == Qt::AscendingOrder;
  // Empty cells last either way; equal keys keep the stored order.
  std::sort(mOrder.begin(), mOrder.end(), [&](int a, int b) {
    const double ka = keys[std::size_t(a)];
    const double kb = keys[std::size_t(b)];
    const bool ea = std::isnan(ka);
    const bool eb = std::isnan(kb);
    if (ea != eb) return eb;
    if (!ea && ka != kb) return ascending ? ka < kb : ka > kb;
    return a < b;
  });
}

void PhAnalysisTableModel::sort(int column, Qt::SortOrder sortOrder) {
  // No column: the stored order.
  if (column >= columnCount()) return;
  if (column < 0) column = -1;
  mSortColumn = column;
  mSortOrder = sortOrder;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> sources;
  sources.reserve(std::size_t(before.size()));
  for (const QModelIndex &index : before) sources.push_back(sourceRow(index.row()));
  order(column, sortOrder);
  if (!before.isEmpty()) {
    std::vector<int> rowOfSource(mOrder.size());
    for (std::size_t row = 0; row < mOrder.size(); ++row) rowOfSource[std::size_t(mOrder[row])] = int(row);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
      after << index(rowOfSource[std::size_t(sources[std::size_t(i)])], before[i].column());
    changePersistentIndexList(before, after);
  }
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QByteArray PhAnalysisTableModel::csv(const std::vector<int> &rows, char separator) const {
  PhCsvWriter out(separator);
  const int columns = columnCount();
  for (int column = 0; column < columns; ++column)
    out.field(headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
  out.endRow();
  for (int row : rows) {
    if (row < 0 || row >= rowCount()) continue;
    const int source = sourceRow(row);
    for (int column = 0; column < columns; ++column) csvCell(out, source, column);
    out.endRow();
  }
  return out.bytes();
}

QByteArray PhAnalysisTableModel::csv(char separator) const {
  std::vector<int> rows(mOrder.size());
  std::iota(rows.begin(), rows.end(), 0);
  return csv(rows, separator);
}
