#ifndef MONKEYINVARIANTS_H
#define MONKEYINVARIANTS_H

#include <QString>

class Tessella;

// What must hold between two steps of any user: the selected count is the
// number of flagged object points, each object viewer sits in its plane's
// slot of the class-wide table and every viewer has data while a project is
// open (and none exists without one).
class MonkeyInvariants {
 public:
  // Empty when all hold, else what broke. `full` walks every object point.
  static QString check(Tessella &window, bool full);
};

#endif  // MONKEYINVARIANTS_H
