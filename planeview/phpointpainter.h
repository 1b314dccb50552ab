#ifndef PHPOINTPAINTER_H
#define PHPOINTPAINTER_H

#include <QPoint>
#include <QPointF>
#include <QRect>

class PhSymbolSprite;
class QFontMetrics;
class QPainter;
struct PhRaster;

// The drawing rules that the image view and the object view share, without
// state of its own: where a point's labels go, how a symbol sprite is put
// down, how a line or an ellipse that reaches far outside is drawn. It paints with any
// painter, on any paint device; a raster, when there is one, takes opaque
// sprites directly.
class PhPointPainter {
 public:
  // Line ends further than this beyond the drawn area are brought in along
  // the line, so the painter never sees coordinates far outside the viewport.
  static constexpr int LineReach = 4096;

  // The label positions beside a point, for the painter's font.
  class Labels {
   public:
    explicit Labels(const QFontMetrics &metrics);
    // Left end of every label beside a symbol `outer` pixels wide at px.
    static int x(int px, int outer) { return px + outer / 2 + 2; }
    // The ID below the point's centre line, the link count above it.
    int idBaseline(int py) const { return py + mDescent + 1; }
    int linkBaseline(int py) const { return py - mDescent - 4; }
    // Line 0, 1, ... of the residual or sigma texts.
    int textBaseline(int py, int iLine) const { return py + mDescent + (iLine + 1) * mLineStep; }

   private:
    int mDescent = 0;
    int mLineStep = 0;
  };

  // True when a text label at (x, baseline) may reach into the rectangle.
  static bool labelMayShow(const QRect &exposed, int x, int baseline, int length, const QFontMetrics &metrics);

  // Puts a sprite down inside `clip`: written into the raster when there is
  // one and the sprite is opaque, else painted.
  static void drawSprite(QPainter *painter, const PhRaster *raster, const PhSymbolSprite &sprite,
                         const QRect &clip, int px, int py);

  // A residual vector or link: the part that can show is drawn; a vector of
  // no length shows nothing.
  static void drawLine(QPainter *painter, const QPoint &from, const QPoint &to, const QRect &clip);
  static void drawLine(QPainter *painter, const QPointF &from, const QPointF &to, const QRect &clip);

  // The outline of the ellipse that fills `box` with the painter's pen; one
  // far larger than the viewport is drawn only where it crosses `exposed`.
  static void drawEllipse(QPainter *painter, const QRect &box, const QRect &exposed);
};

#endif  // PHPOINTPAINTER_H
