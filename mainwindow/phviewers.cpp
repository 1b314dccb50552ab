#include "phviewers.h"

// The viewer windows are not part of the program yet: the main window runs
// without them, and every request for one is answered with none.
namespace PhViewers {

QWidget *createImageViewer(PhImageList &, QWidget *, int) { return nullptr; }
QWidget *objectViewer(int) { return nullptr; }
QWidget *createObjectViewer(int, QWidget *, PhObjectList &, bool) { return nullptr; }
void deleteAll() {}
void applyImageViewerPrefs() {}
void applyObjectViewerPrefs() {}
void setUndecorated(bool) {}
void selectImagePoints(PhImage *) {}
void deselectAll() {}
void selectPoints(PhGlobal::SelectionModeE, PhGlobal::SearchModeE, const QString &, const QString &, bool) {}
void saveViewerPlacements() {}

}  // namespace PhViewers
