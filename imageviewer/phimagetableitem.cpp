#include "phimagetableitem.h"

#include <QTreeWidget>

namespace {

template <class T>
int sign(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

PhImageTableItem::PhImageTableItem(const QStringList &texts) : QTreeWidgetItem(texts, QTreeWidgetItem::UserType) {}

int PhImageTableItem::compare(const PhImageTableItem &other, int iColumn) const {
  const QString a = text(iColumn);
  const QString b = other.text(iColumn);
  switch (iColumn) {
    case 0:
      return sign(a.toInt(nullptr, 10), b.toInt(nullptr, 10));
    case 6:
      return sign(a, b);
    default:
      return sign(a.toFloat(), b.toFloat());
  }
}

bool PhImageTableItem::operator<(const QTreeWidgetItem &other) const {
  const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
  if (other.type() != QTreeWidgetItem::UserType) return QTreeWidgetItem::operator<(other);
  return compare(static_cast<const PhImageTableItem &>(other), column) < 0;
}
