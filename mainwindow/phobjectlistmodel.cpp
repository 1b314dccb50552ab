#include "phobjectlistmodel.h"

#include "phballs.h"
#include "phglobal.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"

#include <QPixmap>
#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {
// Child indexes carry their parent's list position plus one; point rows carry 0.
quintptr childTag(int position) { return quintptr(position) + 1; }

struct SortItem {
  std::uint32_t key;
  int position;
};

// Stable least-significant-digit radix sort by key, 11 bits a pass; the
// counts of all passes are taken in one sweep, and a pass whose digit is the
// same for every key is skipped.
void radixSort(std::vector<SortItem> &items, std::vector<SortItem> &buffer) {
  constexpr int Bits = 11;
  constexpr int Passes = (32 + Bits - 1) / Bits;
  constexpr std::uint32_t Mask = (1u << Bits) - 1;
  std::vector<std::size_t> counts(std::size_t(Passes) << Bits);
  for (const SortItem &item : items)
    for (int pass = 0; pass < Passes; ++pass)
      ++counts[(std::size_t(pass) << Bits) + ((item.key >> (pass * Bits)) & Mask)];
  for (int pass = 0; pass < Passes; ++pass) {
    const auto first = counts.begin() + (std::ptrdiff_t(pass) << Bits);
    const auto last = first + (std::ptrdiff_t(1) << Bits);
    if (std::find(first, last, items.size()) != last) continue;
    std::size_t sum = 0;
    for (auto c = first; c != last; ++c) {
      const std::size_t here = *c;
      *c = sum;
      sum += here;
    }
    const int shift = pass * Bits;
    for (const SortItem &item : items) buffer[first[(item.key >> shift) & Mask]++] = item;
    items.swap(buffer);
  }
}

}  // namespace

PhObjectListModel::PhObjectListModel(QObject *parent) : QAbstractItemModel(parent) {}

void PhObjectListModel::fill(const PhObjectList *list) {
  beginResetModel();
  mList = list;
  const std::size_t n = list ? std::size_t(list->count()) : 0;
  mOrder.resize(n);
  std::iota(mOrder.begin(), mOrder.end(), 0);
  mRowOfPosition = mOrder;
  mChildren.clear();
  endResetModel();
  if (mSortColumn >= 0 && n > 0) sort(mSortColumn, mSortOrder);
}

QModelIndex PhObjectListModel::index(int row, int column, const QModelIndex &parent) const {
  if (row < 0 || column < 0 || column >= columnCount(parent)) return QModelIndex();
  if (!parent.isValid()) {
    if (row >= int(mOrder.size())) return QModelIndex();
    return createIndex(row, column, quintptr(0));
  }
  if (!isPointRow(parent)) return QModelIndex();
  const int position = _position(parent.row());
  const auto it = mChildren.find(position);
  if (it == mChildren.end() || row >= int(it->second.size())) return QModelIndex();
  return createIndex(row, column, childTag(position));
}

QModelIndex PhObjectListModel::parent(const QModelIndex &child) const {
  if (!child.isValid() || child.internalId() == 0) return QModelIndex();
  const int position = int(child.internalId() - 1);
  return createIndex(mRowOfPosition[std::size_t(position)], 0, quintptr(0));
}

int PhObjectListModel::rowCount(const QModelIndex &parent) const {
  if (!parent.isValid()) return int(mOrder.size());
  if (!isPointRow(parent) || parent.column() != 0) return 0;
  const auto it = mChildren.find(_position(parent.row()));
  return it == mChildren.end() ? 0 : int(it->second.size());
}

int PhObjectListModel::columnCount(const QModelIndex &) const { return 3; }

bool PhObjectListModel::hasChildren(const QModelIndex &parent) const {
  if (!parent.isValid()) return !mOrder.empty();
  return isPointRow(parent) && parent.column() == 0;
}

QVariant PhObjectListModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid()) return QVariant();
  if (!isPointRow(index)) {
    if (role != Qt::DisplayRole || index.column() != 0) return QVariant();
    return QString::number(number(index));
  }
  const PhObjectPoint *point = mList->at(_position(index.row()));
  if (role == Qt::DisplayRole) {
    if (index.column() == 0) return QString::number(point->pointId());
    if (index.column() == 1) return PhGlobal::pointTypeName(PhGlobal::pointTypeOfCode(point->code()), false);
  }
  if (role == Qt::DecorationRole && index.column() == 2) {
    const QPixmap *ball = point->isAccepted() ? phGreenBall() : phRedBall();
    if (ball) return *ball;
  }
  return QVariant();
}

QVariant PhObjectListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
  switch (section) {
    case 0: return tr("Point-ID");
    case 1: return tr("Point-Type");
    case 2: return tr("Blunder");
  }
  return QVariant();
}

int PhObjectListModel::number(const QModelIndex &index) const {
  if (!index.isValid()) return -1;
  if (isPointRow(index)) return mList->at(_position(index.row()))->pointId();
  const auto it = mChildren.find(int(index.internalId() - 1));
  return it == mChildren.end() ? -1 : it->second[std::size_t(index.row())];
}

bool PhObjectListModel::hasImageRows(const QModelIndex &pointRow) const {
  return isPointRow(pointRow) && mChildren.count(_position(pointRow.row())) > 0;
}

void PhObjectListModel::setImagesOfRow(const QModelIndex &pointRow, const std::vector<int> &imageIds) {
  if (!isPointRow(pointRow) || hasImageRows(pointRow)) return;
  const QModelIndex parent = index(pointRow.row(), 0);
  std::vector<int> ids = imageIds;
  _sortChildren(ids);
  if (ids.empty()) {
    mChildren.emplace(_position(pointRow.row()), std::move(ids));
    return;
  }
  beginInsertRows(parent, 0, int(ids.size()) - 1);
  mChildren.emplace(_position(pointRow.row()), std::move(ids));
  endInsertRows();
}

// Image rows compare as text, and only the first column has any.
void PhObjectListModel::_sortChildren(std::vector<int> &ids) const {
  if (mSortColumn != 0) return;
  const bool ascending = mSortOrder == Qt::AscendingOrder;
  std::stable_sort(ids.begin(), ids.end(), [ascending](int a, int b) {
    const QString ta = QString::number(a), tb = QString::number(b);
    return ascending ? ta < tb : tb < ta;
  });
}

void PhObjectListModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column > 2) return;
  mSortColumn = column;
  mSortOrder = order;
  if (!mList) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  // Where each persistent index points: its list position, and for an image
  // row also the image number, which identifies it among its siblings.
  struct Anchor {
    int position;
    int imageId;
  };
  std::vector<Anchor> anchors;
  anchors.reserve(std::size_t(before.size()));
  for (const QModelIndex &index : before) {
    if (isPointRow(index))
      anchors.push_back({_position(index.row()), -1});
    else
      anchors.push_back({int(index.internalId() - 1), number(index)});
  }

  // The same result as a stable sort of the rows by the column's value:
  // each row's key is read once, in list order, and the (key, position)
  // pairs go through a stable radix sort, with descending keys turned
  // around so that ties still keep their present order.
  const std::size_t n = mOrder.size();
  const bool ascending = order == Qt::AscendingOrder;
  std::vector<std::uint32_t> keyOfPosition(n);
  for (std::size_t position = 0; position < n; ++position) {
    const PhObjectPoint *point = mList->at(int(position));
    const int value = column == 0 ? point->pointId() : column == 1 ? point->code() : point->isAccepted() ? 1 : 0;
    const std::uint32_t k = std::uint32_t(value) ^ 0x80000000u;  // signed order as unsigned
    keyOfPosition[position] = ascending ? k : ~k;
  }
  std::vector<SortItem> items(n), buffer(n);
  for (std::size_t row = 0; row < n; ++row) {
    const int position = mOrder[row];
    items[row] = {keyOfPosition[std::size_t(position)], position};
  }
  radixSort(items, buffer);
  for (std::size_t row = 0; row < n; ++row) mOrder[row] = items[row].position;
  for (std::size_t row = 0; row < mOrder.size(); ++row) mRowOfPosition[std::size_t(mOrder[row])] = int(row);
  for (auto &entry : mChildren) _sortChildren(entry.second);

  QModelIndexList after;
  after.reserve(before.size());
  for (int i = 0; i < before.size(); ++i) {
    const Anchor &a = anchors[std::size_t(i)];
    const int column0 = before.at(i).column();
    if (a.imageId < 0) {
      after << createIndex(mRowOfPosition[std::size_t(a.position)], column0, quintptr(0));
    } else {
      const std::vector<int> &ids = mChildren[a.position];
      const int row = int(std::find(ids.begin(), ids.end(), a.imageId) - ids.begin());
      after << createIndex(row, column0, childTag(a.position));
    }
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
