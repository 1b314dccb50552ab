#include "phviewexport.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>
#include <cstring>
#include <memory>

#include "phimage.h"
#include "phimagelist.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "phobjectlist.h"
#include "phobjectview.h"
#include "phobjectviewer.h"
#include "phprojectdata.h"
#include "phprojectinit.h"
#include "phprojectreader.h"
#include "phreadfailure.h"
#include "phreadfailurehandler.h"
#include "phviewpicture.h"

namespace {

QString translated(const char *text) { return QCoreApplication::translate("PhViewExport", text); }

void printError(const QString &text) { std::fprintf(stderr, "%s\n", qUtf8Printable(text)); }

class FailurePrinter : public PhReadFailureHandler {
 public:
  void readFailed(const PhReadFailure &failure) override {
    QString text = failure.text().trimmed();
    if (!text.contains(failure.path())) text += QStringLiteral("\nFile: ") + failure.path();
    printError(text);
  }
};

}  // namespace

bool PhViewExport::requested(int argc, char **argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--export-view") == 0) return true;
  return false;
}

PhViewExport::Request PhViewExport::parse(const QString &view, const QString &outFile, const QString &size) {
  Request r;
  r.outFile = outFile;
  const QString upper = view.toUpper();
  static const QRegularExpression imagePattern(QStringLiteral("^IMAGE:(-?\\d{1,10})$"));
  const QRegularExpressionMatch image = imagePattern.match(upper);
  bool idOk = false;
  if (image.hasMatch()) r.imageId = image.captured(1).toInt(&idOk);
  if (upper == QLatin1String("XY"))
    r.plane = 0;
  else if (upper == QLatin1String("XZ"))
    r.plane = 1;
  else if (upper == QLatin1String("YZ"))
    r.plane = 2;
  else if (!idOk)  // not a plane, nor an image ID that fits an int
    r.error = translated("--export-view takes XY, XZ, YZ or IMAGE:<image id>, not '%1'.").arg(view);
  if (r.error.isEmpty() && PhViewPicture::formatOf(outFile) == PhViewPicture::FMT_Unknown)
    r.error = translated("Can't tell the picture format of '%1': use .png, .svg or .pdf.").arg(outFile);
  if (r.error.isEmpty() && !size.isEmpty()) {
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d{1,6})[xX](\\d{1,6})$"));
    const QRegularExpressionMatch m = sizePattern.match(size);
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 1 || h < 1 || w > MaxSize || h > MaxSize)
      r.error = translated("--size takes WIDTHxHEIGHT, each 1 to %1, not '%2'.").arg(MaxSize).arg(size);
    else
      r.size = QSize(w, h);
  }
  return r;
}

int PhViewExport::run(const Request &request, const QString &projectFile) {
  if (projectFile.isEmpty()) {
    printError(translated("--export-view needs a project file."));
    return 2;
  }
  PhImageList images;
  PhObjectList objects;
  std::unique_ptr<PhProjectData> project;
  FailurePrinter printer;
  if (!PhProjectReader(images, objects, project, &printer).read(projectFile)) return 2;
  PhProjectInit::complete(images, objects, project.get());

  int status = 0;
  QString error;
  if (request.plane >= 0) {
    // A window of its own, never shown: the object viewer reads its settings.
    PhObjectViewer *viewer = PhObjectViewer::viewer(request.plane, nullptr);
    viewer->setData(&objects, project->inversion());
    if (!PhViewPicture::write(*viewer->objectView(), request.outFile, request.size, &error)) status = 1;
    delete viewer;
  } else if (!PhImageList::image(request.imageId)) {
    error = translated("The project has no image %1.").arg(request.imageId);
    status = 1;
  } else {
    auto viewer = std::make_unique<PhImageViewer>(&images, nullptr, request.imageId);
    viewer->imageView()->setObjectList(&objects);
    if (!PhViewPicture::write(*viewer->imageView(), request.outFile, request.size, &error)) status = 1;
  }
  if (status) printError(error);
  PhImage::clearPointIndex();
  images.clear();
  objects.clear();
  return status;
}
