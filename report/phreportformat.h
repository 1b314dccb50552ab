#ifndef PHREPORTFORMAT_H
#define PHREPORTFORMAT_H

#include <QDateTime>
#include <QString>

// How a report writes its numbers: in the C locale, never in exponent form
// for the sizes a project has, the same text in every document.
namespace PhReportFormat {

// `digits` significant digits without trailing zeros (0.0042 reads 0.0042,
// 0.00299312 reads 0.002993); whole numbers of any size in full.
QString significant(double value, int digits = 4);
// A fixed number of decimals.
QString fixed(double value, int decimals);
QString count(long long value);
// "2026-12-10 21:57:10 UTC"; "unknown" for an invalid time.
QString time(const QDateTime &time);

}  // namespace PhReportFormat

#endif  // PHREPORTFORMAT_H
