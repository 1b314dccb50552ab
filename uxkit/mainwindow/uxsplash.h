#ifndef UXSPLASH_H
#define UXSPLASH_H

#include "nubux_export.h"

#include <QColor>
#include <QSplashScreen>

class QFont;

namespace Ux {

// The start-up splash screen: a picture with rich text drawn onto it once,
// and messages that stay readable for a set delay.
class NUBUX_EXPORT Splash : public QSplashScreen {
  Q_OBJECT

 public:
  explicit Splash(const QPixmap &picture);
  // Draws `richText` onto the picture with its top left at x, y; without a
  // font in Arial 10 points bold.
  Splash(const QPixmap &picture, const QString &richText, int x, int y,
         const QFont *font = nullptr);
  // A picture of the given size filled with `background`, then as above.
  Splash(int width, int height, const QColor &background, const QString &richText, int x,
         int y, const QFont *font = nullptr);
  ~Splash() override;

  void setMessageColor(const QColor &color) { mColor = color; }
  void setMessageAlignment(int alignment) { mAlignment = alignment; }
  void setMessageDelay(int milliseconds) { mDelay = milliseconds; }
  const QColor &messageColor() const { return mColor; }
  int messageAlignment() const { return mAlignment; }
  int messageDelay() const { return mDelay; }

  // Shows the message; then blocks for `delay` milliseconds (a negative delay
  // means the stored one) so that it can be read.
  void msg(const QString &text, const QColor *color = nullptr, int delay = -1);

  static QPixmap drawText(const QPixmap &picture, const QString &richText, int x, int y,
                          const QFont *font);

 private:
  void _init();

  int mAlignment = 0;
  QColor mColor = Qt::black;
  int mDelay = 0;
};

}  // namespace Ux

#endif  // UXSPLASH_H
