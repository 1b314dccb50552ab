#include "phreportpictures.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

#include "phcontroltable.h"
#include "phdrawsettings.h"
#include "phimagelist.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phobjectview.h"
#include "phobjectviewer.h"
#include "phpointpainter.h"
#include "phreportformat.h"
#include "phviewpicture.h"

namespace {

QString translated(const char *text) { return QCoreApplication::translate("PhReportPictures", text); }

constexpr int LegendPixels = 13;

// The points a plane labels: control points and projection centres.
bool isShown(const PhObjectPoint &point) {
  return PhControlTable::isControlCode(point.code()) || point.isProjectionCentre();
}

// The largest round factor (1, 2 or 5 times a power of ten) not above `x`.
double roundDown(double x) {
  if (!(x > 0.0) || !std::isfinite(x)) return 1.0;
  const double power = std::pow(10.0, std::floor(std::log10(x)));
  for (const double m : {5.0, 2.0, 1.0})
    if (m * power <= x * (1.0 + 1e-12)) return m * power;
  return power;
}

// Puts the list's selection back as it was when made.
class SelectionKeeper {
 public:
  explicit SelectionKeeper(PhObjectList &list) : mList(list), mKept(list.selection().indices()) {}
  ~SelectionKeeper() { mList.selection().selectIndices(mKept, false); }

 private:
  PhObjectList &mList;
  const std::vector<int> mKept;
};

}  // namespace

int PhReportPictures::legendHeight() const { return 3 * (LegendPixels + 8); }

QSize PhReportPictures::planeSize(int iPlane) const {
  double minH = 0.0, maxH = 0.0, minV = 0.0, maxV = 0.0;
  bool any = false;
  for (const PhObjectPoint *point : mObjects) {
    const double h = point->horizontal(iPlane);
    const double v = point->vertical(iPlane);
    if (!std::isfinite(h) || !std::isfinite(v)) continue;
    if (!any) {
      minH = maxH = h;
      minV = maxV = v;
      any = true;
    }
    minH = std::min(minH, h);
    maxH = std::max(maxH, h);
    minV = std::min(minV, v);
    maxV = std::max(maxV, v);
  }
  int height = Width;
  if (any && maxH > minH) height = int(std::lround(Width * (maxV - minV) / (maxH - minH))) + 80;
  return QSize(Width, std::clamp(height, 260, Width) + legendHeight());
}

double PhReportPictures::magnification(int iPlane) {
  // Sized by the sigmas; without an inversion by the residuals.
  std::vector<double> values;
  for (const PhObjectPoint *point : mObjects) {
    if (!isShown(*point)) continue;
    const double pair[2][2] = {{point->horizontalSigma(iPlane), point->verticalSigma(iPlane)},
                               {point->horizontalResidual(iPlane), point->verticalResidual(iPlane)}};
    for (const double value : pair[mInversion ? 0 : 1])
      if (std::isfinite(value) && value != 0.0) values.push_back(std::fabs(value));
  }
  if (values.empty()) return 1.0;
  const QSize size = planeSize(iPlane);
  PhObjectView view(iPlane);
  view.setData(&mObjects, mInversion);
  PhViewPicture::zoomToFit(view, QSize(size.width(), size.height() - legendHeight()));
  // A typical ellipse a fortieth of the width across (beyond the symbols),
  // the largest a twelfth at most.
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  const double median = values[values.size() / 2];
  const double largest = *std::max_element(values.begin(), values.end());
  const double scale = view.scale();
  return roundDown(std::min(size.width() / 40.0 / (median * scale), size.width() / 12.0 / (largest * scale)));
}

void PhReportPictures::paintPlane(QPainter &painter, int iPlane) {
  const QSize size = planeSize(iPlane);
  const QSize drawing(size.width(), size.height() - legendHeight());
  mMagnification = magnification(iPlane);

  const SelectionKeeper keeper(mObjects);
  std::vector<int> shown;
  for (int i = 0; i < mObjects.count(); ++i)
    if (isShown(*mObjects.at(i))) shown.push_back(i);
  mObjects.selection().selectIndices(shown, false);

  PhObjectView view(iPlane);
  PhDrawSettings s = view.drawSettings();
  PhObjectViewer::readPrefs(s);
  s.residualScale = float(mMagnification);
  // The ellipses alone: rejected observations' vectors would reach across
  // the drawing. Without an inversion the residual vectors instead.
  s.residualsOn[VM_Graphical] = !mInversion;
  s.sigmasOn[VM_Graphical] = mInversion;
  s.residualsOn[VM_Textual] = false;
  s.sigmasOn[VM_Textual] = false;
  // Labels while they can be read apart.
  int control = 0;
  int centres = 0;
  for (const PhObjectPoint *point : mObjects) {
    if (PhControlTable::isControlCode(point->code())) ++control;
    if (point->isProjectionCentre()) ++centres;
  }
  s.showPointIds = control <= MaxLabels;
  s.showLinks = false;
  s.showImageIds = centres <= MaxLabels;
  s.showConnections = false;
  s.markSize = 0;
  // Where a large block crowds, counts per pixel in place of symbols keep the
  // drawing small; control points and centres keep theirs on top.
  s.densityOn = true;
  s.scaleBarOn = !mInversion;
  s.vectorUnit = translated("object units");
  s.vectorTextFactor = 1.0;
  view.setDrawSettings(s, false);
  view.setData(&mObjects, mInversion);

  painter.save();
  painter.setClipRect(QRect(QPoint(0, 0), drawing));
  PhViewPicture::paint(view, painter, drawing);
  painter.restore();
  paintLegend(painter, QRect(0, drawing.height(), size.width(), legendHeight()), mMagnification * view.scale());
}

void PhReportPictures::paintLegend(QPainter &painter, const QRect &rect, double factor) {
  PhDrawSettings s;
  PhObjectViewer::readPrefs(s);
  s.hold();
  painter.save();
  painter.fillRect(rect, Qt::white);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(LegendPixels);
  painter.setFont(font);
  const QFontMetrics metrics(font, painter.device());
  const int line = LegendPixels + 8;

  long long byType[PhGlobal::PointTypeCount] = {};
  for (const PhObjectPoint *point : mObjects) ++byType[PhGlobal::pointTypeOfCode(point->code())];
  int x = rect.left() + 8;
  int y = rect.top() + line / 2 + 4;
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    if (!byType[t] || !s.pointOn[t]) continue;
    const QString name = PhGlobal::pointTypeName(t, false);
    const int width = 24 + metrics.horizontalAdvance(name) + 18;
    if (x + width > rect.right()) {
      x = rect.left() + 8;
      y += line;
    }
    const double r = std::max(2.0, s.symbolSize(t) / 2.0);
    const QPointF c(x + 8, y);
    painter.setPen(QPen(s.colour[t], 1.0));
    painter.setBrush(s.colour[t]);
    if (s.symbol[t] == PhGlobal::SYM_Triangle) {
      painter.drawPolygon(QPolygonF({QPointF(c.x(), c.y() - r), QPointF(c.x() + r, c.y() + r), QPointF(c.x() - r, c.y() + r)}));
    } else if (s.symbol[t] == PhGlobal::SYM_Cross) {
      painter.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
      painter.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    } else {
      painter.drawEllipse(c, r, r);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(x + 20, y + metrics.ascent() / 2 - 1), name);
    x += width;
  }
  painter.setPen(Qt::black);
  const QString note = mInversion
                           ? translated("Sigma ellipses of control points and projection centres magnified %1 times.")
                           : translated("Residual vectors of control points and projection centres magnified %1 times "
                                        "(no inversion: no sigmas).");
  const int noteBaseline = y + line + metrics.ascent() / 2 - 1;
  painter.drawText(QPoint(rect.left() + 8, noteBaseline), note.arg(PhReportFormat::significant(mMagnification, 6)));
  // The scale bar of the magnified lengths, at the end of that line.
  double value = 0.0;
  int length = 0;
  if (PhPointPainter::scaleBarValue(factor, value, length) && length < rect.width() / 3) {
    const QString text = translated("%1 object units").arg(PhReportFormat::significant(value, 6));
    const int right = rect.right() - 12;
    const int left = right - length;
    const int barY = noteBaseline - metrics.ascent() / 3;
    painter.drawLine(left, barY, right, barY);
    painter.drawLine(left, barY - 3, left, barY + 3);
    painter.drawLine(right, barY - 3, right, barY + 3);
    painter.drawText(QPoint(left - 8 - metrics.horizontalAdvance(text), noteBaseline), text);
  }
  painter.restore();
}

bool PhReportPictures::paintImage(QPainter &painter, int iImageId) {
  PhImage *image = PhImageList::image(iImageId);
  if (!image) return false;
  PhImageView view;
  PhDrawSettings s = view.drawSettings();
  PhImageViewer::readPrefs(s);
  s.residualsOn[VM_Graphical] = true;
  s.showBlunders = true;
  s.scaleBarOn = true;
  view.setDrawSettings(s, false);
  view.setImage(image);
  // No object list: what is selected in object space leaves no mark, so the
  // same project gives the same picture.
  PhViewPicture::paint(view, painter, imageSize());
  return true;
}
