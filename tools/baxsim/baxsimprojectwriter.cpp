#include "baxsimprojectwriter.h"

#include "baxsimblock.h"
#include "baxsimimagewriter.h"
#include "baxsimobjectwriter.h"
#include "baxwriter.h"

#include <QDir>
#include <QFileInfo>

bool BaxSimProjectWriter::write(const BaxSimBlock &block, const QString &folder, BaxSimResult *result,
                                QString *error) {
  const BaxSimOptions &o = block.options();
  QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("."))) {
    if (error) *error = QStringLiteral("Cannot create folder '%1'").arg(folder);
    return false;
  }
  const QString base = o.name;
  const QString camName = QStringLiteral("cam%1.cam").arg(o.cameraId);
  const QString listName = base + QStringLiteral(".prj");
  auto path = [&dir](const QString &name) {
    return QDir::toNativeSeparators(QFileInfo(dir.absoluteFilePath(name)).absoluteFilePath());
  };
  result->projectFile = path(base + QStringLiteral(".(p)"));
  result->imageFile = path(base + QStringLiteral(".(i)"));
  result->orientationFile = path(base + QStringLiteral(".(e)"));
  result->objectFile = path(base + QStringLiteral(".(o)"));
  result->observationFile = path(base + QStringLiteral(".(c)"));
  result->cameraFile = path(camName);
  result->iniFile = path(QStringLiteral("Bax.ini"));
  result->projectListFile = path(listName);

  // Camera: focal length, principal point, no distortion, four corner
  // fiducials, then the frame as upper-left corner, width and height.
  BaxCamera camera;
  camera.id = o.cameraId;
  double half = o.frameSize / 2.0;
  double fid = block.halfUsable() - 4.0 * o.frameSize / 230.0;
  camera.c[0] = o.focalLength;
  const double fiducials[8] = {-fid, fid, fid, fid, fid, -fid, -fid, -fid};
  for (int i = 0; i < 8; ++i) camera.c[9 + i] = fiducials[i];
  camera.c[21] = -half;
  camera.c[22] = half;
  camera.c[23] = o.frameSize;
  camera.c[24] = o.frameSize;
  BaxWriter cam;
  if (!cam.open(result->cameraFile) || !cam.writeCamera(camera) || !cam.close())
    return cam.reportError(error);

  if (!BaxSimImageWriter::write(block, result->imageFile, result->orientationFile, result, error))
    return false;
  if (!BaxSimObjectWriter::write(block, result->objectFile, result->observationFile, *result, error))
    return false;

  BaxProjectFile project;
  project.projectName = base;
  project.cameraFile = camName;
  project.imageFile = base + QStringLiteral(".(i)");
  project.orientationFile = base + QStringLiteral(".(e)");
  project.objectFile = base + QStringLiteral(".(o)");
  project.observationFile = base + QStringLiteral(".(c)");
  if (!BaxWriter::writeProjectFile(result->projectFile, project, error)) return false;

  const QString programs = o.relativeIni ? QStringLiteral(".") : path(QStringLiteral("."));
  const QString list = o.relativeIni ? listName : result->projectListFile;
  const QString out = o.relativeIni ? base : path(base);
  QList<BaxIniSection> ini;
  ini.append({QStringLiteral("BAX"),
              {{QStringLiteral("VERSION"), QStringLiteral("4.2")},
               {QStringLiteral("PATH_PROGRAMS"), programs}}});
  ini.append({QStringLiteral("BAXB"), {{QStringLiteral("BAXB_LAST_PROJ"), list}}});
  if (!BaxWriter::writeIniFile(result->iniFile, ini, "\r\n", error)) return false;
  QList<BaxIniSection> projectList;
  projectList.append({QStringLiteral("PROJECT"),
                      {{QStringLiteral("BAXB_PROJ_NAME"), base},
                       {QStringLiteral("BAXB_OUT_TESL"), out}}});
  return BaxWriter::writeIniFile(result->projectListFile, projectList, "\r\n", error);
}
