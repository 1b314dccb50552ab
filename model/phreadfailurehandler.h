#ifndef PHREADFAILUREHANDLER_H
#define PHREADFAILUREHANDLER_H

class PhReadFailure;

// Receives the failure that ended a project read. It is called last, after
// the reader emptied the model (or, for an observation file that cannot be
// opened, read everything else), so a handler may start reading another
// project at once.
class PhReadFailureHandler {
 public:
  virtual ~PhReadFailureHandler() = default;
  virtual void readFailed(const PhReadFailure &failure) = 0;
};

#endif  // PHREADFAILUREHANDLER_H
