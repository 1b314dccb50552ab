#ifndef PHIMAGEVIEW_H
#define PHIMAGEVIEW_H

#include "phzoomview.h"

class PhImage;

// The graphic of one image: its measured points drawn with per-type symbols,
// residual vectors or texts, point IDs, link counts, blunder discs and the
// mark of the largest residual; zoomed by steps or a dragged rectangle,
// scrolled by dragging. It changes nothing in the image.
class PhImageView : public PhZoomView {
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
  PhImage *mImage = nullptr;
};

#endif  // PHIMAGEVIEW_H
