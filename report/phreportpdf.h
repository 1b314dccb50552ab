#ifndef PHREPORTPDF_H
#define PHREPORTPDF_H

#include <QString>

class PhReportDocument;
class QIODevice;

// A report as a PDF of A4 pages, laid out by hand on a painter: a header
// naming the project and a page number on every page, text as text (so it
// can be searched and copied), tables that continue on the next page under
// their header again, pictures as vector drawings scaled to the page.
class PhReportPdf {
 public:
  // False with the reason in `error` when the pages could not be made.
  static bool write(const PhReportDocument &document, QIODevice *device, QString *error);
};

#endif  // PHREPORTPDF_H
