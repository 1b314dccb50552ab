#include "nubmsg.h"
#include "phstartup.h"
#include "uxapp.h"

#include <QCoreApplication>

namespace {
QByteArray tr(const char *text) { return QCoreApplication::translate("main", text).toUtf8(); }
}  // namespace

int main(int argc, char **argv) {
  Ux::App app(PhStartup::sAppName, argc, argv);
  PhStartup startup(app);

  if (!startup.initApplication()) {
    Nub::warnDlg(tr("Can't initialise application '%s'!\nQuitting now.").constData(),
                 PhStartup::sAppName);
    return Ux::App::FAILURE;
  }
  PhStartup::installOutOfMemoryHandler();
  startup.registerInformation();

  startup.readConfiguration();
  startup.registerPluginDirectory();
  startup.setHelpFile();
  startup.reduceLogFiles();

  Nub::info(tr("Welcome to <em>%s</em>").constData(),
            Ux::App::info(QStringLiteral("nameLong")).toUtf8().constData());
  Nub::status("%s", tr("Ready.").constData());
  return app.exec();
}
