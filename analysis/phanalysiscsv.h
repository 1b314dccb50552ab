#ifndef PHANALYSISCSV_H
#define PHANALYSISCSV_H

#include <QByteArray>
#include <QString>

class PhImageList;
class PhObjectList;

// The analysis tables as comma-separated files with a header line, rows in
// list order: images.csv (per-image residual figures), control.csv (every
// observed axis) and points.csv (every object point with its rays).
class PhAnalysisCsv {
 public:
  static QByteArray images(const PhImageList &images);
  static QByteArray control(const PhObjectList &objects);
  static QByteArray points(const PhObjectList &objects);

  // Writes the three files into the folder (made when missing), each saved
  // whole or not at all. False with the reason in `error` when one could
  // not be written.
  static bool write(const QString &dir, const PhImageList &images, const PhObjectList &objects,
                    QString *error);
};

#endif  // PHANALYSISCSV_H
