#ifndef PHIMAGETABLEITEM_H
#define PHIMAGETABLEITEM_H

#include <QTreeWidgetItem>

// A row of an image viewer's table. Column 0 (the point ID) sorts as a
// decimal integer, column 6 (the adjust status) by its text, every other
// column as a floating-point number.
class PhImageTableItem : public QTreeWidgetItem {
 public:
  explicit PhImageTableItem(const QStringList &texts);

  // -1, 0 or 1 as this row sorts before, with or after the other in the column.
  int compare(const PhImageTableItem &other, int iColumn) const;
  bool operator<(const QTreeWidgetItem &other) const override;
};

#endif  // PHIMAGETABLEITEM_H
