#include "phanalysiscsv.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <initializer_list>

#include "phcontroltable.h"
#include "phcsvwriter.h"
#include "phglobal.h"
#include "phimagelist.h"
#include "phimagestats.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phpointrays.h"

namespace {

const char *const AxisNames[3] = {"X", "Y", "Z"};

QString typeName(int iCode) { return PhGlobal::pointTypeName(PhGlobal::pointTypeOfCode(iCode), false); }

void header(PhCsvWriter &csv, std::initializer_list<const char *> names) {
  for (const char *name : names) csv.field(name);
  csv.endRow();
}

}  // namespace

QByteArray PhAnalysisCsv::images(const PhImageList &images) {
  PhCsvWriter csv;
  header(csv, {"image", "camera", "points", "eliminated", "rms_x", "rms_y", "rms", "max_residual",
               "max_residual_point"});
  for (const PhImage *image : images) {
    const PhImageStats s = PhImageStats::of(*image);
    csv.number(s.imageId).number(s.cameraId).number(s.points).number(s.eliminated);
    if (s.hasRms())
      csv.number(s.rmsX).number(s.rmsY).number(s.rms);
    else
      csv.empty().empty().empty();
    if (s.hasMax())
      csv.number(s.maxResidual).number(s.maxPointId);
    else
      csv.empty().empty();
    csv.endRow();
  }
  return csv.bytes();
}

QByteArray PhAnalysisCsv::control(const PhObjectList &objects) {
  PhCsvWriter csv;
  header(csv, {"point", "type", "axis", "observed", "residual", "sigma", "accepted"});
  const PhControlTable table(objects);
  for (const PhControlTable::Row &row : table.rows()) {
    const PhObjectPoint *point = table.point(row);
    csv.number(point->pointId()).field(typeName(point->code())).field(AxisNames[row.axis]);
    csv.number(table.observed(row)).number(table.residual(row)).number(table.sigma(row));
    csv.number(table.accepted(row) ? 1 : 0);
    csv.endRow();
  }
  return csv.bytes();
}

QByteArray PhAnalysisCsv::points(const PhObjectList &objects) {
  PhCsvWriter csv;
  header(csv, {"point", "type", "x", "y", "z", "sigma_x", "sigma_y", "sigma_z", "rays", "eliminated", "accepted"});
  for (const PhObjectPoint *point : objects) {
    csv.number(point->pointId()).field(typeName(point->code()));
    for (int axis = 0; axis < 3; ++axis) csv.number(point->adjustedCoord(axis));
    for (int axis = 0; axis < 3; ++axis) csv.number(point->adjustedSigma(axis));
    const PhPointRays rays = PhPointRays::of(*point);
    csv.number(rays.rays).number(rays.eliminated).number(point->isAccepted() ? 1 : 0);
    csv.endRow();
  }
  return csv.bytes();
}

bool PhAnalysisCsv::write(const QString &dir, const PhImageList &images, const PhObjectList &objects,
                          QString *error) {
  auto fail = [error](const QString &text) {
    if (error) *error = text;
    return false;
  };
  if (!QDir().mkpath(dir))
    return fail(QCoreApplication::translate("PhAnalysisCsv", "Can't make the folder '%1'!").arg(dir));
  const struct {
    const char *name;
    QByteArray bytes;
  } files[] = {{"images.csv", PhAnalysisCsv::images(images)},
               {"control.csv", control(objects)},
               {"points.csv", points(objects)}};
  for (const auto &file : files) {
    QSaveFile out(QDir(dir).filePath(QString::fromLatin1(file.name)));
    if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes) != file.bytes.size() || !out.commit())
      return fail(QCoreApplication::translate("PhAnalysisCsv", "Can't write '%1': %2")
                      .arg(out.fileName(), out.errorString()));
  }
  return true;
}
