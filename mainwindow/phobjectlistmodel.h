#ifndef PHOBJECTLISTMODEL_H
#define PHOBJECTLISTMODEL_H

#include <QAbstractItemModel>
#include <unordered_map>
#include <vector>

class PhObjectList;

// The "Object" tab's rows, computed from the object list: point ID, point
// type and blunder ball. Every point row shows an expand marker; its rows of
// observing images are made on its first expansion (setImagesOfRow).
// Sorting compares the stored values and only reorders a table of positions.
class PhObjectListModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  explicit PhObjectListModel(QObject *parent = nullptr);

  void fill(const PhObjectList *list);
  void clear() { fill(nullptr); }

  QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex &child) const override;
  int rowCount(const QModelIndex &parent = QModelIndex()) const override;
  int columnCount(const QModelIndex &parent = QModelIndex()) const override;
  bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  bool isPointRow(const QModelIndex &index) const { return index.isValid() && index.internalId() == 0; }
  // The point ID of a point row, or the image number of an image row.
  int number(const QModelIndex &index) const;
  // Whether the point row got its image rows already.
  bool hasImageRows(const QModelIndex &pointRow) const;
  // Gives a point row its image rows (once; later calls are ignored).
  void setImagesOfRow(const QModelIndex &pointRow, const std::vector<int> &imageIds);

 private:
  int _position(int row) const { return mOrder[std::size_t(row)]; }
  void _sortChildren(std::vector<int> &ids) const;

  const PhObjectList *mList = nullptr;
  std::vector<int> mOrder;          // row -> position in the list
  std::vector<int> mRowOfPosition;  // position in the list -> row
  std::unordered_map<int, std::vector<int>> mChildren;  // position -> image numbers in row order
  int mSortColumn = -1;
  Qt::SortOrder mSortOrder = Qt::AscendingOrder;
};

#endif  // PHOBJECTLISTMODEL_H
