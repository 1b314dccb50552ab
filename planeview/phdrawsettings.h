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

  // Points coloured by their type (the default) or by a value of each
  // through the colour map between these limits (in the value's own unit),
  // with a legend that shows the limits times colourTextFactor and the unit.
  enum ColourByE { COL_Type = 0, COL_Residual = 1, COL_Sigma = 2, COL_Rays = 3 };
  static constexpr int ColourByCount = 4;
  int colourBy = COL_Type;
  double colourLow = 0.0;
  double colourHigh = 1.0;
  double colourTextFactor = 1.0;
  QString colourUnit;
  // Where points crowd, the number of points per pixel on a logarithmic
  // colour map in place of their symbols.
  bool densityOn = false;
  // A bar beside the drawing that tells what length a residual vector of a
  // round value has; vectorTextFactor and vectorUnit name that value.
  bool scaleBarOn = false;
  double vectorTextFactor = 1.0;
  QString vectorUnit;

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
    if (colourBy < COL_Type || colourBy >= ColourByCount) colourBy = COL_Type;
  }

  // The size a type's symbol is drawn with: triangles and crosses always odd.
  int symbolSize(int iType) const {
    int s = size[iType];
    if (symbol[iType] != PhGlobal::SYM_Circle && s % 2 == 0) --s;
    return s;
  }
};

#endif  // PHDRAWSETTINGS_H
