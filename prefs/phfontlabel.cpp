#include "phfontlabel.h"

#include <QFontDatabase>

QString phFontLabelText(const QFont &font) {
  return QStringLiteral("%1 [%2] %3")
      .arg(font.family(), QFontDatabase::styleString(font))
      .arg(font.pointSize());
}

QFont phDefaultTextFont() { return QFont(QStringLiteral("Arial"), 8); }
