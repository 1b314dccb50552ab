#include "phanalysistable.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSaveFile>

#include <algorithm>

#include "phanalysistablemodel.h"
#include "uxcfg.h"
#include "uxmsg.h"

PhAnalysisTable::PhAnalysisTable(PhAnalysisTableModel *model, QWidget *parent)
    : QTableView(parent), mModel(model), mMenu(new QMenu(this)) {
  setModel(model);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Unsorted at first: the rows in list order until a header is clicked.
  horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  setSortingEnabled(true);
  setWordWrap(false);
  verticalHeader()->hide();
  // Fixed row heights: nothing is measured per row, however many there are.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setSortIndicatorShown(true);
  horizontalHeader()->setStretchLastSection(true);
  // Fitting the columns reads a few hundred rows, never all of them.
  horizontalHeader()->setResizeContentsPrecision(200);
  QAction *copy = mMenu->addAction(tr("&Copy"), this, &PhAnalysisTable::copySelection);
  copy->setShortcut(QKeySequence::Copy);
  mMenu->addAction(tr("Export as CSV..."), this, &PhAnalysisTable::exportWithDialog);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { mMenu->popup(viewport()->mapToGlobal(pos)); });
}

std::vector<int> PhAnalysisTable::selectedRowNumbers() const {
  std::vector<int> rows;
  if (!selectionModel()) return rows;
  const QItemSelection selection = selectionModel()->selection();
  std::size_t n = 0;
  for (const QItemSelectionRange &range : selection) n += std::size_t(range.height());
  rows.reserve(n);
  for (const QItemSelectionRange &range : selection)
    for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void PhAnalysisTable::fitColumns() { resizeColumnsToContents(); }

QByteArray PhAnalysisTable::copyText() const { return mModel->csv(selectedRowNumbers(), '\t'); }

void PhAnalysisTable::copySelection() {
  if (QClipboard *clipboard = QGuiApplication::clipboard()) clipboard->setText(QString::fromUtf8(copyText()));
}

bool PhAnalysisTable::exportCsv(const QString &fileName) {
  const QByteArray bytes = mModel->csv(',');
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    return Ux::warn(tr("Can't write '%1': %2").arg(fileName, file.errorString()));
  return true;
}

void PhAnalysisTable::exportWithDialog() {
  Ux::Cfg cfg(QStringLiteral("Analysis"));
  const QString folder = cfg.readString(QStringLiteral("ExportFolder"), QString());
  const QString file = QFileDialog::getSaveFileName(this, tr("Export as CSV"), folder,
                                                    tr("CSV files (*.csv);;All files (*)"));
  if (file.isEmpty()) return;
  cfg.writeEntry(QStringLiteral("ExportFolder"), QFileInfo(file).absolutePath());
  exportCsv(file);
}

void PhAnalysisTable::keyPressEvent(QKeyEvent *event) {
  if (event->matches(QKeySequence::Copy)) {
    copySelection();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}
