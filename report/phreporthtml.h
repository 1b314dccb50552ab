#ifndef PHREPORTHTML_H
#define PHREPORTHTML_H

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>

class PhReportDocument;
class QPainter;

// A report as one self-contained XHTML file: inline CSS for screen and
// print, every picture as inline SVG, no scripts and no references to
// other files. It parses as XML.
class PhReportHtml {
 public:
  static QByteArray html(const PhReportDocument &document);
  // A picture drawn by `paint` as an SVG element without the XML prolog.
  static QByteArray svg(const QString &title, const QSize &size, const std::function<void(QPainter &)> &paint);

  static QString escaped(const QString &text);
};

#endif  // PHREPORTHTML_H
