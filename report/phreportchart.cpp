#include "phreportchart.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "phreportdata.h"
#include "phreportformat.h"

namespace {

// Labels closer than this (pixels) would run into each other.
constexpr double LabelSpacing = 56.0;

}  // namespace

void PhReportChart::paint(QPainter &painter, const QRectF &rect) const {
  painter.save();
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(FontPixels);
  painter.setFont(font);
  const QFontMetricsF metrics(font, painter.device());
  const double line = metrics.height();

  painter.setPen(Qt::black);
  QFont bold = font;
  bold.setBold(true);
  painter.setFont(bold);
  painter.drawText(QRectF(rect.left(), rect.top(), rect.width(), line), Qt::AlignHCenter | Qt::AlignTop, title);
  painter.setFont(font);

  double largest = 0.0;
  for (const double v : values)
    if (std::isfinite(v)) largest = std::max(largest, v);
  double step = PhReportData::roundStep(largest > 0.0 ? largest / 5.0 : 0.2);
  if (wholeTicks) step = std::max(1.0, std::ceil(step));
  const double top = std::max(step, std::ceil(largest / step - 1e-9) * step);

  const double labelWidth = metrics.horizontalAdvance(PhReportFormat::significant(top, 4)) + 8.0;
  const QRectF plot(rect.left() + line + labelWidth, rect.top() + 1.5 * line,
                    rect.width() - line - labelWidth - 28.0, rect.height() - 4.0 * line);

  // Value axis: grid lines at round ticks.
  painter.setPen(QPen(QColor(0xd0, 0xd0, 0xd0), 0.5));
  for (int i = 0; i * step <= top * (1.0 + 1e-9); ++i) {
    const double y = plot.bottom() - plot.height() * (i * step / top);
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
  }
  painter.setPen(Qt::black);
  for (int i = 0; i * step <= top * (1.0 + 1e-9); ++i) {
    const double y = plot.bottom() - plot.height() * (i * step / top);
    painter.drawText(QRectF(plot.left() - labelWidth, y - line / 2, labelWidth - 4.0, line),
                     Qt::AlignRight | Qt::AlignVCenter, PhReportFormat::significant(i * step, 4));
  }

  const int n = int(values.size());
  if (n == 0) {
    painter.drawText(plot, Qt::AlignCenter, emptyText);
  } else {
    const double barWidth = plot.width() / n;
    painter.setPen(barWidth > 3.0 ? QPen(Qt::white, 0.5) : QPen(Qt::NoPen));
    painter.setBrush(colour);
    for (int i = 0; i < n; ++i) {
      const double v = std::isfinite(values[std::size_t(i)]) ? values[std::size_t(i)] : 0.0;
      if (v <= 0.0) continue;
      const double h = plot.height() * (v / top);
      painter.drawRect(QRectF(plot.left() + i * barWidth, plot.bottom() - h, barWidth, h));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    const int every = std::max(1, int(std::ceil(LabelSpacing / barWidth)));
    const double labelTop = plot.bottom() + 3.0;
    if (edgeWidth > 0.0) {
      for (int i = 0; i <= n; i += every) {
        const double x = plot.left() + i * barWidth;
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3.0));
        painter.drawText(QRectF(x - LabelSpacing / 2, labelTop, LabelSpacing, line), Qt::AlignHCenter | Qt::AlignTop,
                         PhReportFormat::significant(i * edgeWidth, 4));
      }
    } else {
      for (int i = 0; i < n && i < barLabels.size(); i += every) {
        const double x = plot.left() + (i + 0.5) * barWidth;
        painter.drawText(QRectF(x - LabelSpacing / 2, labelTop, LabelSpacing, line), Qt::AlignHCenter | Qt::AlignTop,
                         barLabels[i]);
      }
    }
  }
  painter.setPen(Qt::black);
  painter.drawLine(plot.bottomLeft(), plot.bottomRight());
  painter.drawLine(plot.bottomLeft(), plot.topLeft());
  painter.drawText(QRectF(plot.left(), plot.bottom() + line + 4.0, plot.width(), line), Qt::AlignHCenter | Qt::AlignTop,
                   xTitle);
  // The value axis' title, upright along it.
  painter.translate(rect.left(), plot.center().y());
  painter.rotate(-90.0);
  painter.drawText(QRectF(-plot.height() / 2, 0.0, plot.height(), line), Qt::AlignHCenter | Qt::AlignTop, yTitle);
  painter.restore();
}
