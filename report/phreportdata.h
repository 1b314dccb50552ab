#ifndef PHREPORTDATA_H
#define PHREPORTDATA_H

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

#include <vector>

#include "phaxissummary.h"
#include "phglobal.h"
#include "phimagestats.h"
#include "phreportoptions.h"

class PhImageList;
class PhObjectList;
class PhProjectData;

// Everything a report states, gathered once from a read and completed
// project with the analysis code that the tables and the JSON summary use,
// so the documents and those agree. Orders are fixed (ties by list order),
// so the same project always gives the same report.
struct PhReportData {
  // The largest eliminated image points listed.
  static constexpr int EliminatedListed = 100;
  // About this many bars in a histogram.
  static constexpr int HistogramBins = 20;

  // A pass or fail mark, or none without tolerances.
  enum CheckE { CHECK_None = -1, CHECK_Fail = 0, CHECK_Pass = 1 };

  struct ControlRow {
    int pointId = 0;
    QString type;
    int axis = 0;
    double observed = 0.0;
    float residual = 0.0f;
    float sigma = 0.0f;
    bool accepted = true;
    CheckE check = CHECK_None;
  };
  struct EliminatedPoint {
    int imageId = 0;
    int pointId = 0;
    double residual = 0.0;  // |r|, image millimetres
  };
  // Counts of values from 0 in steps of `width` (in the residual unit).
  struct Histogram {
    double width = 0.0;
    std::vector<long long> counts;
    long long total = 0;
  };

  PhReportOptions options;
  QString version;
  QString projectName;
  QString projectFile;
  // Caption and path of each file of the project.
  QList<QPair<QString, QString>> files;
  // The latest modification time of those files; invalid when none exists.
  QDateTime baxDate;

  double sigma0 = 0.0;
  double redundancy = 0.0;
  bool inversion = false;
  int images = 0;
  int objectPoints = 0;
  long long imagePoints = 0;
  long long eliminated = 0;
  long long lonely = 0;
  long long byType[PhGlobal::PointTypeCount] = {};
  long long rejectedObjectPoints = 0;
  long long rejectedObservations = 0;
  bool hasRms = false;
  double rmsImageResidual = 0.0;  // image millimetres

  std::vector<PhImageStats> imagesById;
  // Largest RMS first, images without adjusted points last.
  std::vector<PhImageStats> imagesWorstFirst;
  int worstImageId = 0;
  bool hasWorstImage = false;

  // The control points' observations in list order, and per axis the
  // summaries of the accepted ones with their marks.
  std::vector<ControlRow> control;
  PhAxisSummary controlAxes[3];
  CheckE controlAxisCheck[3] = {CHECK_None, CHECK_None, CHECK_None};
  PhAxisSummary centreAxes[3];

  std::vector<EliminatedPoint> largestEliminated;
  Histogram adjustedHistogram;
  Histogram eliminatedHistogram;

  static PhReportData collect(const PhProjectData &project, const PhImageList &images,
                              const PhObjectList &objects, const PhReportOptions &options);

  // The residual unit's factor from image millimetres.
  double unitFactor() const { return PhResidualUnit::factor(options.unit); }
  QString unitName() const { return PhResidualUnit::name(options.unit); }

  // The values in steps of a round width (1, 2, 2.5 or 5 times a power of
  // ten) that splits their range into about `bins` steps.
  static Histogram histogram(const std::vector<double> &values, int bins);
  static CheckE check(double residual, double tolerance);
  // The smallest round width (1, 2, 2.5 or 5 times a power of ten) not below `step`.
  static double roundStep(double step);
};

#endif  // PHREPORTDATA_H
