#include "phsymbolpixmap.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>

#include "phglobal.h"

namespace {

QPixmap makeSymbol(int iSymbolType) {
  QPixmap pixmap(PhSymbolPixmap::Size, PhSymbolPixmap::Size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::black);
  switch (iSymbolType) {
    case PhGlobal::SYM_Circle:
      painter.setRenderHint(QPainter::Antialiasing, false);
      painter.drawEllipse(1, 1, 10, 10);
      break;
    case PhGlobal::SYM_Triangle:
      painter.drawPolygon(QPolygon({QPoint(6, 1), QPoint(1, 11), QPoint(11, 11)}));
      break;
    case PhGlobal::SYM_Cross:
      // Spans eleven pixels each way, centred.
      painter.drawLine(1, 6, 11, 6);
      painter.drawLine(6, 1, 6, 11);
      break;
  }
  return pixmap;
}

}  // namespace

QPixmap PhSymbolPixmap::symbolPixmap(int iSymbolType) {
  if (iSymbolType < PhGlobal::SYM_Circle || iSymbolType > PhGlobal::SYM_Cross) return QPixmap();
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return QPixmap();
  // Kept for the run and never destroyed: a pixmap must not outlive the
  // GUI application in a static destructor.
  static QPixmap *symbols[3] = {nullptr, nullptr, nullptr};
  QPixmap *&symbol = symbols[iSymbolType];
  if (!symbol) symbol = new QPixmap(makeSymbol(iSymbolType));
  return *symbol;
}
