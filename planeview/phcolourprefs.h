#ifndef PHCOLOURPREFS_H
#define PHCOLOURPREFS_H

#include <QString>

struct PhDrawSettings;

// How the user chose to colour points and mark vector lengths, kept in the
// group "Analysis": "ImageColourBy" and "ObjectColourBy" (PhDrawSettings::
// ColourByE; image views know type and residual only), per value the limits
// "ColourLow_%1" and "ColourHigh_%1" (residuals in image millimetres, sigmas
// in object units, rays as counted), "DensityAtScale" and "ScaleBar". The
// residual unit shown is "ImageResidualUnit". Damaged values fall back to
// the defaults: colours by type, no density, no scale bar.
namespace PhColourPrefs {

enum ViewE { VIEW_Image = 0, VIEW_Object = 1 };

// The colour choice, its limits, unit and shown factor, density, the scale
// bar and its unit, into the settings.
void read(ViewE view, PhDrawSettings &settings);

int colourBy(ViewE view);
void setColourBy(ViewE view, int iColourBy);
// Whether the view colours by that value at all.
bool offers(ViewE view, int iColourBy);

// Limits in the value's own unit; the defaults when none are kept.
void limits(int iColourBy, double &low, double &high);
void setLimits(int iColourBy, double low, double high);
// The unit a value is shown in, and what a stored value is multiplied by to
// show it (residuals: millimetres or micrometres as the user chose).
QString unit(int iColourBy);
double textFactor(int iColourBy);

bool densityAtScale();
void setDensityAtScale(bool bOn);
bool scaleBar();
void setScaleBar(bool bOn);

}  // namespace PhColourPrefs

#endif  // PHCOLOURPREFS_H
