#ifndef PHREPORTPDFPAGE_H
#define PHREPORTPDFPAGE_H

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;
class QPdfWriter;

// The running layout of the PDF: where the next block goes on the current
// page, and a new page with its header and number when it does not fit.
// One unit is one point.
class PhReportPdfPage {
 public:
  PhReportPdfPage(QPdfWriter &writer, QPainter &painter, const QString &header);

  // The area between the header and the footer.
  const QRectF &body() const { return mBody; }
  double y() const { return mY; }
  double left() const { return mBody.left(); }
  double width() const { return mBody.width(); }
  // Room left below the cursor.
  double room() const { return mBody.bottom() - mY; }
  bool atTop() const { return mY <= mBody.top() + 0.01; }
  int page() const { return mPage; }

  // A new page unless `height` still fits below the cursor; true when one began.
  bool ensure(double height);
  void newPage();
  void advance(double height) { mY += height; }

  static QFont font(double points, bool bBold = false);

 private:
  void decorate();

  QPdfWriter &mWriter;
  QPainter &mPainter;
  const QString mHeader;
  QRectF mBody;
  double mY = 0.0;
  int mPage = 1;
};

#endif  // PHREPORTPDFPAGE_H
