#include "phviewers.h"

#include <QMdiArea>
#include <QRect>

#include "phimageviewer.h"
#include "phobjectviewer.h"

namespace PhViewers {

namespace {

// New viewers take the state of the last F11.
bool sUndecorated = false;

// The workspace area to lay viewers out in; a sensible size before the
// workspace has been laid out itself.
QRect workspaceRect(QWidget *workspace) {
  QRect rect;
  if (auto *area = qobject_cast<QMdiArea *>(workspace))
    rect = area->viewport()->rect();
  else if (workspace)
    rect = workspace->rect();
  if (rect.width() < 400 || rect.height() < 300) rect = QRect(0, 0, 1000, 700);
  return rect;
}

// The width an image viewer needs to show its tool bars whole, known once
// the first one was made.
int sImageViewerWidth = 0;

// The left part of the workspace, where image viewers go: wide enough for
// their tool bars while the object viewers keep a usable part.
int imageColumn(const QRect &area, int iViewerWidth) {
  return qMax(qMax(area.width() * 9 / 20, 360), qMin(iViewerWidth, area.width() - 360));
}

// Where a new viewer goes before any stored placement is applied: image
// viewers fill the left part, each further one a step down and right; the
// object viewers share the right part, XY above, XZ and YZ side by side
// below. So the first viewers of a project lie side by side, not on a pile.
QRect imageViewerPlace(const QRect &area, int iNumber) {
  const int width = imageColumn(area, sImageViewerWidth);
  const int step = 24 * (iNumber % 8);
  return QRect(area.left() + step, area.top() + step, width, area.height() - step);
}

QRect objectViewerPlace(const QRect &area, int iPlane, int iViewerWidth = sImageViewerWidth) {
  const int left = area.left() + imageColumn(area, iViewerWidth);
  const int width = qMax(area.right() + 1 - left, 240);
  const int upper = area.height() / 2;
  switch (iPlane) {
    case 0:
      return QRect(left, area.top(), width, upper);
    case 1:
      return QRect(left, area.top() + upper, width / 2, area.height() - upper);
    default:
      return QRect(left + width / 2, area.top() + upper, width - width / 2, area.height() - upper);
  }
}

}  // namespace

PhImageViewer *createImageViewer(PhImageList &images, QWidget *workspace, int iImage) {
  const int existing = int(PhImageViewer::viewers().size());
  auto *viewer = new PhImageViewer(&images, workspace, iImage);
  const QRect area = workspaceRect(workspace);
  const int needed = viewer->frame()->sizeHint().width();
  if (needed > sImageViewerWidth) {
    // Object viewers still at the place made for narrower image viewers move
    // aside; those placed by the settings or the user stay.
    const int before = sImageViewerWidth;
    sImageViewerWidth = needed;
    for (int plane = 0; plane < 3; ++plane) {
      PhObjectViewer *objectViewer = PhObjectViewer::existingViewer(plane);
      if (objectViewer && objectViewer->frame()->geometry() == objectViewerPlace(area, plane, before))
        objectViewer->frame()->setGeometry(objectViewerPlace(area, plane));
    }
  }
  viewer->frame()->setGeometry(imageViewerPlace(area, existing));
  if (sUndecorated) viewer->setInterfaceHidden(true);
  return viewer;
}

PhObjectViewer *objectViewer(int iPlane) { return PhObjectViewer::existingViewer(iPlane); }

PhObjectViewer *createObjectViewer(int iPlane, QWidget *workspace, PhObjectList &objects, bool bInversion) {
  const bool existed = PhObjectViewer::existingViewer(iPlane) != nullptr;
  PhObjectViewer *viewer = PhObjectViewer::viewer(iPlane, workspace);
  if (!viewer) return nullptr;
  if (!existed) {
    viewer->frame()->setGeometry(objectViewerPlace(workspaceRect(workspace), iPlane));
    if (sUndecorated) viewer->setInterfaceHidden(true);
  }
  viewer->setData(&objects, bInversion);
  return viewer;
}

void deleteAll() {
  PhImageViewer::deleteAllViewers();
  PhObjectViewer::deleteAllViewers();
}

void applyImageViewerPrefs() { PhImageViewer::applyPrefsToAll(); }

void applyObjectViewerPrefs() { PhObjectViewer::applyPrefsToAll(); }

void setUndecorated(bool bUndecorated) {
  sUndecorated = bUndecorated;
  PhImageViewer::hideInterfaces(bUndecorated);
  PhObjectViewer::hideInterfaces(bUndecorated);
}


void deselectAll() { PhObjectViewer::deselectAllPoints(); }

void selectPoints(PhGlobal::SelectionModeE selMode, PhGlobal::SearchModeE searchMode, const QString &strPar1,
                  const QString &strPar2, bool bPatternMatching) {
  PhObjectViewer::selectPointsInAll(selMode, searchMode, strPar1, strPar2, bPatternMatching);
}

void saveViewerPlacements() {
  PhImageViewer::saveViewerPlacements();
  PhObjectViewer::saveViewerPlacements();
}

}  // namespace PhViewers
