#ifndef PHCOLOURMENU_H
#define PHCOLOURMENU_H

#include <QObject>

#include <functional>

#include "phcolourprefs.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;

// The "&Colours" menu of a viewer: points by type or by a value, the
// limits of the colour map, density at scale (object viewers) and the
// scale bar of residual vectors. Each choice is stored (PhColourPrefs) and
// then applied to every viewer of the kind.
class PhColourMenu : public QObject {
  Q_OBJECT

 public:
  // Adds the menu to the window's menu bar.
  PhColourMenu(QMainWindow *window, PhColourPrefs::ViewE view, std::function<void()> applyToAll);

  QMenu *menu() const { return mMenu; }
  // The action of a PhDrawSettings::ColourByE choice; null where the view has none.
  QAction *colourByAction(int iColourBy) const;
  QAction *limitsAction() const { return mLimits; }
  QAction *densityAction() const { return mDensity; }
  QAction *scaleBarAction() const { return mScaleBar; }

 private:
  // The checks as stored, which another viewer may have changed.
  void showStored();
  void editLimits();

  const PhColourPrefs::ViewE mView;
  const std::function<void()> mApply;
  QMainWindow *const mWindow;
  QMenu *mMenu = nullptr;
  QActionGroup *mGroup = nullptr;
  QAction *mLimits = nullptr;
  QAction *mDensity = nullptr;
  QAction *mScaleBar = nullptr;
};

#endif  // PHCOLOURMENU_H
