#include "phreporthtml.h"

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include "phreportdocument.h"

namespace {

const char *const Style =
    "body{font-family:Arial,'Liberation Sans',Helvetica,sans-serif;font-size:10pt;color:#000;margin:1.5em auto;"
    "max-width:60em;padding:0 1em}"
    "h1{font-size:18pt;border-bottom:2px solid #3b589a;padding-bottom:.2em}"
    "h2{font-size:14pt;color:#3b589a;margin-top:1.6em}"
    "h3{font-size:11pt}"
    "p.created{color:#555}"
    "table{border-collapse:collapse;margin:.5em 0 1em 0}"
    "th,td{border:1px solid #bbb;padding:.15em .5em;text-align:left;vertical-align:top}"
    "th{background:#e8ecf5}"
    "td.num{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}"
    "td.fail{color:#b00000;font-weight:bold}"
    "tbody tr:nth-child(even){background:#f6f7fa}"
    "figure{margin:1em 0}"
    "figure svg{display:block;max-width:100%;height:auto;border:1px solid #ddd}"
    "figcaption{font-size:9pt;color:#333;margin-top:.3em}"
    "@media print{body{max-width:none;margin:0;font-size:9pt}"
    "h2{page-break-after:avoid}h2.page{page-break-before:always}"
    "figure,tr{page-break-inside:avoid}thead{display:table-header-group}}";

void element(QByteArray &out, const char *tag, const QString &text, const char *attributes = "") {
  out += '<';
  out += tag;
  out += attributes;
  out += '>';
  out += PhReportHtml::escaped(text).toUtf8();
  out += "</";
  out += tag;
  out += ">\n";
}

void writeTable(QByteArray &out, const PhReportDocument::Table &table) {
  out += "<table id=\"" + PhReportHtml::escaped(table.id).toUtf8() + "\">\n<thead><tr>";
  for (const QString &name : table.header) element(out, "th", name);
  out += "</tr></thead>\n<tbody>\n";
  for (const QStringList &row : table.rows) {
    out += "<tr>";
    for (int c = 0; c < row.size(); ++c) {
      const bool numeric = c < int(table.numeric.size()) && table.numeric[std::size_t(c)];
      const bool fail = !table.failText.isEmpty() && row[c] == table.failText;
      element(out, "td", row[c], fail ? " class=\"fail\"" : numeric ? " class=\"num\"" : "");
    }
    out += "</tr>\n";
  }
  out += "</tbody></table>\n";
}

}  // namespace

QString PhReportHtml::escaped(const QString &text) { return text.toHtmlEscaped(); }

QByteArray PhReportHtml::svg(const QString &title, const QSize &size, const std::function<void(QPainter &)> &paint) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(title);
  {
    QPainter painter(&generator);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paint(painter);
  }
  QByteArray bytes = buffer.data();
  // The element alone: an XML declaration may not stand inside the page.
  const int start = bytes.indexOf("<svg");
  if (start > 0) bytes.remove(0, start);
  // Sized in pixels for the screen; the style lets it shrink to the page.
  static const QRegularExpression extent(QStringLiteral("^<svg\\s+width=\"[^\"]*\"\\s+height=\"[^\"]*\""));
  QString text = QString::fromUtf8(bytes);
  text.replace(extent, QStringLiteral("<svg width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()));
  return text.toUtf8();
}

QByteArray PhReportHtml::html(const PhReportDocument &document) {
  QByteArray out;
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n";
  out += "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\" xml:lang=\"en\">\n<head>\n";
  out += "<meta charset=\"UTF-8\"/>\n";
  element(out, "title", document.title);
  out += "<style>";
  out += Style;
  out += "</style>\n</head>\n<body>\n";
  element(out, "h1", document.title);
  for (const PhReportDocument::Block &block : document.blocks()) {
    switch (block.kind) {
      case PhReportDocument::BLK_Heading: {
        const QByteArray tag = "h" + QByteArray::number(std::clamp(block.level, 2, 4));
        element(out, tag.constData(), block.text, block.newPage ? " class=\"page\"" : "");
        break;
      }
      case PhReportDocument::BLK_Paragraph: element(out, "p", block.text); break;
      case PhReportDocument::BLK_Table: writeTable(out, block.table); break;
      case PhReportDocument::BLK_Picture: {
        const PhReportDocument::Picture &p = block.picture;
        out += "<figure id=\"" + escaped(p.id).toUtf8() + "\">\n";
        out += svg(p.title, p.size, p.paint);
        out += '\n';
        element(out, "figcaption", p.caption);
        out += "</figure>\n";
        break;
      }
    }
  }
  out += "</body>\n</html>\n";
  return out;
}
