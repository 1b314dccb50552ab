#include "phnumberlabels.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

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
  mSprites.reset(mRawFont, std::vector<quint32>(mGlyph, mGlyph + CharCount));
  mUsable = true;
}

int PhNumberLabels::length(int value) {
  int n = value < 0 ? 2 : 1;
  for (unsigned int v = value < 0 ? 0u - unsigned(value) : unsigned(value); v >= 10; v /= 10) ++n;
  return n;
}

void PhNumberLabels::add(int value, int x, int y, quint32 shown) {
  int k = 0;
  place(value, x, [&](int c, qreal pos) {
    if ((shown >> k++) & 1u) {
      mGlyphs.append(mGlyph[c]);
      mPositions.append(QPointF(pos, y));
      mChars.push_back(quint8(c));
    }
  });
}

QRect PhNumberLabels::inkBox(int c, int phase) {
  const QRect box = mSprites.box(c, phase);
  // A pixel to each side, should another position of the same 64th differ.
  return box.isNull() ? box : box.adjusted(-1, 0, 1, 0);
}

bool PhNumberLabels::blit(QPainter *painter, const PhRaster &raster, const QRect &clip) {
  const QTransform &transform = painter->transform();
  if (transform.type() > QTransform::TxTranslate) return false;
  const qreal dx = transform.dx();
  const qreal dy = transform.dy();
  if (dx != std::floor(dx) || dy != std::floor(dy)) return false;
  const QPen pen = painter->pen();
  if (pen.brush().style() != Qt::SolidPattern || pen.color().alpha() != 255 || painter->opacity() != 1.0 ||
      painter->compositionMode() != QPainter::CompositionMode_SourceOver)
    return false;
  // Left of the device, or past what a 26.6 fixed point holds: the painter.
  for (const QPointF &at : std::as_const(mPositions))
    if (!(at.x() + dx >= 0.0 && at.x() + dx < 1e6)) return false;
  if (!mSprites.matchesPainter()) return false;
  const QRgb colour = pen.color().rgba();
  const QPoint offset(-int(dx), -int(dy));
  for (qsizetype i = 0; i < mPositions.size(); ++i) {
    const QPointF &at = mPositions[i];
    mSprites.blit(raster, clip, offset, mChars[std::size_t(i)], at.x() + dx, int(at.y() + dy), colour);
  }
  return true;
}

void PhNumberLabels::draw(QPainter *painter, const PhRaster *raster, const QRect &clip) {
  if (mGlyphs.isEmpty()) return;
  if (!raster || !blit(painter, *raster, clip)) {
    mRun.setGlyphIndexes(mGlyphs);
    mRun.setPositions(mPositions);
    painter->drawGlyphRun(QPointF(0, 0), mRun);
    // Drop the run's share first, so that clearing keeps the lists' room.
    mRun.setGlyphIndexes(QList<quint32>());
    mRun.setPositions(QList<QPointF>());
  }
  mGlyphs.clear();
  mPositions.clear();
  mChars.clear();
}
