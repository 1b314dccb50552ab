#include "phnumberlabels.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

void PhNumberLabels::setFont(const QFont &given, const QPaintDevice *device) {
  const int dpi = device ? device->logicalDpiY() : 0;
  if (mHasFont && given == mFont && dpi == mDpi) return;
  mFont = given;
  mDpi = dpi;
  mHasFont = true;
  const QFont font = device ? QFont(given, device) : given;
  mRawFont = QRawFont::fromFont(font);
  mUsable = false;
  if (!mRawFont.isValid()) return;
  const QString chars = QStringLiteral("0123456789-");
  const QList<quint32> glyphs = mRawFont.glyphIndexesForString(chars);
  if (glyphs.size() != CharCount) return;
  for (int i = 0; i < CharCount; ++i) {
    if (glyphs[i] == 0) return;
    mGlyph[i] = glyphs[i];
  }
  // The distance from each character to the next, kerning included, as the
  // text layout places them; a font that shapes digits in other ways keeps
  // drawText.
  for (int a = 0; a < CharCount; ++a) {
    for (int b = 0; b < CharCount; ++b) {
      QTextLayout layout(QString(chars[a]) + chars[b], font);
      layout.beginLayout();
      layout.createLine();
      layout.endLayout();
      const QList<QGlyphRun> runs = layout.glyphRuns();
      if (runs.size() != 1) return;
      const QList<quint32> pair = runs[0].glyphIndexes();
      const QList<QPointF> at = runs[0].positions();
      if (pair.size() != 2 || at.size() != 2 || pair[0] != mGlyph[a] || pair[1] != mGlyph[b] ||
          at[0].x() != 0.0)
        return;
      mStep[a][b] = at[1].x();
    }
  }
  mRun.setRawFont(mRawFont);
  mUsable = true;
}

int PhNumberLabels::length(int value) {
  int n = value < 0 ? 2 : 1;
  for (unsigned int v = value < 0 ? 0u - unsigned(value) : unsigned(value); v >= 10; v /= 10) ++n;
  return n;
}

void PhNumberLabels::add(int value, int x, int y) {
  int digits[10];
  int count = 0;
  unsigned int v = value < 0 ? 0u - unsigned(value) : unsigned(value);
  do {
    digits[count++] = int(v % 10);
    v /= 10;
  } while (v);
  qreal pos = x;
  int previous = -1;
  auto put = [&](int c) {
    if (previous >= 0) pos += mStep[previous][c];
    mGlyphs.append(mGlyph[c]);
    mPositions.append(QPointF(pos, y));
    previous = c;
  };
  if (value < 0) put(MinusIndex);
  while (count > 0) put(digits[--count]);
}

void PhNumberLabels::draw(QPainter *painter) {
  if (mGlyphs.isEmpty()) return;
  mRun.setGlyphIndexes(mGlyphs);
  mRun.setPositions(mPositions);
  painter->drawGlyphRun(QPointF(0, 0), mRun);
  // Drop the run's share first, so that clearing keeps the lists' room.
  mRun.setGlyphIndexes(QList<quint32>());
  mRun.setPositions(QList<QPointF>());
  mGlyphs.clear();
  mPositions.clear();
}
