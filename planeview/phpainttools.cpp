#include "phpainttools.h"

#include "phdrawsettings.h"

namespace {

// An optional selection disc that fills the outer square, an optional
// blunder disc and the symbol.
void buildSprite(PhSymbolSprite &sprite, const PhDrawSettings &s, int iType, bool bBlunder, bool bSelected) {
  sprite.clear();
  const int size = s.symbolSize(iType);
  const int blunderDiameter = size + 2 * s.blunderSize;
  if (bSelected) {
    const int outer = (bBlunder ? blunderDiameter : size) + 2 * s.markSize;
    sprite.addDisc(s.markColour, -(outer / 2), -(outer / 2), outer);
  }
  if (bBlunder) sprite.addDisc(s.blunderColour, -(blunderDiameter / 2), -(blunderDiameter / 2), blunderDiameter);
  sprite.addSymbol(s.symbol[iType], s.colour[iType], size);
}

Qt::PenStyle lineStyle(int iLinkLineType) {
  switch (iLinkLineType) {
    case PhGlobal::LT_Dash: return Qt::DashLine;
    case PhGlobal::LT_Dot: return Qt::DotLine;
    default: return Qt::SolidLine;
  }
}

}  // namespace

void PhPaintTools::make(const PhDrawSettings &s) {
  const Qt::PenStyle style = lineStyle(s.linkLineType);
  for (int t = 0; t < TypeCount; ++t) {
    typePen[t] = QPen(s.colour[t], 0);
    connectionPen[t] = QPen(s.colour[t], 0, style);
    for (int blunder = 0; blunder < 2; ++blunder)
      for (int selected = 0; selected < 2; ++selected)
        buildSprite(sprite[t][blunder][selected], s, t, blunder == 1, selected == 1);
    // The ring takes the type's size as set, without the odd rule.
    const int d = s.size[t] + 2 * s.largestSize;
    largestDiameter[t] = d;
    largestRing[t].clear();
    largestRing[t].addRing(s.largestColour, -(d / 2), -(d / 2), d);
  }
  blunderPen = QPen(s.blunderColour, 0);
  connectionBlunderPen = QPen(s.blunderColour, 0, style);
}
