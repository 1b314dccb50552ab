#ifndef BENCHTABLE_H
#define BENCHTABLE_H

#include <QString>
#include <QStringList>

#include <vector>

// The figures of a benchmark run: one row per measure, one column per
// project size, printed as a text table or written as JSON.
class BenchTable {
 public:
  void addSize(const QString &name, qint64 imagePoints);
  // A figure of the last added size.
  void add(const QString &measure, const QString &unit, const QString &target, double value);
  void addNote(const QString &note) { mNotes << note; }

  QString text() const;
  bool writeJson(const QString &fileName, QString *error) const;

 private:
  struct Row {
    QString measure;
    QString unit;
    QString target;
    std::vector<double> values;  // per size; NaN where not measured
  };
  Row &row(const QString &measure, const QString &unit, const QString &target);

  QStringList mSizes;
  std::vector<qint64> mImagePoints;
  std::vector<Row> mRows;
  QStringList mNotes;
};

#endif  // BENCHTABLE_H
