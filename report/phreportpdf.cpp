#include "phreportpdf.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <vector>

#include "phreportdocument.h"
#include "phreportpdfpage.h"

namespace {

constexpr double TextPoints = 9.0;
constexpr double CellPad = 3.0;

double textHeight(QPainter &painter, const QString &text, double width) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
}

void paragraph(PhReportPdfPage &page, QPainter &painter, const QString &text, const QFont &font) {
  painter.setFont(font);
  const double h = textHeight(painter, text, page.width());
  page.ensure(h);
  painter.drawText(QRectF(page.left(), page.y(), page.width(), h), Qt::TextWordWrap | Qt::AlignLeft, text);
  page.advance(h + 5.0);
}

// The height a heading wants below it on its page: `lead`, the start of
// what follows.
void heading(PhReportPdfPage &page, QPainter &painter, const PhReportDocument::Block &block, double lead) {
  if (block.newPage && !page.atTop()) page.newPage();
  const QFont font = PhReportPdfPage::font(block.level <= 2 ? 13 : 10.5, true);
  painter.setFont(font);
  const double h = textHeight(painter, block.text, page.width());
  // A heading keeps the start of what follows on its page, as far as a page
  // can hold both.
  page.ensure(std::min(h + 10.0 + lead, page.body().height()));
  if (!page.atTop()) page.advance(6.0);
  painter.save();
  painter.setPen(block.level <= 2 ? QColor(0x3b, 0x58, 0x9a) : QColor(Qt::black));
  painter.drawText(QRectF(page.left(), page.y(), page.width(), h), Qt::TextWordWrap, block.text);
  painter.restore();
  page.advance(h + 4.0);
}

// Column widths of the rows shown, at the font; the font shrinks until they fit.
std::vector<double> columnWidths(QPainter &painter, const PhReportDocument::Table &table, int rows, double width) {
  for (double points = TextPoints - 1.0;; points -= 0.5) {
    painter.setFont(PhReportPdfPage::font(points));
    const QFontMetricsF metrics(painter.font(), painter.device());
    std::vector<double> widths;
    double total = 0.0;
    for (int c = 0; c < table.header.size(); ++c) {
      double w = metrics.horizontalAdvance(table.header[c]);
      for (int r = 0; r < rows; ++r)
        if (c < table.rows[std::size_t(r)].size())
          w = std::max(w, metrics.horizontalAdvance(table.rows[std::size_t(r)][c]));
      widths.push_back(w + 2 * CellPad);
      total += w + 2 * CellPad;
    }
    if (total <= width || points <= 5.0) {
      return widths;
    }
  }
}

void tableRow(PhReportPdfPage &page, QPainter &painter, const PhReportDocument::Table &table,
              const QStringList &cells, const std::vector<double> &widths, double height, bool bHeader) {
  double x = page.left();
  painter.save();
  if (bHeader) {
    double total = 0.0;
    for (const double w : widths) total += w;
    painter.fillRect(QRectF(x, page.y(), total, height), QColor(0xe8, 0xec, 0xf5));
  }
  for (int c = 0; c < cells.size() && c < int(widths.size()); ++c) {
    const bool numeric = !bHeader && c < int(table.numeric.size()) && table.numeric[std::size_t(c)];
    const bool fail = !bHeader && !table.failText.isEmpty() && cells[c] == table.failText;
    painter.setPen(fail ? QColor(0xb0, 0, 0) : QColor(Qt::black));
    QFont font = painter.font();
    font.setBold(bHeader || fail);
    painter.setFont(font);
    const QRectF cell(x + CellPad, page.y(), widths[std::size_t(c)] - 2 * CellPad, height);
    painter.drawText(cell, (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, cells[c]);
    x += widths[std::size_t(c)];
  }
  painter.setPen(QPen(QColor(0xbb, 0xbb, 0xbb), 0.4));
  painter.drawLine(QPointF(page.left(), page.y() + height), QPointF(x, page.y() + height));
  painter.restore();
  page.advance(height);
}

int pdfRows(const PhReportDocument::Table &table) {
  return table.pdfRows < 0 ? int(table.rows.size()) : std::min(table.pdfRows, int(table.rows.size()));
}

// A short table stays on one page; a long one starts with a few rows.
double tableStart(QPainter &painter, const PhReportDocument::Table &table, double width) {
  const int rows = pdfRows(table);
  painter.save();
  columnWidths(painter, table, rows, width);
  const double height = QFontMetricsF(painter.font(), painter.device()).height() + 3.0;
  painter.restore();
  return (rows <= 12 ? rows + 1 : 4) * height;
}

void table(PhReportPdfPage &page, QPainter &painter, const PhReportDocument::Table &table) {
  const int rows = pdfRows(table);
  page.ensure(tableStart(painter, table, page.width()));
  painter.save();
  const std::vector<double> widths = columnWidths(painter, table, rows, page.width());
  const double height = QFontMetricsF(painter.font(), painter.device()).height() + 3.0;
  tableRow(page, painter, table, table.header, widths, height, true);
  for (int r = 0; r < rows; ++r) {
    // A row that starts a page comes under the header again.
    if (page.ensure(height)) tableRow(page, painter, table, table.header, widths, height, true);
    tableRow(page, painter, table, table.rows[std::size_t(r)], widths, height, false);
  }
  painter.restore();
  page.advance(6.0);
  if (rows < int(table.rows.size()) && !table.pdfNote.isEmpty())
    paragraph(page, painter, table.pdfNote, PhReportPdfPage::font(TextPoints));
}

void picture(PhReportPdfPage &page, QPainter &painter, const PhReportDocument::Picture &p) {
  if (p.size.isEmpty() || !p.paint) return;
  painter.setFont(PhReportPdfPage::font(8));
  const double captionHeight = textHeight(painter, p.caption, page.width()) + 4.0;
  const double fullHeight = page.body().height() - captionHeight;
  double scale = std::min(page.width() / p.size.width(), fullHeight / p.size.height());
  // Shrunk into what the page has left when most of it still fits there.
  const double fitted = (page.room() - captionHeight) / p.size.height();
  if (fitted >= 0.7 * scale)
    scale = std::min(scale, fitted);
  else
    page.ensure(p.size.height() * scale + captionHeight);
  const double w = p.size.width() * scale;
  const double h = p.size.height() * scale;
  painter.save();
  painter.translate(page.left() + (page.width() - w) / 2, page.y());
  painter.scale(scale, scale);
  painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(p.size)));
  p.paint(painter);
  painter.restore();
  painter.save();
  painter.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 0.5));
  painter.drawRect(QRectF(page.left() + (page.width() - w) / 2, page.y(), w, h));
  painter.restore();
  page.advance(h + 3.0);
  painter.setFont(PhReportPdfPage::font(8));
  painter.drawText(QRectF(page.left(), page.y(), page.width(), captionHeight), Qt::TextWordWrap, p.caption);
  page.advance(captionHeight + 6.0);
}

// What the block at `i` needs on the page it starts: a paragraph whole, the
// start of a table, most of a picture; after a paragraph or a heading, the
// start of the block after it too.
double blockStart(PhReportPdfPage &page, QPainter &painter, const std::vector<PhReportDocument::Block> &blocks,
                  std::size_t i) {
  if (i >= blocks.size()) return 0.0;
  const PhReportDocument::Block &block = blocks[i];
  switch (block.kind) {
    case PhReportDocument::BLK_Paragraph: {
      painter.save();
      painter.setFont(PhReportPdfPage::font(TextPoints));
      const double h = textHeight(painter, block.text, page.width()) + 5.0;
      painter.restore();
      const bool more = i + 1 < blocks.size() && blocks[i + 1].kind != PhReportDocument::BLK_Heading;
      return h + (more ? blockStart(page, painter, blocks, i + 1) : 0.0);
    }
    case PhReportDocument::BLK_Table: return tableStart(painter, block.table, page.width());
    case PhReportDocument::BLK_Picture: {
      const QSizeF size(block.picture.size);
      if (size.isEmpty()) return 0.0;
      const double scale = std::min(page.width() / size.width(), page.body().height() / size.height());
      return 0.7 * scale * size.height();
    }
    case PhReportDocument::BLK_Heading: {
      if (block.newPage) return 0.0;
      painter.save();
      painter.setFont(PhReportPdfPage::font(block.level <= 2 ? 13 : 10.5, true));
      const double h = textHeight(painter, block.text, page.width()) + 10.0;
      painter.restore();
      return h + blockStart(page, painter, blocks, i + 1);
    }
  }
  return 0.0;
}

}  // namespace

bool PhReportPdf::write(const PhReportDocument &document, QIODevice *device, QString *error) {
  QPdfWriter writer(device);
  writer.setTitle(document.title);
  writer.setCreator(QStringLiteral("Tessella"));
  writer.setResolution(72);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPainter painter;
  if (!painter.begin(&writer)) {
    if (error) *error = QCoreApplication::translate("PhReportPdf", "Can't start the PDF pages.");
    return false;
  }
  PhReportPdfPage page(writer, painter, document.projectName);
  paragraph(page, painter, document.title, PhReportPdfPage::font(17, true));
  const std::vector<PhReportDocument::Block> &blocks = document.blocks();
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const PhReportDocument::Block &block = blocks[i];
    switch (block.kind) {
      case PhReportDocument::BLK_Heading: heading(page, painter, block, blockStart(page, painter, blocks, i + 1)); break;
      case PhReportDocument::BLK_Paragraph: paragraph(page, painter, block.text, PhReportPdfPage::font(TextPoints)); break;
      case PhReportDocument::BLK_Table: table(page, painter, block.table); break;
      case PhReportDocument::BLK_Picture: picture(page, painter, block.picture); break;
    }
  }
  if (!painter.end()) {
    if (error) *error = QCoreApplication::translate("PhReportPdf", "Can't finish the PDF pages.");
    return false;
  }
  return true;
}
