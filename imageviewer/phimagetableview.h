#ifndef PHIMAGETABLEVIEW_H
#define PHIMAGETABLEVIEW_H

#include <QTreeWidget>

class PhImage;

// The table page of an image viewer: one row per point of the image with
// its ID, coordinates, residuals, weight and adjust status.
class PhImageTableView : public QTreeWidget {
  Q_OBJECT

 public:
  enum ColumnE {
    COL_PointId = 0,
    COL_CoordX,
    COL_CoordY,
    COL_ResidualX,
    COL_ResidualY,
    COL_Weight,
    COL_AdjustStatus,
    COL_Count
  };

  explicit PhImageTableView(QWidget *parent = nullptr);
  ~PhImageTableView() override;

  // Refills the table from the image; null empties it.
  void fill(const PhImage *image);
};

#endif  // PHIMAGETABLEVIEW_H
