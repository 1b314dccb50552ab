#include "phcontroltablemodel.h"

#include <cmath>

#include "phcsvwriter.h"
#include "phglobal.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"

PhControlTableModel::PhControlTableModel(QObject *parent) : PhAnalysisTableModel(parent) {}

PhControlTableModel::~PhControlTableModel() = default;

QString PhControlTableModel::axisName(int iAxis) {
  static const char *const names[3] = {"X", "Y", "Z"};
  return iAxis >= 0 && iAxis < 3 ? QString::fromLatin1(names[iAxis]) : QString();
}

QString PhControlTableModel::typeName(int iCode) {
  return PhGlobal::pointTypeName(PhGlobal::pointTypeOfCode(iCode), false);
}

void PhControlTableModel::fill(const PhObjectList *objects) {
  std::unique_ptr<PhControlTable> table = objects ? std::make_unique<PhControlTable>(*objects) : nullptr;
  resetRows([&] {
    mTable.swap(table);
    return mTable ? int(mTable->rows().size()) : 0;
  });
}

int PhControlTableModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : COL_Count;
}

double PhControlTableModel::sortKey(int source, int column) const {
  const PhControlTable::Row &row = mTable->rows()[std::size_t(source)];
  switch (column) {
    case COL_Point: return mTable->point(row)->pointId();
    case COL_Type: return PhGlobal::pointTypeOfCode(mTable->point(row)->code());
    case COL_Axis: return row.axis;
    case COL_Observed: return mTable->observed(row);
    case COL_Residual: return mTable->residual(row);
    case COL_Sigma: return mTable->sigma(row);
    case COL_Accepted: return mTable->accepted(row) ? 1 : 0;
    default: return std::nan("");
  }
}

QVariant PhControlTableModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return QVariant();
  const int column = index.column();
  if (role == Qt::TextAlignmentRole)
    return int((column == COL_Type || column == COL_Axis ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return QVariant();
  const PhControlTable::Row &row = tableRow(index.row());
  switch (column) {
    case COL_Point: return QString::number(mTable->point(row)->pointId());
    case COL_Type: return typeName(mTable->point(row)->code());
    case COL_Axis: return axisName(row.axis);
    case COL_Observed: return QString::number(mTable->observed(row), 'f', 4);
    case COL_Residual: return QString::number(mTable->residual(row), 'f', 4);
    case COL_Sigma: return QString::number(mTable->sigma(row), 'f', 4);
    case COL_Accepted: return mTable->accepted(row) ? tr("yes") : tr("no");
    default: return QVariant();
  }
}

QVariant PhControlTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
  switch (section) {
    case COL_Point: return tr("Point");
    case COL_Type: return tr("Type");
    case COL_Axis: return tr("Axis");
    case COL_Observed: return tr("Observed");
    case COL_Residual: return tr("Residual");
    case COL_Sigma: return tr("Sigma");
    case COL_Accepted: return tr("Accepted");
    default: return QVariant();
  }
}

void PhControlTableModel::csvCell(PhCsvWriter &csv, int source, int column) const {
  const PhControlTable::Row &row = mTable->rows()[std::size_t(source)];
  switch (column) {
    case COL_Point: csv.number(mTable->point(row)->pointId()); break;
    case COL_Type: csv.field(typeName(mTable->point(row)->code())); break;
    case COL_Axis: csv.field(axisName(row.axis)); break;
    case COL_Observed: csv.number(mTable->observed(row)); break;
    case COL_Residual: csv.number(mTable->residual(row)); break;
    case COL_Sigma: csv.number(mTable->sigma(row)); break;
    case COL_Accepted: csv.number(mTable->accepted(row) ? 1 : 0); break;
    default: csv.empty(); break;
  }
}
