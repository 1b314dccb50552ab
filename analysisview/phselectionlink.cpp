#include "phselectionlink.h"

#include <QItemSelectionModel>

#include <algorithm>

#include "phanalysistable.h"
#include "phanalysistablemodel.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"

PhSelectionLink::PhSelectionLink(QObject *parent) : QObject(parent) {}

PhSelectionLink::~PhSelectionLink() { setList(nullptr); }

void PhSelectionLink::addTable(PhAnalysisTable *table) {
  mTables.push_back(table);
  connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this, table] { tableChanged(table); });
}

void PhSelectionLink::setList(PhObjectList *list) {
  if (list == mList) return;
  if (mList) mList->selection().removeObserver(this);
  mList = list;
  if (mList) mList->selection().addObserver(this);
}

void PhSelectionLink::tableChanged(PhAnalysisTable *table) {
  if (mShowing || !mList) return;
  const PhAnalysisTableModel *model = table->analysisModel();
  mPositions.clear();
  const QItemSelection selection = table->selectionModel()->selection();
  std::size_t n = 0;
  for (const QItemSelectionRange &range : selection) n += std::size_t(range.height());
  mPositions.reserve(n);
  const int rows = model->rowCount();
  for (const QItemSelectionRange &range : selection)
    for (int row = range.top(); row <= range.bottom() && row < rows; ++row) {
      const int position = model->positionOfRow(row);
      if (position >= 0) mPositions.push_back(position);
    }
  // A point's axes are rows of their own.
  std::sort(mPositions.begin(), mPositions.end());
  mPositions.erase(std::unique(mPositions.begin(), mPositions.end()), mPositions.end());
  mOrigin = table;
  mList->selection().selectIndices(mPositions, false);
  mOrigin = nullptr;
}

void PhSelectionLink::showIn(PhAnalysisTable *table) {
  const PhAnalysisTableModel *model = table->analysisModel();
  QItemSelectionModel *selectionModel = table->selectionModel();
  const int rows = model->rowCount();
  const int lastColumn = model->columnCount() - 1;
  QItemSelection selection;
  const bool any = mList && !mList->selection().isEmpty();
  int start = -1;
  for (int row = 0; any && row <= rows; ++row) {
    bool selected = false;
    if (row < rows) {
      const int position = model->positionOfRow(row);
      selected = position >= 0 && position < mList->count() && mList->at(position)->isSelected();
    }
    if (selected && start < 0) start = row;
    if (!selected && start >= 0) {
      selection.append(QItemSelectionRange(model->index(start, 0), model->index(row - 1, lastColumn)));
      start = -1;
    }
  }
  if (selection.isEmpty() && !selectionModel->hasSelection()) return;
  mShowing = true;
  selectionModel->select(selection, QItemSelectionModel::ClearAndSelect);
  mShowing = false;
}

void PhSelectionLink::showSelection() {
  for (PhAnalysisTable *table : mTables)
    if (table != mOrigin) showIn(table);
}

void PhSelectionLink::selectionChanged(const PhSelectionChange &) {
  showSelection();
  if (mList && mList->selection().count() == 1) {
    const int position = mList->selection().indices().front();
    emit sigSinglePoint(mList->at(position)->pointId());
  }
}

void PhSelectionLink::selectionGone() {
  mList = nullptr;
  emit sigListGone();
}
