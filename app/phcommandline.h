#ifndef PHCOMMANDLINE_H
#define PHCOMMANDLINE_H

#include <QString>
#include <QStringList>

// What the program itself takes from its command line (the toolkit has
// removed its own options before): a project file to open, a picture of
// the main window to write before quitting, or a view to draw into a file
// without any window ("--export-view VIEW FILE [--size WxH]").
class PhCommandLine {
 public:
  explicit PhCommandLine(const QStringList &arguments);

  const QString &projectFile() const { return mProjectFile; }
  const QString &screenshotFile() const { return mScreenshotFile; }
  bool wantsScreenshot() const { return !mScreenshotFile.isEmpty(); }
  bool wantsExport() const { return mExport; }
  const QString &exportView() const { return mExportView; }
  const QString &exportFile() const { return mExportFile; }
  // As given ("WxH"), or empty for the default.
  const QString &exportSize() const { return mExportSize; }
  // Set when "--screenshot", "--export-view" or "--size" came without what
  // they need.
  const QString &error() const { return mError; }

 private:
  QString mProjectFile;
  QString mScreenshotFile;
  bool mExport = false;
  QString mExportView;
  QString mExportFile;
  QString mExportSize;
  QString mError;
};

#endif  // PHCOMMANDLINE_H
