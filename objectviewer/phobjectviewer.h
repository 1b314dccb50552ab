#ifndef PHOBJECTVIEWER_H
#define PHOBJECTVIEWER_H

#include <vector>

#include "phviewerwindow.h"

class PhImage;
class PhObjectList;
class PhObjectView;
class QKeyEvent;
struct PhDrawSettings;

// The window around the object view of one projection plane. There is at
// most one per plane (0 XY, 1 XZ, 2 YZ); the class keeps them in a table of
// three slots, through which the main window, the search tab and the image
// viewers reach every existing object viewer.
class PhObjectViewer : public PhViewerWindow {
  Q_OBJECT

 public:
  static constexpr int PlaneCount = 3;

  ~PhObjectViewer() override;

  // The viewer of the plane: the existing one, or a new one with that parent
  // (a workspace puts it into a window there). Null for a plane out of range.
  static PhObjectViewer *viewer(int iPlane, QWidget *parent);
  // The existing viewer of the plane, or null.
  static PhObjectViewer *existingViewer(int iPlane);
  // "XY", "XZ", "YZ"; "ERROR!" for any other plane.
  static QString planeName(int iPlane);

  int plane() const { return mPlane; }
  PhObjectView *objectView() const { return mView; }
  bool hasData() const;
  // Hands the view the object points (not owned) and whether sigmas were computed.
  bool setData(PhObjectList *list, bool bSigmasComputed);

  // Reads the object viewer's settings into the view; repaints when asked.
  void applyPrefs(bool bRepaint);
  // The stored settings an object view draws with, over `settings`.
  static void readPrefs(PhDrawSettings &settings);

  // Operations over all existing viewers.
  static void applyPrefsToAll();
  // Only the colouring, density and scale bar as stored (PhColourPrefs), so
  // that the toggles of this session stay.
  static void applyColourPrefsToAll();
  static void selectImagePointsInAll(PhImage *image);
  static void selectPointsInAll(int iSelectionMode, int iSearchMode, const QString &strPar1,
                                const QString &strPar2, bool bUsePattern);
  static void deselectAllPoints();
  // True hides the top tool bars of all object viewers.
  static void hideInterfaces(bool bHide);
  static void saveViewerPlacements();
  static void deleteAllViewers();

 public slots:
  void slotZoomed(int iPercent);

 signals:
  void sigRequestObjectPreferences();

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  PhObjectViewer(int iPlane, QWidget *parent);
  static std::vector<PhObjectList *> _shownLists();

  static PhObjectViewer *_viewer[PlaneCount];

  const int mPlane;
  PhObjectView *mView = nullptr;
};

#endif  // PHOBJECTVIEWER_H
