#include "phreportbuilder.h"

#include <QCoreApplication>
#include <QPainter>

#include "phreportchart.h"
#include "phreportdata.h"
#include "phreportformat.h"
#include "phreportpictures.h"

namespace {

QString tr(const char *text) { return QCoreApplication::translate("PhReportBuilder", text); }

const char *const AxisNames[3] = {"X", "Y", "Z"};

QString axisName(int axis) { return QString::fromLatin1(AxisNames[axis]); }

using PhReportFormat::count;
using PhReportFormat::fixed;
using PhReportFormat::significant;

// Image residuals in the user's unit, to a hundredth of a micrometre.
QString residual(const PhReportData &d, double mm) {
  return fixed(mm * d.unitFactor(), PhResidualUnit::decimals(d.options.unit));
}

void numeric(PhReportDocument::Table &table, std::initializer_list<int> columns) {
  for (const int c : columns) table.numeric[std::size_t(c)] = true;
}

void projectSection(PhReportDocument &doc, const PhReportData &d) {
  doc.heading(tr("Project"));
  PhReportDocument::Table &files = doc.table(QStringLiteral("files"), {tr("File"), tr("Path")});
  for (const auto &file : d.files) files.rows.push_back({file.first, file.second.isEmpty() ? tr("none") : file.second});

  PhReportDocument::Table &t = doc.table(QStringLiteral("project"), {tr("Figure"), tr("Value")});
  numeric(t, {1});
  auto row = [&t](const QString &name, const QString &value) { t.rows.push_back({name, value}); };
  row(tr("Sigma 0"), significant(d.sigma0));
  row(tr("Average redundancy"), significant(d.redundancy));
  row(tr("Inversion"), d.inversion ? tr("yes") : tr("no"));
  row(tr("Images"), count(d.images));
  row(tr("Object points"), count(d.objectPoints));
  for (int type = 0; type < PhGlobal::PointTypeCount; ++type)
    row(PhGlobal::pointTypeName(type, false), count(d.byType[type]));
  row(tr("Image points"), count(d.imagePoints));
  row(tr("Eliminated image points"), count(d.eliminated));
  row(tr("Lonely image points"), count(d.lonely));
  row(tr("Rejected object points"), count(d.rejectedObjectPoints));
  row(tr("Rejected control observations"), count(d.rejectedObservations));
  row(tr("RMS of image residuals [%1]").arg(d.unitName()), d.hasRms ? residual(d, d.rmsImageResidual) : tr("none"));
  row(tr("Program version"), d.version);
  row(tr("Date of the BAX files"), PhReportFormat::time(d.baxDate));
}

PhReportChart histogramChart(const PhReportData &d, const PhReportData::Histogram &h, const QString &title) {
  PhReportChart chart;
  chart.title = title;
  chart.xTitle = tr("|r| [%1]").arg(d.unitName());
  chart.yTitle = tr("Image points");
  for (const long long n : h.counts) chart.values.push_back(double(n));
  chart.edgeWidth = h.width;
  chart.wholeTicks = true;
  chart.emptyText = tr("none");
  if (h.total == 0) chart.values.clear();
  return chart;
}

void residualSection(PhReportDocument &doc, const PhReportData &d) {
  doc.heading(tr("Image residuals"));
  doc.paragraph(tr("Lengths of the image residual vectors: %1 adjusted image points, and apart from them the %2 "
                   "eliminated ones.")
                    .arg(d.adjustedHistogram.total)
                    .arg(d.eliminatedHistogram.total));
  PhReportDocument::Picture histogram;
  histogram.id = QStringLiteral("histogram");
  histogram.title = tr("Histogram of image residuals");
  histogram.caption = tr("Image residuals |r| in %1: adjusted points above, in steps of %2; eliminated points below, "
                         "in steps of %3.")
                          .arg(d.unitName(), PhReportFormat::significant(d.adjustedHistogram.width, 4),
                               PhReportFormat::significant(d.eliminatedHistogram.width, 4));
  histogram.size = QSize(900, 600);
  const PhReportChart adjusted = histogramChart(d, d.adjustedHistogram, tr("Adjusted image points"));
  const PhReportChart eliminated = histogramChart(d, d.eliminatedHistogram, tr("Eliminated image points"));
  histogram.paint = [adjusted, eliminated](QPainter &painter) {
    adjusted.paint(painter, QRectF(0, 0, 900, 300));
    PhReportChart red = eliminated;
    red.colour = QColor(0xc0, 0x30, 0x30);
    red.paint(painter, QRectF(0, 300, 900, 300));
  };
  doc.picture(histogram);

  PhReportChart bars;
  bars.title = tr("RMS of image residuals per image");
  bars.xTitle = tr("Image ID");
  bars.yTitle = tr("RMS [%1]").arg(d.unitName());
  bars.emptyText = tr("none");
  for (const PhImageStats &s : d.imagesById) {
    bars.values.push_back(s.hasRms() ? s.rms * d.unitFactor() : 0.0);
    bars.barLabels.append(QString::number(s.imageId));
  }
  PhReportDocument::Picture perImage;
  perImage.id = QStringLiteral("image-rms");
  perImage.title = bars.title;
  perImage.caption = tr("RMS of the residuals of the adjusted points of each image, in %1, by image ID.")
                         .arg(d.unitName());
  perImage.size = QSize(900, 340);
  perImage.paint = [bars](QPainter &painter) { bars.paint(painter, QRectF(0, 0, 900, 340)); };
  doc.picture(perImage);
}

void imagesSection(PhReportDocument &doc, const PhReportData &d) {
  doc.heading(tr("Images"), 2, true);
  doc.paragraph(tr("Worst images first: by the RMS of the residuals of their adjusted points, in %1.").arg(d.unitName()));
  PhReportDocument::Table &t = doc.table(
      QStringLiteral("images"), {tr("Image"), tr("Camera"), tr("Points"), tr("Eliminated"), tr("RMS x"), tr("RMS y"),
                                 tr("RMS"), tr("Largest |r|"), tr("at point")});
  numeric(t, {0, 1, 2, 3, 4, 5, 6, 7, 8});
  for (const PhImageStats &s : d.imagesWorstFirst) {
    QStringList row{QString::number(s.imageId), QString::number(s.cameraId), QString::number(s.points),
                    QString::number(s.eliminated)};
    if (s.hasRms())
      row << residual(d, s.rmsX) << residual(d, s.rmsY) << residual(d, s.rms);
    else
      row << QString() << QString() << QString();
    if (s.hasMax())
      row << residual(d, s.maxResidual) << QString::number(s.maxPointId);
    else
      row << QString() << QString();
    t.rows.push_back(row);
  }
  t.pdfRows = PhReportBuilder::PdfImageRows;
  t.pdfNote = tr("The %1 worst of %2 images; all of them are in the HTML report and in images.csv "
                 "(tessella-report --csv).")
                  .arg(PhReportBuilder::PdfImageRows)
                  .arg(d.imagesWorstFirst.size());
}

void summaryTable(PhReportDocument &doc, const QString &id, const PhAxisSummary (&axes)[3],
                  const PhReportData::CheckE (*checks)[3]) {
  QStringList header{tr("Axis"), tr("n"), tr("Mean"), tr("RMS"), tr("Largest |r|")};
  if (checks) header << tr("Check");
  PhReportDocument::Table &t = doc.table(id, header);
  numeric(t, {1, 2, 3, 4});
  t.failText = PhReportBuilder::checkText(PhReportData::CHECK_Fail);
  for (int axis = 0; axis < 3; ++axis) {
    const PhAxisSummary &s = axes[axis];
    if (s.isEmpty()) continue;
    QStringList row{axisName(axis), QString::number(s.n), significant(s.mean()), significant(s.rms()),
                    significant(s.maxAbs)};
    if (checks) row << PhReportBuilder::checkText((*checks)[axis]);
    t.rows.push_back(row);
  }
}

void controlSection(PhReportDocument &doc, const PhReportData &d) {
  doc.heading(tr("Control points"), 2, true);
  const PhReportData::CheckE(*checks)[3] = nullptr;
  if (d.options.hasTolerance) {
    doc.paragraph(tr("Tolerances X %1, Y %2, Z %3 (object units): an observation passes when |residual| is "
                     "within its axis' tolerance, an axis when all its accepted observations do.")
                      .arg(PhReportFormat::significant(d.options.tolerance[0], 6), PhReportFormat::significant(d.options.tolerance[1], 6),
                           PhReportFormat::significant(d.options.tolerance[2], 6)));
    checks = &d.controlAxisCheck;
  } else {
    doc.paragraph(tr("No tolerances given: no check."));
  }
  doc.heading(tr("Summary per axis of the accepted observations"), 3);
  summaryTable(doc, QStringLiteral("control-summary"), d.controlAxes, checks);
  doc.heading(tr("Observations"), 3);
  QStringList header{tr("Point"), tr("Type"), tr("Axis"), tr("Observed"), tr("Residual"), tr("Sigma"), tr("Accepted")};
  if (d.options.hasTolerance) header << tr("Check");
  PhReportDocument::Table &t = doc.table(QStringLiteral("control"), header);
  numeric(t, {0, 3, 4, 5});
  t.failText = PhReportBuilder::checkText(PhReportData::CHECK_Fail);
  for (const PhReportData::ControlRow &r : d.control) {
    QStringList row{QString::number(r.pointId), r.type, axisName(r.axis), fixed(r.observed, 3),
                    significant(r.residual), significant(r.sigma), r.accepted ? tr("yes") : tr("rejected")};
    if (d.options.hasTolerance) row << PhReportBuilder::checkText(r.check);
    t.rows.push_back(row);
  }
  if (d.control.empty()) doc.paragraph(tr("The project has no observed control points."));
}

void centresSection(PhReportDocument &doc, const PhReportData &d) {
  doc.heading(tr("Observed projection centres"));
  bool any = false;
  for (const PhAxisSummary &s : d.centreAxes) any = any || !s.isEmpty();
  if (!any) {
    doc.paragraph(tr("The project has no accepted observations of projection centres."));
    return;
  }
  doc.paragraph(tr("Residuals of the accepted observations of projection centres, per axis, in object units."));
  summaryTable(doc, QStringLiteral("centres"), d.centreAxes, nullptr);
}

void eliminatedSection(PhReportDocument &doc, const PhReportData &d) {
  doc.heading(tr("Largest eliminated image points"));
  if (d.largestEliminated.empty()) {
    doc.paragraph(tr("No image point was eliminated."));
    return;
  }
  doc.paragraph(tr("The %1 largest of %2 eliminated image points by |r|, in %3.")
                    .arg(d.largestEliminated.size())
                    .arg(d.eliminated)
                    .arg(d.unitName()));
  PhReportDocument::Table &t =
      doc.table(QStringLiteral("eliminated"), {tr("Image"), tr("Point"), tr("|r| [%1]").arg(d.unitName())});
  numeric(t, {0, 1, 2});
  for (const PhReportData::EliminatedPoint &p : d.largestEliminated)
    t.rows.push_back({QString::number(p.imageId), QString::number(p.pointId), residual(d, p.residual)});
}

void viewsSection(PhReportDocument &doc, const PhReportData &d, PhReportPictures &pictures) {
  for (int plane = 0; plane < 3; ++plane) {
    const QString name = PhGlobal::planeName(plane);
    doc.heading(tr("Object plane %1").arg(name), 2, true);
    PhReportDocument::Picture p;
    p.id = QStringLiteral("plane-%1").arg(name.toLower());
    p.title = tr("Object plane %1").arg(name);
    p.size = pictures.planeSize(plane);
    p.caption = tr("The object points projected onto the %1 plane; the control points and projection centres with "
                   "their IDs, their %2 magnified %3 times.")
                    .arg(name, d.inversion ? tr("sigma ellipses") : tr("residual vectors"),
                         PhReportFormat::significant(pictures.magnification(plane), 6));
    p.paint = [&pictures, plane](QPainter &painter) { pictures.paintPlane(painter, plane); };
    doc.picture(p);
  }
  doc.heading(tr("Image with the largest RMS"), 2, true);
  if (!d.hasWorstImage) {
    doc.paragraph(tr("No image has adjusted points."));
    return;
  }
  PhReportDocument::Picture p;
  p.id = QStringLiteral("worst-image");
  p.title = tr("Image %1").arg(d.worstImageId);
  p.size = pictures.imageSize();
  p.caption = tr("Image %1 with its image points, residual vectors and eliminated points.").arg(d.worstImageId);
  const int id = d.worstImageId;
  p.paint = [&pictures, id](QPainter &painter) { pictures.paintImage(painter, id); };
  doc.picture(p);
}

}  // namespace

QString PhReportBuilder::checkText(int iCheck) {
  switch (iCheck) {
    case PhReportData::CHECK_Pass: return tr("pass");
    case PhReportData::CHECK_Fail: return tr("FAIL");
    default: return QString();
  }
}

PhReportDocument PhReportBuilder::build(const PhReportData &d, PhReportPictures &pictures) {
  PhReportDocument doc;
  doc.projectName = d.projectName;
  doc.title = tr("Adjustment report: %1").arg(d.projectName);
  doc.paragraph(tr("Created %1 by Tessella %2 from %3.")
                    .arg(PhReportFormat::time(d.options.created), d.version, d.projectFile));
  projectSection(doc, d);
  residualSection(doc, d);
  imagesSection(doc, d);
  controlSection(doc, d);
  centresSection(doc, d);
  eliminatedSection(doc, d);
  viewsSection(doc, d, pictures);
  return doc;
}
