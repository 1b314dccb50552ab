#include "phprojectinit.h"

#include "nubmsg.h"
#include "uxmsg.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phpointindex.h"
#include "phprojectdata.h"

namespace {

// Beyond this many, code conflicts are counted, not shown one by one.
constexpr int MaxWarnings = 100;

}  // namespace

void PhProjectInit::complete(PhImageList &images, const PhObjectList &objects,
                             const PhProjectData *project) {
  Nub::debug("Tessella::_slotInitProject");
  images.sort();

  // An ID met again costs nothing when it brings the code its image points
  // already got, and only a count once the warnings are used up: a file that
  // repeats IDs must not make this step quadratic. Image points enter with
  // code -1 and the first object point of an ID gives all of them its code,
  // so the first of them tells what the ID has got so far.
  //
  // The IDs come in list order, their entries and points anywhere in the
  // index: the entry of the ID 16 ahead and the links of the one 8 ahead are
  // asked for while this one is walked.
  constexpr int EntryAhead = 16;
  constexpr int LinksAhead = 8;
  qint64 conflicts = 0;
  const int count = objects.count();
  for (int i = 0; i < count; ++i) {
    if (i + EntryAhead < count) PhPointIndex::prefetch(objects.at(i + EntryAhead)->pointId());
    if (i + LinksAhead < count) PhPointIndex::prefetchLinks(objects.at(i + LinksAhead)->pointId());
    const PhObjectPoint *object = objects.at(i);
    if (object->isProjectionCentre()) continue;
    const int id = object->pointId();
    const PhImageRefs observers = PhImage::imagesOfPoint(id);
    if (observers.isEmpty()) continue;
    const PhImagePoint *first = observers.begin().point();
    const int existing = first ? first->code() : -1;
    if (existing == object->code()) continue;
    if (existing != -1 && conflicts >= MaxWarnings) {
      conflicts += observers.count();
      continue;
    }
    for (auto it = observers.begin(); it != observers.end(); ++it) {
      PhImagePoint *imagePoint = it.point();
      if (NUB_CHECK_WARN(! imagePoint)) continue;
      if (imagePoint->code() == -1) {
        imagePoint->setCode(object->code());
      } else if (imagePoint->code() != object->code()) {
        if (++conflicts <= MaxWarnings)
          Ux::warn(tr("Pointcode for image-point %1 is not unique!").arg(QString::number(id)));
      }
    }
  }
  if (conflicts > MaxWarnings)
    Ux::warn(tr("%1 more warnings of this kind were suppressed.")
                 .arg(QString::number(static_cast<long long>(conflicts - MaxWarnings))));

  Ux::info(tr("Read <b>%1</b> Images.").arg(QString::number(images.count())));
  Ux::info(tr("Read <b>%1</b> Objects.").arg(QString::number(objects.count())));
  if (project && !project->inversion()) Nub::warn("No inversion: sigmas were not computed!");
  Ux::msg(Nub::MsgInfo | Nub::MsgStatus, tr("Reading Projectfile ready."));
}
