#ifndef PHSELECTIONLINK_H
#define PHSELECTIONLINK_H

#include <QObject>

#include <vector>

#include "phselection.h"

class PhAnalysisTable;
class PhObjectList;

// Keeps the rows of analysis tables and the selection of an object list
// alike, both ways: a changed table selection selects its rows' points
// (one request to the list's selection), and a change of that selection
// selects exactly the rows whose points are selected, as merged ranges in
// one call. A table's own change does not come back to it.
class PhSelectionLink : public QObject, private PhSelectionObserver {
  Q_OBJECT

 public:
  explicit PhSelectionLink(QObject *parent = nullptr);
  ~PhSelectionLink() override;

  // A table whose model's rows know their points; set its model first.
  void addTable(PhAnalysisTable *table);
  // The list whose selection is followed (not owned); null lets go.
  void setList(PhObjectList *list);
  PhObjectList *list() const { return mList; }
  // Every table's rows from the list's flags, as after a change.
  void showSelection();

 signals:
  // The selection holds exactly one point now.
  void sigSinglePoint(int iPointId);
  // The list is going away: whatever shows its points must let go now.
  void sigListGone();

 private:
  void tableChanged(PhAnalysisTable *table);
  void showIn(PhAnalysisTable *table);
  void selectionChanged(const PhSelectionChange &change) override;
  void selectionGone() override;

  PhObjectList *mList = nullptr;
  std::vector<PhAnalysisTable *> mTables;
  // The table whose change is being handed to the list, and whether the
  // tables are being set from the list.
  PhAnalysisTable *mOrigin = nullptr;
  bool mShowing = false;
  std::vector<int> mPositions;
};

#endif  // PHSELECTIONLINK_H
