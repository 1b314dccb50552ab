#include "nubmsg.h"
#include "phcommandline.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "phinfotexts.h"
#include "phscriptedexit.h"
#include "phsplashpicture.h"
#include "phstartup.h"
#include "phviewexport.h"
#include "tessella.h"
#include "uxapp.h"
#include "uxmsg.h"
#include "uxmainwindow.h"
#include "uxsplash.h"
#include "uxterminationwatch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("main", text); }

// Lets queued work and painting finish before a picture is taken.
void settle(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char **argv) {
  // Drawing a view into a file shows no window and needs no display.
  if (PhViewExport::requested(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  Ux::App app(PhStartup::sAppName, argc, argv);
  PhStartup startup(app);
  const PhCommandLine commandLine(QCoreApplication::arguments());
  if (!commandLine.error().isEmpty()) {
    std::fprintf(stderr, "%s\n", commandLine.error().toUtf8().constData());
    return Ux::App::FAILURE;
  }

  if (!startup.initApplication()) {
    Ux::warnDlg(
        tr("Can't initialise application '%1'!\nQuitting now.").arg(QString::fromLatin1(PhStartup::sAppName)));
    return Ux::App::FAILURE;
  }
  PhStartup::installOutOfMemoryHandler();
  const Ux::TerminationWatch terminationWatch;
  startup.registerInformation();

  if (commandLine.wantsExport()) {
    const PhViewExport::Request request =
        PhViewExport::parse(commandLine.exportView(), commandLine.exportFile(), commandLine.exportSize());
    if (!request.error.isEmpty()) {
      std::fprintf(stderr, "%s\n", qUtf8Printable(request.error));
      return Ux::App::FAILURE;
    }
    startup.readConfiguration();
    return PhViewExport::run(request, commandLine.projectFile());
  }

  auto splash = std::make_unique<Ux::Splash>(phSplashPicture(), splashText(), 200, 40);
  splash->setMessageAlignment(Qt::AlignLeft | Qt::AlignBottom);
  splash->setMessageColor(Qt::black);
  splash->setMessageDelay(100);
  splash->show();
  auto say = [&splash](const char *text) { splash->msg(QCoreApplication::translate("main", text)); };

  say("Initialising widget for displaying messages ...");
  Ux::MainWindow::setupMessageWindow();

  say("Reading settings from configuration-file ...");
  startup.readConfiguration();

  if (PhStartup::sPluginDir) {
    say("Initialising Plugin-directory ...");
    startup.registerPluginDirectory();
  }

  say("Initialising main window of application ...");
  // The window deletes itself when it closes; one the loop left open is
  // deleted here, before the application object closes the log.
  const QPointer<Tessella> window = new Tessella(splash->pixmap());
  app.setMainWidget(window);

  say("Initialising help-file of application ...");
  startup.setHelpFile();

  say("Checking number of log-files ...");
  startup.reduceLogFiles();

  say("Start to display main window ...");
  window->show();

  if (window->openCurrentProjectRequested()) {
    say("Opening current BAX project ...");
    window->openCurrentBAXProject();
  }

  const QColor darkGreen(Qt::darkGreen);
  splash->msg(QCoreApplication::translate("main", "Ready."), &darkGreen, 750);
  Ux::info(tr("Welcome to <em>%1</em>").arg(Ux::App::info(QStringLiteral("nameLong"))));
  Ux::status(tr("Ready."));
  splash->finish(window);
  splash.reset();


  PhScriptedExit *scriptedExit = PhScriptedExit::fromEnvironment(window, &app);
  // Its answer to the read-failure box comes from inside the box's loop.
  if (scriptedExit && scriptedExit->answersReadFailure()) scriptedExit->start();
  // A project named on the command line opens once the window is up, as if
  // it had been chosen in the file dialog.
  if (!commandLine.projectFile().isEmpty()) window->openProject(commandLine.projectFile());

  if (commandLine.wantsScreenshot()) {
    // The picture shows the residual vectors, which image viewers start without.
    for (PhImageViewer *viewer : PhImageViewer::viewers()) {
      viewer->imageView()->setResidualsOn(VM_Graphical, true);
      viewer->imageView()->updateContents();
    }
    settle(500);
    const bool saved = window->grab().save(commandLine.screenshotFile());
    if (!saved)
      Ux::warn(tr("Can't write the picture '%1'!").arg(commandLine.screenshotFile()));
    window->setAskBeforeClosing(false);
    window->close();
    delete window;
    return saved ? Ux::App::SUCCESS : Ux::App::FAILURE;
  }
  if (scriptedExit && !scriptedExit->answersReadFailure()) scriptedExit->start();
  const int result = app.exec();
  delete window;
  return result;
}
