#ifndef PHPROJECTINIT_H
#define PHPROJECTINIT_H

#include <QCoreApplication>

class PhImageList;
class PhObjectList;
class PhProjectData;

// Completes the model after a project was read: sorts the images by ID,
// gives every image point the BAX code of its object point and reports what
// was read.
class PhProjectInit {
  Q_DECLARE_TR_FUNCTIONS(Tessella)

 public:
  // `project` is null when no project record was ever made (a corrupt first
  // project file); the inversion check is skipped then.
  static void complete(PhImageList &images, const PhObjectList &objects,
                       const PhProjectData *project);
};

#endif  // PHPROJECTINIT_H
