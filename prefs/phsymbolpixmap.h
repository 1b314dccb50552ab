#ifndef PHSYMBOLPIXMAP_H
#define PHSYMBOLPIXMAP_H

#include <QPixmap>

// The 13 x 13 icons of the symbol types (PhGlobal::SymbolTypeE), black on
// transparent: a filled disc, a filled upward triangle, an upright plus sign.
// Pixmaps need a GUI application, so this stays apart from the model that
// command-line tools use.
class PhSymbolPixmap {
 public:
  static constexpr int Size = 13;

  // Made on the first request and kept for the run; a null pixmap for an
  // unknown type or without a GUI application.
  static QPixmap symbolPixmap(int iSymbolType);
};

#endif  // PHSYMBOLPIXMAP_H
