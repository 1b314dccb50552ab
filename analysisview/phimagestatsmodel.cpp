#include "phimagestatsmodel.h"

#include <QHash>

#include <cmath>

#include "phcsvwriter.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"

namespace {

bool isResidualColumn(int column) {
  return column == PhImageStatsModel::COL_RmsX || column == PhImageStatsModel::COL_RmsY ||
         column == PhImageStatsModel::COL_Rms || column == PhImageStatsModel::COL_MaxResidual;
}

}  // namespace

void PhImageStatsModel::fill(const PhImageList *images, const PhObjectList *objects) {
  std::vector<PhImageStats> stats = images ? PhImageStats::ofAll(*images) : std::vector<PhImageStats>();
  std::vector<int> positions(stats.size(), -1);
  if (objects && !stats.empty()) {
    // The first centre of each ID in list order, as the list's own look-up has it.
    QHash<int, int> centres;
    centres.reserve(int(stats.size()));
    for (int i = 0, n = objects->count(); i < n; ++i) {
      const PhObjectPoint *point = objects->at(i);
      if (point->isProjectionCentre() && !centres.contains(point->pointId())) centres.insert(point->pointId(), i);
    }
    for (std::size_t i = 0; i < stats.size(); ++i) positions[i] = centres.value(stats[i].imageId, -1);
  }
  resetRows([&] {
    mStats.swap(stats);
    mCentres.swap(positions);
    return int(mStats.size());
  });
}

void PhImageStatsModel::setUnit(PhResidualUnit::UnitE unit) {
  if (unit == mUnit) return;
  mUnit = unit;
  emit headerDataChanged(Qt::Horizontal, COL_RmsX, COL_MaxResidual);
  if (rowCount() > 0) emit dataChanged(index(0, COL_RmsX), index(rowCount() - 1, COL_MaxResidual));
}

int PhImageStatsModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : COL_Count; }

double PhImageStatsModel::sortKey(int source, int column) const {
  const PhImageStats &s = mStats[std::size_t(source)];
  const double none = std::nan("");
  switch (column) {
    case COL_Image: return s.imageId;
    case COL_Camera: return s.cameraId;
    case COL_Points: return s.points;
    case COL_Eliminated: return s.eliminated;
    case COL_RmsX: return s.hasRms() ? s.rmsX : none;
    case COL_RmsY: return s.hasRms() ? s.rmsY : none;
    case COL_Rms: return s.hasRms() ? s.rms : none;
    case COL_MaxResidual: return s.hasMax() ? double(s.maxResidual) : none;
    case COL_MaxPoint: return s.hasMax() ? s.maxPointId : none;
    default: return none;
  }
}

QVariant PhImageStatsModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return QVariant();
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return QVariant();
  const int column = index.column();
  const double key = sortKey(sourceRow(index.row()), column);
  if (std::isnan(key)) return QString();
  if (isResidualColumn(column))
    return QString::number(key * PhResidualUnit::factor(mUnit), 'f', PhResidualUnit::decimals(mUnit));
  return QString::number(qint64(key));
}

QVariant PhImageStatsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
  const QString unit = PhResidualUnit::name(mUnit);
  switch (section) {
    case COL_Image: return tr("Image");
    case COL_Camera: return tr("Camera");
    case COL_Points: return tr("Points");
    case COL_Eliminated: return tr("Eliminated");
    case COL_RmsX: return tr("RMS x [%1]").arg(unit);
    case COL_RmsY: return tr("RMS y [%1]").arg(unit);
    case COL_Rms: return tr("RMS [%1]").arg(unit);
    case COL_MaxResidual: return tr("Largest residual [%1]").arg(unit);
    case COL_MaxPoint: return tr("Its point");
    default: return QVariant();
  }
}

void PhImageStatsModel::csvCell(PhCsvWriter &csv, int source, int column) const {
  const double key = sortKey(source, column);
  if (std::isnan(key)) {
    csv.empty();
    return;
  }
  const PhImageStats &s = mStats[std::size_t(source)];
  const double factor = PhResidualUnit::factor(mUnit);
  switch (column) {
    case COL_RmsX: csv.number(s.rmsX * factor); break;
    case COL_RmsY: csv.number(s.rmsY * factor); break;
    case COL_Rms: csv.number(s.rms * factor); break;
    // Scaled as the float it is stored as, so its shortest form stays short.
    case COL_MaxResidual: csv.number(s.maxResidual * float(factor)); break;
    default: csv.number(qint64(key)); break;
  }
}
