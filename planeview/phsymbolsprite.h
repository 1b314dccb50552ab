#ifndef PHSYMBOLSPRITE_H
#define PHSYMBOLSPRITE_H

#include <QColor>
#include <QRect>
#include <QtGlobal>

#include <vector>

class QPainter;
struct PhRaster;

// One point's symbol with its discs, rasterised once as runs of pixels
// relative to the point and then put down at integer positions: far cheaper
// than shaping every point, and the same pixels whether written directly into
// a buffer or painted through a painter. The shapes are the views' symbols:
// a disc, an upward triangle, an upright cross, each `size` pixels across.
class PhSymbolSprite {
 public:
  void clear();
  // A filled circle in the square (left, top, d, d) relative to the point.
  void addDisc(const QColor &colour, int left, int top, int d);
  // A one-pixel circle outline in the same square.
  void addRing(const QColor &colour, int left, int top, int d);
  // The symbol (PhGlobal::SymbolTypeE; other values draw a circle) of that
  // size, centred on the point: the circle's square starts size / 2 up and
  // left of it; the triangle and the cross span size / 2 to each side.
  void addSymbol(int iSymbol, const QColor &colour, int size);

  bool isEmpty() const { return mLayers.empty(); }
  // The pixels covered, relative to the point.
  QRect bounds() const { return mBounds; }

  // Paints the runs with the painter (in contents coordinates).
  void paint(QPainter *painter, int px, int py) const;
  // Paints the same layers as shapes, one each: for drawings kept as
  // vectors, where runs of pixels would be many rectangles.
  void paintShapes(QPainter *painter, int px, int py) const;
  // Writes the runs into the buffer, inside `clip` (which lies within the buffer).
  // Only for opaque colours; see isOpaque().
  void blit(const PhRaster &raster, const QRect &clip, int px, int py) const;
  bool isOpaque() const { return mOpaque; }
  // Calls f(y, x0, x1) for every run of pixels the sprite puts down at (px, py).
  template <class F>
  void forEachRun(int px, int py, F f) const {
    if (!mComposedValid) compose();
    for (const Run &run : mComposed) f(py + run.dy, px + run.x0, px + run.x1);
  }

 private:
  struct Run {
    int dy;
    int x0;
    int x1;
    quint32 argb;
  };

  // A layer as a shape: what paintShapes() draws.
  struct Shape {
    enum KindE { Disc, Ring, Triangle, Cross } kind;
    QColor colour;
    // Disc and ring: the square; triangle and cross: half the size.
    int left, top, d;
  };

  void addRun(int dy, int x0, int x1, quint32 argb);
  void compose() const;

  // The runs in drawing order, layer after layer.
  std::vector<Run> mLayers;
  std::vector<Shape> mShapes;
  // The same pixels merged into one layer (later layers win), made on first use.
  mutable std::vector<Run> mComposed;
  mutable bool mComposedValid = false;
  QRect mBounds;
  bool mOpaque = true;
};

#endif  // PHSYMBOLSPRITE_H
