#ifndef PHIMAGEVIEW_H
#define PHIMAGEVIEW_H

#include "phselection.h"
#include "phzoomview.h"

class PhImage;
class PhObjectList;

// The graphic of one image: its measured points drawn with per-type symbols,
// residual vectors or texts, point IDs, link counts, blunder discs and the
// mark of the largest residual; zoomed by steps or a dragged rectangle,
// scrolled by dragging. It changes nothing in the image. While object
// points are selected, its points of those IDs sit on a mark disc.
class PhImageView : public PhZoomView, private PhSelectionObserver {
  Q_OBJECT

 public:
  // Context-menu item ids.
  enum PopIdE {
    POP_Zoom100 = 0,
    POP_PointIds = 1,
    POP_ResidualsGraphical = 2,
    POP_ResidualsTextual = 3,
    POP_Blunders = 4,
    POP_LinkCount = 5
  };

  explicit PhImageView(QWidget *parent = nullptr);
  ~PhImageView() override;

  // Shows the image (not owned; null shows nothing). Always true.
  bool setImage(PhImage *image);
  PhImage *image() const { return mImage; }
  bool hasImage() const { return mImage != nullptr; }
  bool hasData() const override { return mImage != nullptr; }
  // The project's object points (not owned; null for none), whose selection
  // the view marks and follows.
  void setObjectList(PhObjectList *list);
  PhObjectList *objectList() const { return mObjects; }
  // Scrolls the point of the image with that ID to the viewport's middle, as
  // far as the contents reach; false when the image has no such point.
  bool centreOnPoint(int iPointId);

  void setLargestResidualColor(const QColor &colour);
  QColor largestResidualColor() const { return drawSettings().largestColour; }
  void setLargestResidualSize(int iSize);
  int largestResidualSize() const { return drawSettings().largestSize; }

 signals:
  void sigStatusMessage(const QString &strMessage);
  void sigStatusClear();

 private slots:
  void _slotHandleContextMenu(int iPopId);

 protected:
  bool contentsExtent(double &minH, double &maxH, double &minV, double &maxV) const override;
  void buildContextMenu(QMenu *menu) override;
  void handleContextMenu(int iPopId) override;
  void drawContents(QPainter *painter, int clipx, int clipy, int clipw, int cliph) override;

 private:
  void selectionChanged(const PhSelectionChange &change) override;
  void selectionGone() override;
  bool isMarked(int iPointId) const;

  PhImage *mImage = nullptr;
  PhObjectList *mObjects = nullptr;
};

#endif  // PHIMAGEVIEW_H
