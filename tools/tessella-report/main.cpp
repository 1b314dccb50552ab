// tessella-report PROJECT.(p) [--csv DIR] [--html FILE] [--pdf FILE]
// [--tolerance X,Y,Z] [--unit mm|um]: reads a BAX project with the program's
// own readers and model completion and prints a JSON summary on standard
// output; --csv also writes the analysis tables into DIR, --html and --pdf
// the adjustment report (with the tolerance check of the control points, and
// image residuals in the unit given). A project that cannot be read gives the
// failure's text on standard error, followed by the messages of reading
// before it, and exit status 2, as do arguments it cannot use; tables or a
// report that cannot be written give status 1.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>

#include "nubmsg.h"
#include "uxcfg.h"
#include "phanalysiscsv.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phprojectdata.h"
#include "phprojectinit.h"
#include "phprojectreader.h"
#include "phreadfailure.h"
#include "phreadfailurehandler.h"
#include "phreport.h"
#include "projectreport.h"

namespace {

ProjectReport::Messages &messages() {
  static ProjectReport::Messages list;
  return list;
}

// The report lists what a user would see in the message window.
void collect(Nub::MsgTypeE type, const char *text) {
  if (type == Nub::MsgInfo || type == Nub::MsgNote || type == Nub::MsgWarn)
    messages().append(qMakePair(type, QString::fromUtf8(text)));
}

void noProgress(int, int) {}

const char *typeName(Nub::MsgTypeE type) {
  switch (type) {
    case Nub::MsgInfo: return "Info";
    case Nub::MsgNote: return "Notice";
    default: return "Warning";
  }
}

// The failure, then what was said before it: where the reader looked for a
// file ("Can't find file ...") tells why it could not be opened.
class FailurePrinter : public PhReadFailureHandler {
 public:
  void readFailed(const PhReadFailure &failure) override {
    QString text = failure.text().trimmed();
    if (!text.contains(failure.path())) text += QStringLiteral("\nFile: ") + failure.path();
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    for (const auto &message : messages())
      std::fprintf(stderr, "%s: %s\n", typeName(message.first), qUtf8Printable(message.second));
  }
};

// The report draws the views, which need the widget application; it shows
// no window and needs no display.
bool wantsReport(int argc, char **argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--html") == 0 || std::strcmp(argv[i], "--pdf") == 0) return true;
  return false;
}

// Only what went wrong is told, on standard error.
void warningsOnly(Nub::MsgTypeE type, const char *text) {
  if (type == Nub::MsgWarn || type == Nub::MsgWarnDlg) std::fprintf(stderr, "%s\n", text);
}

// The drawing settings and the residual unit of the report: the
// configuration file named, else the factory configuration beside the
// executable or in the installation's shared place, else built-in defaults.
// False when the named file cannot be read.
bool loadSettings(const QString &cfgFile) {
  const Nub::MsgHandler previous = Nub::installMsgHandler(warningsOnly);
  bool loaded = true;
  if (!cfgFile.isEmpty()) {
    loaded = Ux::Cfg::load(cfgFile, true);
  } else {
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const QString &name : {QStringLiteral("default.cfg"), QStringLiteral(TESSELLA_DATADIR_FROM_BIN "/default.cfg")})
      if (Ux::Cfg::load(bin.filePath(name), false)) break;
  }
  Nub::installMsgHandler(previous);
  return loaded;
}

// "mm" or "um" (micrometres).
bool unitOf(const QString &text, PhResidualUnit::UnitE *unit) {
  if (text == QLatin1String("mm"))
    *unit = PhResidualUnit::Millimetre;
  else if (text == QLatin1String("um"))
    *unit = PhResidualUnit::Micrometre;
  else
    return false;
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  std::unique_ptr<QCoreApplication> app;
  if (wantsReport(argc, argv)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  const QStringList args = QCoreApplication::arguments();
  QString projectPath;
  QString csvDir;
  PhReportOptions report;
  QString toleranceText;
  QString cfgFile;
  bool unitGiven = false;
  bool usage = false;
  for (int i = 1; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size() && !args[i + 1].isEmpty();
    if (args[i] == QLatin1String("--csv") && hasValue)
      csvDir = args[++i];
    else if (args[i] == QLatin1String("--html") && hasValue)
      report.htmlFile = args[++i];
    else if (args[i] == QLatin1String("--pdf") && hasValue)
      report.pdfFile = args[++i];
    else if (args[i] == QLatin1String("--tolerance") && hasValue)
      toleranceText = args[++i];
    else if (args[i] == QLatin1String("--unit") && hasValue && unitOf(args[i + 1], &report.unit)) {
      unitGiven = true;
      ++i;
    } else if (args[i] == QLatin1String("--cfg") && hasValue)
      cfgFile = args[++i];
    else if (args[i].startsWith(QLatin1Char('-')) || !projectPath.isEmpty())
      usage = true;
    else
      projectPath = args[i];
  }
  if (usage || projectPath.isEmpty()) {
    std::fprintf(stderr,
                 "Usage: tessella-report PROJECT.(p) [--csv DIR] [--html FILE] [--pdf FILE] "
                 "[--tolerance X,Y,Z] [--unit mm|um] [--cfg FILE]\n");
    return 2;
  }
  QString toleranceError;
  if (!toleranceText.isEmpty() && !report.setTolerance(toleranceText, &toleranceError)) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(toleranceError));
    return 2;
  }
  report.created = PhReportOptions::creationTime();
  const bool writesReport = !report.htmlFile.isEmpty() || !report.pdfFile.isEmpty();
  if (writesReport && !loadSettings(cfgFile)) {
    std::fprintf(stderr, "Can't read the configuration '%s'.\n", qUtf8Printable(cfgFile));
    return 2;
  }
  if (writesReport && !unitGiven)
    report.unit = PhResidualUnit::fromInt(
        Ux::Cfg(QStringLiteral("Analysis")).readNum(QStringLiteral("ImageResidualUnit"), PhResidualUnit::Millimetre));

  Nub::installMsgHandler(collect);
  Nub::installProgressHandler(noProgress);

  PhImageList images;
  PhObjectList objects;
  std::unique_ptr<PhProjectData> project;
  FailurePrinter printer;
  if (!PhProjectReader(images, objects, project, &printer).read(projectPath)) return 2;
  PhProjectInit::complete(images, objects, project.get());

  const QByteArray json = ProjectReport::json(*project, images, objects, messages());
  std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
  int status = 0;
  QString error;
  if (!csvDir.isEmpty() && !PhAnalysisCsv::write(csvDir, images, objects, &error)) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(error));
    status = 1;
  }
  if (writesReport && !PhReport::write(report, *project, images, objects, &error)) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(error));
    status = 1;
  }

  PhImage::clearPointIndex();
  images.clear();
  objects.clear();
  Nub::installMsgHandler(nullptr);
  return std::fflush(stdout) == 0 ? status : 1;
}
