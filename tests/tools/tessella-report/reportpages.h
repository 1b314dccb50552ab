#ifndef REPORTPAGES_H
#define REPORTPAGES_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <cmath>

// What the tests read from a written report: the HTML parsed as XML (its
// tables by id, the ids of the figures that hold an inline SVG, every
// element and link-like attribute), and the text of a PDF through pdftotext.
struct ReportHtml {
  QString parseError;
  // Per table id, the body rows' cells.
  QHash<QString, QList<QStringList>> tables;
  QStringList svgFigures;
  int svgCount = 0;
  QStringList elements;
  // Values of src, href and xlink:href attributes, and style sheet text.
  QStringList links;
  QString styles;
  QStringList paragraphs;

  static ReportHtml parse(const QByteArray &bytes) {
    ReportHtml html;
    QXmlStreamReader xml(bytes);
    QString table;
    QString figure;
    bool inBody = false;
    QStringList row;
    while (!xml.atEnd()) {
      const QXmlStreamReader::TokenType token = xml.readNext();
      if (token == QXmlStreamReader::StartElement) {
        const QString name = xml.name().toString();
        html.elements << name;
        for (const QXmlStreamAttribute &a : xml.attributes())
          if (a.name() == QLatin1String("src") || a.name() == QLatin1String("href")) html.links << a.value().toString();
        if (name == QLatin1String("table")) table = xml.attributes().value(QLatin1String("id")).toString();
        if (name == QLatin1String("tbody")) inBody = true;
        if (name == QLatin1String("figure")) figure = xml.attributes().value(QLatin1String("id")).toString();
        if (name == QLatin1String("svg")) {
          ++html.svgCount;
          if (!figure.isEmpty()) html.svgFigures << figure;
        }
        if (name == QLatin1String("style")) html.styles += xml.readElementText();
        if (name == QLatin1String("p") && xml.namespaceUri() == QLatin1String("http://www.w3.org/1999/xhtml"))
          html.paragraphs << xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (inBody && name == QLatin1String("td")) row << xml.readElementText(QXmlStreamReader::IncludeChildElements);
      } else if (token == QXmlStreamReader::EndElement) {
        const QString name = xml.name().toString();
        if (name == QLatin1String("tr") && inBody) {
          html.tables[table].append(row);
          row.clear();
        }
        if (name == QLatin1String("tbody")) inBody = false;
        if (name == QLatin1String("figure")) figure.clear();
      }
    }
    if (xml.hasError()) html.parseError = xml.errorString() + QStringLiteral(" at line %1").arg(xml.lineNumber());
    return html;
  }

  // The value cell of a row of a two-column table, by its first cell.
  QString value(const QString &tableId, const QString &name) const {
    for (const QStringList &r : tables.value(tableId))
      if (r.size() >= 2 && r[0] == name) return r[1];
    return QString();
  }
};

// Runs pdftotext or pdfinfo on the file; their output, empty when it failed.
inline QByteArray popplerOutput(const QString &tool, const QStringList &args) {
  QProcess process;
  process.start(tool, args);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return QByteArray();
  return process.readAllStandardOutput();
}

// True when a number shown with as many decimals as `shown` has is `expected`
// rounded so (half a unit of the last digit, and a little for the binary form).
inline bool showsNumber(const QString &shown, double expected) {
  bool ok = false;
  const double value = shown.toDouble(&ok);
  if (!ok) return false;
  const int dot = shown.indexOf(QLatin1Char('.'));
  const int decimals = dot < 0 ? 0 : int(shown.size()) - dot - 1;
  return std::fabs(value - expected) <= 0.5 * std::pow(10.0, -decimals) * (1.0 + 1e-9) + 1e-12;
}

#endif  // REPORTPAGES_H
