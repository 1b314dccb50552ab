#ifndef PHANALYSISTABLE_H
#define PHANALYSISTABLE_H

#include <QByteArray>
#include <QTableView>

#include <vector>

class PhAnalysisTableModel;
class QMenu;

// A table of the analysis dock: whole rows selected, sorting by a click on
// the header, Ctrl+C copies the selected rows as tab-separated text with a
// header line, and the context menu exports all rows as shown to CSV.
class PhAnalysisTable : public QTableView {
  Q_OBJECT

 public:
  explicit PhAnalysisTable(PhAnalysisTableModel *model, QWidget *parent = nullptr);

  PhAnalysisTableModel *analysisModel() const { return mModel; }
  // The selected rows, ascending, each once.
  std::vector<int> selectedRowNumbers() const;
  // What Ctrl+C puts on the clipboard.
  QByteArray copyText() const;
  // Every row as shown, comma-separated, saved whole or not at all; false
  // after telling why.
  bool exportCsv(const QString &fileName);
  // Columns as wide as their header and the first rows need.
  void fitColumns();
  // The menu the context menu shows (for tests; owned by the table).
  QMenu *contextMenu() const { return mMenu; }

 public slots:
  void copySelection();
  // Asks for a file name, then exports.
  void exportWithDialog();

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  PhAnalysisTableModel *mModel;
  QMenu *mMenu;
};

#endif  // PHANALYSISTABLE_H
