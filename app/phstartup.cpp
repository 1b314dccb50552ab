#include "phstartup.h"

#include "nubmsg.h"
#include "phinfotexts.h"
#include "uxapp.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <new>

const char *const PhStartup::sAppName = "Tessella";
const char *const PhStartup::sPluginDir = "plugins";
const char *const PhStartup::sHelpFile = "doc/manual.html";

namespace {

QByteArray tr(const char *text) { return QCoreApplication::translate("PhStartup", text).toUtf8(); }

void outOfMemory() {
  Nub::warn("%s", tr("No more free memory!").constData());
  Nub::warn("%s", tr("Aborting execution of program.").constData());
  Nub::fatalDlg("%s", tr("No more free memory!\nAborting execution of program.").constData());
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
  Nub::warn("%s", tr("Can't find a valid configuration-file! Using internal defaults.").constData());
}

void PhStartup::registerPluginDirectory() {
  if (!sPluginDir) return;
  mApp.clearLibraryPaths();
  // The toolkit's own plug-ins (image formats for the icons, styles) stay
  // reachable behind the program's; without them icons would go blank.
  const QString toolkitPlugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
  if (QFileInfo(toolkitPlugins).isDir()) QCoreApplication::addLibraryPath(toolkitPlugins);
  if (!mApp.addLibraryPath(QString::fromLatin1(sPluginDir)))
    Nub::warn(tr("Can't initialise plugin-directory '%s'.").constData(), sPluginDir);
}

void PhStartup::setHelpFile() {
  if (!mApp.setHelpFile(QString::fromLatin1(sHelpFile)))
    Nub::warnDlg("%s", tr("Can't initialise help-file!").constData());
}

void PhStartup::reduceLogFiles() { mApp.reduceLogFiles(); }
