#ifndef PHOBJECTREADER_H
#define PHOBJECTREADER_H

#include <QCoreApplication>
#include <QString>

class PhObjectList;
class PhProjectData;
class PhReadFailure;

// Reads BAX's object file "(o)" (60-byte records: int16 code, ID9, skip, six
// doubles; code -1 is the project record with sigma 0, redundancy and the
// inversion flag) and object-observation file "(c)" (38-byte records: int16
// component, int16 status, ID9, skip, observed value, residual, standard
// deviation of the residual).
class PhObjectReader {
  Q_DECLARE_TR_FUNCTIONS(Tessella)

 public:
  static constexpr int ObjectRecordSize = 60;
  static constexpr int ObservationRecordSize = 38;
  static constexpr int InversionError = 60865;
  static constexpr int ComponentError = 60867;

  PhObjectReader(PhObjectList &objects, PhProjectData &project);

  // False with the failure when a file cannot be opened. Raises PhException
  // on an inversion flag that is neither 0 nor 1 and on an observation
  // component outside 1..6 of a known point.
  bool read(const QString &strObjectFile, const QString &strObservationFile,
            PhReadFailure *failure);

  // The file the reader was working on last, for reporting an exception.
  const QString &currentFile() const { return mCurrentFile; }

 private:
  PhObjectList &mObjects;
  PhProjectData &mProject;
  QString mCurrentFile;
};

#endif  // PHOBJECTREADER_H
