#ifndef PHEXCEPTION_H
#define PHEXCEPTION_H

#include <QString>

// Raised by the BAX file readers on a damaged record; the project reader
// catches it and reports it as a read failure.
class PhException {
 public:
  PhException(int iErrorNumber, const char *message);
  PhException(int iErrorNumber, const QString &strMessage);

  int errorNumber() const { return mErrorNumber; }
  QString message() const { return mMessage; }

 private:
  int mErrorNumber = 0;
  QString mMessage;
};

#endif  // PHEXCEPTION_H
