#ifndef PHBAXINI_H
#define PHBAXINI_H

#include <QCoreApplication>
#include <QString>

class QIODevice;

// The BAX installation's configuration: "Bax.ini" in the directory named by
// the environment variable "windir" (unset: the current directory), and BAX's
// project-list file, both INI-style text. Together they tell the project BAX
// worked on last.
class PhBaxIni {
  Q_DECLARE_TR_FUNCTIONS(Tessella)

 public:
  static QString iniPath();

  // The value of a key in a section of Bax.ini; null when the file, the
  // section or the key is missing.
  static QString readBAXini(const QString &strSection, const QString &strKey);
  // The same for another INI-style file.
  static QString readBAXpro(const QString &strFile, const QString &strSection,
                            const QString &strKey);

  // The project file of BAX's current project, announced; null (after a
  // warning) when it cannot be found.
  static QString currentProjectFile();

  // BAX writes Windows paths; elsewhere a backslash is taken as a separator.
  static QString portablePath(const QString &strPath);

 private:
  static QString readValue(QIODevice &file, const QString &strPath, const QString &strSection,
                           const QString &strKey);
};

#endif  // PHBAXINI_H
