#ifndef PHGLYPHSPRITES_H
#define PHGLYPHSPRITES_H

#include <QRawFont>
#include <QRect>
#include <QRgb>

#include <vector>

struct PhRaster;

// A few glyphs of one font as the coverage the painter gives each at every
// 64th of a pixel, put down straight into a raster with the painter's own
// blending: the pixels of drawGlyphRun at a fraction of its cost. Whether
// they really are the same is tried once per font (matchesPainter()); where
// they are not, the caller keeps drawGlyphRun.
class PhGlyphSprites {
 public:
  static constexpr int Phases = 64;

  // Forgets what was made for another font.
  void reset(const QRawFont &font, const std::vector<quint32> &glyphs);

  // The pixels glyph k drawn at that 64th touches, relative to the pixel of
  // its pen position; found on first use.
  QRect box(int k, int phase) { return sprite(k, phase).box; }

  // True when blit() gives drawGlyphRun's pixels for this font on an opaque
  // image, found on first use on a random background.
  bool matchesPainter();

  // Blends glyph k (an index into the glyphs given) of the opaque colour with
  // its pen position at (x, y) in device pixels (x >= 0) into the raster,
  // whose contents coordinates are the device's plus `offset`, inside `clip`
  // (contents coordinates).
  void blit(const PhRaster &raster, const QRect &clip, const QPoint &offset, int k, qreal x, int y, QRgb colour);

 private:
  // A pixel the glyph touches, relative to the pixel of the pen position,
  // with its coverage (1 to 255).
  struct Pixel {
    qint16 dx;
    qint16 dy;
    quint32 coverage;
  };
  struct Sprite {
    QRect box;
    // Fully covered pixels first.
    std::vector<Pixel> pixels;
    // For each colour met (mColours), the colour times each pixel's coverage.
    std::vector<std::vector<quint32>> source;
    bool ready = false;
  };
  Sprite &sprite(int k, int phase);
  // The slot of the colour in mColours and the sprites' `source`.
  int colourSlot(QRgb colour);

  QRawFont mFont;
  std::vector<quint32> mGlyphs;
  std::vector<Sprite> mSprites;
  std::vector<QRgb> mColours;
  int mMatches = -1;
};

#endif  // PHGLYPHSPRITES_H
