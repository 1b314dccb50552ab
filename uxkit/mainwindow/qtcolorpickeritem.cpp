#include "qtcolorpickeritem.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColorPickerItem::ColorPickerItem(const QColor &color, const QString &text, QWidget *parent)
    : QFrame(parent), mColor(color), mText(text) {
  setToolTip(text);
  setAccessibleName(text);
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(sizeHint());
}

QSize ColorPickerItem::sizeHint() const { return QSize(22, 22); }

void ColorPickerItem::paintEvent(QPaintEvent *) {
  QPainter p(this);
  const QRect r = rect();
  const bool marked = hasFocus() || mHover;
  // Frame: highlighted while the item has the focus or the mouse.
  p.fillRect(r, marked ? palette().color(QPalette::Highlight) : palette().color(QPalette::Window));
  const QRect swatch = r.adjusted(3, 3, -3, -3);
  p.setPen(QColor(Qt::gray));
  p.setBrush(mColor);
  p.drawRect(swatch.adjusted(0, 0, -1, -1));
}

void ColorPickerItem::mousePressEvent(QMouseEvent *event) { event->accept(); }

void ColorPickerItem::mouseReleaseEvent(QMouseEvent *event) {
  if (rect().contains(event->position().toPoint())) emit selected(mColor);
  event->accept();
}

void ColorPickerItem::keyPressEvent(QKeyEvent *event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      emit selected(mColor);
      event->accept();
      return;
    default:
      QFrame::keyPressEvent(event);
  }
}

void ColorPickerItem::enterEvent(QEnterEvent *event) {
  mHover = true;
  update();
  QFrame::enterEvent(event);
}

void ColorPickerItem::leaveEvent(QEvent *event) {
  mHover = false;
  update();
  QFrame::leaveEvent(event);
}
