#include "phpainttools.h"

#include "phdrawsettings.h"

#include <algorithm>
#include <cmath>

#include "phcolourmap.h"

namespace {

// An optional selection disc that fills the outer square, an optional
// blunder disc and the symbol of that size in the colour.
void buildSprite(PhSymbolSprite &sprite, int iSymbol, int size, const QColor &colour, bool bBlunder,
                 int blunderSize, const QColor &blunderColour, bool bSelected, int markSize,
                 const QColor &markColour) {
  sprite.clear();
  const int blunderDiameter = size + 2 * blunderSize;
  if (bSelected) {
    const int outer = (bBlunder ? blunderDiameter : size) + 2 * markSize;
    sprite.addDisc(markColour, -(outer / 2), -(outer / 2), outer);
  }
  if (bBlunder) sprite.addDisc(blunderColour, -(blunderDiameter / 2), -(blunderDiameter / 2), blunderDiameter);
  sprite.addSymbol(iSymbol, colour, size);
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
        buildSprite(sprite[t][blunder][selected], s.symbol[t], s.symbolSize(t), s.colour[t], blunder == 1,
                    s.blunderSize, s.blunderColour, selected == 1, s.markSize, s.markColour);
    // The ring takes the type's size as set, without the odd rule.
    const int d = s.size[t] + 2 * s.largestSize;
    largestDiameter[t] = d;
    largestRing[t].clear();
    largestRing[t].addRing(s.largestColour, -(d / 2), -(d / 2), d);
  }
  blunderPen = QPen(s.blunderColour, 0);
  connectionBlunderPen = QPen(s.blunderColour, 0, style);
  for (int t = 0; t < TypeCount; ++t) {
    mSymbol[t] = s.symbol[t];
    mSize[t] = s.symbolSize(t);
  }
  mBlunderSize = s.blunderSize;
  mMarkSize = s.markSize;
  mBlunderColour = s.blunderColour;
  mMarkColour = s.markColour;
  const std::size_t count = std::size_t(TypeCount) * 4 * (ValueSteps + 1);
  mValueSprites.assign(count, PhSymbolSprite());
  mValueReady.assign(count, false);
}

int PhPaintTools::stepOf(const PhDrawSettings &s, double value) {
  // Limits that are no numbers (never stored so) leave the map's own.
  PhColourMap map;
  map.setLimits(s.colourLow, s.colourHigh);
  const double t = map.position(value);
  if (std::isnan(t)) return NoValue;
  return int(std::lround(t * (ValueSteps - 1)));
}

QColor PhPaintTools::stepColour(int iStep) {
  if (iStep < 0 || iStep >= ValueSteps) return PhColourMap::nanColour();
  return PhColourMap::at(double(iStep) / (ValueSteps - 1));
}

const PhSymbolSprite &PhPaintTools::valueSprite(int iType, bool bBlunder, bool bSelected, int iStep) {
  iStep = std::clamp(iStep, 0, NoValue);
  const std::size_t key = ((std::size_t(iType) * 2 + (bBlunder ? 1 : 0)) * 2 + (bSelected ? 1 : 0)) *
                              std::size_t(ValueSteps + 1) + std::size_t(iStep);
  if (key >= mValueSprites.size()) return sprite[iType][bBlunder][bSelected];
  if (!mValueReady[key]) {
    buildSprite(mValueSprites[key], mSymbol[iType], mSize[iType], stepColour(iStep), bBlunder, mBlunderSize,
                mBlunderColour, bSelected, mMarkSize, mMarkColour);
    mValueReady[key] = true;
  }
  return mValueSprites[key];
}
