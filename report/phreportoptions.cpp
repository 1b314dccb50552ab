#include "phreportoptions.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimeZone>

#include <cmath>

bool PhReportOptions::setTolerance(const QString &text, QString *error) {
  const QStringList parts = text.split(QLatin1Char(','));
  double values[3] = {0.0, 0.0, 0.0};
  bool good = parts.size() == 3;
  for (int axis = 0; good && axis < 3; ++axis) {
    values[axis] = parts[axis].trimmed().toDouble(&good);
    good = good && std::isfinite(values[axis]) && values[axis] >= 0.0;
  }
  if (!good) {
    if (error)
      *error = QCoreApplication::translate("PhReportOptions",
                                           "--tolerance takes three numbers X,Y,Z, none negative, not '%1'.")
                   .arg(text);
    return false;
  }
  for (int axis = 0; axis < 3; ++axis) tolerance[axis] = values[axis];
  hasTolerance = true;
  return true;
}

QDateTime PhReportOptions::creationTime() {
  bool ok = false;
  const qlonglong seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").trimmed().toLongLong(&ok);
  if (ok && seconds >= 0) return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
  return QDateTime::currentDateTimeUtc();
}
