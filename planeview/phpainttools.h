#ifndef PHPAINTTOOLS_H
#define PHPAINTTOOLS_H

#include <QPen>
#include <QString>

#include <vector>

#include "phglobal.h"
#include "phnumberlabels.h"
#include "phnumbertext.h"
#include "phsymbolsprite.h"

struct PhDrawSettings;

// What a view draws with, made from its settings once and made again only
// when one of them changes, never per paint: the pens, the symbol sprites
// with their discs, the number glyphs, the translated text formats and a
// kept string to fill them into.
struct PhPaintTools {
  static constexpr int TypeCount = PhGlobal::PointTypeCount;

  // Pens, sprites and rings from the settings; the text formats stay.
  void make(const PhDrawSettings &settings);

  // Colouring by value: the map in this many steps, and one more for values
  // that are no number.
  static constexpr int ValueSteps = 64;
  static constexpr int NoValue = ValueSteps;
  // The step of a value under the settings' limits.
  static int stepOf(const PhDrawSettings &settings, double value);
  static QColor stepColour(int iStep);
  // The sprite of sprite[type][blunder][selected] with the symbol in the
  // step's colour; made on first use.
  const PhSymbolSprite &valueSprite(int iType, bool bBlunder, bool bSelected, int iStep);

  QPen typePen[TypeCount];
  QPen blunderPen;
  // Connection lines in the link line type: per type colour, and for blunders.
  QPen connectionPen[TypeCount];
  QPen connectionBlunderPen;
  // The image's frame and the outline of the contents.
  QPen framePen = QPen(Qt::black, 0);
  QPen outlinePen = QPen(Qt::lightGray, 0);

  // [type][blunder][selected]: the symbol on its blunder disc and selection mark.
  PhSymbolSprite sprite[TypeCount][2][2];
  // The ring of the largest residual round a symbol of each type, and its diameter.
  PhSymbolSprite largestRing[TypeCount];
  int largestDiameter[TypeCount] = {};

  PhNumberLabels numbers;

  // Per axis X, Y, Z: the residual alone, the residual with its sigma, the sigma alone.
  PhNumberText residualText[3];
  PhNumberText residualSigmaText[3];
  PhNumberText sigmaText[3];
  // The label being drawn; its room is kept from point to point.
  QString text;

 private:
  // What the value sprites are made from, and they as made.
  std::vector<PhSymbolSprite> mValueSprites;
  std::vector<bool> mValueReady;
  int mSymbol[TypeCount] = {};
  int mSize[TypeCount] = {};
  int mBlunderSize = 0;
  int mMarkSize = 0;
  QColor mBlunderColour;
  QColor mMarkColour;
};

#endif  // PHPAINTTOOLS_H
