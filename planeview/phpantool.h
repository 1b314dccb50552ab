#ifndef PHPANTOOL_H
#define PHPANTOOL_H

#include <QPoint>

// A scroll drag: the drawing follows the hand. Works in global pointer
// positions, so that the scrolling it causes does not feed back.
class PhPanTool {
 public:
  void press(const QPoint &globalPos) {
    mActive = true;
    mLast = globalPos;
  }
  bool isActive() const { return mActive; }
  // How far to scroll the contents for the pointer now at `globalPos`;
  // nothing without a drag.
  QPoint drag(const QPoint &globalPos) {
    if (!mActive) return QPoint();
    const QPoint by = mLast - globalPos;
    mLast = globalPos;
    return by;
  }
  // Ends the drag, with or without its release.
  void cancel() { mActive = false; }

 private:
  bool mActive = false;
  QPoint mLast;
};

#endif  // PHPANTOOL_H
