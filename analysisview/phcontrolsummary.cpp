#include "phcontrolsummary.h"

#include <QHeaderView>

#include "phaxissummary.h"
#include "phcontroltable.h"

namespace {
const QString Dash = QString(QChar(0x2013));
}

PhControlSummary::PhControlSummary(QWidget *parent) : QTableWidget(6, COL_Columns, parent) {
  setHorizontalHeaderLabels({tr("Count"), tr("Mean"), tr("RMS"), tr("Largest |r|")});
  const QString axes[3] = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
  QStringList rows;
  for (const QString &axis : axes) rows << tr("Control %1").arg(axis);
  for (const QString &axis : axes) rows << tr("Centres %1").arg(axis);
  setVerticalHeaderLabels(rows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  for (int row = 0; row < rowCount(); ++row)
    for (int column = 0; column < columnCount(); ++column) {
      auto *item = new QTableWidgetItem(Dash);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      setItem(row, column, item);
    }
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // As high as its six rows, and no wider than the dock makes it: sized to
  // its contents it would widen the dock area it shares with the project view.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  setFixedHeight(horizontalHeader()->sizeHint().height() + rowCount() * verticalHeader()->defaultSectionSize() +
                 2 * frameWidth());
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void PhControlSummary::setTable(const PhControlTable *table) {
  for (int centres = 0; centres < 2; ++centres)
    for (int axis = 0; axis < 3; ++axis) {
      const int row = rowOf(centres != 0, axis);
      const PhAxisSummary *s = nullptr;
      if (table) s = centres ? &table->centres(axis) : &table->control(axis);
      const bool empty = !s || s->isEmpty();
      item(row, COL_Count)->setText(s ? QString::number(s->n) : Dash);
      item(row, COL_Mean)->setText(empty ? Dash : QString::number(s->mean(), 'f', 4));
      item(row, COL_Rms)->setText(empty ? Dash : QString::number(s->rms(), 'f', 4));
      item(row, COL_Max)->setText(empty ? Dash : QString::number(s->maxAbs, 'f', 4));
    }
}
