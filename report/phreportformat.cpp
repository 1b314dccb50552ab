#include "phreportformat.h"

#include <QCoreApplication>
#include <QTimeZone>

#include <cmath>

QString PhReportFormat::significant(double value, int digits) {
  if (!std::isfinite(value)) return QStringLiteral("-");
  if (value == 0.0) return QStringLiteral("0");
  const double magnitude = std::floor(std::log10(std::fabs(value)));
  // Too small or too large to read in plain decimals.
  if (magnitude < -6 || magnitude > 15) return QString::number(value, 'g', std::max(digits, 1));
  const int decimals = std::max(0, digits - 1 - int(magnitude));
  QString text = fixed(value, decimals);
  // As a reader writes it: 0.0042, not 0.004200.
  if (decimals > 0) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  }
  return text;
}

QString PhReportFormat::fixed(double value, int decimals) {
  if (!std::isfinite(value)) return QStringLiteral("-");
  QString text = QString::number(value, 'f', decimals);
  // No "-0.000": a value that rounds to zero reads as zero.
  if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 1 - (decimals > 0))
    text.remove(0, 1);
  return text;
}

QString PhReportFormat::count(long long value) { return QString::number(value); }

QString PhReportFormat::time(const QDateTime &time) {
  if (!time.isValid()) return QCoreApplication::translate("PhReportFormat", "unknown");
  return time.toTimeZone(QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
         QStringLiteral(" UTC");
}

