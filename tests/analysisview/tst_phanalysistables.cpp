// The analysis tables without the selection: the cells of the images and
// control point tables with their empty cells, numeric sorting that keeps
// the selected rows, the control summaries, the image residual unit and
// its setting, Ctrl+C text and the exported CSV bytes.

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include "analysis/analysisfixture.h"
#include "filebytes.h"
#include "messagecapture.h"
#include "phanalysisdock.h"
#include "phanalysistable.h"
#include "phcontrolsummary.h"
#include "phcontroltablemodel.h"
#include "phcsvwriter.h"
#include "phimagestats.h"
#include "phimagestatsmodel.h"
#include "tessellatest.h"
#include "uxcfg.h"

namespace {

QString cell(const QAbstractItemModel *model, int row, int column) {
  return model->index(row, column).data().toString();
}

QStringList columnTexts(const QAbstractItemModel *model, int c) {
  QStringList texts;
  for (int row = 0; row < model->rowCount(); ++row) texts << cell(model, row, c);
  return texts;
}

// "point axis" per shown control row.
QStringList controlRows(const QAbstractItemModel *model) {
  QStringList rows;
  for (int row = 0; row < model->rowCount(); ++row)
    rows << cell(model, row, PhControlTableModel::COL_Point) + QLatin1Char(' ') +
                cell(model, row, PhControlTableModel::COL_Axis);
  return rows;
}

void selectRows(PhAnalysisTable *table, std::initializer_list<int> rows) {
  QItemSelection selection;
  const int last = table->model()->columnCount() - 1;
  for (int row : rows) selection.select(table->model()->index(row, 0), table->model()->index(row, last));
  table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

const QString Micro = QString(QChar(0x00b5)) + QLatin1Char('m');

}  // namespace

class TstPhAnalysisTables : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void imageCellsAndEmptyCells();
  void controlCellsAndSummary();
  void numericSorting_data();
  void numericSorting();
  void sortingKeepsSelectedRows();
  void unitSwitch();
  void copiedText();
  void exportedBytes();
  void exportFailureIsReported();
};

void TstPhAnalysisTables::imageCellsAndEmptyCells() {
  AnalysisBlock b;
  PhImageStatsModel model;
  model.fill(&b.images, &b.objects);
  QCOMPARE(model.rowCount(), 3);
  QCOMPARE(model.columnCount(), int(PhImageStatsModel::COL_Count));
  QStringList row0;
  for (int c = 0; c < model.columnCount(); ++c) row0 << cell(&model, 0, c);
  // RMS over points 1 and 2 only: x sqrt(9/2), y sqrt(16/2), |r| sqrt(25/2).
  QCOMPARE(row0, (QStringList{"10", "7", "3", "1", "2.12132", "2.82843", "3.53553", "5.00000", "1"}));
  // Image 11 has every point eliminated: empty figures, not zeros.
  QStringList row1;
  for (int c = 0; c < model.columnCount(); ++c) row1 << cell(&model, 1, c);
  QCOMPARE(row1, (QStringList{"11", "7", "2", "2", "", "", "", "", ""}));
  // Rows stand for the projection centres; image 9 has none.
  QCOMPARE(model.positionOfRow(0), b.position(10));
  QCOMPARE(model.positionOfRow(1), b.position(11));
  QCOMPARE(model.positionOfRow(2), -1);
  model.clear();
  QCOMPARE(model.rowCount(), 0);
}

void TstPhAnalysisTables::controlCellsAndSummary() {
  AnalysisBlock b;
  PhControlTableModel model;
  model.fill(&b.objects);
  QCOMPARE(controlRows(&model), (QStringList{"2 X", "2 Y", "2 Z", "3 Z", "11 X", "11 Y"}));
  QStringList z2;
  for (int c = 0; c < model.columnCount(); ++c) z2 << cell(&model, 2, c);
  QCOMPARE(z2, (QStringList{"2", PhControlTableModel::typeName(500), "Z", "30.0000", "2.0000", "0.0300", "no"}));
  QVERIFY(!PhControlTableModel::typeName(500).contains(QLatin1Char('&')));
  QVERIFY(PhControlTableModel::typeName(500) != PhControlTableModel::typeName(901));
  QCOMPARE(model.positionOfRow(4), b.position(11));

  PhControlSummary summary;
  summary.setTable(model.table());
  auto row = [&](bool centres, int axis) {
    QStringList texts;
    const int r = PhControlSummary::rowOf(centres, axis);
    for (int c = 0; c < summary.columnCount(); ++c) texts << summary.item(r, c)->text();
    return texts;
  };
  const QString dash(QChar(0x2013));
  // Accepted observations only: point 2's Z and centre 11's Y are left out.
  QCOMPARE(row(false, 1), (QStringList{"1", "-0.7500", "0.7500", "0.7500"}));
  QCOMPARE(row(false, 2), (QStringList{"1", "-0.5000", "0.5000", "0.5000"}));
  QCOMPARE(row(true, 0), (QStringList{"1", "0.1250", "0.1250", "0.1250"}));
  QCOMPARE(row(true, 1), (QStringList{"0", dash, dash, dash}));
  QCOMPARE(row(true, 2), (QStringList{"0", dash, dash, dash}));
  summary.setTable(nullptr);
  QCOMPARE(row(false, 0), (QStringList{dash, dash, dash, dash}));
}

void TstPhAnalysisTables::numericSorting_data() {
  QTest::addColumn<bool>("images");
  QTest::addColumn<int>("column");
  QTest::addColumn<bool>("descending");
  QTest::addColumn<QStringList>("rows");
  // By number, not text ("9" after "11" as text); empty cells last both ways.
  QTest::addRow("image ID") << true << int(PhImageStatsModel::COL_Image) << false << QStringList{"9", "10", "11"};
  QTest::addRow("image ID down") << true << int(PhImageStatsModel::COL_Image) << true
                                 << QStringList{"11", "10", "9"};
  QTest::addRow("RMS") << true << int(PhImageStatsModel::COL_Rms) << false << QStringList{"9", "10", "11"};
  QTest::addRow("RMS down") << true << int(PhImageStatsModel::COL_Rms) << true << QStringList{"10", "9", "11"};
  QTest::addRow("largest residual point") << true << int(PhImageStatsModel::COL_MaxPoint) << false
                                          << QStringList{"10", "9", "11"};
  QTest::addRow("eliminated") << true << int(PhImageStatsModel::COL_Eliminated) << true
                              << QStringList{"11", "10", "9"};
  // Equal keys keep the list order.
  QTest::addRow("point ID") << false << int(PhControlTableModel::COL_Point) << true
                            << QStringList{"11 X", "11 Y", "3 Z", "2 X", "2 Y", "2 Z"};
  QTest::addRow("residual") << false << int(PhControlTableModel::COL_Residual) << false
                            << QStringList{"2 Y", "3 Z", "11 X", "2 X", "2 Z", "11 Y"};
  QTest::addRow("axis") << false << int(PhControlTableModel::COL_Axis) << true
                        << QStringList{"2 Z", "3 Z", "2 Y", "11 Y", "2 X", "11 X"};
  QTest::addRow("accepted") << false << int(PhControlTableModel::COL_Accepted) << false
                            << QStringList{"2 Z", "11 Y", "2 X", "2 Y", "3 Z", "11 X"};
}

void TstPhAnalysisTables::numericSorting() {
  QFETCH(bool, images);
  QFETCH(int, column);
  QFETCH(bool, descending);
  QFETCH(QStringList, rows);
  AnalysisBlock b;
  PhImageStatsModel imagesModel;
  PhControlTableModel controlModel;
  imagesModel.fill(&b.images, &b.objects);
  controlModel.fill(&b.objects);
  PhAnalysisTableModel *model = images ? static_cast<PhAnalysisTableModel *>(&imagesModel) : &controlModel;
  model->sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  QCOMPARE(images ? columnTexts(model, 0) : controlRows(model), rows);
  // A new fill keeps the order chosen.
  if (images) {
    imagesModel.fill(&b.images, &b.objects);
    QCOMPARE(columnTexts(model, 0), rows);
  }
}

void TstPhAnalysisTables::sortingKeepsSelectedRows() {
  AnalysisBlock b;
  PhControlTableModel model;
  model.fill(&b.objects);
  PhAnalysisTable table(&model);
  selectRows(&table, {3, 5});  // 3 Z, 11 Y
  table.sortByColumn(PhControlTableModel::COL_Residual, Qt::AscendingOrder);
  QCOMPARE(controlRows(&model), (QStringList{"2 Y", "3 Z", "11 X", "2 X", "2 Z", "11 Y"}));
  QCOMPARE(table.selectedRowNumbers(), (std::vector<int>{1, 5}));
}

void TstPhAnalysisTables::unitSwitch() {
  AnalysisBlock b;
  {
    PhAnalysisDock dock;
    QCOMPARE(dock.unit(), PhResidualUnit::Millimetre);
    dock.setProject(&b.images, &b.objects);
    dock.setCurrentPoint(2);
    const PhImageStatsModel *model = dock.imagesModel();
    QCOMPARE(model->headerData(PhImageStatsModel::COL_RmsX, Qt::Horizontal).toString(), QStringLiteral("RMS x [mm]"));
    QCOMPARE(cell(model, 2, PhImageStatsModel::COL_RmsY), QStringLiteral("0.00200"));
    dock.unitBox()->setCurrentIndex(1);
    QCOMPARE(dock.unit(), PhResidualUnit::Micrometre);
    QCOMPARE(model->headerData(PhImageStatsModel::COL_RmsX, Qt::Horizontal).toString(),
             QStringLiteral("RMS x [") + Micro + "]");
    QCOMPARE(cell(model, 2, PhImageStatsModel::COL_RmsY), QStringLiteral("2.00"));
    QCOMPARE(cell(model, 0, PhImageStatsModel::COL_MaxResidual), QStringLiteral("5000.00"));
    // Counts and IDs keep their values.
    QCOMPARE(cell(model, 0, PhImageStatsModel::COL_Points), QStringLiteral("3"));
    QCOMPARE(cell(model, 0, PhImageStatsModel::COL_MaxPoint), QStringLiteral("1"));
    QCOMPARE(Ux::Cfg(QStringLiteral("Analysis")).readNum(QStringLiteral("ImageResidualUnit"), -1), 1);
  }
  // A new dock starts in the stored unit.
  PhAnalysisDock dock;
  QCOMPARE(dock.unit(), PhResidualUnit::Micrometre);
  QCOMPARE(dock.unitBox()->currentIndex(), 1);
  dock.unitBox()->setCurrentIndex(0);
  QCOMPARE(Ux::Cfg(QStringLiteral("Analysis")).readNum(QStringLiteral("ImageResidualUnit"), -1), 0);
}

void TstPhAnalysisTables::copiedText() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  dock.setUnit(PhResidualUnit::Micrometre);
  PhAnalysisTable *images = dock.imagesTable();
  images->sortByColumn(PhImageStatsModel::COL_Image, Qt::AscendingOrder);  // 9, 10, 11
  selectRows(images, {2, 0});
  // Tab-separated, header with the unit shown, rows in shown order, numbers
  // in full, empty cells empty.
  const QByteArray mu = Micro.toUtf8();
  QByteArray expected = "Image\tCamera\tPoints\tEliminated\tRMS x [" + mu + "]\tRMS y [" + mu + "]\tRMS [" + mu +
                        "]\tLargest residual [" + mu + "]\tIts point\r\n";
  const PhImageStats nine = PhImageStats::of(*b.images.at(2));
  expected += "9\t7\t1\t0\t" + PhCsvWriter::shortest(nine.rmsX * 1000) + "\t" +
              PhCsvWriter::shortest(nine.rmsY * 1000) + "\t" + PhCsvWriter::shortest(nine.rms * 1000) + "\t" +
              PhCsvWriter::shortest(nine.maxResidual * 1000.0f) + "\t2\r\n";
  expected += "11\t7\t2\t2\t\t\t\t\t\r\n";
  QCOMPARE(images->copyText(), expected);

  QGuiApplication::clipboard()->clear();
  images->setFocus();
  QTest::keyClick(images, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(expected));

  // Texts and numbers of the control table: object residuals keep their unit.
  PhAnalysisTable *control = dock.controlTable();
  selectRows(control, {3});
  QCOMPARE(control->copyText(),
           QByteArray("Point\tType\tAxis\tObserved\tResidual\tSigma\tAccepted\r\n3\t") +
               PhControlTableModel::typeName(200).toUtf8() + "\tZ\t31\t-0.5\t0.04\t1\r\n");
}

void TstPhAnalysisTables::exportedBytes() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  PhAnalysisTable *control = dock.controlTable();
  control->sortByColumn(PhControlTableModel::COL_Sigma, Qt::DescendingOrder);
  selectRows(control, {0});  // the selection does not limit an export
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("control.csv"));
  QVERIFY(control->exportCsv(file));
  auto line = [](int id, int type, const char *axis, const char *rest) {
    return QByteArray::number(id) + ',' + PhControlTableModel::typeName(type).toUtf8() + ',' + axis + ',' + rest +
           "\r\n";
  };
  const QByteArray expected = QByteArray("Point,Type,Axis,Observed,Residual,Sigma,Accepted\r\n") +
                              line(11, 901, "X", "500,0.125,0.5,1") + line(11, 901, "Y", "600,9,0.5,0") +
                              line(3, 200, "Z", "31,-0.5,0.04,1") + line(2, 500, "Z", "30,2,0.03,0") +
                              line(2, 500, "Y", "2000.5,-0.75,0.02,1") + line(2, 500, "X", "1000.5,0.25,0.01,1");
  QCOMPARE(fileBytes(file), expected);

  // The images table in millimetres as stored.
  PhAnalysisTable *images = dock.imagesTable();
  images->sortByColumn(PhImageStatsModel::COL_Rms, Qt::DescendingOrder);
  const QString imagesFile = dir.filePath(QStringLiteral("images.csv"));
  QVERIFY(images->exportCsv(imagesFile));
  const QList<QByteArray> lines = fileBytes(imagesFile).split('\n');
  QCOMPARE(lines.size(), 5);  // header, three rows, nothing after the last CR LF
  QCOMPARE(lines[0], QByteArray("Image,Camera,Points,Eliminated,RMS x [mm],RMS y [mm],RMS [mm],"
                                "Largest residual [mm],Its point\r"));
  QCOMPARE(lines[1], QByteArray("10,7,3,1,") + PhCsvWriter::shortest(std::sqrt(4.5)) + ',' +
                         PhCsvWriter::shortest(std::sqrt(8.0)) + ',' + PhCsvWriter::shortest(std::sqrt(12.5)) +
                         ",5,1\r");
  QVERIFY(lines[2].startsWith("9,7,1,0,0.00"));
  QCOMPARE(lines[3], QByteArray("11,7,2,2,,,,,\r"));
}

void TstPhAnalysisTables::exportFailureIsReported() {
  AnalysisBlock b;
  PhAnalysisDock dock;
  dock.setProject(&b.images, &b.objects);
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("missing/folder/images.csv"));
  MessageCapture messages;
  QVERIFY(!dock.imagesTable()->exportCsv(file));
  QCOMPARE(messages.warnings().size(), 1);
  QVERIFY(messages.warnings().first().contains(file));
  QVERIFY(!QFile::exists(file));
}

TESSELLA_TEST_MAIN(TstPhAnalysisTables)
#include "tst_phanalysistables.moc"
