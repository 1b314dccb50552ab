#ifndef PHNUMBERLABELS_H
#define PHNUMBERLABELS_H

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QRawFont>

#include "phglyphsprites.h"

#include <algorithm>
#include <cmath>
#include <vector>

class QPaintDevice;
class QPainter;

// Integer labels (point IDs, link counts) drawn as glyphs of one font without
// text shaping: the glyphs of the digits and the minus sign are looked up once
// per font, the labels given between two draw() calls go out as one glyph
// run. The picture is the one QPainter::drawText gives for the same text.
class PhNumberLabels {
 public:
  // Looks the glyphs up for the font as the device shows it (none: the
  // screen); a font without them leaves the labels to drawText.
  void setFont(const QFont &font, const QPaintDevice *device = nullptr);
  bool isUsable() const { return mUsable; }
  // Whether draw() with a raster puts the glyphs straight into it.
  bool blitsIntoRaster() { return mUsable && mSprites.matchesPainter(); }

  // Characters in the decimal text of the value.
  static int length(int value);
  // Queues the value's decimal text with its baseline starting at (x, y);
  // characters whose bit in `shown` is 0 are left out.
  void add(int value, int x, int y, quint32 shown = ~0u);
  // Draws the queued labels with the painter's pen, then forgets them. With
  // the raster the painter paints into (and `clip`, the painter's clip), they
  // go straight into it where that gives the same pixels.
  void draw(QPainter *painter, const PhRaster *raster = nullptr, const QRect &clip = QRect());

  // Calls f(k, box) for the k-th character of the value's label at (x, y)
  // with the box of every pixel draw() may touch for it.
  template <class F>
  void forEachGlyphBox(int value, int x, int y, F f) {
    int k = 0;
    place(value, x, [&](int c, qreal pos) {
      const qreal whole = std::floor(pos);
      const int phase = std::min(Phases - 1, int((pos - whole) * Phases));
      f(k++, inkBox(c, phase).translated(int(whole), y));
    });
  }

 private:
  static constexpr int MinusIndex = 10;
  static constexpr int CharCount = 11;
  // Glyph positions are told apart to a 64th of a pixel, finer than any
  // the painter distinguishes.
  static constexpr int Phases = PhGlyphSprites::Phases;

  // Calls put(character index, pen position) for each character of the value.
  template <class Put>
  void place(int value, int x, Put put) const {
    int digits[10];
    int count = 0;
    unsigned int v = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
      digits[count++] = int(v % 10);
      v /= 10;
    } while (v);
    qreal pos = x;
    int previous = -1;
    auto next = [&](int c) {
      if (previous >= 0) pos += mStep[previous][c];
      put(c, pos);
      previous = c;
    };
    if (value < 0) next(MinusIndex);
    while (count > 0) next(digits[--count]);
  }
  // The pixels a character drawn at a phase touches, relative to the pixel
  // of its pen position; found on first use.
  QRect inkBox(int c, int phase);
  // Puts the queued glyphs into the raster; false, with nothing drawn, where
  // the painter's state asks for more than the sprites give.
  bool blit(QPainter *painter, const PhRaster &raster, const QRect &clip);

  QFont mFont;
  int mDpi = 0;
  QRawFont mRawFont;
  bool mUsable = false;
  bool mHasFont = false;
  quint32 mGlyph[CharCount] = {};
  // Pen advance from one character to the next: [first][second].
  qreal mStep[CharCount][CharCount] = {};
  QList<quint32> mGlyphs;
  QList<QPointF> mPositions;
  // The character of each queued glyph.
  std::vector<quint8> mChars;
  PhGlyphSprites mSprites;
  QGlyphRun mRun;
};

#endif  // PHNUMBERLABELS_H
