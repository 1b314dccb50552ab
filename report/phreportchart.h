#ifndef PHREPORTCHART_H
#define PHREPORTCHART_H

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;

// A bar chart drawn with a plain painter, so the same drawing goes into the
// SVG of the HTML and onto a PDF page as vectors: bars from zero, a value
// axis with round ticks, and labels under the bars, as many as fit.
class PhReportChart {
 public:
  QString title;
  QString xTitle;
  QString yTitle;
  std::vector<double> values;
  QColor colour = QColor(0x3b, 0x58, 0x9a);
  // Labels under the bars: with `edgeWidth` > 0 the bars are steps of that
  // width from 0 and their edges are labelled; else one label per bar.
  double edgeWidth = 0.0;
  QStringList barLabels;
  // Ticks of whole numbers only (counts).
  bool wholeTicks = false;
  // Shown in the plot when there are no values.
  QString emptyText;

  void paint(QPainter &painter, const QRectF &rect) const;

  // Pixels of the chart font.
  static constexpr int FontPixels = 12;
};

#endif  // PHREPORTCHART_H
