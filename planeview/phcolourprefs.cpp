#include "phcolourprefs.h"

#include <QCoreApplication>

#include <cmath>

#include "phdrawsettings.h"
#include "phresidualunit.h"
#include "uxcfg.h"

namespace {

const QString kGroup = QStringLiteral("Analysis");

QString tr(const char *text) { return QCoreApplication::translate("PhColourPrefs", text); }

QString colourByKey(PhColourPrefs::ViewE view) {
  return view == PhColourPrefs::VIEW_Image ? QStringLiteral("ImageColourBy") : QStringLiteral("ObjectColourBy");
}

void defaultLimits(int iColourBy, double &low, double &high) {
  switch (iColourBy) {
    case PhDrawSettings::COL_Residual: low = 0.0; high = 0.01; break;
    case PhDrawSettings::COL_Sigma: low = 0.0; high = 0.1; break;
    case PhDrawSettings::COL_Rays: low = 2.0; high = 12.0; break;
    default: low = 0.0; high = 1.0; break;
  }
}

PhResidualUnit::UnitE residualUnit() {
  const Ux::Cfg cfg(kGroup);
  return PhResidualUnit::fromInt(cfg.readNum(QStringLiteral("ImageResidualUnit"), PhResidualUnit::Millimetre));
}

}  // namespace

bool PhColourPrefs::offers(ViewE view, int iColourBy) {
  if (iColourBy == PhDrawSettings::COL_Type || iColourBy == PhDrawSettings::COL_Residual) return true;
  return view == VIEW_Object && iColourBy > 0 && iColourBy < PhDrawSettings::ColourByCount;
}

int PhColourPrefs::colourBy(ViewE view) {
  const Ux::Cfg cfg(kGroup);
  const int value = cfg.readNum(colourByKey(view), PhDrawSettings::COL_Type);
  return offers(view, value) ? value : int(PhDrawSettings::COL_Type);
}

void PhColourPrefs::setColourBy(ViewE view, int iColourBy) {
  Ux::Cfg cfg(kGroup);
  cfg.writeEntry(colourByKey(view), offers(view, iColourBy) ? iColourBy : int(PhDrawSettings::COL_Type));
}

void PhColourPrefs::limits(int iColourBy, double &low, double &high) {
  defaultLimits(iColourBy, low, high);
  const Ux::Cfg cfg(kGroup);
  bool foundLow = false;
  bool foundHigh = false;
  const double l = cfg.readReal(QStringLiteral("ColourLow_%1").arg(iColourBy), low, &foundLow);
  const double h = cfg.readReal(QStringLiteral("ColourHigh_%1").arg(iColourBy), high, &foundHigh);
  // Both or neither, and only numbers.
  if (foundLow && foundHigh && std::isfinite(l) && std::isfinite(h)) {
    low = l;
    high = h;
  }
}

void PhColourPrefs::setLimits(int iColourBy, double low, double high) {
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  Ux::Cfg cfg(kGroup);
  cfg.writeEntry(QStringLiteral("ColourLow_%1").arg(iColourBy), low);
  cfg.writeEntry(QStringLiteral("ColourHigh_%1").arg(iColourBy), high);
}

QString PhColourPrefs::unit(int iColourBy) {
  switch (iColourBy) {
    case PhDrawSettings::COL_Residual: return PhResidualUnit::name(residualUnit());
    case PhDrawSettings::COL_Sigma: return tr("object units");
    case PhDrawSettings::COL_Rays: return tr("rays");
    default: return QString();
  }
}

double PhColourPrefs::textFactor(int iColourBy) {
  return iColourBy == PhDrawSettings::COL_Residual ? PhResidualUnit::factor(residualUnit()) : 1.0;
}

bool PhColourPrefs::densityAtScale() { return Ux::Cfg(kGroup).readBool(QStringLiteral("DensityAtScale"), false); }

void PhColourPrefs::setDensityAtScale(bool bOn) {
  Ux::Cfg cfg(kGroup);
  cfg.writeEntry(QStringLiteral("DensityAtScale"), bOn ? 1 : 0);
}

bool PhColourPrefs::scaleBar() { return Ux::Cfg(kGroup).readBool(QStringLiteral("ScaleBar"), false); }

void PhColourPrefs::setScaleBar(bool bOn) {
  Ux::Cfg cfg(kGroup);
  cfg.writeEntry(QStringLiteral("ScaleBar"), bOn ? 1 : 0);
}

void PhColourPrefs::read(ViewE view, PhDrawSettings &settings) {
  settings.colourBy = colourBy(view);
  limits(settings.colourBy, settings.colourLow, settings.colourHigh);
  settings.colourUnit = unit(settings.colourBy);
  settings.colourTextFactor = textFactor(settings.colourBy);
  settings.densityOn = view == VIEW_Object && densityAtScale();
  settings.scaleBarOn = scaleBar();
  if (view == VIEW_Image) {
    settings.vectorUnit = unit(PhDrawSettings::COL_Residual);
    settings.vectorTextFactor = textFactor(PhDrawSettings::COL_Residual);
  } else {
    settings.vectorUnit = tr("object units");
    settings.vectorTextFactor = 1.0;
  }
}
