#include "phreport.h"

#include <QCoreApplication>
#include <QSaveFile>

#include "phreportbuilder.h"
#include "phreportdata.h"
#include "phreporthtml.h"
#include "phreportpdf.h"
#include "phreportpictures.h"
#include "phprojectdata.h"

namespace {

QString translated(const char *text) { return QCoreApplication::translate("PhReport", text); }

bool fail(QString *error, const QString &text) {
  if (error) *error = text;
  return false;
}

}  // namespace

bool PhReport::write(const PhReportOptions &options, const PhProjectData &project, const PhImageList &images,
                     PhObjectList &objects, QString *error) {
  if (options.htmlFile.isEmpty() && options.pdfFile.isEmpty())
    return fail(error, translated("No report file given."));
  const PhReportData data = PhReportData::collect(project, images, objects, options);
  PhReportPictures pictures(objects, project.inversion());
  const PhReportDocument document = PhReportBuilder::build(data, pictures);

  if (!options.htmlFile.isEmpty()) {
    const QByteArray html = PhReportHtml::html(document);
    QSaveFile file(options.htmlFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size() || !file.commit())
      return fail(error, translated("Can't write '%1': %2").arg(options.htmlFile, file.errorString()));
  }
  if (!options.pdfFile.isEmpty()) {
    QSaveFile file(options.pdfFile);
    if (!file.open(QIODevice::WriteOnly))
      return fail(error, translated("Can't write '%1': %2").arg(options.pdfFile, file.errorString()));
    QString reason;
    if (!PhReportPdf::write(document, &file, &reason)) {
      file.cancelWriting();
      return fail(error, translated("Can't write '%1': %2").arg(options.pdfFile, reason));
    }
    if (!file.commit())
      return fail(error, translated("Can't write '%1': %2").arg(options.pdfFile, file.errorString()));
  }
  return true;
}
