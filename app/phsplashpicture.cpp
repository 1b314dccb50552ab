#include "phsplashpicture.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

QPixmap phSplashPicture() {
  static const QRgb palette[12] = {0xff1d3557, 0xff274c77, 0xff457b9d, 0xff6096ba, 0xffa8dadc, 0xffe63946,
                                   0xfff1a208, 0xfff4d35e, 0xff2a9d8f, 0xff264653, 0xfff1faee, 0xff000000};
  QPixmap pixmap(758, 380);
  pixmap.fill(QColor::fromRgb(palette[10]));
  QPainter painter(&pixmap);
  painter.setPen(QColor::fromRgb(palette[11]));
  // A band of triangles on the left, where no text goes, above a light
  // strip along the bottom that holds the messages (written left and bottom
  // aligned in black), with a thin coloured rule between them.
  const int cell = 38;
  const int messageTop = 380 - 2 * cell;
  for (int row = 0; (row + 1) * cell <= messageTop; ++row) {
    for (int col = 0; col < 5; ++col) {
      const int x = col * cell, y = row * cell;
      const QRgb a = palette[(row * 3 + col * 5) % 10];
      const QRgb b = palette[(row * 7 + col * 3 + 4) % 10];
      painter.setBrush(QColor::fromRgb(a));
      painter.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + cell, y), QPoint(x, y + cell)}));
      painter.setBrush(QColor::fromRgb(b));
      painter.drawPolygon(QPolygon({QPoint(x + cell, y), QPoint(x + cell, y + cell), QPoint(x, y + cell)}));
    }
  }
  painter.setPen(Qt::NoPen);
  for (int col = 0; col * 19 < 758; ++col) {
    painter.setBrush(QColor::fromRgb(palette[(col * 7) % 10]));
    painter.drawRect(col * 19, messageTop, 19, 4);
  }
  return pixmap;
}
