#include "phimagelistmodel.h"

#include "phimage.h"
#include "phimagelist.h"

#include <algorithm>
#include <numeric>

PhImageListModel::PhImageListModel(QObject *parent) : QAbstractTableModel(parent) {}

void PhImageListModel::fill(const PhImageList *list) {
  beginResetModel();
  mList = list;
  mOrder.resize(list ? std::size_t(list->count()) : 0);
  std::iota(mOrder.begin(), mOrder.end(), 0);
  endResetModel();
  if (mSortColumn >= 0 && !mOrder.empty()) sort(mSortColumn, mSortOrder);
}

int PhImageListModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : int(mOrder.size());
}

int PhImageListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 2; }

QVariant PhImageListModel::data(const QModelIndex &index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(mOrder.size())) return QVariant();
  const PhImage *image = mList->at(mOrder[std::size_t(index.row())]);
  return QString::number(index.column() == 0 ? image->imageId() : image->pointCount());
}

QVariant PhImageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
  if (section == 0) return tr("ID");
  if (section == 1) return tr("# Coords");
  return QVariant();
}

void PhImageListModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column > 1) return;
  mSortColumn = column;
  mSortOrder = order;
  if (!mList) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> positions;
  positions.reserve(std::size_t(before.size()));
  for (const QModelIndex &index : before) positions.push_back(mOrder[std::size_t(index.row())]);
  std::vector<int> rowOfPosition(mOrder.size());
  auto key = [this, column](int position) {
    const PhImage *image = mList->at(position);
    return column == 0 ? image->imageId() : image->pointCount();
  };
  std::stable_sort(mOrder.begin(), mOrder.end(), [&](int a, int b) {
    return order == Qt::AscendingOrder ? key(a) < key(b) : key(b) < key(a);
  });
  for (std::size_t row = 0; row < mOrder.size(); ++row) rowOfPosition[std::size_t(mOrder[row])] = int(row);
  QModelIndexList after;
  after.reserve(before.size());
  for (int i = 0; i < before.size(); ++i)
    after << this->index(rowOfPosition[std::size_t(positions[std::size_t(i)])], before.at(i).column());
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int PhImageListModel::imageId(int row) const {
  if (row < 0 || row >= int(mOrder.size())) return -1;
  return mList->at(mOrder[std::size_t(row)])->imageId();
}
