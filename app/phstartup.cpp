#include "phstartup.h"

#include "nubmsg.h"
#include "phinfotexts.h"
#include "uxapp.h"
#include "uxmsg.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <new>

const char *const PhStartup::sAppName = "Tessella";
const char *const PhStartup::sPluginDir = "plugins";
const char *const PhStartup::sHelpFile = "doc/manual.html";

namespace {

void outOfMemory() {
  Ux::warn(PhStartup::tr("No more free memory!"));
  Ux::warn(PhStartup::tr("Aborting execution of program."));
  Ux::fatalDlg(PhStartup::tr("No more free memory!\nAborting execution of program."));
}

}  // namespace

bool PhStartup::initApplication() {
  registerInstallPlaces();
  return mApp.init(true, QStringLiteral("log"), QStringLiteral(".log"), QStringLiteral("cfg"),
                   QStringLiteral(".cfg"));
}

// The places as seen from the executable's folder, set by the build from
// the installation directories.
void PhStartup::registerInstallPlaces() {
  mApp.setFallbacks(QStringLiteral("default.cfg"),
                    {QStringLiteral(TESSELLA_DATADIR_FROM_BIN "/default.cfg")});
  mApp.setFallbacks(QString::fromLatin1(sHelpFile),
                    {QStringLiteral(TESSELLA_DOCDIR_FROM_BIN "/manual.html")});
  mApp.setFallbacks(QString::fromLatin1(sPluginDir), {QStringLiteral(TESSELLA_PLUGINDIR_FROM_BIN)});
}

void PhStartup::installOutOfMemoryHandler() { std::set_new_handler(outOfMemory); }

void PhStartup::registerInformation() { ::registerInformation(mApp.objectName()); }

void PhStartup::readConfiguration() {
  if (mApp.readUserCfg(false)) return;
  if (mApp.readSystemCfg(false)) return;
  Ux::warn(tr("Can't find a valid configuration-file! Using internal defaults."));
}

void PhStartup::registerPluginDirectory() {
  if (!sPluginDir) return;
  mApp.clearLibraryPaths();
  // The toolkit's own plug-ins (image formats for the icons, styles) stay
  // reachable behind the program's; without them icons would go blank.
  const QString toolkitPlugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
  if (QFileInfo(toolkitPlugins).isDir()) QCoreApplication::addLibraryPath(toolkitPlugins);
  if (!mApp.addLibraryPath(QString::fromLatin1(sPluginDir)))
    Ux::warn(tr("Can't initialise plugin-directory '%1'.").arg(QString::fromUtf8(sPluginDir)));
}

void PhStartup::setHelpFile() {
  if (!mApp.setHelpFile(QString::fromLatin1(sHelpFile)))
    Ux::warnDlg(tr("Can't initialise help-file!"));
}

void PhStartup::reduceLogFiles() { mApp.reduceLogFiles(); }
