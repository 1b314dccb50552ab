#ifndef PHREADFAILURE_H
#define PHREADFAILURE_H

#include <QString>

// Why a project could not be read: which failure, which file, and the text
// for the user. The window shows it in the read-failure box, a command-line
// tool prints it.
class PhReadFailure {
 public:
  enum KindE {
    RF_None = 0,
    RF_ProjectCorrupt = 1,  // a required key of the project file missing or empty
    RF_CannotOpen = 2,      // a data file could not be opened
    RF_Damaged = 3          // a reader met a damaged record
  };

  // Which of the project's files failed.
  enum FileE {
    FILE_Project = 0,
    FILE_Image = 1,
    FILE_Orientation = 2,
    FILE_Camera = 3,
    FILE_Object = 4,
    FILE_Observation = 5
  };

  PhReadFailure() = default;
  PhReadFailure(KindE kind, FileE file, const QString &strPath, const QString &strText,
                int iErrorNumber = 0);

  bool isFailure() const { return mKind != RF_None; }
  KindE kind() const { return mKind; }
  FileE file() const { return mFile; }
  const QString &path() const { return mPath; }
  // The box's text, as the reader states it.
  const QString &text() const { return mText; }
  // The error number of a damaged record; 0 otherwise.
  int errorNumber() const { return mErrorNumber; }

 private:
  KindE mKind = RF_None;
  FileE mFile = FILE_Project;
  QString mPath;
  QString mText;
  int mErrorNumber = 0;
};

#endif  // PHREADFAILURE_H
