#include "phviewpicture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "phplanetransform.h"
#include "phzoomview.h"

namespace {

QString translated(const char *text) { return QCoreApplication::translate("PhViewPicture", text); }

void draw(PhZoomView &view, QPainter &painter, const QSize &size) {
  painter.fillRect(QRect(QPoint(0, 0), size), view.backgroundColor());
  view.render(&painter, QRect(QPoint(0, 0), size));
}

}  // namespace

PhViewPicture::FormatE PhViewPicture::formatOf(const QString &fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("png")) return FMT_Png;
  if (suffix == QLatin1String("svg")) return FMT_Svg;
  if (suffix == QLatin1String("pdf")) return FMT_Pdf;
  return FMT_Unknown;
}

int PhViewPicture::zoomToFit(PhZoomView &view, const QSize &size) {
  // The contents grow with the zoom: the largest zoom that fits, by halving
  // the range, each step laid out by the view itself.
  auto fits = [&](int zoom) {
    view.slotZoom(zoom);
    return view.contentsWidth() <= size.width() && view.contentsHeight() <= size.height();
  };
  int low = PhPlaneTransform::MinZoom;
  int high = PhPlaneTransform::MaxZoom;
  if (!fits(low)) return low;
  if (fits(high)) return high;
  while (high - low > 1) {
    const int middle = low + (high - low) / 2;
    if (fits(middle))
      low = middle;
    else
      high = middle;
  }
  view.slotZoom(low);
  return low;
}

QImage PhViewPicture::image(PhZoomView &view, const QSize &size) {
  QImage picture(size, QImage::Format_RGB32);
  zoomToFit(view, size);
  QPainter painter(&picture);
  draw(view, painter, size);
  return picture;
}

bool PhViewPicture::write(PhZoomView &view, const QString &fileName, const QSize &size, QString *error) {
  auto fail = [error](const QString &text) {
    if (error) *error = text;
    return false;
  };
  const FormatE format = formatOf(fileName);
  if (format == FMT_Unknown)
    return fail(translated("Can't tell the picture format of '%1': use .png, .svg or .pdf.").arg(fileName));
  if (size.width() < 1 || size.height() < 1)
    return fail(translated("The picture size %1x%2 is too small.").arg(size.width()).arg(size.height()));
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly))
    return fail(translated("Can't write '%1': %2").arg(fileName, file.errorString()));
  bool drawn = true;
  if (format == FMT_Png) {
    drawn = image(view, size).save(&file, "PNG");
  } else if (format == FMT_Svg) {
    zoomToFit(view, size);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QFileInfo(fileName).completeBaseName());
    QPainter painter;
    drawn = painter.begin(&svg);
    if (drawn) {
      draw(view, painter, size);
      drawn = painter.end();
    }
  } else {
    zoomToFit(view, size);
    QPdfWriter pdf(&file);
    pdf.setTitle(QFileInfo(fileName).completeBaseName());
    // One point a pixel: the page is the picture.
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    drawn = painter.begin(&pdf);
    if (drawn) {
      draw(view, painter, size);
      drawn = painter.end();
    }
  }
  if (!drawn) {
    file.cancelWriting();
    return fail(translated("Can't draw the picture '%1'.").arg(fileName));
  }
  if (!file.commit()) return fail(translated("Can't write '%1': %2").arg(fileName, file.errorString()));
  return true;
}
