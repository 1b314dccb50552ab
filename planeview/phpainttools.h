#ifndef PHPAINTTOOLS_H
#define PHPAINTTOOLS_H

#include <QPen>
#include <QString>

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
};

#endif  // PHPAINTTOOLS_H
