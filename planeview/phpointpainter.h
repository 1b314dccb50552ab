#ifndef PHPOINTPAINTER_H
#define PHPOINTPAINTER_H

#include <QFontMetrics>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QRect>

#include "phdrawsettings.h"
#include "phpainttools.h"
#include "phraster.h"
#include "phsymbolsprite.h"

class PhCoverMask;
class QPainter;
class QPen;
class QSize;

// Every drawing rule of the image view and the object view, for one paint of
// an exposed rectangle on any paint device: the views walk their points and
// say what each shows; this draws it. It holds the painter, the rectangle,
// the settings, the view's paint tools, the font metrics and label places,
// and the raster when the paint goes into the view's kept image: opaque
// sprites are then written into it directly, elsewhere they are painted.
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

  // `scale` is the contents' pixels per plane unit; the tools are made from
  // the settings.
  PhPointPainter(QPainter *painter, const QRect &exposed, const PhDrawSettings &settings,
                 PhPaintTools &tools, double scale, const PhRaster *raster = nullptr);

  const QRect &exposed() const { return mExposed; }
  const PhPaintTools &tools() const { return mTools; }
  const QFontMetrics &metrics() const { return mMetrics; }
  const Labels &labels() const { return mLabels; }
  // True when opaque sprites go straight into the view's kept image.
  bool writesRaster() const { return mRaster != nullptr; }
  // Residual scale times contents scale: plane units to pixels.
  double factor() const { return mFactor; }

  // The background over the exposed rectangle.
  void fillBackground();
  // The outline of the contents and, with an extent, the frame through the
  // pixels of its corners `margin` inside.
  void drawImageFrame(const QSize &contents, int margin, bool bExtent);

  // The width of a point's symbol with its discs; 0 when it is not drawn (its
  // type is off, or it is a blunder and blunders are hidden).
  int outerSize(int iType, bool bBlunder, bool bSelected) const { return mOuter[iType][bBlunder][bSelected]; }
  // The symbol with its discs, when its outer square reaches the exposed
  // rectangle; nothing when outerSize() is 0.
  // `iStep` >= 0 draws the symbol in that step of the colour map
  // (PhPaintTools::stepOf()) in place of the type's colour.
  void drawSymbol(int iType, bool bBlunder, bool bSelected, int px, int py, int iStep = -1) {
    const int size = mOuter[iType][bBlunder][bSelected];
    if (size == 0) return;
    const int left = px - size / 2;
    const int top = py - size / 2;
    if (left > mExposed.right() || left + size <= mExposed.left() || top > mExposed.bottom() ||
        top + size <= mExposed.top())
      return;
    putSprite(iStep < 0 ? mTools.sprite[iType][bBlunder][bSelected]
                        : mTools.valueSprite(iType, bBlunder, bSelected, iStep),
              px, py);
  }
  // True where pixels are made; vector drawings (files, printers) get shapes and text.
  bool drawsPixels() const { return mGlyphRuns; }
  // The ring of the largest residual round a point of the type; returns its diameter.
  int drawLargestRing(int iType, const QPoint &pos);

  // The end of the residual vector (rh, rv) in plane units, scaled by the
  // residual scale.
  QPoint vectorEnd(const QPoint &from, double rh, double rv) const;
  // The image view's rule: one vector with the pen.
  void drawVector(const QPoint &from, const QPoint &to, const QPen &pen);
  // The object view's rule by the plane's rejected status: 0 accepted, 1 a
  // blunder; 2 the accepted axis's component (the vertical one when the
  // horizontal axis is rejected) and, when the rejected axis was observed, the
  // whole vector as a blunder.
  void drawVectorByStatus(const QPoint &from, const QPoint &to, int iStatus, bool bHorizontalRejected,
                          bool bRejectedObserved, int iType);

  // The point ID below the centre line and the link count above it, beside
  // a symbol `outer` wide; as one glyph run where the device is a raster
  // and the font allows, else as text.
  // Characters whose bit in `shown` (see shownNumberGlyphs()) is 0 are left
  // out where the labels are glyph runs.
  void drawNumbers(const QPoint &pos, int outer, bool bId, int id, bool bLinks, int links, const QPen &pen,
                   quint32 shown = ~0u);
  // Which characters drawNumbers() with the same values would draw where
  // `cover` leaves a pixel open: bit k of the low half for the ID's k-th
  // character, of the high half for the link count's. All where it writes text.
  quint32 shownNumberGlyphs(const QPoint &pos, int outer, bool bId, int id, bool bLinks, int links,
                            const PhCoverMask &cover);
  // Line `iLine` of the residual or sigma texts beside a symbol `outer` wide.
  void drawTextLine(const QPoint &pos, int outer, int iLine, const PhNumberText &format, double a, double b,
                    const QPen &pen);
  // The sigma ellipse (sh, sv in plane units, scaled by the residual scale)
  // round the point; nothing when it is under a pixel.
  void drawSigmaEllipse(const QPoint &pos, double sh, double sv, int iType);
  // The connection line from a point of the type to a projection centre.
  void drawConnection(const QPoint &from, const QPoint &to, bool bBlunder, int iType);

  // The colour bar of the legend, in pixels.
  static constexpr int LegendWidth = 128;
  static constexpr int LegendHeight = 10;
  // What a legend labels: the limits (shown times the factor, with the unit)
  // of the map from its first colour to its last.
  struct Legend {
    double low = 0.0;
    double high = 1.0;
    double textFactor = 1.0;
    QString unit;
  };
  // The legend of colouring by value, from the settings.
  Legend valueLegend() const;
  // A framed bar of the map from its first colour (left) to its last, the
  // lower limit under its left end and the upper limit with the unit under
  // its right end, its top-left corner at `corner`. Nothing where it misses
  // the exposed rectangle; returns the rectangle it covers either way.
  QRect drawLegend(const QPoint &corner, const Legend &legend);
  QRect legendRect(const QPoint &corner, const Legend &legend) const;
  // The value legend; nothing with colours by type.
  QRect drawLegend(const QPoint &corner);
  QRect legendRect(const QPoint &corner) const { return legendRect(corner, valueLegend()); }

  // The scale bar of residual vectors: a line as long as a vector of a round
  // value (1, 2 or 5 times a power of ten, near 100 pixels long), with end
  // ticks and the value with the settings' vector unit above it, its
  // bottom-left corner at `corner`; nothing when the settings leave it off or
  // vectors have no length. Returns the rectangle it covers.
  QRect drawScaleBar(const QPoint &corner);
  // The round value and its length in pixels for the factor (pixels per
  // value unit); false when none fits.
  static bool scaleBarValue(double factor, double &value, int &length);

  // True when a text label at (x, baseline) may reach into the rectangle.
  static bool labelMayShow(const QRect &exposed, int x, int baseline, int length, const QFontMetrics &metrics);

  // A residual vector or link: the part that can show is drawn; a vector of
  // no length shows nothing.
  static void drawLine(QPainter *painter, const QPoint &from, const QPoint &to, const QRect &clip);
  static void drawLine(QPainter *painter, const QPointF &from, const QPointF &to, const QRect &clip);

  // The outline of the ellipse that fills `box` with the painter's pen; one
  // far larger than the viewport is drawn only where it crosses `exposed`.
  static void drawEllipse(QPainter *painter, const QRect &box, const QRect &exposed);

 private:
  void putSprite(const PhSymbolSprite &sprite, int px, int py) {
    if (mRaster && sprite.isOpaque())
      sprite.blit(*mRaster, mBlitClip, px, py);
    else if (!mGlyphRuns)
      sprite.paintShapes(mPainter, px, py);
    else
      sprite.paint(mPainter, px, py);
  }
  void drawLabel(int x, int baseline, const QString &text, const QPen &pen);
  // True when numbers go out as glyph runs; sets the glyphs up on first use.
  bool numbersAsGlyphs();

  QPainter *const mPainter;
  const QRect mExposed;
  const PhDrawSettings &mSettings;
  PhPaintTools &mTools;
  const PhRaster *const mRaster;
  QRect mBlitClip;
  const QFontMetrics mMetrics;
  const Labels mLabels;
  // Residual scale times contents scale.
  const double mFactor;
  // [type][blunder][selected], see outerSize().
  int mOuter[PhGlobal::PointTypeCount][2][2];
  const bool mGlyphRuns;
  bool mNumbersReady = false;
};

#endif  // PHPOINTPAINTER_H
