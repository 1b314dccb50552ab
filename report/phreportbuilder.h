#ifndef PHREPORTBUILDER_H
#define PHREPORTBUILDER_H

#include "phreportdocument.h"

class PhReportPictures;
struct PhReportData;

// The report's sections, in order, from its figures: the project, the
// image residuals with their charts, the images, the control points with
// the tolerance check, the observed projection centres, the largest
// eliminated image points, the three object planes and the worst image.
class PhReportBuilder {
 public:
  // The PDF lists at most this many images, worst first.
  static constexpr int PdfImageRows = 50;

  // `pictures` paints the views when the document is written, so it must
  // outlive the document.
  static PhReportDocument build(const PhReportData &data, PhReportPictures &pictures);

  // "pass" and "FAIL", as the tables show them.
  static QString checkText(int iCheck);
};

#endif  // PHREPORTBUILDER_H
