#include "phglyphsprites.h"

#include "phraster.h"

#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>

namespace {

// Each channel of the pixel times a / 255, rounded as the painter does.
inline quint32 byteMul(quint32 x, quint32 a) {
  quint32 t = (x & 0xff00ffu) * a;
  t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
  x = ((x >> 8) & 0xff00ffu) * a;
  x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u) & ~0xff00ffu;
  return x | t;
}

// Where a pen position falls, as the painter's 26.6 fixed point has it.
struct Place {
  int pixel;
  int phase;
};
Place placeOf(qreal x) {
  const int fixed = int(x * 64);
  return {fixed >> 6, fixed & 63};
}

}  // namespace

void PhGlyphSprites::reset(const QRawFont &font, const std::vector<quint32> &glyphs) {
  mFont = font;
  mGlyphs = glyphs;
  mSprites.assign(glyphs.size() * Phases, Sprite());
  mColours.clear();
  mMatches = -1;
}

PhGlyphSprites::Sprite &PhGlyphSprites::sprite(int k, int phase) {
  Sprite &s = mSprites[std::size_t(k) * Phases + std::size_t(phase)];
  if (s.ready) return s;
  s.ready = true;
  // White on black: the red channel is then the coverage itself (the box
  // takes any channel, should the font be drawn per subpixel).
  const int reach = int(std::ceil(mFont.ascent() + mFont.descent() + mFont.maxCharWidth())) + 4;
  const int side = 2 * reach + 1;
  QImage scratch(side, side, QImage::Format_RGB32);
  scratch.fill(Qt::black);
  {
    QGlyphRun one;
    one.setRawFont(mFont);
    one.setGlyphIndexes({mGlyphs[std::size_t(k)]});
    one.setPositions({QPointF(reach + qreal(phase) / Phases, reach)});
    QPainter painter(&scratch);
    painter.setPen(Qt::white);
    painter.drawGlyphRun(QPointF(0, 0), one);
  }
  for (int y = 0; y < side; ++y) {
    const QRgb *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
    for (int i = 0; i < side; ++i)
      if (line[i] & 0xffffffu) s.box |= QRect(i - reach, y - reach, 1, 1);
  }
  for (int pass = 0; pass < 2; ++pass) {
    for (int y = s.box.top(); y <= s.box.bottom(); ++y) {
      const QRgb *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y + reach));
      for (int i = s.box.left(); i <= s.box.right(); ++i) {
        const int a = qRed(line[i + reach]);
        if (a != 0 && (a == 255) == (pass == 0)) s.pixels.push_back({qint16(i), qint16(y), quint32(a)});
      }
    }
  }
  return s;
}

int PhGlyphSprites::colourSlot(QRgb colour) {
  for (std::size_t i = 0; i < mColours.size(); ++i)
    if (mColours[i] == colour) return int(i);
  // A few pens' colours at a time; a settings change may bring others.
  if (mColours.size() >= 64) {
    mColours.clear();
    for (Sprite &s : mSprites) s.source.clear();
  }
  mColours.push_back(colour);
  return int(mColours.size()) - 1;
}

void PhGlyphSprites::blit(const PhRaster &raster, const QRect &clip, const QPoint &offset, int k, qreal x, int y,
                          QRgb colour) {
  const Place place = placeOf(x);
  Sprite &s = sprite(k, place.phase);
  if (s.box.isNull()) return;
  const int px = place.pixel + offset.x();
  const int py = y + offset.y();
  const QRect box = s.box.translated(px, py);
  if (!box.intersects(clip)) return;
  const std::size_t slot = std::size_t(colourSlot(colour));
  if (s.source.size() <= slot) s.source.resize(slot + 1);
  std::vector<quint32> &source = s.source[slot];
  if (source.empty()) {
    source.reserve(s.pixels.size());
    for (const Pixel &pixel : s.pixels) source.push_back(byteMul(colour, pixel.coverage));
  }
  const bool inside = clip.contains(box);
  const quint32 *src = source.data();
  for (const Pixel &pixel : s.pixels) {
    const quint32 from = *src++;
    const int x = px + pixel.dx;
    const int line = py + pixel.dy;
    if (!inside && !clip.contains(x, line)) continue;
    quint32 &dst = raster.line(line)[x];
    dst = pixel.coverage == 255 ? colour : from + byteMul(dst, 255 - pixel.coverage);
  }
}

bool PhGlyphSprites::matchesPainter() {
  if (mMatches >= 0) return mMatches == 1;
  mMatches = 0;
  if (!mFont.isValid() || mGlyphs.empty()) return false;
  const int step = int(std::ceil(mFont.maxCharWidth())) + 6;
  const int height = int(std::ceil(mFont.ascent() + mFont.descent())) + 8;
  const int count = int(mGlyphs.size());
  const int phases[] = {0, 1, 17, 32, 45, 63};
  const int rows = int(std::size(phases));
  QImage background(step * count + 8, height * rows + 8, QImage::Format_RGB32);
  QRandomGenerator random(1);
  for (int y = 0; y < background.height(); ++y) {
    QRgb *line = reinterpret_cast<QRgb *>(background.scanLine(y));
    for (int i = 0; i < background.width(); ++i) line[i] = 0xff000000u | random.generate();
  }
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(20, 200, 90)};
  for (QRgb colour : colours) {
    QImage byPainter = background.copy();
    QImage bySprite = background.copy();
    PhRaster raster;
    raster.bits = reinterpret_cast<quint32 *>(bySprite.bits());
    raster.stride = int(bySprite.bytesPerLine() / 4);
    raster.rect = bySprite.rect();
    QGlyphRun run;
    run.setRawFont(mFont);
    QList<quint32> glyphs;
    QList<QPointF> positions;
    for (int r = 0; r < rows; ++r) {
      for (int k = 0; k < count; ++k) {
        const QPointF pen(4 + k * step + qreal(phases[r]) / Phases, 4 + r * height + mFont.ascent());
        const int baseline = int(pen.y());
        glyphs.append(mGlyphs[std::size_t(k)]);
        positions.append(QPointF(pen.x(), baseline));
        blit(raster, bySprite.rect(), QPoint(), k, pen.x(), baseline, colour);
      }
    }
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    QPainter painter(&byPainter);
    painter.setPen(QColor(colour));
    painter.drawGlyphRun(QPointF(0, 0), run);
    painter.end();
    if (byPainter != bySprite) return false;
  }
  mMatches = 1;
  return true;
}
