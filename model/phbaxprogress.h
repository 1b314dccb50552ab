#ifndef PHBAXPROGRESS_H
#define PHBAXPROGRESS_H

#include <QtGlobal>

// One progress run over the records of a file: started on construction,
// advanced every few thousand records (each report may let the event loop
// run), ended on every way out.
class PhBaxProgress {
 public:
  explicit PhBaxProgress(qint64 total);
  ~PhBaxProgress();
  PhBaxProgress(const PhBaxProgress &) = delete;
  PhBaxProgress &operator=(const PhBaxProgress &) = delete;

  void at(qint64 current) {
    if (current >= mNext) report(current);
  }

 private:
  void report(qint64 current);

  qint64 mNext = 0;
};

#endif  // PHBAXPROGRESS_H
