#include "phballs.h"

#include "nubmsg.h"

#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

namespace {

// A shaded sphere: a highlight at the upper left, the full colour towards
// the rim.
QPixmap *makeBall(const QColor &light, const QColor &base, const QColor &dark) {
  QPixmap pixmap(14, 14);
  if (pixmap.isNull()) return nullptr;
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient gradient(QPointF(5.0, 5.0), 8.0, QPointF(4.5, 4.5));
  gradient.setColorAt(0.0, light);
  gradient.setColorAt(0.6, base);
  gradient.setColorAt(1.0, dark);
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawEllipse(QRectF(0.5, 0.5, 13.0, 13.0));
  painter.end();
  return new QPixmap(pixmap);
}

}  // namespace

const QPixmap *phRedBall() {
  static const QPixmap *pRedBall = makeBall(QColor(255, 200, 200), QColor(220, 20, 20), QColor(110, 0, 0));
  if (!pRedBall) Nub::checkFailed("! pRedBall", __FILE__, __LINE__);
  return pRedBall;
}

const QPixmap *phGreenBall() {
  static const QPixmap *pGreenBall = makeBall(QColor(210, 255, 210), QColor(20, 170, 40), QColor(0, 80, 10));
  if (!pGreenBall) Nub::checkFailed("! pGreenBall", __FILE__, __LINE__);
  return pGreenBall;
}
