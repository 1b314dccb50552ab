#include "phscrollview.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

namespace {

constexpr int LineStep = 20;
// Beyond this many pieces one rectangle around them is cheaper to redraw.
constexpr int MaxPieces = 8;

}  // namespace

PhScrollView::PhScrollView(QWidget *parent) : QAbstractScrollArea(parent) {
  // Every exposed pixel is painted here.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  updateScrollBars();
}

PhScrollView::~PhScrollView() = default;

int PhScrollView::contentsX() const { return horizontalScrollBar()->value(); }

int PhScrollView::contentsY() const { return verticalScrollBar()->value(); }

int PhScrollView::visibleWidth() const { return viewport()->width(); }

int PhScrollView::visibleHeight() const { return viewport()->height(); }

QRect PhScrollView::visibleContentsRect() const {
  return QRect(contentsX(), contentsY(), visibleWidth(), visibleHeight());
}

void PhScrollView::resizeContents(int w, int h) {
  mContentsWidth = qMax(0, w);
  mContentsHeight = qMax(0, h);
  updateScrollBars();
  updateContents();
}

void PhScrollView::setContentsPos(int x, int y) {
  horizontalScrollBar()->setValue(x);
  verticalScrollBar()->setValue(y);
}

void PhScrollView::scrollBy(int dx, int dy) {
  setContentsPos(contentsX() + dx, contentsY() + dy);
}

QPoint PhScrollView::contentsToViewport(const QPoint &pos) const {
  return pos - QPoint(contentsX(), contentsY());
}

QPoint PhScrollView::viewportToContents(const QPoint &pos) const {
  return pos + QPoint(contentsX(), contentsY());
}

void PhScrollView::updateContents(int x, int y, int w, int h) {
  updateContents(QRect(x, y, w, h));
}

void PhScrollView::updateContents(const QRect &rect) {
  if (rect.isEmpty()) return;
  mLayerValid -= QRegion(rect);
  viewport()->update(rect.translated(-contentsX(), -contentsY()));
}

void PhScrollView::updateContents() {
  invalidateLayer();
  viewport()->update();
}

void PhScrollView::repaintContents(const QRect &rect) {
  if (rect.isEmpty()) return;
  mLayerValid -= QRegion(rect);
  viewport()->repaint(rect.translated(-contentsX(), -contentsY()));
}

void PhScrollView::repaintContents() {
  invalidateLayer();
  viewport()->repaint();
}

void PhScrollView::updateOverlay(const QRect &rect) {
  if (rect.isEmpty()) return;
  viewport()->update(rect.translated(-contentsX(), -contentsY()));
}

void PhScrollView::setLayerCacheEnabled(bool bOn) {
  if (bOn == mCacheOn) return;
  mCacheOn = bOn;
  mLayer = QImage();
  invalidateLayer();
  viewport()->update();
}

void PhScrollView::invalidateLayer() { mLayerValid = QRegion(); }

void PhScrollView::drawContentsOverlay(QPainter *, const QRect &) {}

void PhScrollView::contentsMousePressEvent(QMouseEvent *event) { event->ignore(); }

void PhScrollView::contentsMouseMoveEvent(QMouseEvent *event) { event->ignore(); }

void PhScrollView::contentsMouseReleaseEvent(QMouseEvent *event) { event->ignore(); }

void PhScrollView::contentsMouseDoubleClickEvent(QMouseEvent *event) { event->ignore(); }

void PhScrollView::contentsContextMenuEvent(QContextMenuEvent *event) { event->ignore(); }

void PhScrollView::viewportResizeEvent(QResizeEvent *) {}

bool PhScrollView::useLayer() const {
  // Pixels are written one to one; a scaled screen paints directly.
  return mCacheOn && viewport()->devicePixelRatioF() == 1.0;
}

void PhScrollView::prepareLayer() {
  const QSize size = viewport()->size();
  const QPoint origin(contentsX(), contentsY());
  if (mLayer.size() != size) {
    // Opaque: copied to the screen without blending.
    mLayer = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
    mLayerValid = QRegion();
    mLayerOrigin = origin;
    return;
  }
  if (origin == mLayerOrigin) return;
  // Scrolled: keep what is still in view, shifted with it.
  const QRegion keep = mLayerValid & QRect(origin, size);
  if (!keep.isEmpty()) mLayer = mLayer.copy(QRect(origin - mLayerOrigin, size));
  mLayerValid = keep;
  mLayerOrigin = origin;
}

void PhScrollView::renderLayer(const QRect &rect) {
  if (mLayer.isNull()) return;
  QRegion missing = QRegion(rect) - mLayerValid;
  if (missing.isEmpty()) return;
  if (missing.rectCount() > MaxPieces) missing = QRegion(missing.boundingRect());

  PhRaster raster;
  raster.bits = reinterpret_cast<quint32 *>(mLayer.bits());
  raster.stride = int(mLayer.bytesPerLine() / 4);
  raster.rect = QRect(mLayerOrigin, mLayer.size());

  QPainter painter(&mLayer);
  painter.translate(-mLayerOrigin);
  mRaster = &raster;
  for (const QRect &piece : missing) {
    painter.save();
    painter.setClipRect(piece);
    drawContents(&painter, piece.x(), piece.y(), piece.width(), piece.height());
    painter.restore();
  }
  mRaster = nullptr;
  mLayerValid += missing;
}

void PhScrollView::paintEvent(QPaintEvent *event) {
  QPainter painter(viewport());
  const bool layered = useLayer();
  if (layered) prepareLayer();
  const QPoint origin(contentsX(), contentsY());
  const QRect contents(0, 0, mContentsWidth, mContentsHeight);
  const QColor outside = viewport()->palette().color(viewport()->backgroundRole());

  for (const QRect &exposed : event->region()) {
    const QRect area = exposed.translated(origin);
    const QRect inside = area & contents;
    if (inside != area) {
      for (const QRect &rest : QRegion(area) - QRegion(inside))
        painter.fillRect(rest.translated(-origin), outside);
    }
    if (inside.isEmpty()) continue;

    if (layered && !mLayer.isNull()) {
      renderLayer(inside);
      painter.drawImage(inside.topLeft() - origin, mLayer, inside.translated(-mLayerOrigin));
    } else {
      painter.save();
      painter.translate(-origin);
      painter.setClipRect(inside);
      drawContents(&painter, inside.x(), inside.y(), inside.width(), inside.height());
      painter.restore();
    }
    painter.save();
    painter.translate(-origin);
    painter.setClipRect(inside);
    drawContentsOverlay(&painter, inside);
    painter.restore();
  }
}

void PhScrollView::resizeEvent(QResizeEvent *event) {
  // The viewport's new size.
  updateScrollBars();
  viewportResizeEvent(event);
}

void PhScrollView::forwardMouse(QMouseEvent *event,
                                void (PhScrollView::*handler)(QMouseEvent *)) {
  const QPointF pos = event->position() + QPointF(contentsX(), contentsY());
  QMouseEvent contentsEvent(event->type(), pos, event->scenePosition(), event->globalPosition(),
                            event->button(), event->buttons(), event->modifiers(),
                            event->pointingDevice());
  (this->*handler)(&contentsEvent);
  event->setAccepted(contentsEvent.isAccepted());
}

void PhScrollView::mousePressEvent(QMouseEvent *event) {
  forwardMouse(event, &PhScrollView::contentsMousePressEvent);
}

void PhScrollView::mouseMoveEvent(QMouseEvent *event) {
  forwardMouse(event, &PhScrollView::contentsMouseMoveEvent);
}

void PhScrollView::mouseReleaseEvent(QMouseEvent *event) {
  forwardMouse(event, &PhScrollView::contentsMouseReleaseEvent);
}

void PhScrollView::mouseDoubleClickEvent(QMouseEvent *event) {
  forwardMouse(event, &PhScrollView::contentsMouseDoubleClickEvent);
}

void PhScrollView::contextMenuEvent(QContextMenuEvent *event) {
  QContextMenuEvent contentsEvent(event->reason(), viewportToContents(event->pos()),
                                  event->globalPos(), event->modifiers());
  contentsContextMenuEvent(&contentsEvent);
  event->setAccepted(contentsEvent.isAccepted());
}

void PhScrollView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

QSize PhScrollView::viewportSizeFor(int w, int h) const {
  const QSize room = maximumViewportSize();
  const int barWidth = verticalScrollBar()->sizeHint().width();
  const int barHeight = horizontalScrollBar()->sizeHint().height();
  bool across = w > room.width();
  bool down = h > room.height();
  // One bar can make the other needed.
  if (across && !down) down = h > room.height() - barHeight;
  if (down && !across) across = w > room.width() - barWidth;
  return QSize(qMax(0, room.width() - (down ? barWidth : 0)), qMax(0, room.height() - (across ? barHeight : 0)));
}

void PhScrollView::updateScrollBars() {
  // The ranges of the viewport that the bars will leave, not of the one
  // that the previous contents had: the bars come and go with the ranges,
  // and a position set now keeps its range once they have.
  const QSize size = viewportSizeFor(mContentsWidth, mContentsHeight);
  QScrollBar *h = horizontalScrollBar();
  h->setRange(0, qMax(0, mContentsWidth - size.width()));
  h->setPageStep(qMax(1, size.width()));
  h->setSingleStep(LineStep);
  QScrollBar *v = verticalScrollBar();
  v->setRange(0, qMax(0, mContentsHeight - size.height()));
  v->setPageStep(qMax(1, size.height()));
  v->setSingleStep(LineStep);
}
