#ifndef PHDRAWPREFS_H
#define PHDRAWPREFS_H

class QString;
struct PhDrawSettings;

// The drawing preferences that the image viewer and the object viewer read
// alike, into the settings (other values of which stay as they are).
namespace PhDrawPrefs {

// BG_Color, TextFont, BlundersOn and Scale of the viewer's group, then the
// group "Points".
void readViewer(const QString &group, PhDrawSettings &settings);
// Per point type PointOn_t, PointSymbol_t, PointColor_t, PointSize_t, and
// BlunderColor and BlunderSize, of the group "Points".
void readPoints(PhDrawSettings &settings);
// The selection mark, MarkColor and MarkSize of the group "Points".
void readMarks(PhDrawSettings &settings);

}  // namespace PhDrawPrefs

#endif  // PHDRAWPREFS_H
