#ifndef PHVIEWPICTURE_H
#define PHVIEWPICTURE_H

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class PhZoomView;
class QPainter;
class QPrinter;

// A view's drawing as a picture of a given size, through the same painting
// as on screen: the view zoomed so that its whole contents fit, drawn from
// the contents' top-left corner, the rest in the background colour. PNG is
// a picture of that size; SVG and PDF (one page of that size in points) are
// vector drawings.
class PhViewPicture {
 public:
  enum FormatE { FMT_Unknown, FMT_Png, FMT_Svg, FMT_Pdf };

  // By the file name's suffix, in any case.
  static FormatE formatOf(const QString &fileName);

  // Zooms the view to the largest zoom at which its contents fit into
  // `size` (the smallest when even that does not fit), and returns it.
  static int zoomToFit(PhZoomView &view, const QSize &size);

  static QImage image(PhZoomView &view, const QSize &size);
  // Fits the view into `size` and draws that much of it onto the painter,
  // from its origin: what write() puts into a file, onto any page.
  static void paint(PhZoomView &view, QPainter &painter, const QSize &size);
  // Writes the file whole or not at all; false with the reason in `error`.
  static bool write(PhZoomView &view, const QString &fileName, const QSize &size, QString *error);

  // What the viewport shows now, at the view's zoom, as a file of the
  // viewport's size; the view is left as it is.
  static bool writeVisible(PhZoomView &view, const QString &fileName, QString *error);
  // What the viewport shows now, scaled to the printer's page.
  static bool print(PhZoomView &view, QPrinter &printer);

 private:
  static bool writeContents(PhZoomView &view, const QString &fileName, const QRect &contents, QString *error);
};

#endif  // PHVIEWPICTURE_H
