#include "phimagetableview.h"

#include <QHeaderView>
#include <QPixmap>

#include "nubmsg.h"
#include "phballs.h"
#include "phimage.h"
#include "phimagetableitem.h"

PhImageTableView::PhImageTableView(QWidget *parent) : QTreeWidget(parent) {
  Nub::debug("PhImageTableView");
  setRootIsDecorated(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformRowHeights(true);
  setColumnCount(COL_Count);
  setHeaderLabels({tr("PointID"), tr("Coord X"), tr("Coord Y"), tr("Residual X"), tr("Residual Y"), tr("Weight"),
                   tr("Adjust Status")});
  QTreeWidgetItem *header = headerItem();
  header->setTextAlignment(COL_PointId, Qt::AlignLeft | Qt::AlignVCenter);
  for (int column = COL_CoordX; column <= COL_Weight; ++column)
    header->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
  header->setTextAlignment(COL_AdjustStatus, Qt::AlignHCenter | Qt::AlignVCenter);
  setSortingEnabled(true);
  this->header()->setSortIndicatorShown(true);
  sortByColumn(COL_PointId, Qt::AscendingOrder);
}

PhImageTableView::~PhImageTableView() { Nub::debug("~PhImageTableView"); }

void PhImageTableView::fill(const PhImage *image) {
  clear();
  if (!image) return;
  const QPixmap *green = phGreenBall();
  const QPixmap *red = phRedBall();
  const QIcon greenIcon = green ? QIcon(*green) : QIcon();
  const QIcon redIcon = red ? QIcon(*red) : QIcon();
  auto fixed = [](float value) { return QString::number(double(value), 'f', 3); };

  QList<QTreeWidgetItem *> rows;
  rows.reserve(image->pointCount());
  for (const PhImagePoint &point : *image) {
    const bool adjusted = point.adjustStatus();
    auto *row = new PhImageTableItem({QString::number(point.pointId()), fixed(point.x()), fixed(point.y()),
                                      fixed(point.residualX()), fixed(point.residualY()), fixed(point.weight()),
                                      adjusted ? QStringLiteral(" true") : QStringLiteral(" false")});
    for (int column = COL_CoordX; column <= COL_Weight; ++column)
      row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    row->setTextAlignment(COL_AdjustStatus, Qt::AlignHCenter | Qt::AlignVCenter);
    row->setIcon(COL_AdjustStatus, adjusted ? greenIcon : redIcon);
    rows.append(row);
  }
  // One insertion, sorted once.
  setSortingEnabled(false);
  addTopLevelItems(rows);
  setSortingEnabled(true);
}
