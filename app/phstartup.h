#ifndef PHSTARTUP_H
#define PHSTARTUP_H

#include <QCoreApplication>
#include <QString>

namespace Ux {
class App;
}

// The steps of the program's start-up that stand on the application object
// alone. `main` runs them in order between the window steps.
class PhStartup {
  Q_DECLARE_TR_FUNCTIONS(PhStartup)

 public:
  static const char *const sAppName;
  static const char *const sPluginDir;
  static const char *const sHelpFile;

  explicit PhStartup(Ux::App &app) : mApp(app) {}

  // Log and configuration directories and this run's log file; the
  // installation's places are registered first.
  bool initApplication();
  // An installation keeps the system configuration, the manual and the
  // plug-in folder in its shared places (share/, lib/); they are looked for
  // there when they are not beside the executable.
  void registerInstallPlaces();
  // Replaces the global new-handler with one that reports and ends the program.
  static void installOutOfMemoryHandler();
  void registerInformation();
  // The user's configuration, else the system one, else built-in defaults.
  void readConfiguration();
  void registerPluginDirectory();
  void setHelpFile();
  void reduceLogFiles();

 private:
  Ux::App &mApp;
};

#endif  // PHSTARTUP_H
