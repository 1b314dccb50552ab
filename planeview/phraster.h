#ifndef PHRASTER_H
#define PHRASTER_H

#include <QRect>
#include <QtGlobal>

// The pixels of an opaque 32-bit buffer (0xffRRGGBB) that covers `rect` of the
// contents, for drawing that writes pixels directly.
struct PhRaster {
  quint32 *bits = nullptr;
  // Pixels per line.
  int stride = 0;
  QRect rect;

  quint32 *line(int y) const { return bits + qptrdiff(y - rect.top()) * stride - rect.left(); }
};

#endif  // PHRASTER_H
