#ifndef PHBANDTOOL_H
#define PHBANDTOOL_H

#include <QList>
#include <QPoint>
#include <QRect>

// The rubber band of a zoom or selection drag, in contents coordinates: it
// owns the drag from the press to the release, or to a cancel when the
// release will not come, and says which pixels each step changed.
class PhBandTool {
 public:
  // Starts a drag anchored at `pos`; a drag under way is dropped.
  void press(const QPoint &pos);
  bool isActive() const { return mActive; }

  // Moves the free corner to `pos`. Returns the strips that hold the band's
  // old and new edges: the two through the anchor and the two that moved,
  // each spanning the anchor, the previous and the current position, so that
  // drags in every direction repaint all they touch.
  QList<QRect> drag(const QPoint &pos);

  // The band as drawn (invalid when none).
  QRect band() const { return mBand; }
  // What the band covers on screen, its pen included (invalid when none).
  QRect shownArea() const;

  // Ends the drag with its release: the band as released (invalid when the
  // pointer never moved). Nothing is left.
  QRect release();
  // Ends the drag without its release: the area to repaint (invalid when
  // none). Nothing is left, and the next press starts afresh.
  QRect cancel();

 private:
  bool mActive = false;
  bool mMoved = false;
  QPoint mAnchor;
  QPoint mPrev;
  QRect mBand;
};

#endif  // PHBANDTOOL_H
