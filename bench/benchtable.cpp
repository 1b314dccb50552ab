#include "benchtable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>
#include <QThread>

#include <cmath>
#include <limits>

void BenchTable::addSize(const QString &name, qint64 imagePoints) {
  mSizes << name;
  mImagePoints.push_back(imagePoints);
  for (Row &r : mRows) r.values.resize(std::size_t(mSizes.size()), std::numeric_limits<double>::quiet_NaN());
}

BenchTable::Row &BenchTable::row(const QString &measure, const QString &unit, const QString &target) {
  for (Row &r : mRows)
    if (r.measure == measure) return r;
  mRows.push_back({measure, unit, target,
                   std::vector<double>(std::size_t(mSizes.size()), std::numeric_limits<double>::quiet_NaN())});
  return mRows.back();
}

void BenchTable::add(const QString &measure, const QString &unit, const QString &target, double value) {
  if (mSizes.isEmpty()) return;
  row(measure, unit, target).values[std::size_t(mSizes.size() - 1)] = value;
}

namespace {
QString figure(double v) {
  if (std::isnan(v)) return QStringLiteral("-");
  const double a = std::fabs(v);
  if (a >= 10 && v == std::floor(v)) return QString::number(qint64(v));
  if (a >= 1000) return QString::number(v, 'f', 0);
  if (a >= 100) return QString::number(v, 'f', 1);
  if (a >= 10) return QString::number(v, 'f', 2);
  return QString::number(v, 'f', 3);
}
}  // namespace

QString BenchTable::text() const {
  int wMeasure = 7, wUnit = 4, wTarget = 6;
  for (const Row &r : mRows) {
    wMeasure = qMax(wMeasure, int(r.measure.size()));
    wUnit = qMax(wUnit, int(r.unit.size()));
    wTarget = qMax(wTarget, int(r.target.size()));
  }
  std::vector<int> wValue;
  for (int s = 0; s < mSizes.size(); ++s) {
    int w = int(mSizes[s].size());
    for (const Row &r : mRows) w = qMax(w, int(figure(r.values[std::size_t(s)]).size()));
    wValue.push_back(w);
  }
  QString out;
  auto line = [&](const QString &m, const QString &u, const QString &t, const QStringList &values) {
    out += m.leftJustified(wMeasure) + QStringLiteral("  ") + u.leftJustified(wUnit);
    for (int s = 0; s < values.size(); ++s)
      out += QStringLiteral("  ") + values[s].rightJustified(wValue[std::size_t(s)]);
    out += QStringLiteral("  ") + t + QLatin1Char('\n');
  };
  line(QStringLiteral("measure"), QStringLiteral("unit"), QStringLiteral("target"), mSizes);
  for (const Row &r : mRows) {
    QStringList values;
    for (double v : r.values) values << figure(v);
    line(r.measure, r.unit, r.target, values);
  }
  for (const QString &note : mNotes) out += note + QLatin1Char('\n');
  return out;
}

bool BenchTable::writeJson(const QString &fileName, QString *error) const {
  QJsonArray sizes;
  for (int s = 0; s < mSizes.size(); ++s)
    sizes.append(QJsonObject{{QStringLiteral("name"), mSizes[s]},
                             {QStringLiteral("imagePoints"), double(mImagePoints[std::size_t(s)])}});
  QJsonArray rows;
  for (const Row &r : mRows) {
    QJsonArray values;
    for (double v : r.values) values.append(std::isnan(v) ? QJsonValue() : QJsonValue(v));
    rows.append(QJsonObject{{QStringLiteral("measure"), r.measure},
                            {QStringLiteral("unit"), r.unit},
                            {QStringLiteral("target"), r.target},
                            {QStringLiteral("values"), values}});
  }
  QJsonObject root{{QStringLiteral("machine"), QSysInfo::prettyProductName()},
                   {QStringLiteral("cpu"), QSysInfo::currentCpuArchitecture()},
                   {QStringLiteral("threads"), QThread::idealThreadCount()},
                   {QStringLiteral("sizes"), sizes},
                   {QStringLiteral("rows"), rows},
                   {QStringLiteral("notes"), QJsonArray::fromStringList(mNotes)}};
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    if (error) *error = file.errorString();
    return false;
  }
  file.write(QJsonDocument(root).toJson());
  return file.flush();
}
