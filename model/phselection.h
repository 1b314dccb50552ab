#ifndef PHSELECTION_H
#define PHSELECTION_H

#include <QHash>
#include <QString>

#include <vector>

class PhImage;
class PhObjectList;
class PhObjectPoint;

// What changed in a selection: the list positions whose selected flag
// flipped, or, when `whole` is set, anything (read it all again).
struct PhSelectionChange {
  const std::vector<int> &changed;
  bool whole = false;
};

// Told of every change of a selection it watches.
class PhSelectionObserver {
 public:
  virtual ~PhSelectionObserver() = default;
  virtual void selectionChanged(const PhSelectionChange &change) = 0;
  // The selection is going away with its list; forget it.
  virtual void selectionGone() = 0;
};

// The selected object points of one list: the points' flags, their number,
// their positions and the image set (the projection centres whose images get
// connection lines, by image ID) kept together. Every change goes through
// here, once, however many views show the list; the views watch it.
class PhSelection {
 public:
  explicit PhSelection(PhObjectList &list);
  ~PhSelection();
  PhSelection(const PhSelection &) = delete;
  PhSelection &operator=(const PhSelection &) = delete;

  void addObserver(PhSelectionObserver *observer);
  void removeObserver(PhSelectionObserver *observer);

  int count() const { return int(mIndices.size()); }
  bool isEmpty() const { return mIndices.empty(); }
  // The list positions of the selected points, ascending.
  const std::vector<int> &indices() const;
  const QHash<int, PhObjectPoint *> &imageSet() const { return mImageSet; }

  // Selects the points at these positions (out-of-range ones are skipped);
  // without `bAdd` everything else is deselected first. Projection centres
  // among them enter the image set.
  void selectIndices(const std::vector<int> &indices, bool bAdd);
  void deselectAll();
  // Selects the points measured in the image and its projection centre;
  // with `bErase` only those.
  void selectImagePoints(const PhImage *image, bool bErase);
  // Applies a search request (PhGlobal::SelectionModeE, PhGlobal::SearchModeE,
  // taken as int so that any value is answered). A request that cannot be
  // read is told once and changes nothing. Never throws: what was done before
  // an error stays, and the selection is read again from the flags.
  void applySearch(int iSelectionMode, int iSearchMode, const QString &strPar1, const QString &strPar2,
                   bool bUsePattern);

  // For the list: a point appended with its flag set, and the list emptied
  // or reordered. These tell no observer: the list's owner hands the list
  // to its views anew.
  void appended(int index, PhObjectPoint *point);
  void cleared();
  void reread();

 private:
  void select(int i, bool bImageSet);
  void deselect(int i);
  void clearAll();
  void notify(bool bWhole = false);

  PhObjectList &mList;
  mutable std::vector<int> mIndices;
  mutable bool mSorted = true;
  QHash<int, PhObjectPoint *> mImageSet;
  std::vector<int> mChanged;
  std::vector<PhSelectionObserver *> mObservers;
};

#endif  // PHSELECTION_H
