#ifndef PHIMAGELISTMODEL_H
#define PHIMAGELISTMODEL_H

#include <QAbstractTableModel>
#include <vector>

class PhImageList;

// The "Image" tab's rows, computed from the image list: ID and number of
// image points. Sorting is numeric and only reorders a table of positions.
class PhImageListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit PhImageListModel(QObject *parent = nullptr);

  // Shows the images of the list (in list order), or nothing for null.
  void fill(const PhImageList *list);
  void clear() { fill(nullptr); }

  int rowCount(const QModelIndex &parent = QModelIndex()) const override;
  int columnCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  // The image ID of a row; -1 outside the table.
  int imageId(int row) const;

 private:
  const PhImageList *mList = nullptr;
  // The header's sort, kept for the next fill.
  int mSortColumn = -1;
  Qt::SortOrder mSortOrder = Qt::AscendingOrder;
  std::vector<int> mOrder;  // row -> position in the list
};

#endif  // PHIMAGELISTMODEL_H
