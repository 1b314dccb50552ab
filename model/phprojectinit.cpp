#include "phprojectinit.h"

#include "nubmsg.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
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
  qint64 conflicts = 0;
  for (const PhObjectPoint *object : objects) {
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
          Nub::warn(qUtf8Printable(tr("Pointcode for image-point %d is not unique!")), id);
      }
    }
  }
  if (conflicts > MaxWarnings)
    Nub::warn(qUtf8Printable(tr("%lld more warnings of this kind were suppressed.")),
              static_cast<long long>(conflicts - MaxWarnings));

  Nub::info(qUtf8Printable(tr("Read <b>%d</b> Images.")), images.count());
  Nub::info(qUtf8Printable(tr("Read <b>%d</b> Objects.")), objects.count());
  if (project && !project->inversion()) Nub::warn("No inversion: sigmas were not computed!");
  Nub::msg(Nub::MsgInfo | Nub::MsgStatus, "%s", qUtf8Printable(tr("Reading Projectfile ready.")));
}
