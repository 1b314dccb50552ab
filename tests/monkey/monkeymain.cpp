// tessella-monkey: drives the real main window with random user actions from
// a seed, checks the invariants after every step and leaves through the exit
// dialog. Exit status 0 when all went well; 3 for a broken invariant, 4 when
// the way out did not end the program; a hang aborts (watchdog).
//
//   tessella-monkey --seed N [--actions N] [--seconds S] [--log FILE]
//                   [--large-points N] [--allow-fatal] [--work DIR]

#include "monkeydriver.h"
#include "monkeylog.h"
#include "monkeymodals.h"
#include "monkeyprojects.h"
#include "monkeyrng.h"
#include "monkeywatchdog.h"
#include "phstartup.h"
#include "tessella.h"
#include "uxapp.h"
#include "uxmainwindow.h"
#include "uxterminationwatch.h"

#include <QCommandLineParser>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>

int main(int argc, char **argv) {
  Ux::App app(PhStartup::sAppName, argc, argv);
  QCommandLineParser parser;
  parser.addOptions({{QStringLiteral("seed"), QStringLiteral("Seed of the run."), QStringLiteral("n"), QStringLiteral("1")},
                     {QStringLiteral("actions"), QStringLiteral("Steps before leaving."), QStringLiteral("n"), QStringLiteral("1000")},
                     {QStringLiteral("seconds"), QStringLiteral("Time before leaving."), QStringLiteral("s"), QStringLiteral("60")},
                     {QStringLiteral("log"), QStringLiteral("Action log."), QStringLiteral("file")},
                     {QStringLiteral("large-points"), QStringLiteral("Image points of the large project (0: none)."), QStringLiteral("n"), QStringLiteral("20000")},
                     {QStringLiteral("allow-fatal"), QStringLiteral("The read-failure box may be answered \"&Quit\".")},
                     {QStringLiteral("work"), QStringLiteral("Folder for the projects (default: a temporary one)."), QStringLiteral("dir")},
                     {QStringLiteral("example"), QStringLiteral("The example project's folder."), QStringLiteral("dir")}});
  parser.process(app);
  const quint64 seed = parser.value(QStringLiteral("seed")).toULongLong();
  MonkeyDriver::Budget budget;
  budget.actions = parser.value(QStringLiteral("actions")).toInt();
  budget.seconds = parser.value(QStringLiteral("seconds")).toInt();

  if (!MonkeyLog::open(parser.value(QStringLiteral("log")), false)) {
    std::fprintf(stderr, "monkey: can't write the action log\n");
    return 2;
  }
  MonkeyLog::line(QStringLiteral("seed %1, %2 actions, %3 s").arg(seed).arg(budget.actions).arg(budget.seconds));

  QTemporaryDir scratch;
  const QString work = parser.isSet(QStringLiteral("work")) ? parser.value(QStringLiteral("work")) : scratch.path();
  QString example = parser.value(QStringLiteral("example"));
  if (example.isEmpty()) example = qEnvironmentVariable("TESSELLA_SOURCE_DIR") + QStringLiteral("/examples/block");
  MonkeyProjects projects;
  QString error;
  if (!projects.make(work, example, parser.value(QStringLiteral("large-points")).toInt(), &error)) {
    std::fprintf(stderr, "monkey: %s\n", qUtf8Printable(error));
    return 2;
  }
  // The example's folder is the current one, as when BAX's user starts there.
  QDir::setCurrent(QFileInfo(projects.example()).absolutePath());

  PhStartup startup(app);
  if (!startup.initApplication()) {
    std::fprintf(stderr, "monkey: can't initialise the application\n");
    return 2;
  }
  const Ux::TerminationWatch terminationWatch;
  startup.registerInformation();
  Ux::MainWindow::setupMessageWindow();
  startup.readConfiguration();
  // No help file: the help action must not start a browser.

  MonkeyRng rng(seed);
  auto watchdog = std::make_unique<MonkeyWatchdog>(5000);
  MonkeyModals modals(seed, projects);
  modals.setFatalAllowed(parser.isSet(QStringLiteral("allow-fatal")));

  const QPointer<Tessella> window = new Tessella(QPixmap());
  app.setMainWidget(window);
  window->show();
  MonkeyDriver driver(window, rng, modals, *watchdog, budget);
  driver.start();
  const int result = app.exec();
  // Past the loop nothing beats; a stuck end is left to the caller's time limit.
  watchdog.reset();
  delete window;
  MonkeyLog::line(QStringLiteral("done: %1 actions, %2 invariant checks, %3 dialogs and menus answered, result %4")
                      .arg(driver.steps())
                      .arg(driver.checks())
                      .arg(modals.answered())
                      .arg(result));
  std::printf("monkey: seed %llu: %d actions, %d invariant checks, %d dialogs and menus answered\n",
              static_cast<unsigned long long>(seed), driver.steps(), driver.checks(), modals.answered());
  if (result == 0 && !driver.leaving()) {
    std::fprintf(stderr, "monkey: the program ended before the monkey left\n");
    MonkeyLog::line(QStringLiteral("ENDED EARLY"));
    MonkeyLog::close();
    return 5;
  }
  MonkeyLog::close();
  return result;
}
