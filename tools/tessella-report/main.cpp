// tessella-report PROJECT.(p) [--csv DIR]: reads a BAX project with the
// program's own readers and model completion and prints a JSON summary on
// standard output; --csv also writes the analysis tables into DIR. A project
// that cannot be read gives the failure's text on standard error, followed by
// the messages of reading before it, and exit status 2; tables that cannot
// be written give status 1.

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <memory>

#include "nubmsg.h"
#include "phanalysiscsv.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phprojectdata.h"
#include "phprojectinit.h"
#include "phprojectreader.h"
#include "phreadfailure.h"
#include "phreadfailurehandler.h"
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

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  QString projectPath;
  QString csvDir;
  bool usage = false;
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--csv") && i + 1 < args.size() && !args[i + 1].isEmpty())
      csvDir = args[++i];
    else if (args[i].startsWith(QLatin1Char('-')) || !projectPath.isEmpty())
      usage = true;
    else
      projectPath = args[i];
  }
  if (usage || projectPath.isEmpty()) {
    std::fprintf(stderr, "Usage: tessella-report PROJECT.(p) [--csv DIR]\n");
    return 2;
  }

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

  PhImage::clearPointIndex();
  images.clear();
  objects.clear();
  Nub::installMsgHandler(nullptr);
  return std::fflush(stdout) == 0 ? status : 1;
}
