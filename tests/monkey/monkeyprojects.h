#ifndef MONKEYPROJECTS_H
#define MONKEYPROJECTS_H

#include <QString>
#include <QStringList>

// The projects the monkey answers the file dialog with: the example, a large
// generated block and damaged copies of the example (a file missing, records
// cut short, orientations out of sequence, a project file without its keys).
class MonkeyProjects {
 public:
  // Writes them below `folder`; the large block gets about that many image
  // points (none for 0). False with a message in `error`.
  bool make(const QString &folder, const QString &exampleDir, int iLargePoints, QString *error);

  const QStringList &all() const { return mAll; }
  const QString &example() const { return mExample; }
  const QString &large() const { return mLarge; }
  const QStringList &damaged() const { return mDamaged; }
  // A folder for the files the monkey saves (exports, configurations).
  const QString &outputDir() const { return mOutput; }

 private:
  bool _damagedCopy(const QString &name, const QString &exampleDir, QString *error);

  QString mFolder;
  QString mOutput;
  QString mExample;
  QString mLarge;
  QStringList mDamaged;
  QStringList mAll;
};

#endif  // MONKEYPROJECTS_H
