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
    } else if (argument.startsWith(QLatin1Char('-'))) {
      continue;  // "-p" and its like belong to the main window
    } else if (mProjectFile.isEmpty()) {
      mProjectFile = argument;
    }
  }
}
