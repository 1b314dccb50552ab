#include "benchanalysis.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "benchtable.h"
#include "phanalysisdock.h"
#include "phanalysistable.h"
#include "phcontrolsummary.h"
#include "phcontroltablemodel.h"
#include "phimagelist.h"
#include "phimagestatsmodel.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"

namespace {

const QString kMs = QStringLiteral("ms");

double medianMs(int repeat, const std::function<void()> &run, const std::function<void()> &prepare = {}) {
  std::vector<double> ms;
  for (int r = 0; r < repeat; ++r) {
    if (prepare) prepare();
    QElapsedTimer t;
    t.start();
    run();
    ms.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  const std::size_t n = ms.size();
  return n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2.0;
}

// The table's rows laid out and the visible ones painted.
void layOut(PhAnalysisTable *table) {
  table->doItemsLayout();
  table->viewport()->repaint();
}

// A million points; every 25th a control point with X, Y and Z observed.
void controlObjects(PhObjectList &list) {
  const int n = 1000000;
  static const int codes[] = {200, 300, 500};
  list.reserve(n);
  for (int i = 0; i < n; ++i) {
    PhObjectPoint p;
    p.setPointId(i + 1);
    p.setAccepted(true);
    p.setAdjustedValues(i % 1000, i / 1000, 1.0, 0.1f, 0.1f, 0.1f);
    if (i % 25 == 0) {
      p.setCode(codes[(i / 25) % 3]);
      for (int axis = 0; axis < 3; ++axis)
        p.setObservedAxis(axis, i, float((i % 97) - 48) / 1000.0f, 0.01f, i % 50 != 0);
    } else {
      p.setCode(100);
    }
    list.append(std::move(p));
  }
}

}  // namespace

void benchAnalysis(BenchTable &table, const PhImageList &images, PhObjectList &objects, int repeat) {
  PhAnalysisDock dock;
  dock.resize(900, 700);
  dock.show();
  if (!QTest::qWaitForWindowExposed(&dock)) std::fprintf(stderr, "tessella-bench: analysis dock not shown\n");
  PhAnalysisTable *imagesTable = dock.imagesTable();
  PhAnalysisTable *controlTable = dock.controlTable();

  table.add(QStringLiteral("analysis: open images table"), kMs, QStringLiteral("< 100 at 1 M"), medianMs(repeat, [&] {
              dock.imagesModel()->fill(&images, &objects);
              layOut(imagesTable);
            }, [&] { dock.imagesModel()->clear(); }));
  bool descending = false;
  table.add(QStringLiteral("analysis: sort images table by RMS"), kMs, QStringLiteral("-"), medianMs(repeat, [&] {
              imagesTable->sortByColumn(PhImageStatsModel::COL_Rms,
                                        descending ? Qt::DescendingOrder : Qt::AscendingOrder);
              layOut(imagesTable);
              descending = !descending;
            }));
  dock.tabs()->setCurrentIndex(PhAnalysisDock::TAB_Control);
  QApplication::processEvents();
  table.add(QStringLiteral("analysis: open control table"), kMs, QStringLiteral("-"), medianMs(repeat, [&] {
              dock.controlModel()->fill(&objects);
              dock.summary()->setTable(dock.controlModel()->table());
              layOut(controlTable);
            }, [&] { dock.controlModel()->clear(); }));
  table.add(QStringLiteral("  control rows of the project"), QStringLiteral("rows"), QString(),
            dock.controlModel()->rowCount());
  dock.controlModel()->fill(&objects);
  layOut(controlTable);
  descending = false;
  table.add(QStringLiteral("analysis: sort control table by residual"), kMs, QStringLiteral("-"), medianMs(repeat, [&] {
              controlTable->sortByColumn(PhControlTableModel::COL_Residual,
                                         descending ? Qt::DescendingOrder : Qt::AscendingOrder);
              layOut(controlTable);
              descending = !descending;
            }));
  dock.clear();

  // The selections on a list with many control rows, beside the project's images.
  PhObjectList control;
  controlObjects(control);
  dock.setProject(&images, &control);
  QApplication::processEvents();
  const int rows = dock.controlModel()->rowCount();
  const int selectedRows = std::min(100000, rows);
  const QItemSelection band(dock.controlModel()->index(0, 0),
                            dock.controlModel()->index(selectedRows - 1, PhControlTableModel::COL_Count - 1));
  int points = 0;
  table.add(QStringLiteral("analysis: 100,000-row selection"), kMs, QStringLiteral("< 100 at 1 M"),
            medianMs(repeat, [&] {
              controlTable->selectionModel()->select(band, QItemSelectionModel::ClearAndSelect);
              layOut(controlTable);
              points = control.selectedCount();
            }, [&] {
              control.deselectAll();
              QApplication::processEvents();
            }));
  table.add(QStringLiteral("  points it selects"), QStringLiteral("points"), QString(), points);

  // Every third point: the control rows selected come in thousands of ranges.
  std::vector<int> third;
  for (int i = 0; i < control.count(); i += 3) third.push_back(i);
  third.resize(std::min<std::size_t>(third.size(), 300000));
  table.add(QStringLiteral("analysis: 300,000-point selection change"), kMs, QStringLiteral("< 100 at 1 M"),
            medianMs(repeat, [&] {
              control.selection().selectIndices(third, false);
              layOut(controlTable);
            }, [&] {
              control.deselectAll();
              QApplication::processEvents();
            }));
  table.add(QStringLiteral("  selected row ranges it shows"), QStringLiteral("ranges"), QString(),
            controlTable->selectionModel()->selection().size());
  dock.clear();
  control.deselectAll();
}
