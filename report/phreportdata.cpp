#include "phreportdata.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include "phcontroltable.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phprojectdata.h"

namespace {

QString translated(const char *text) { return QCoreApplication::translate("PhReportData", text); }

void collectFiles(PhReportData &d, const PhProjectData &project) {
  const struct {
    const char *caption;
    QString path;
  } files[] = {{QT_TRANSLATE_NOOP("PhReportData", "Project file"), project.projectFile()},
               {QT_TRANSLATE_NOOP("PhReportData", "Camera file"), project.cameraFile()},
               {QT_TRANSLATE_NOOP("PhReportData", "Image coordinates"), project.imageFile()},
               {QT_TRANSLATE_NOOP("PhReportData", "Exterior orientations"), project.orientationFile()},
               {QT_TRANSLATE_NOOP("PhReportData", "Object coordinates"), project.objectFile()},
               {QT_TRANSLATE_NOOP("PhReportData", "Object observations"), project.observationFile()}};
  for (const auto &file : files) {
    d.files.append(qMakePair(translated(file.caption), file.path));
    const QFileInfo info(file.path);
    if (file.path.isEmpty() || !info.exists()) continue;
    const QDateTime modified = info.lastModified().toUTC();
    if (!d.baxDate.isValid() || modified > d.baxDate) d.baxDate = modified;
  }
}

void collectImages(PhReportData &d, const PhImageList &images) {
  std::vector<double> adjusted;
  std::vector<double> eliminated;
  std::vector<PhReportData::EliminatedPoint> all;
  double squares = 0.0;
  long long count = 0;
  const double factor = d.unitFactor();
  for (const PhImage *image : images) {
    d.imagePoints += image->pointCount();
    d.eliminated += image->notAdjustedCount();
    for (const PhImagePoint &point : *image) {
      if (point.code() == PhGlobal::LonelyCode) ++d.lonely;
      const double rx = point.residualX();
      const double ry = point.residualY();
      const double r = std::sqrt(rx * rx + ry * ry);
      if (point.adjustStatus()) {
        squares += rx * rx + ry * ry;
        ++count;
        adjusted.push_back(r * factor);
      } else {
        eliminated.push_back(r * factor);
        all.push_back({image->imageId(), point.pointId(), r});
      }
    }
  }
  d.hasRms = count > 0;
  if (d.hasRms) d.rmsImageResidual = std::sqrt(squares / double(count));
  d.adjustedHistogram = PhReportData::histogram(adjusted, PhReportData::HistogramBins);
  d.eliminatedHistogram = PhReportData::histogram(eliminated, PhReportData::HistogramBins);

  // Largest first; equal ones stay in list order.
  std::stable_sort(all.begin(), all.end(),
                   [](const auto &a, const auto &b) { return a.residual > b.residual; });
  if (all.size() > std::size_t(PhReportData::EliminatedListed)) all.resize(PhReportData::EliminatedListed);
  d.largestEliminated = std::move(all);

  d.imagesById = PhImageStats::ofAll(images);
  d.imagesWorstFirst = d.imagesById;
  std::stable_sort(d.imagesById.begin(), d.imagesById.end(),
                   [](const PhImageStats &a, const PhImageStats &b) { return a.imageId < b.imageId; });
  std::stable_sort(d.imagesWorstFirst.begin(), d.imagesWorstFirst.end(),
                   [](const PhImageStats &a, const PhImageStats &b) {
                     if (a.hasRms() != b.hasRms()) return a.hasRms();
                     return a.hasRms() && a.rms > b.rms;
                   });
  if (!d.imagesWorstFirst.empty() && d.imagesWorstFirst.front().hasRms()) {
    d.hasWorstImage = true;
    d.worstImageId = d.imagesWorstFirst.front().imageId;
  }
}

void collectControl(PhReportData &d, const PhObjectList &objects) {
  for (const PhObjectPoint *point : objects) {
    ++d.byType[PhGlobal::pointTypeOfCode(point->code())];
    if (!point->isAccepted()) ++d.rejectedObjectPoints;
  }
  const PhControlTable table(objects);
  for (const PhControlTable::Row &row : table.rows()) {
    const PhObjectPoint *point = table.point(row);
    if (!table.accepted(row)) ++d.rejectedObservations;
    if (!PhControlTable::isControlCode(point->code())) continue;
    PhReportData::ControlRow r;
    r.pointId = point->pointId();
    r.type = PhGlobal::pointTypeName(PhGlobal::pointTypeOfCode(point->code()), false);
    r.axis = row.axis;
    r.observed = table.observed(row);
    r.residual = table.residual(row);
    r.sigma = table.sigma(row);
    r.accepted = table.accepted(row);
    if (d.options.hasTolerance) r.check = PhReportData::check(r.residual, d.options.tolerance[row.axis]);
    d.control.push_back(r);
  }
  for (int axis = 0; axis < 3; ++axis) {
    d.controlAxes[axis] = table.control(axis);
    d.centreAxes[axis] = table.centres(axis);
    if (d.options.hasTolerance && !d.controlAxes[axis].isEmpty())
      d.controlAxisCheck[axis] = PhReportData::check(d.controlAxes[axis].maxAbs, d.options.tolerance[axis]);
  }
}

}  // namespace

double PhReportData::roundStep(double step) {
  if (!(step > 0.0) || !std::isfinite(step)) return 1.0;
  const double power = std::pow(10.0, std::floor(std::log10(step)));
  for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (m * power >= step * (1.0 - 1e-12)) return m * power;
  return 10.0 * power;
}

PhReportData::CheckE PhReportData::check(double residual, double tolerance) {
  return std::fabs(residual) <= tolerance ? CHECK_Pass : CHECK_Fail;
}

PhReportData::Histogram PhReportData::histogram(const std::vector<double> &values, int bins) {
  Histogram h;
  double largest = 0.0;
  for (const double v : values)
    if (std::isfinite(v)) largest = std::max(largest, std::fabs(v));
  h.width = largest > 0.0 ? roundStep(largest / std::max(1, bins)) : 1.0;
  const std::size_t n = std::max<std::size_t>(1, std::size_t(std::floor(largest / h.width)) + 1);
  h.counts.assign(n, 0);
  for (const double v : values) {
    if (!std::isfinite(v)) continue;
    const std::size_t bin = std::min(n - 1, std::size_t(std::fabs(v) / h.width));
    ++h.counts[bin];
    ++h.total;
  }
  return h;
}

PhReportData PhReportData::collect(const PhProjectData &project, const PhImageList &images,
                                   const PhObjectList &objects, const PhReportOptions &options) {
  PhReportData d;
  d.options = options;
  d.version = QStringLiteral(TESSELLA_VERSION);
  d.projectFile = project.projectFile();
  d.projectName = QFileInfo(project.projectFile()).completeBaseName();
  collectFiles(d, project);
  d.sigma0 = project.sigma0();
  d.redundancy = project.averageRedundancy();
  d.inversion = project.inversion();
  d.images = images.count();
  d.objectPoints = objects.count();
  collectImages(d, images);
  collectControl(d, objects);
  return d;
}
