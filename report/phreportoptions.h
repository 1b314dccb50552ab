#ifndef PHREPORTOPTIONS_H
#define PHREPORTOPTIONS_H

#include <QDateTime>
#include <QString>

#include "phresidualunit.h"

// What a report is written into and how: the files (either may be empty),
// the per-axis tolerances of the control check, the unit of image residuals
// and the creation time it names.
struct PhReportOptions {
  QString htmlFile;
  QString pdfFile;
  bool hasTolerance = false;
  double tolerance[3] = {0.0, 0.0, 0.0};
  PhResidualUnit::UnitE unit = PhResidualUnit::Millimetre;
  QDateTime created;

  // "X,Y,Z": three numbers, none negative. False with the reason in `error`.
  bool setTolerance(const QString &text, QString *error);
  // The time of SOURCE_DATE_EPOCH (seconds since 1970, UTC) when it is set
  // and readable, so that builds and tests get the same bytes; else now.
  static QDateTime creationTime();
};

#endif  // PHREPORTOPTIONS_H
