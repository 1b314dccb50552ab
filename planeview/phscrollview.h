#ifndef PHSCROLLVIEW_H
#define PHSCROLLVIEW_H

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>

#include "phraster.h"

class QContextMenuEvent;
class QMouseEvent;
class QPainter;
class QResizeEvent;

// A scroll area that works in contents coordinates: the contents have a size,
// the viewport shows them from a contents position, drawContents paints an
// exposed contents rectangle and the mouse handlers receive contents
// positions.
//
// What drawContents paints is kept in a viewport-sized image, so that a
// repaint of an unchanged area (a rubber band moving over it, scrolling, an
// expose) only copies pixels; updateContents() says that the drawing changed,
// updateOverlay() that only the overlay on top of it did.
class PhScrollView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit PhScrollView(QWidget *parent = nullptr);
  ~PhScrollView() override;

  int contentsX() const;
  int contentsY() const;
  int contentsWidth() const { return mContentsWidth; }
  int contentsHeight() const { return mContentsHeight; }
  int visibleWidth() const;
  int visibleHeight() const;
  // The contents rectangle that the viewport shows.
  QRect visibleContentsRect() const;

  void resizeContents(int w, int h);
  void setContentsPos(int x, int y);
  void scrollBy(int dx, int dy);

  // The viewport's size with contents of w x h, once the scroll bars that
  // they need are shown and the others hidden.
  QSize viewportSizeFor(int w, int h) const;

  QPoint contentsToViewport(const QPoint &pos) const;
  QPoint viewportToContents(const QPoint &pos) const;

  // The drawing of the rectangle (or of everything) changed: repaint it.
  void updateContents(int x, int y, int w, int h);
  void updateContents(const QRect &rect);
  void updateContents();
  // The same, painted before returning.
  void repaintContents(const QRect &rect);
  void repaintContents();
  // Only the overlay changed there: repaint it over the kept drawing.
  void updateOverlay(const QRect &rect);

  // With the cache off every repaint calls drawContents on the viewport.
  void setLayerCacheEnabled(bool bOn);
  bool layerCacheEnabled() const { return mCacheOn; }

 protected:
  // Paints the exposed contents rectangle; the painter works in contents
  // coordinates and is clipped to the rectangle.
  virtual void drawContents(QPainter *painter, int clipx, int clipy, int clipw, int cliph) = 0;
  // Paints what lies over the drawing (a rubber band); same coordinates.
  virtual void drawContentsOverlay(QPainter *painter, const QRect &rect);

  virtual void contentsMousePressEvent(QMouseEvent *event);
  virtual void contentsMouseMoveEvent(QMouseEvent *event);
  virtual void contentsMouseReleaseEvent(QMouseEvent *event);
  virtual void contentsMouseDoubleClickEvent(QMouseEvent *event);
  virtual void contentsContextMenuEvent(QContextMenuEvent *event);
  virtual void viewportResizeEvent(QResizeEvent *event);

  // While drawContents paints into the kept image: its pixels, for writing
  // directly; null otherwise (a painter on the widget or elsewhere).
  const PhRaster *raster() const { return mRaster; }
  // The kept drawing is out of date; shown at the next repaint, which is not
  // asked for here.
  void invalidateLayer();

  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void updateScrollBars();
  void forwardMouse(QMouseEvent *event, void (PhScrollView::*handler)(QMouseEvent *));
  bool useLayer() const;
  void prepareLayer();
  void renderLayer(const QRect &rect);

  int mContentsWidth = 0;
  int mContentsHeight = 0;
  bool mCacheOn = true;
  QImage mLayer;
  // Contents position of the kept image's top-left pixel and the part of it
  // (in contents coordinates) that holds a current drawing.
  QPoint mLayerOrigin;
  QRegion mLayerValid;
  const PhRaster *mRaster = nullptr;
};

#endif  // PHSCROLLVIEW_H
