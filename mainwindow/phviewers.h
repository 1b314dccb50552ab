#ifndef PHVIEWERS_H
#define PHVIEWERS_H

#include "phglobal.h"

#include <QString>

class PhImageList;
class PhImageViewer;
class PhObjectList;
class PhObjectViewer;
class QWidget;

// What the main window asks of the viewer windows: the class-wide
// operations of the image and object viewers, and where new viewers go.
namespace PhViewers {

// A new image viewer on the image with that ID inside the workspace; null
// when none could be made.
PhImageViewer *createImageViewer(PhImageList &images, QWidget *workspace, int iImage);

// The object viewer of a plane (0 XY, 1 XZ, 2 YZ), or null.
PhObjectViewer *objectViewer(int iPlane);
// Makes the object viewer of a plane and hands it its data; null on failure.
PhObjectViewer *createObjectViewer(int iPlane, QWidget *workspace, PhObjectList &objects, bool bInversion);

// Closes all image viewers, then all object viewers.
void deleteAll();

void applyImageViewerPrefs();
void applyObjectViewerPrefs();
// True hides the viewers' tool bars and status bars.
void setUndecorated(bool bUndecorated);

void deselectAll();
void selectPoints(PhGlobal::SelectionModeE selMode, PhGlobal::SearchModeE searchMode, const QString &strPar1,
                  const QString &strPar2, bool bPatternMatching);

// Writes the placements of the open viewers into the configuration table.
void saveViewerPlacements();

}  // namespace PhViewers

#endif  // PHVIEWERS_H
