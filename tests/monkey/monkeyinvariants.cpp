#include "monkeyinvariants.h"

#include "phimagelist.h"
#include "phimageviewer.h"
#include "phobjectviewer.h"
#include "tessella.h"


QString MonkeyInvariants::check(Tessella &window, bool full) {
  PhObjectList &objects = window.objects();
  if (full) {
    int flagged = 0;
    for (const PhObjectPoint *point : objects)
      if (point->isSelected()) ++flagged;
    if (flagged != objects.selectedCount())
      return QStringLiteral("%1 points are flagged, the selection counts %2").arg(flagged).arg(objects.selectedCount());
    for (int index : objects.selection().indices())
      if (index < 0 || index >= objects.count() || !objects.at(index)->isSelected())
        return QStringLiteral("the selection holds position %1, which is not flagged").arg(index);
  }

  int slotted = 0;
  for (int plane = 0; plane < PhObjectViewer::PlaneCount; ++plane) {
    PhObjectViewer *viewer = PhObjectViewer::existingViewer(plane);
    if (!viewer) continue;
    ++slotted;
    if (viewer->plane() != plane)
      return QStringLiteral("the slot of plane %1 holds the viewer of plane %2").arg(plane).arg(viewer->plane());
    if (window.hasProject() && !viewer->hasData())
      return QStringLiteral("the object viewer of plane %1 has no data while a project is open").arg(plane);
  }
  const QList<PhObjectViewer *> living = window.findChildren<PhObjectViewer *>();
  int alive = 0;
  for (PhObjectViewer *viewer : living) {
    ++alive;
    if (PhObjectViewer::existingViewer(viewer->plane()) != viewer)
      return QStringLiteral("an object viewer of plane %1 is not in the table").arg(viewer->plane());
  }
  if (alive != slotted) return QStringLiteral("%1 object viewers live, the table holds %2").arg(alive).arg(slotted);

  const QList<PhImageViewer *> imageViewers = PhImageViewer::viewers();
  if (imageViewers.size() != window.findChildren<PhImageViewer *>().size())
    return QStringLiteral("%1 image viewers are listed, %2 live")
        .arg(imageViewers.size())
        .arg(window.findChildren<PhImageViewer *>().size());
  for (PhImageViewer *viewer : imageViewers) {
    if (window.hasProject() && !window.images().isEmpty() && !viewer->hasImage())
      return QStringLiteral("an image viewer shows no image while a project is open");
    if (viewer->hasImage() && window.images().indexOf(viewer->currentImage()) < 0)
      return QStringLiteral("an image viewer shows image %1, which is not in the project").arg(viewer->currentImageId());
  }
  if (!window.hasProject() && (slotted > 0 || !imageViewers.isEmpty()))
    return QStringLiteral("%1 object and %2 image viewers are open without a project").arg(slotted).arg(imageViewers.size());
  return QString();
}
