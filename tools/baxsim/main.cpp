// baxsim: writes a simulated BAX project (a vertical aerial block) into a folder.

#include "baxsimulator.h"

#include <nubmsg.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

bool toInt(const QString &text, int *value) {
  bool ok = false;
  int v = text.toInt(&ok);
  if (ok) *value = v;
  return ok;
}

bool toDouble(const QString &text, double *value) {
  bool ok = false;
  double v = text.toDouble(&ok);
  if (ok) *value = v;
  return ok;
}

}  // namespace

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("baxsim"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Writes a simulated BAX project: a vertical aerial block with image points, "
      "control points, observed projection centres, blunders and lonely points, the "
      "result files, a camera file, the project file <name>.(p), Bax.ini and the "
      "project list <name>.prj. The same options give the same bytes."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Output folder (created when missing)."));
  const BaxSimOptions d;
  auto opt = [&parser](const char *name, const QString &help, const QString &value) {
    QCommandLineOption o(QString::fromLatin1(name), help, QStringLiteral("value"), value);
    parser.addOption(o);
    return o;
  };
  QCommandLineOption strips = opt("strips", QStringLiteral("Number of strips (1-99)."), QString::number(d.strips));
  QCommandLineOption images = opt("images", QStringLiteral("Images per strip (1-9999)."), QString::number(d.imagesPerStrip));
  QCommandLineOption spacing = opt("spacing", QStringLiteral("Ground point spacing in metres."), QString::number(d.spacing));
  QCommandLineOption perImage = opt("points-per-image",
      QStringLiteral("Choose the spacing to measure about this many points per image "
                     "(overrides --spacing)."), QStringLiteral("0"));
  QCommandLineOption target = opt("target-image-points",
      QStringLiteral("Choose strips, images and spacing to write about this many image points "
                     "(overrides --strips, --images and --spacing)."), QStringLiteral("0"));
  QCommandLineOption scale = opt("scale", QStringLiteral("Image scale number (1:scale)."), QString::number(d.scale));
  QCommandLineOption focal = opt("focal-length", QStringLiteral("Focal length in mm."), QString::number(d.focalLength));
  QCommandLineOption frame = opt("frame-size", QStringLiteral("Side of the square frame in mm."), QString::number(d.frameSize));
  QCommandLineOption forward = opt("forward-overlap", QStringLiteral("Forward overlap in percent."),
                                   QString::number(d.forwardOverlap * 100.0));
  QCommandLineOption side = opt("side-overlap", QStringLiteral("Side overlap in percent."),
                                QString::number(d.sideOverlap * 100.0));
  QCommandLineOption offset = opt("offset", QStringLiteral("Grid coordinates X,Y of the first image centre."),
                                  QStringLiteral("%1,%2").arg(d.offsetX, 0, 'f', 0).arg(d.offsetY, 0, 'f', 0));
  QCommandLineOption height = opt("terrain-height", QStringLiteral("Mean ground height in metres."),
                                  QString::number(d.terrainHeight));
  QCommandLineOption seed = opt("seed", QStringLiteral("Seed of the random numbers."), QString::number(d.seed));
  QCommandLineOption name = opt("name", QStringLiteral("Base name of the project's files."), d.name);
  QCommandLineOption camera = opt("camera-id", QStringLiteral("Camera ID."), QString::number(d.cameraId));
  QCommandLineOption relative(QStringLiteral("relative-ini"),
      QStringLiteral("Write paths in Bax.ini and the project list relative to the folder "
                     "(for a project opened with -p from inside the folder)."));
  parser.addOption(relative);
  QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Print nothing on success."));
  parser.addOption(quiet);
  parser.process(app);

  const QStringList args = parser.positionalArguments();
  if (args.size() != 1) {
    Nub::warn("%s", "baxsim: exactly one output folder expected (see --help)");
    return 2;
  }

  BaxSimOptions o;
  double forwardPercent = 0.0, sidePercent = 0.0;
  const QStringList xy = parser.value(offset).split(QLatin1Char(','));
  bool seedOk = false;
  o.seed = parser.value(seed).toULongLong(&seedOk);
  bool targetOk = false;
  o.targetImagePoints = parser.value(target).toLongLong(&targetOk);
  o.name = parser.value(name);
  o.relativeIni = parser.isSet(relative);
  const bool parsed = toInt(parser.value(strips), &o.strips) &&
                      toInt(parser.value(images), &o.imagesPerStrip) &&
                      toInt(parser.value(perImage), &o.pointsPerImage) &&
                      toDouble(parser.value(spacing), &o.spacing) &&
                      toDouble(parser.value(scale), &o.scale) &&
                      toDouble(parser.value(focal), &o.focalLength) &&
                      toDouble(parser.value(frame), &o.frameSize) &&
                      toDouble(parser.value(forward), &forwardPercent) &&
                      toDouble(parser.value(side), &sidePercent) &&
                      toDouble(parser.value(height), &o.terrainHeight) &&
                      toInt(parser.value(camera), &o.cameraId) && xy.size() == 2 &&
                      toDouble(xy[0], &o.offsetX) && toDouble(xy[1], &o.offsetY) && seedOk &&
                      targetOk;
  if (!parsed) {
    Nub::warn("%s", "baxsim: an option value is not a number (see --help)");
    return 2;
  }
  o.forwardOverlap = forwardPercent / 100.0;
  o.sideOverlap = sidePercent / 100.0;

  BaxSimResult r;
  QString error;
  if (!BaxSimulator::write(o, args.first(), &r, &error)) {
    Nub::warn("baxsim: %s", error.toUtf8().constData());
    return 1;
  }
  if (!parser.isSet(quiet)) {
    std::printf("project            %s\n", r.projectFile.toUtf8().constData());
    std::printf("layout             %d strips x %d images, spacing %.3f m\n", r.strips,
                r.imagesPerStrip, r.spacing);
    std::printf("images             %lld\n", r.images);
    std::printf("image points       %lld (eliminated %lld, lonely %lld, max links %lld)\n",
                r.imagePoints, r.eliminatedImagePoints, r.lonelyImagePoints, r.maxLinks);
    std::printf("object points      %lld (100: %lld, 101: %lld, 200: %lld, 300: %lld, 500: %lld)\n",
                r.objectPoints, r.points100, r.points101, r.points200, r.points300, r.points500);
    std::printf("object records     %lld (repeated %lld)\n", r.objectRecords, r.repeatedObjectRecords);
    std::printf("observed centres   %lld\n", r.observedCentres);
    std::printf("observations       %lld (rejected %lld, not accepted points %lld)\n",
                r.observationRecords, r.rejectedObservations, r.notAcceptedPoints);
    std::printf("sigma 0            %.6f mm, redundancy %.4f\n", r.sigma0, r.redundancy);
  }
  return 0;
}
