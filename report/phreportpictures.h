#ifndef PHREPORTPICTURES_H
#define PHREPORTPICTURES_H

#include <QRect>
#include <QSize>
#include <QString>

class PhObjectList;
class QPainter;

// The views of a report, drawn by the viewers' own painting with the
// user's stored view settings: an object plane with the control points and
// projection centres labelled (when there are not too many), their sigma
// ellipses (residual vectors without an inversion) magnified by a round
// factor, with a legend of the point types and a scale bar;
// and the image view of one image with its residuals and eliminated points.
// Views of their own are made for each picture, never shown; the object
// list's selection is put back as it was.
class PhReportPictures {
 public:
  // Pixels across a picture.
  static constexpr int Width = 1000;
  // Control points and projection centres are labelled with their IDs up
  // to this many of each.
  static constexpr int MaxLabels = 150;

  // Images are found by their ID in the project's image index.
  PhReportPictures(PhObjectList &objects, bool bInversion) : mObjects(objects), mInversion(bInversion) {}

  // The plane's picture size: the width, and the height the points' extent
  // calls for (within bounds), with room for the legend.
  QSize planeSize(int iPlane) const;
  void paintPlane(QPainter &painter, int iPlane);
  // The factor the last plane's vectors and ellipses were magnified by.
  double lastMagnification() const { return mMagnification; }
  // Found before painting, so a caption can name it.
  double magnification(int iPlane);

  QSize imageSize() const { return QSize(800, 800); }
  // False when the project has no such image.
  bool paintImage(QPainter &painter, int iImageId);

 private:
  // Height of the legend under a plane's drawing.
  int legendHeight() const;
  // `factor`: pixels per object unit of the magnified lengths.
  void paintLegend(QPainter &painter, const QRect &rect, double factor);

  PhObjectList &mObjects;
  const bool mInversion;
  double mMagnification = 1.0;
};

#endif  // PHREPORTPICTURES_H
