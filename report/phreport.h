#ifndef PHREPORT_H
#define PHREPORT_H

#include <QString>

#include "phreportoptions.h"

class PhImageList;
class PhObjectList;
class PhProjectData;

// Writes the adjustment report of a read and completed project into the
// files the options name (HTML, PDF or both), each whole or not at all.
// The command line and the window both come here, so they write the same
// document.
class PhReport {
 public:
  // False with the reason in `error` when a file could not be written; the
  // other may have been written. The object list's selection stays.
  static bool write(const PhReportOptions &options, const PhProjectData &project, const PhImageList &images,
                    PhObjectList &objects, QString *error);
};

#endif  // PHREPORT_H
