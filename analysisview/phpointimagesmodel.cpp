#include "phpointimagesmodel.h"

#include <cmath>

#include "phcsvwriter.h"
#include "phimage.h"
#include "phimagerefs.h"

void PhPointImagesModel::fill(int iPointId) {
  std::vector<Row> rows;
  const PhImageRefs refs = PhImage::imagesOfPoint(iPointId);
  rows.reserve(std::size_t(refs.count()));
  for (auto it = refs.begin(); it != refs.end(); ++it) {
    const PhImagePoint *point = it.point();
    if (!point) continue;
    rows.push_back({(*it)->imageId(), point->x(), point->y(), point->residualX(), point->residualY(),
                    point->adjustStatus()});
  }
  resetRows([&] {
    mRows.swap(rows);
    return int(mRows.size());
  });
}

void PhPointImagesModel::clear() {
  resetRows([&] {
    mRows.clear();
    return 0;
  });
}

void PhPointImagesModel::setUnit(PhResidualUnit::UnitE unit) {
  if (unit == mUnit) return;
  mUnit = unit;
  emit headerDataChanged(Qt::Horizontal, COL_ResidualX, COL_Residual);
  if (rowCount() > 0) emit dataChanged(index(0, COL_ResidualX), index(rowCount() - 1, COL_Residual));
}

int PhPointImagesModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : COL_Count; }

float PhPointImagesModel::residual(const Row &row, int column) const {
  const float factor = float(PhResidualUnit::factor(mUnit));
  switch (column) {
    case COL_ResidualX: return row.residualX * factor;
    case COL_ResidualY: return row.residualY * factor;
    default: return std::hypot(row.residualX, row.residualY) * factor;
  }
}

double PhPointImagesModel::sortKey(int source, int column) const {
  const Row &r = mRows[std::size_t(source)];
  switch (column) {
    case COL_Image: return r.imageId;
    case COL_X: return r.x;
    case COL_Y: return r.y;
    case COL_ResidualX:
    case COL_ResidualY:
    case COL_Residual: return residual(r, column);
    case COL_Status: return r.adjusted ? 1 : 0;
    default: return std::nan("");
  }
}

QVariant PhPointImagesModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return QVariant();
  const int column = index.column();
  if (role == Qt::TextAlignmentRole)
    return int((column == COL_Status ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return QVariant();
  const Row &r = row(index.row());
  switch (column) {
    case COL_Image: return QString::number(r.imageId);
    case COL_X: return QString::number(r.x, 'f', 4);
    case COL_Y: return QString::number(r.y, 'f', 4);
    case COL_ResidualX:
    case COL_ResidualY:
    case COL_Residual: return QString::number(residual(r, column), 'f', PhResidualUnit::decimals(mUnit));
    case COL_Status: return r.adjusted ? tr("adjusted") : tr("eliminated");
    default: return QVariant();
  }
}

QVariant PhPointImagesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
  const QString unit = PhResidualUnit::name(mUnit);
  switch (section) {
    case COL_Image: return tr("Image");
    case COL_X: return tr("x [mm]");
    case COL_Y: return tr("y [mm]");
    case COL_ResidualX: return tr("Residual x [%1]").arg(unit);
    case COL_ResidualY: return tr("Residual y [%1]").arg(unit);
    case COL_Residual: return tr("|r| [%1]").arg(unit);
    case COL_Status: return tr("Status");
    default: return QVariant();
  }
}

void PhPointImagesModel::csvCell(PhCsvWriter &csv, int source, int column) const {
  const Row &r = mRows[std::size_t(source)];
  switch (column) {
    case COL_Image: csv.number(r.imageId); break;
    case COL_X: csv.number(r.x); break;
    case COL_Y: csv.number(r.y); break;
    case COL_ResidualX:
    case COL_ResidualY:
    case COL_Residual: csv.number(residual(r, column)); break;
    case COL_Status: csv.number(r.adjusted ? 1 : 0); break;
    default: csv.empty(); break;
  }
}
