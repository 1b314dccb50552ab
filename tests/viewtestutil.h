#ifndef VIEWTESTUTIL_H
#define VIEWTESTUTIL_H

// Helpers of the view and viewer tests: showing a view at a fixed size,
// reading the pixels it paints at contents positions, driving it with the
// mouse, and reading its menus.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "phround.h"
#include "phscrollview.h"
#include "phzoomview.h"

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

// Contents pixel of a point of the extent 100 x 50 (from 0, 0) at 100 %:
// 5 pixels a unit inside the 40-pixel margin.
inline QPoint pixelOf(double x, double y) { return QPoint(phRound(x * 5 + 40), phRound((50 - y) * 5 + 40)); }

// The actions' texts, "-" for a separator.
inline QStringList texts(const QList<QAction *> &actions) {
  QStringList result;
  for (const QAction *action : actions) result << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return result;
}

inline QStringList texts(const QMenu *menu) { return texts(menu->actions()); }

// The item of a context menu or of its submenus with the menu id.
inline QAction *actionWithId(QMenu *menu, int id) {
  for (QAction *action : menu->actions()) {
    if (action->menu())
      if (QAction *inner = actionWithId(action->menu(), id)) return inner;
    if (!action->isSeparator() && action->data().isValid() && action->data().toInt() == id) return action;
  }
  return nullptr;
}

// The action of a viewer with the text.
inline QAction *actionNamed(QWidget *viewer, const QString &text) {
  for (QAction *action : viewer->findChildren<QAction *>())
    if (action->text() == text) return action;
  return nullptr;
}

// A context-menu request with the mouse near the view's top-left corner.
inline void openContextMenu(PhScrollView *view) {
  const QPoint pos(60, 60);
  QContextMenuEvent event(QContextMenuEvent::Mouse, pos, view->viewport()->mapToGlobal(pos));
  QApplication::sendEvent(view->viewport(), &event);
}

// Every point type with a symbol, colour and size of its own (sizes from
// `firstSize` up), for drawings that must show each rule.
inline void varyTypes(PhZoomView &view, int firstSize) {
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    view.setPointSymbol(t, t % 3);
    view.setPointColor(t, QColor::fromHsv(t * 50, 255, 200));
    view.setPointSize(t, firstSize + t);
  }
}

// The settings both viewers read, at their defaults (nothing stored).
inline void verifySharedDefaults(const PhZoomView &view) {
  QCOMPARE(view.backgroundColor(), QColor(Qt::white));
  QCOMPARE(view.textFont(), QFont(QStringLiteral("Arial"), 8));
  QVERIFY(!view.hasBlundersOn());
  QCOMPARE(view.residualScale(), 1000.0f);
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    QVERIFY(view.pointOn(t));
    QCOMPARE(view.pointSymbol(t), 0);
    QCOMPARE(view.pointColor(t), QColor(Qt::black));
    QCOMPARE(view.pointSize(t), 7);
  }
  QCOMPARE(view.blunderColor(), QColor(Qt::red));
  QCOMPARE(view.blunderSize(), 2);
}

}  // namespace ViewTest

#endif  // VIEWTESTUTIL_H
