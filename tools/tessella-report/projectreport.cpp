#include "projectreport.h"

#include <cmath>
#include <vector>

#include "phglobal.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phcontroltable.h"
#include "phprojectdata.h"
#include "reportjson.h"

namespace {

// Sum of squared residual lengths over the adjusted points, and their number.
struct ResidualSum {
  double squares = 0.0;
  long long count = 0;

  // Root mean square of the residual vectors' lengths; null without points.
  void write(ReportJson &json) const {
    if (count == 0)
      json.null();
    else
      json.value(std::sqrt(squares / double(count)));
  }
};

// One walk through each image's points gives its own sums and the
// project's, each added in point order.
struct PointSums {
  std::vector<ResidualSum> perImage;
  ResidualSum all;
  long long lonely = 0;

  explicit PointSums(const PhImageList &images) {
    perImage.reserve(std::size_t(images.count()));
    for (const PhImage *image : images) {
      ResidualSum own;
      for (const PhImagePoint &point : *image) {
        if (point.code() == PhGlobal::LonelyCode) ++lonely;
        if (!point.adjustStatus()) continue;
        const double rx = point.residualX();
        const double ry = point.residualY();
        const double square = rx * rx + ry * ry;
        own.squares += square;
        ++own.count;
        all.squares += square;
        ++all.count;
      }
      perImage.push_back(own);
    }
  }
};

const char *typeName(Nub::MsgTypeE type) {
  switch (type) {
    case Nub::MsgInfo: return "Info";
    case Nub::MsgNote: return "Notice";
    default: return "Warning";
  }
}

void writeImage(ReportJson &json, const PhImage &image, const ResidualSum &residuals) {
  json.beginObject();
  json.key("id").value(image.imageId());
  json.key("camera").value(image.cameraId());
  json.key("points").value(image.pointCount());
  json.key("not_adjusted").value(image.notAdjustedCount());
  // Without an adjusted point with a residual there is no largest one.
  if (image.largestResidualPointId() == -1) {
    json.key("largest_residual").null();
    json.key("largest_residual_point").null();
  } else {
    json.key("largest_residual").value(image.largestResidual());
    json.key("largest_residual_point").value(image.largestResidualPointId());
  }
  residuals.write(json.key("rms_residual"));
  json.key("frame").beginArray();
  json.value(image.minX());
  json.value(image.minY());
  json.value(image.maxX());
  json.value(image.maxY());
  json.endArray();
  const PhObjectCoord &centre = image.projectionCentre();
  json.key("projection_centre").beginArray();
  for (int i = 0; i < 3; ++i) json.value(centre.f(i));
  json.endArray();
  json.key("projection_centre_sigma").beginArray();
  for (int i = 3; i < 6; ++i) json.value(float(centre.f(i)));
  json.endArray();
  json.endObject();
}

// Per axis the accepted observations' residuals; an axis without any is left out.
void writeSummaries(ReportJson &json, const PhAxisSummary (&axes)[3]) {
  static const char *const names[3] = {"X", "Y", "Z"};
  json.beginObject();
  for (int axis = 0; axis < 3; ++axis) {
    const PhAxisSummary &s = axes[axis];
    if (s.isEmpty()) continue;
    json.key(names[axis]).beginObject();
    json.key("n").value(s.n);
    json.key("mean").value(s.mean());
    json.key("rms").value(s.rms());
    json.key("max_abs").value(s.maxAbs);
    json.endObject();
  }
  json.endObject();
}

}  // namespace

QByteArray ProjectReport::json(const PhProjectData &project, const PhImageList &images,
                               const PhObjectList &objects, const Messages &messages) {
  long long imagePoints = 0;
  long long blunders = 0;
  for (const PhImage *image : images) {
    imagePoints += image->pointCount();
    blunders += image->notAdjustedCount();
  }
  const PointSums sums(images);
  long long byType[PhGlobal::PointTypeCount] = {};
  long long rejected = 0;
  for (const PhObjectPoint *point : objects) {
    ++byType[PhGlobal::pointTypeOfCode(point->code())];
    if (!point->isAccepted()) ++rejected;
  }

  ReportJson json;
  json.beginObject();
  json.key("project").value(project.projectFile());
  json.key("images").value(images.count());
  json.key("image_points").value(imagePoints);
  json.key("object_points").value(objects.count());
  json.key("points_by_type").beginObject();
  for (int type = 0; type < PhGlobal::PointTypeCount; ++type)
    json.key(PhGlobal::pointTypeName(type, false)).value(byType[type]);
  json.endObject();
  json.key("lonely_image_points").value(sums.lonely);
  json.key("blunders").value(blunders);
  json.key("rejected_object_points").value(rejected);
  json.key("sigma0").value(project.sigma0());
  json.key("redundancy").value(project.averageRedundancy());
  json.key("inversion").value(project.inversion());
  sums.all.write(json.key("rms_image_residual"));
  const PhControlTable control(objects);
  const PhAxisSummary controlAxes[3] = {control.control(0), control.control(1), control.control(2)};
  const PhAxisSummary centreAxes[3] = {control.centres(0), control.centres(1), control.centres(2)};
  writeSummaries(json.key("control"), controlAxes);
  writeSummaries(json.key("centres"), centreAxes);
  json.key("images_list").beginArray();
  for (int i = 0; i < images.count(); ++i)
    writeImage(json, *images.at(i), sums.perImage[std::size_t(i)]);
  json.endArray();
  json.key("messages").beginArray();
  for (const auto &message : messages) {
    json.beginObject();
    json.key("type").value(QString::fromLatin1(typeName(message.first)));
    json.key("text").value(message.second);
    json.endObject();
  }
  json.endArray();
  json.endObject();
  return json.text();
}
