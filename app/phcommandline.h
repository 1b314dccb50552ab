#ifndef PHCOMMANDLINE_H
#define PHCOMMANDLINE_H

#include <QString>
#include <QStringList>

// What the program itself takes from its command line (the toolkit has
// removed its own options before): a project file to open, and a picture of
// the main window to write before quitting.
class PhCommandLine {
 public:
  explicit PhCommandLine(const QStringList &arguments);

  const QString &projectFile() const { return mProjectFile; }
  const QString &screenshotFile() const { return mScreenshotFile; }
  bool wantsScreenshot() const { return !mScreenshotFile.isEmpty(); }
  // Set when "--screenshot" came without a file name.
  const QString &error() const { return mError; }

 private:
  QString mProjectFile;
  QString mScreenshotFile;
  QString mError;
};

#endif  // PHCOMMANDLINE_H
