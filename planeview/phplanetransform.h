#ifndef PHPLANETRANSFORM_H
#define PHPLANETRANSFORM_H

#include <QPoint>
#include <QRect>
#include <QSize>

// The layout of a plane extent in a view's contents and the transform from
// plane coordinates (h to the right, v upwards) to contents pixels: a margin
// all round, the longer side of the extent spans the base size at 100 %.
// Also the zoom steps and limits and the zoom to a dragged rectangle. A value
// without any widget, so that drawing outside a view uses the same numbers.
class PhPlaneTransform {
 public:
  static constexpr int Margin = 40;
  static constexpr int BaseSize = 500;
  static constexpr int MinZoom = 10;
  static constexpr int MaxZoom = 100000000;
  static constexpr int ZoomStep = 10;

  // The zoom held within the limits.
  static int boundedZoom(int iPercent);

  // The result of zooming to a band: the new zoom and the contents position
  // that puts the band's top-left corner at the viewport's.
  struct BandZoom {
    int zoom = 100;
    QPoint contentsPos;
  };
  // Zooming from `iPercent` so that `band` (contents pixels) fills a
  // viewport of `viewport`, as far as the zoom limit allows.
  static BandZoom zoomToBand(int iPercent, const QSize &viewport, const QRect &band);

  // The side in pixels that the longer side of the extent spans at the zoom.
  static int baseOf(int iPercent);

  // The largest zoom within the limits at which the contents of the extent,
  // margins included, fit into `viewport`; the lower limit when none does,
  // and 100 when the contents do not change with the zoom (one point).
  static int fitZoom(double minH, double maxH, double minV, double maxV, const QSize &viewport);
  // The contents position that centres `contents` in `viewport` as far as
  // the scroll range allows: contents that fit lie at the origin.
  static QPoint centredPos(const QSize &contents, const QSize &viewport);
  // The contents position after a zoom from `fromPercent` to `toPercent` that
  // keeps `anchor` (contents pixels before) at `at` (viewport pixels), held
  // within the scroll range of `contents` (the size after) in `viewport`.
  static QPoint anchoredPos(int fromPercent, int toPercent, const QPoint &anchor, const QPoint &at,
                            const QSize &contents, const QSize &viewport);

  // Lays out the extent at the zoom. An extent that is empty, inverted or not
  // finite counts as zero: the points sit in the middle of the margins and
  // one unit spans the base size.
  void layout(double minH, double maxH, double minV, double maxV, int iPercent);

  int zoom() const { return mZoom; }
  // Contents pixels per plane unit.
  double scale() const { return mScale; }
  // The contents, margins included.
  QSize contentsSize() const { return mSize; }

  // Pixel of a point with plane coordinates (h, v), rounded half up.
  QPoint toContents(double h, double v) const;

 private:
  int mZoom = 100;
  double mScale = 1.0;
  double mMinH = 0.0;
  double mMinV = 0.0;
  double mExtentV = 0.0;
  QSize mSize;
};

#endif  // PHPLANETRANSFORM_H
