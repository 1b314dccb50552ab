#include "phobjectreader.h"

#include <climits>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phbaxfile.h"
#include "phbaxprogress.h"
#include "phbaxrecord.h"
#include "phexception.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phprojectdata.h"
#include "phreadfailure.h"

namespace {

// Beyond this many, warnings of one kind are counted, not shown: a damaged
// file must not bury the user in messages.
constexpr int MaxWarnings = 100;

}  // namespace

PhObjectReader::PhObjectReader(PhObjectList &objects, PhProjectData &project)
    : mObjects(objects), mProject(project) {}

bool PhObjectReader::read(const QString &strObjectFile, const QString &strObservationFile,
                          PhReadFailure *failure) {
  using namespace PhBaxRecord;
  const QString openText = tr("Could not open file\n%1\n\n");
  PhBaxFile objectFile(ObjectRecordSize);
  if (!objectFile.open(strObjectFile)) {
    if (failure)
      *failure = PhReadFailure(PhReadFailure::RF_CannotOpen, PhReadFailure::FILE_Object,
                               strObjectFile, openText.arg(strObjectFile));
    return false;
  }
  // Without the observation file the object points are still read; the
  // failure is reported after them.
  PhBaxFile observationFile(ObservationRecordSize);
  const bool bObservations = observationFile.open(strObservationFile);
  if (!bObservations && failure)
    *failure = PhReadFailure(PhReadFailure::RF_CannotOpen, PhReadFailure::FILE_Observation,
                             strObservationFile, openText.arg(strObservationFile));

  mCurrentFile = strObjectFile;
  const qint64 objects = objectFile.recordCount();
  mObjects.reserve(int(qMin<qint64>(mObjects.count() + objects, INT_MAX)));
  {
    PhBaxProgress progress(objects);
    int previousId = -1;
    for (qint64 i = 0; i < objects; ++i) {
      progress.at(i);
      const char *r = objectFile.record(i);
      const int code = int16At(r);
      const int id = id9At(r + 2);
      if (code == -1) {
        mProject.setSigma0(doubleAt(r + 12));
        mProject.setAverageRedundancy(doubleAt(r + 20));
        const double inversion = doubleAt(r + 28);
        if (inversion == 0.0)
          mProject.setInversion(false);
        else if (inversion == 1.0)
          mProject.setInversion(true);
        else
          throw PhException(InversionError,
                            "Tessella::ReadObjectFiles: Check for inversion neither 0 nor 1!");
        continue;
      }
      // BAX repeats a point in consecutive records; the first one counts.
      if (id == previousId) continue;
      PhObjectPoint point;
      point.setPointId(id);
      point.setCode(code);
      point.setAdjustedValues(doubleAt(r + 12), doubleAt(r + 20), doubleAt(r + 28),
                              float(std::sqrt(doubleAt(r + 36))),
                              float(std::sqrt(doubleAt(r + 44))),
                              float(std::sqrt(doubleAt(r + 52))));
      mObjects.append(std::move(point));
      previousId = id;
    }
  }

  if (!bObservations) return false;

  mCurrentFile = strObservationFile;
  const qint64 observations = observationFile.recordCount();
  // The observed IDs are few beside the object points: they are collected
  // first and found in one walk through the list, instead of indexing every
  // point of the list for them.
  std::unordered_map<int, PhObjectPoint *> observed;
  observed.reserve(std::size_t(qMin<qint64>(observations, 1 << 20)));
  for (qint64 i = 0; i < observations; ++i)
    observed.emplace(id9At(observationFile.record(i) + 4), nullptr);
  for (PhObjectPoint *point : mObjects) {
    const auto it = observed.find(point->pointId());
    // The first point in list order with the ID.
    if (it != observed.end() && !it->second) it->second = point;
  }

  PhBaxProgress progress(observations);
  int unknown = 0;
  for (qint64 i = 0; i < observations; ++i) {
    progress.at(i);
    const char *r = observationFile.record(i);
    const int component = int16At(r);
    const bool bAccepted = int16At(r + 2) == 0;
    const int id = id9At(r + 4);
    PhObjectPoint *point = observed[id];
    if (!point) {
      if (++unknown <= MaxWarnings)
        Ux::warn(tr("Point/Image %1 found in file (c) but not in (o) or (e)").arg(QString::number(id)));
      continue;
    }
    if (component < 1 || component > 6)
      throw PhException(ComponentError, "Tessella::ReadObjectFiles: illegal point code!");

    const int axis = (component - 1) % 3;
    // BAX writes the residual with the opposite sign.
    point->setObservedAxis(axis, doubleAt(r + 14), -float(doubleAt(r + 22)),
                           float(doubleAt(r + 30)), bAccepted);
    point->setAccepted(bAccepted);
    // A control point's Z record also answers for a rejected X observation.
    if (component == 3 && bAccepted && point->hasObservedX() && point->isRejectedX())
      point->setAccepted(false);
    if (component >= 4 && point->code() == 900) point->setCode(901);
  }
  if (unknown > MaxWarnings)
    Ux::warn(tr("%1 more warnings of this kind were suppressed.").arg(QString::number(unknown - MaxWarnings)));
  return true;
}
