#include "phbandtool.h"

#include <algorithm>

namespace {

// The rectangle with both points as corners, whichever way round.
QRect spanning(const QPoint &a, const QPoint &b) {
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

}  // namespace

void PhBandTool::press(const QPoint &pos) {
  cancel();
  mActive = true;
  mAnchor = pos;
}

QList<QRect> PhBandTool::drag(const QPoint &pos) {
  if (!mActive) return {};
  const QPoint a = mAnchor;
  mBand = spanning(a, pos);
  const QPoint p = mMoved ? mPrev : pos;
  const int xLo = std::min({a.x(), p.x(), pos.x()});
  const int xHi = std::max({a.x(), p.x(), pos.x()});
  const int yLo = std::min({a.y(), p.y(), pos.y()});
  const int yHi = std::max({a.y(), p.y(), pos.y()});
  mPrev = pos;
  mMoved = true;
  return {spanning(QPoint(xLo, a.y()), QPoint(xHi, a.y())), spanning(QPoint(p.x(), yLo), QPoint(pos.x(), yHi)),
          spanning(QPoint(xLo, p.y()), QPoint(xHi, pos.y())), spanning(QPoint(a.x(), yLo), QPoint(a.x(), yHi))};
}

QRect PhBandTool::shownArea() const { return mBand.isValid() ? mBand.adjusted(-1, -1, 1, 1) : QRect(); }

QRect PhBandTool::release() {
  const QRect band = mBand;
  cancel();
  return band;
}

QRect PhBandTool::cancel() {
  const QRect shown = shownArea();
  mActive = false;
  mMoved = false;
  mBand = QRect();
  return shown;
}
