#ifndef VIEWTESTUTIL_H
#define VIEWTESTUTIL_H

// Helpers of the view tests: showing a view at a fixed size, reading the
// pixels it paints at contents positions, and driving it with the mouse.

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "phscrollview.h"

namespace ViewTest {

// Tests measure text with this font, not with the desktop's.
inline QFont testFont() { return QFont(QStringLiteral("DejaVu Sans"), 8); }

inline bool showView(QWidget *view, const QSize &size) {
  view->resize(size);
  view->show();
  return QTest::qWaitForWindowExposed(view);
}

// The viewport painted afresh.
inline QImage render(PhScrollView *view) {
  return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The viewport as it stands on screen after all pending updates, painted
// piece by piece as the view asked for them.
inline QImage screen(PhScrollView *view) {
  QApplication::processEvents();
  QApplication::processEvents();
  QWidget *viewport = view->viewport();
  const QPoint topLeft = viewport->mapTo(viewport->window(), QPoint(0, 0));
  QWindow *window = viewport->window()->windowHandle();
  return window->screen()
      ->grabWindow(window->winId(), topLeft.x(), topLeft.y(), viewport->width(),
                   viewport->height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// Colour of the pixel at a contents position in an image of the viewport.
inline QColor at(const QImage &image, const PhScrollView *view, const QPoint &contents) {
  const QPoint p = contents - QPoint(view->contentsX(), view->contentsY());
  if (!image.rect().contains(p)) return QColor();
  return QColor(image.pixel(p));
}

inline QColor at(const QImage &image, const PhScrollView *view, int x, int y) {
  return at(image, view, QPoint(x, y));
}

// A left-button drag through the given viewport positions.
inline void drag(PhScrollView *view, const QList<QPoint> &path,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget *viewport = view->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, modifiers, path.first());
  for (int i = 1; i < path.size(); ++i) QTest::mouseMove(viewport, path[i]);
  QTest::mouseRelease(viewport, Qt::LeftButton, modifiers, path.last());
}

// A right press during a left drag, sent to the view itself: through the
// window it would open the context menu as well.
inline void pressRightDuringDrag(PhScrollView *view, const QPoint &pos) {
  QWidget *viewport = view->viewport();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), viewport->mapToGlobal(QPointF(pos)), Qt::RightButton,
                    Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &press);
}

}  // namespace ViewTest

#endif  // VIEWTESTUTIL_H
