#include "phreportpdfpage.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr double Margin = 48.0;
constexpr double HeaderHeight = 30.0;
constexpr double FooterHeight = 26.0;

}  // namespace

PhReportPdfPage::PhReportPdfPage(QPdfWriter &writer, QPainter &painter, const QString &header)
    : mWriter(writer), mPainter(painter), mHeader(header) {
  const QRectF page = mWriter.pageLayout().paintRectPoints();
  mBody = QRectF(page.left() + Margin, page.top() + Margin / 2 + HeaderHeight, page.width() - 2 * Margin,
                 page.height() - Margin - HeaderHeight - FooterHeight);
  mY = mBody.top();
  decorate();
}

QFont PhReportPdfPage::font(double points, bool bBold) {
  QFont f(QStringLiteral("Arial"));
  // One point a pixel at the writer's resolution.
  f.setPixelSize(qRound(points));
  f.setBold(bBold);
  return f;
}

bool PhReportPdfPage::ensure(double height) {
  if (height <= room() || atTop()) return false;
  newPage();
  return true;
}

void PhReportPdfPage::newPage() {
  mWriter.newPage();
  ++mPage;
  mY = mBody.top();
  decorate();
}

void PhReportPdfPage::decorate() {
  mPainter.save();
  mPainter.setPen(QPen(QColor(0x3b, 0x58, 0x9a), 0.8));
  const double top = mBody.top() - HeaderHeight;
  mPainter.setFont(font(9, true));
  mPainter.drawText(QRectF(mBody.left(), top, mBody.width(), 16), Qt::AlignLeft | Qt::AlignVCenter, mHeader);
  mPainter.setFont(font(9));
  mPainter.drawText(QRectF(mBody.left(), top, mBody.width(), 16), Qt::AlignRight | Qt::AlignVCenter,
                    QCoreApplication::translate("PhReportPdfPage", "Adjustment report"));
  mPainter.drawLine(QPointF(mBody.left(), top + 18), QPointF(mBody.right(), top + 18));
  mPainter.setPen(Qt::black);
  mPainter.drawText(QRectF(mBody.left(), mBody.bottom() + 8, mBody.width(), 14), Qt::AlignHCenter | Qt::AlignVCenter,
                    QCoreApplication::translate("PhReportPdfPage", "Page %1").arg(mPage));
  mPainter.restore();
}
