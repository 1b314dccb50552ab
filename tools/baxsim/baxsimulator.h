#ifndef BAXSIMULATOR_H
#define BAXSIMULATOR_H

#include <QString>

class BaxSimBlock;

// What to simulate: a vertical aerial block of `strips` strips with
// `imagesPerStrip` frame images each, flown in alternating directions, over a
// grid of ground points `spacing` metres apart.
struct BaxSimOptions {
  QString name = QStringLiteral("block");  // base name of the project's files
  int strips = 3;
  int imagesPerStrip = 5;
  double spacing = 150.0;          // ground point spacing, metres
  qint64 targetImagePoints = 0;    // > 0: strips, imagesPerStrip and spacing are chosen to reach it
  int pointsPerImage = 0;          // > 0 (without a target): the spacing is chosen to measure about
                                   // this many points in an image on average
  double scale = 10000.0;          // image scale 1 : scale
  double focalLength = 153.0;      // mm
  double frameSize = 230.0;        // mm, square frame
  double forwardOverlap = 0.6;
  double sideOverlap = 0.3;
  double offsetX = 3500000.0;      // grid coordinates of the first image's nominal centre
  double offsetY = 5500000.0;
  double terrainHeight = 400.0;    // mean ground height, metres
  quint64 seed = 1;
  int cameraId = 12;
  double observedCentreRate = 0.5; // share of images whose projection centre is observed
  // Shares of points with >= 3 rays that get one eliminated ray, and of
  // single-ray points kept as lonely image points; when above 0, at least one
  // of each where the block has such points.
  double blunderRate = 0.005;
  double lonelyRate = 0.25;
  double missRate = 0.05;          // chance that a visible point is not measured in an image
  bool relativeIni = false;        // "Bax.ini" and the project list name paths relative to the folder
};

// What was put into the files. Counts refer to records as written.
struct BaxSimResult {
  // The layout used (chosen by the simulator in target mode).
  int strips = 0;
  int imagesPerStrip = 0;
  double spacing = 0.0;

  // Absolute paths of the files written (empty after count()).
  QString projectFile;      // <name>.(p)
  QString imageFile;        // <name>.(i)
  QString orientationFile;  // <name>.(e)
  QString objectFile;       // <name>.(o)
  QString observationFile;  // <name>.(c)
  QString cameraFile;       // cam<cameraId>.cam
  QString iniFile;          // Bax.ini
  QString projectListFile;  // <name>.prj

  qint64 images = 0;                 // header/end pairs in (i) = records in (e)
  qint64 imagePoints = 0;            // point records in (i), without headers and end records
  qint64 eliminatedImagePoints = 0;  // point records with status != 0
  qint64 lonelyImagePoints = 0;      // point records whose ID has no object point
  qint64 maxLinks = 0;               // most images one point ID appears in

  qint64 objectPoints = 0;           // distinct object points in (o), projection centres not included
  qint64 objectRecords = 0;          // point records in (o), repeats included, project record not
  qint64 repeatedObjectRecords = 0;  // records repeating the previous record's point ID
  qint64 points100 = 0;              // new points
  qint64 points101 = 0;              // new points of the second kind
  qint64 points200 = 0;              // vertical control
  qint64 points300 = 0;              // horizontal control
  qint64 points500 = 0;              // full control

  qint64 observedCentres = 0;           // images with observations 4..6 (code 901 once read)
  qint64 observationRecords = 0;        // records in (c)
  qint64 rejectedObservations = 0;      // records in (c) with status != 0
  qint64 rejectedCentreObservations = 0;  // of those, components 4..6
  // Points and projection centres whose accepted flag ends false when (c) is
  // read in order: the last record's status decides, and an accepted Z record
  // of a control point is overruled by a rejected X observation.
  qint64 notAcceptedPoints = 0;

  // The project record (written only by write(); 0 after count()).
  double sigma0 = 0.0;
  double redundancy = 0.0;
  bool inversion = true;

  qint64 pointsOfCode(int code) const;
};

// Generates a block from the options and writes it as a complete BAX project
// (result files, camera file, project file, "Bax.ini" and project list) into a
// folder. Deterministic: the same options give the same bytes on every run and
// platform (own random numbers, no transcendental library functions, no
// hash-order dependence). Memory grows with the ground grid (4 bytes per grid
// point), not with the number of image points.
class BaxSimulator {
 public:
  // Checks the options; false with a message in `error`.
  static bool validate(const BaxSimOptions &options, QString *error);

  // In target mode returns the options with strips, imagesPerStrip and spacing
  // chosen to come near targetImagePoints; with pointsPerImage, the spacing
  // chosen for that many points per image; otherwise the options unchanged.
  static bool resolve(const BaxSimOptions &options, BaxSimOptions *resolved, QString *error);

  // Fills `result` without writing any file.
  static bool count(const BaxSimOptions &options, BaxSimResult *result, QString *error);

  // Writes the project into `folder` (created when missing).
  static bool write(const BaxSimOptions &options, const QString &folder, BaxSimResult *result,
                    QString *error);

  BaxSimulator() = delete;

 private:
  static void _tuneSpacing(BaxSimOptions *resolved, qint64 target, double perImage);
  // Validates resolved options as the block is laid out from them.
  static bool _validLayout(const BaxSimOptions &resolved, QString *error);
  static void _tally(const BaxSimBlock &block, BaxSimResult *result);
};

#endif  // BAXSIMULATOR_H
