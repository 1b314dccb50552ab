#include "phviewpicture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>

#include "phzoomview.h"

namespace {

QString translated(const char *text) { return QCoreApplication::translate("PhViewPicture", text); }

// The contents rectangle drawn with its top-left corner at the painter's origin.
void draw(PhZoomView &view, QPainter &painter, const QRect &contents) {
  painter.fillRect(QRect(QPoint(0, 0), contents.size()), view.backgroundColor());
  view.render(&painter, contents);
}

QImage picture(PhZoomView &view, const QRect &contents) {
  QImage image(contents.size(), QImage::Format_RGB32);
  QPainter painter(&image);
  draw(view, painter, contents);
  return image;
}

QRect visibleContents(const PhZoomView &view) {
  return QRect(QPoint(view.contentsX(), view.contentsY()), view.viewport()->size());
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
  const int zoom = view.fitZoom(size);
  view.slotZoom(zoom);
  return zoom;
}

QImage PhViewPicture::image(PhZoomView &view, const QSize &size) {
  zoomToFit(view, size);
  return picture(view, QRect(QPoint(0, 0), size));
}

void PhViewPicture::paint(PhZoomView &view, QPainter &painter, const QSize &size) {
  zoomToFit(view, size);
  draw(view, painter, QRect(QPoint(0, 0), size));
}

bool PhViewPicture::write(PhZoomView &view, const QString &fileName, const QSize &size, QString *error) {
  if (size.width() < 1 || size.height() < 1) {
    if (error) *error = translated("The picture size %1x%2 is too small.").arg(size.width()).arg(size.height());
    return false;
  }
  if (formatOf(fileName) != FMT_Unknown) zoomToFit(view, size);
  return writeContents(view, fileName, QRect(QPoint(0, 0), size), error);
}

bool PhViewPicture::writeVisible(PhZoomView &view, const QString &fileName, QString *error) {
  return writeContents(view, fileName, visibleContents(view), error);
}

bool PhViewPicture::print(PhZoomView &view, QPrinter &printer) {
  const QRect contents = visibleContents(view);
  QPainter painter;
  if (contents.isEmpty() || !painter.begin(&printer)) return false;
  // The whole of it on the page, in its proportions.
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double scale = std::min(page.width() / contents.width(), page.height() / contents.height());
  painter.scale(scale, scale);
  draw(view, painter, contents);
  return painter.end();
}

bool PhViewPicture::writeContents(PhZoomView &view, const QString &fileName, const QRect &contents,
                                  QString *error) {
  auto fail = [error](const QString &text) {
    if (error) *error = text;
    return false;
  };
  const FormatE format = formatOf(fileName);
  if (format == FMT_Unknown)
    return fail(translated("Can't tell the picture format of '%1': use .png, .svg or .pdf.").arg(fileName));
  const QSize size = contents.size();
  if (size.width() < 1 || size.height() < 1)
    return fail(translated("The picture size %1x%2 is too small.").arg(size.width()).arg(size.height()));
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly))
    return fail(translated("Can't write '%1': %2").arg(fileName, file.errorString()));
  bool drawn = true;
  if (format == FMT_Png) {
    drawn = picture(view, contents).save(&file, "PNG");
  } else if (format == FMT_Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QFileInfo(fileName).completeBaseName());
    QPainter painter;
    drawn = painter.begin(&svg);
    if (drawn) {
      draw(view, painter, contents);
      drawn = painter.end();
    }
  } else {
    QPdfWriter pdf(&file);
    pdf.setTitle(QFileInfo(fileName).completeBaseName());
    // One point a pixel: the page is the picture.
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    drawn = painter.begin(&pdf);
    if (drawn) {
      draw(view, painter, contents);
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
