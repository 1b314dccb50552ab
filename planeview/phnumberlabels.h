#ifndef PHNUMBERLABELS_H
#define PHNUMBERLABELS_H

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>

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

  // Characters in the decimal text of the value.
  static int length(int value);
  // Queues the value's decimal text with its baseline starting at (x, y).
  void add(int value, int x, int y);
  // Draws the queued labels with the painter's pen, then forgets them.
  void draw(QPainter *painter);

 private:
  static constexpr int MinusIndex = 10;
  static constexpr int CharCount = 11;

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
  QGlyphRun mRun;
};

#endif  // PHNUMBERLABELS_H
