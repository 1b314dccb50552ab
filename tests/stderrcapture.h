#ifndef STDERRCAPTURE_H
#define STDERRCAPTURE_H

#include <QByteArray>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Redirects the process's standard error into a temporary file while it
// lives; `text()` returns what was written so far.
class StderrCapture {
 public:
  StderrCapture() {
    mFile.open();
    std::fflush(stderr);
    mSaved = dup(2);
    dup2(mFile.handle(), 2);
  }
  ~StderrCapture() { restore(); }
  StderrCapture(const StderrCapture &) = delete;
  StderrCapture &operator=(const StderrCapture &) = delete;

  QByteArray text() {
    std::fflush(stderr);
    mFile.seek(0);
    return mFile.readAll();
  }

 private:
  void restore() {
    if (mSaved < 0) return;
    std::fflush(stderr);
    dup2(mSaved, 2);
    close(mSaved);
    mSaved = -1;
  }

  QTemporaryFile mFile;
  int mSaved = -1;
};

#endif  // STDERRCAPTURE_H
