#include "uxsplash.h"

#include "nubmsg.h"

#include <QFont>
#include <QPainter>
#include <QTextDocument>
#include <QThread>

namespace Ux {

namespace {
QPixmap filled(int width, int height, const QColor &background) {
  QPixmap pix(qMax(1, width), qMax(1, height));
  pix.fill(background);
  return pix;
}
}  // namespace

Splash::Splash(const QPixmap &picture) : QSplashScreen(picture) { _init(); }

Splash::Splash(const QPixmap &picture, const QString &richText, int x, int y, const QFont *font)
    : QSplashScreen(drawText(picture, richText, x, y, font)) {
  _init();
}

Splash::Splash(int width, int height, const QColor &background, const QString &richText, int x,
               int y, const QFont *font)
    : QSplashScreen(drawText(filled(width, height, background), richText, x, y, font)) {
  _init();
}

Splash::~Splash() { Nub::debug("~Ux::Splash"); }

void Splash::_init() {
  Nub::debug("Ux::Splash");
  setWindowFlags(Qt::SplashScreen | Qt::CustomizeWindowHint);
}

QPixmap Splash::drawText(const QPixmap &picture, const QString &richText, int x, int y,
                         const QFont *font) {
  QPixmap pix = picture;
  if (pix.isNull() || richText.isEmpty()) return pix;

  QFont textFont(QStringLiteral("Arial"), 10, QFont::Bold);
  if (font) textFont = *font;

  QTextDocument doc;
  doc.setDefaultFont(textFont);
  doc.setDocumentMargin(0);
  doc.setHtml(richText);
  // Wrap at the right edge of the picture.
  const int width = pix.width() / pix.devicePixelRatio() - x;
  if (width > 0) doc.setTextWidth(width);

  QPainter painter(&pix);
  painter.translate(x, y);
  doc.drawContents(&painter);
  return pix;
}

void Splash::msg(const QString &text, const QColor *color, int delay) {
  showMessage(text, mAlignment, color ? *color : mColor);
  const int wait = delay >= 0 ? delay : mDelay;
  if (wait >= 1) QThread::msleep(static_cast<unsigned long>(wait));
}

}  // namespace Ux
