#ifndef PHDRAWSETTINGS_H
#define PHDRAWSETTINGS_H

#include <QColor>
#include <QFont>

#include <algorithm>

#include "phglobal.h"

// Every drawing setting of the image view and the object view in one value:
// filled from the preferences, changed by the views' setters and toggles,
// and read by whatever draws. Values arrive here already held in range.
struct PhDrawSettings {
  static constexpr int MaxSymbolSize = 255;
  static constexpr int MaxExtraSize = 100;

  QColor background = Qt::white;
  QFont textFont = QFont(QStringLiteral("Arial"), 8);

  // Per point type.
  bool pointOn[PhGlobal::PointTypeCount] = {true, true, true, true, true, true, true};
  int symbol[PhGlobal::PointTypeCount] = {0, 0, 0, 0, 0, 0, 0};
  QColor colour[PhGlobal::PointTypeCount] = {Qt::black, Qt::black, Qt::black, Qt::black,
                                             Qt::black, Qt::black, Qt::black};
  int size[PhGlobal::PointTypeCount] = {7, 7, 7, 7, 7, 7, 7};

  QColor blunderColour = Qt::red;
  int blunderSize = 2;
  // Never 0: a scale stored as 0 is kept as 1.
  float residualScale = 1.0f;
  bool showPointIds = false;
  bool showBlunders = false;
  bool showLinks = false;
  // Indexed by ViewModeE.
  bool residualsOn[2] = {false, false};

  // The image view's ring round the point with the largest residual.
  QColor largestColour = Qt::red;
  int largestSize = 2;

  // The object view's selection mark, link line type (0 solid, 1 dash,
  // 2 dot), image IDs, connection lines and sigmas.
  QColor markColour = Qt::yellow;
  int markSize = 2;
  int linkLineType = 0;
  bool showImageIds = false;
  bool showConnections = false;
  bool sigmasOn[2] = {false, false};

  // Points coloured by their type (0, the default) or, where a view has a
  // value for each, by that value (1) through the colour map between these
  // limits, with a legend naming the unit.
  int colourMode = 0;
  double colourLow = 0.0;
  double colourHigh = 1.0;
  QString colourUnit;

  // The rules that keep a value drawable, as the setters apply them: an
  // unknown symbol (from a damaged configuration) draws a circle, sizes stay
  // within their ranges, a residual scale of 0 is kept as 1.
  static int heldSymbol(int iSymbol) {
    return iSymbol < PhGlobal::SYM_Circle || iSymbol > PhGlobal::SYM_Cross ? PhGlobal::SYM_Circle : iSymbol;
  }
  static int heldSize(int iSize) { return std::clamp(iSize, 1, MaxSymbolSize); }
  static int heldExtra(int iSize) { return std::clamp(iSize, 0, MaxExtraSize); }
  static float heldScale(float scale) { return scale == 0.0f ? 1.0f : scale; }
  // Every value held so.
  void hold() {
    for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
      symbol[t] = heldSymbol(symbol[t]);
      size[t] = heldSize(size[t]);
    }
    blunderSize = heldExtra(blunderSize);
    largestSize = heldExtra(largestSize);
    markSize = heldExtra(markSize);
    residualScale = heldScale(residualScale);
    if (colourMode != 1) colourMode = 0;
  }

  // The size a type's symbol is drawn with: triangles and crosses always odd.
  int symbolSize(int iType) const {
    int s = size[iType];
    if (symbol[iType] != PhGlobal::SYM_Circle && s % 2 == 0) --s;
    return s;
  }
};

#endif  // PHDRAWSETTINGS_H
