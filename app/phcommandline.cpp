#include "phcommandline.h"

PhCommandLine::PhCommandLine(const QStringList &arguments) {
  for (int i = 1; i < arguments.size(); ++i) {
    const QString &argument = arguments.at(i);
    if (argument == QLatin1String("--screenshot")) {
      if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
        mError = QStringLiteral("--screenshot needs the name of a picture file.");
        return;
      }
      mScreenshotFile = arguments.at(++i);
    } else if (argument == QLatin1String("--export-view")) {
      if (i + 2 >= arguments.size() || arguments.at(i + 1).isEmpty() || arguments.at(i + 2).isEmpty()) {
        mError = QStringLiteral("--export-view needs a view (XY, XZ, YZ or IMAGE:<image id>) and a file.");
        return;
      }
      mExport = true;
      mExportView = arguments.at(++i);
      mExportFile = arguments.at(++i);
    } else if (argument == QLatin1String("--size")) {
      if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
        mError = QStringLiteral("--size needs WIDTHxHEIGHT.");
        return;
      }
      mExportSize = arguments.at(++i);
    } else if (argument.startsWith(QLatin1Char('-'))) {
      continue;  // "-p" and its like belong to the main window
    } else if (mProjectFile.isEmpty()) {
      mProjectFile = argument;
    }
  }
}
