// A bare main window of the library with its standard menus, tool bars,
// administration dock and a few messages: to look at under a real display.
//   uxdemo                 shows it briefly, grabs it and checks the picture
//   uxdemo --stay <ms>     keeps it up for that long (for a screenshot)
//   uxdemo --grab <file>   also saves the grabbed picture
//   uxdemo --dialogs       opens the information and preferences dialogs too

#include "nubmsg.h"
#include "uxapp.h"
#include "uxcfg.h"
#include "uxmainwindow.h"
#include "uxsplash.h"
#include "uxtabdialog.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>

class DemoWindow : public Ux::MainWindow {
  Q_OBJECT

 public:
  DemoWindow(const QPixmap &picture) : Ux::MainWindow(TY_Workspace, QIcon(), picture) {
    addStandardUIs(0x1f);
    addStandardActions(UIA_FileNew | UIA_FileOpen | UIA_FileSave | UIA_FileSaveAs |
                       UIA_FileQuit | UIA_Preferences | UIA_ViewRefresh | UIA_HelpPrg |
                       UIA_HelpWhatsThis | UIA_HelpAbout);
  }
};

int main(int argc, char **argv) {
  Ux::App app("UxDemo", argc, argv);
  if (!app.init(true, QStringLiteral("log"), QStringLiteral(".log"), QStringLiteral("cfg"),
                QStringLiteral(".cfg")))
    return 1;
  Ux::App::setInfo(QStringLiteral("name"), QStringLiteral("UxDemo"));
  Ux::App::setInfo(QStringLiteral("nameLong"), QStringLiteral("UxDemo Version 1.0"));
  Ux::App::setInfo(QStringLiteral("history"), QStringLiteral("<h3>History</h3><p>First run.</p>"));

  app.setWindowIcon(QIcon(QStringLiteral(":/uxkit/messages.svg")));
  int stay = 300;
  bool dialogs = false;
  QString grabFile;
  const QStringList args = app.arguments();
  for (int i = 1; i + 1 < args.size(); ++i) {
    if (args.at(i) == QLatin1String("--stay")) stay = args.at(i + 1).toInt();
    if (args.at(i) == QLatin1String("--grab")) grabFile = args.at(i + 1);
  }
  dialogs = args.contains(QStringLiteral("--dialogs"));

  // Start-up order of a program: splash, then the message window, then the
  // configuration, then the main window.
  auto *splash = new Ux::Splash(420, 160, QColor(0xe8, 0xee, 0xf4),
                                QStringLiteral("<h2>UxDemo</h2><p>A demonstration of the "
                                               "<b>nubux</b> main window.</p>"),
                                20, 20);
  splash->setMessageAlignment(Qt::AlignLeft | Qt::AlignBottom);
  splash->show();
  splash->msg(QStringLiteral("Initialising widget for displaying messages ..."));
  Ux::MainWindow::setupMessageWindow();
  Nub::info("Message window ready before the main window.");

  Ux::Cfg cfg(QStringLiteral("DemoWindow"));
  cfg.writeEntry(QStringLiteral("Geometry"), QRect(20, 20, 1000, 680));

  auto *win = new DemoWindow(splash->pixmap());
  app.setMainWidget(win);

  const char *titles[] = {"Image 12", "Image 13", "Object XY"};
  for (const char *title : titles) {
    auto *text = new QTextEdit;
    text->setWindowTitle(QString::fromLatin1(title));
    text->setPlainText(QStringLiteral("Contents of %1").arg(QString::fromLatin1(title)));
    QMdiSubWindow *sub = win->workspace()->addSubWindow(text);
    sub->resize(360, 220);
    sub->show();
  }
  win->workspace()->cascadeSubWindows();

  win->show();
  splash->finish(win);
  delete splash;

  Nub::info("Welcome to <em>%s</em>", "UxDemo Version 1.0");
  Nub::note("Configuration read from the internal defaults.");
  Nub::warn("Setting '%s' does not exist in configuration!", "Global/MaxLogs");
  qWarning("a message of the toolkit itself");
  Nub::status("Ready.");
  if (dialogs) {
    win->action(Ux::MainWindow::UIA_HelpAbout)->trigger();
    win->infoTab()->move(560, 120);
    win->action(Ux::MainWindow::UIA_Preferences)->trigger();
    win->prefsTab()->move(80, 140);
  }

  int result = 0;
  QTimer::singleShot(stay, win, [win, &grabFile, &result]() {
    const QImage shot = win->grab().toImage();
    // A real window: not blank, taller than its menu bar.
    if (shot.isNull() || shot.width() < 400 || shot.height() < 200) result = 2;
    if (!grabFile.isEmpty() && !shot.save(grabFile)) result = 3;
    std::printf("uxdemo: %dx%d grabbed, status '%s'\n", shot.width(), shot.height(),
                qPrintable(win->statusBar()->currentMessage()));
    win->close();
  });
  const int loop = app.exec();
  return result ? result : loop;
}

#include "uxdemo.moc"
