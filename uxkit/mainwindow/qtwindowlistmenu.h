#ifndef QTWINDOWLISTMENU_H
#define QTWINDOWLISTMENU_H

#include "nubux_export.h"

#include <QHash>
#include <QMenu>

class QAction;
class QMdiArea;
class QMdiSubWindow;

// The window menu of a multi-document workspace: tile, cascade, tile
// horizontally, close, close all, and one checkable entry per window with
// the active one checked.
class NUBUX_EXPORT QtWindowListMenu : public QMenu {
  Q_OBJECT

 public:
  QtWindowListMenu(QMdiArea *workspace, QWidget *parent = nullptr, const char *name = nullptr);
  ~QtWindowListMenu() override;

  QMdiArea *workspace() const { return mWorkspace; }
  // The entry of a window, or null when it is not listed.
  QAction *windowAction(QMdiSubWindow *window) const;
  QAction *closeAction() const { return mClose; }
  QAction *closeAllAction() const { return mCloseAll; }
  QAction *tileAction() const { return mTile; }
  QAction *cascadeAction() const { return mCascade; }
  QAction *tileHorizontalAction() const { return mTileHorizontal; }

 public slots:
  // Lists the window if new and checks its entry; null unchecks all.
  void addWindow(QMdiSubWindow *window);
  void windowDestroyed(QObject *object);
  void setEnabled(bool enabled);
  void uncheckAll();
  void closeCurrentWindow();
  void closeAllWindows();

 private slots:
  void _tileHorizontal();

 private:
  void _updateClose();

  QMdiArea *mWorkspace = nullptr;
  QHash<QObject *, QAction *> mWindows;
  QAction *mTile = nullptr;
  QAction *mCascade = nullptr;
  QAction *mTileHorizontal = nullptr;
  QAction *mClose = nullptr;
  QAction *mCloseAll = nullptr;
};

#endif  // QTWINDOWLISTMENU_H
