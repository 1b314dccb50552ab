#include "phselection.h"

#include <QCoreApplication>

#include <algorithm>
#include <exception>

#include "nubmsg.h"
#include "phexception.h"
#include "phglobal.h"
#include "phimage.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phpointsearch.h"
#include "uxmsg.h"

PhSelection::PhSelection(PhObjectList &list) : mList(list) {}

PhSelection::~PhSelection() {
  // A view may outlive the list it was shown; it must not reach back.
  const std::vector<PhSelectionObserver *> observers = mObservers;
  for (PhSelectionObserver *observer : observers) observer->selectionGone();
}

void PhSelection::addObserver(PhSelectionObserver *observer) {
  if (observer && std::find(mObservers.begin(), mObservers.end(), observer) == mObservers.end())
    mObservers.push_back(observer);
}

void PhSelection::removeObserver(PhSelectionObserver *observer) {
  mObservers.erase(std::remove(mObservers.begin(), mObservers.end(), observer), mObservers.end());
}

const std::vector<int> &PhSelection::indices() const {
  if (!mSorted) {
    std::sort(mIndices.begin(), mIndices.end());
    mSorted = true;
  }
  return mIndices;
}

void PhSelection::select(int i, bool bImageSet) {
  PhObjectPoint *point = mList.at(i);
  if (!point->isSelected()) {
    point->setSelected(true);
    if (!mIndices.empty() && mIndices.back() > i) mSorted = false;
    mIndices.push_back(i);
    mChanged.push_back(i);
  }
  if (bImageSet && point->isProjectionCentre()) mImageSet.insert(point->pointId(), point);
}

// The flag only: callers keep the positions.
void PhSelection::deselect(int i) {
  PhObjectPoint *point = mList.at(i);
  if (!point->isSelected()) return;
  point->setSelected(false);
  mChanged.push_back(i);
}

void PhSelection::clearAll() {
  for (int i : mIndices) deselect(i);
  mIndices.clear();
  mSorted = true;
  mImageSet.clear();
}

void PhSelection::notify(bool bWhole) {
  const PhSelectionChange change{mChanged, bWhole};
  const std::vector<PhSelectionObserver *> observers = mObservers;
  for (PhSelectionObserver *observer : observers) observer->selectionChanged(change);
  mChanged.clear();
}

void PhSelection::selectIndices(const std::vector<int> &indices, bool bAdd) {
  if (!bAdd) clearAll();
  const int n = mList.count();
  for (int i : indices)
    if (i >= 0 && i < n) select(i, true);
  notify();
}

void PhSelection::deselectAll() {
  clearAll();
  notify();
}

void PhSelection::selectImagePoints(const PhImage *image, bool bErase) {
  if (!image) return;
  if (bErase) clearAll();
  bool centreFound = false;
  const int n = mList.count();
  for (int i = 0; i < n; ++i) {
    const PhObjectPoint *point = mList.at(i);
    if (!point->isProjectionCentre()) {
      if (image->hasPoint(point->pointId())) select(i, false);
    } else if (!centreFound && point->pointId() == image->imageId()) {
      select(i, true);
      centreFound = true;
    }
  }
  notify();
}

void PhSelection::applySearch(int iSelectionMode, int iSearchMode, const QString &strPar1,
                              const QString &strPar2, bool bUsePattern) {
  Nub::debug("selectPoints: %d, %d, %s, %s, %d", iSelectionMode, iSearchMode, strPar1.toUtf8().constData(),
             strPar2.toUtf8().constData(), int(bUsePattern));
  // Called from the event loop: nothing may leave it as an exception. What
  // was handled stays; the rest is read again from the flags.
  bool failed = false;
  try {
    PhPointSearch search(iSearchMode, strPar1, strPar2, bUsePattern);
    if (!search.isValid()) return;
    const bool erase = iSelectionMode == PhGlobal::SEL_EraseExisting;
    const bool toImageSet = search.entersImageSet();
    if (erase) {
      // The flags stay until each point is visited.
      mImageSet.clear();
      mIndices.clear();
      mSorted = true;
    }
    const int n = mList.count();
    for (int i = 0; i < n; ++i) {
      PhObjectPoint *point = mList.at(i);
      if (search.matches(point)) {
        if (erase && point->isSelected()) {
          mIndices.push_back(i);
          if (toImageSet && point->isProjectionCentre()) mImageSet.insert(point->pointId(), point);
        } else {
          select(i, toImageSet);
        }
      } else if (erase) {
        deselect(i);
      }
    }
  } catch (const PhException &e) {
    Ux::warn(e.message());
    failed = true;
  } catch (const std::exception &e) {
    Nub::warn("%s", e.what());
    failed = true;
  } catch (...) {
    Ux::warn(QCoreApplication::translate("PhSelection", "Selection stopped by an unexpected error."));
    failed = true;
  }
  if (failed) reread();
  notify(failed);
}

void PhSelection::appended(int index, PhObjectPoint *point) {
  if (!point->isSelected()) return;
  if (!mIndices.empty() && mIndices.back() > index) mSorted = false;
  mIndices.push_back(index);
  if (point->isProjectionCentre() && !mImageSet.contains(point->pointId()))
    mImageSet.insert(point->pointId(), point);
}

void PhSelection::cleared() {
  mIndices.clear();
  mSorted = true;
  mImageSet.clear();
  mChanged.clear();
}

void PhSelection::reread() {
  mIndices.clear();
  mSorted = true;
  mImageSet.clear();
  const int n = mList.count();
  for (int i = 0; i < n; ++i) {
    PhObjectPoint *point = mList.at(i);
    if (!point->isSelected()) continue;
    mIndices.push_back(i);
    if (point->isProjectionCentre() && !mImageSet.contains(point->pointId()))
      mImageSet.insert(point->pointId(), point);
  }
}
