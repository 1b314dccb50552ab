#include "phelidedlabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

PhElidedLabel::PhElidedLabel(QWidget *parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void PhElidedLabel::setFullText(const QString &text) {
  setText(text);
  _updateToolTip();
}

QString PhElidedLabel::shownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideMiddle, qMax(0, contentsRect().width() - 2 * margin()));
}

void PhElidedLabel::paintEvent(QPaintEvent *event) {
  const QString shown = shownText();
  if (shown == text()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  drawFrame(&painter);
  const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}

void PhElidedLabel::resizeEvent(QResizeEvent *event) {
  QLabel::resizeEvent(event);
  _updateToolTip();
}

void PhElidedLabel::_updateToolTip() { setToolTip(isElided() ? text() : QString()); }
