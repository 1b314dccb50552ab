#ifndef PHVIEWERWINDOW_H
#define PHVIEWERWINDOW_H

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>

#include "phviewmode.h"

class PhZoomView;
class QAction;
class QActionGroup;
class QIcon;
class QKeyEvent;
class QKeySequence;
class QMdiSubWindow;
class QMenu;
class QSpinBox;
class QString;
class QToolBar;

namespace Ux {
class Cfg;
}

// What the image and object viewer windows share: a main window of their
// own, deleted when closed, that sits in a window (its frame) of the main
// window's workspace; tool bars at the top, each with a menu of the same
// name; the "File" and "Zooming" tool bars and the interaction modes of the
// "Extras" tool bar; and the writing of its placement.
class PhViewerWindow : public QMainWindow {
  Q_OBJECT

 public:
  // A workspace (QMdiArea) as parent puts the viewer into a window of its own there.
  explicit PhViewerWindow(QWidget *parent = nullptr);
  ~PhViewerWindow() override;

  // The viewer's window in the workspace; the viewer itself outside one.
  QWidget *frame();
  const QWidget *frame() const;

  // Hides or shows the tool bars at the top.
  virtual void setInterfaceHidden(bool bHide);

  // Writes "Viewer_%1" (the tool-bar layout) and "Geometry_%1" (the frame's
  // geometry) for the placement number; the trace names it "<tag>_GEO_%d".
  void writePlacement(Ux::Cfg &cfg, int iNumber, const char *tag) const;

  QSpinBox *zoomSpinBox() const { return mZoomSpin; }
  QAction *zoomToFitAction() const { return mZoomFit; }
  QAction *openFittedAction() const { return mOpenFitted; }

  // Whether new viewers open with their contents fitted into the window
  // ("Analysis" / "OpenFitted", off by default).
  static bool opensFitted();
  static void setOpensFitted(bool bOn);

 protected:
  // A tool bar at the top, with a menu of the same name in the menu bar.
  QToolBar *addBarWithMenu(const QString &barTitle, const QString &menuTitle, QMenu **menu);
  // An action in the tool bar and in the menu (either may be null). Its key
  // works while the keyboard focus is anywhere in this viewer, so that
  // several viewers can have the same keys.
  QAction *addBoth(QToolBar *bar, QMenu *menu, const QIcon &icon, const QString &text,
                   const QKeySequence &key);
  void addKeyOf(QAction *action);

  // "File" / "&File" with "&Close"; in the menu before it, for the view,
  // "&Export View..." (PNG, SVG or PDF of what it shows) and "&Print...".
  void buildFileBar(PhZoomView *view);
  // "Zooming" / "&Zooming": zoom in, the zoom spin box, zoom out, zoom to
  // fit and the fixed zooms, all reaching the view; and the "Open Fitted"
  // switch, which this viewer's view follows as it is made.
  void buildZoomBar(PhZoomView *view);
  // An exclusive group of toggle actions mapped to the view's modes
  // 0, 1, ...; the first is on.
  QActionGroup *addModeGroup(QToolBar *bar, QMenu *menu, PhZoomView *view, const QStringList &texts,
                             const QList<QIcon> &icons);
  // Enables the zoom controls for the zoom, or disables all without data.
  void updateZoomControls(int iPercent, bool bHasData);

  // One entry of a viewer's key map: a key and what its modifiers mean.
  struct KeyRule {
    enum ModifiersE {
      // Only without modifiers; with them the key belongs to the main window.
      KEY_PlainOnly,
      // Shift means textual, anything else graphical.
      KEY_ShiftTextual,
      // Shift means textual, none graphical; other modifiers take the key
      // and do nothing.
      KEY_ShiftTextualOnly
    };
    int key;
    ModifiersE modifiers;
    std::function<void(ViewModeE)> action;
  };
  // The keys both viewers share: B, L and P toggle the view's blunders, link
  // counts and point IDs.
  static QList<KeyRule> sharedKeys(PhZoomView *view);
  // Runs the rule of the pressed key; false when the map has none.
  static bool handleKey(QKeyEvent *event, const QList<KeyRule> &map);

  // An icon both viewers show, by name.
  static QIcon icon(const char *name);
  // The viewer's icon, also on its window in the workspace.
  void setViewerIcon(const QIcon &icon);

 private:
  void exportView(PhZoomView *view);
  void printView(PhZoomView *view);

  QPointer<QMdiSubWindow> mFrame;
  QList<QToolBar *> mBars;
  QAction *mZoomIn = nullptr;
  QAction *mZoomOut = nullptr;
  QAction *mZoomFit = nullptr;
  QAction *mOpenFitted = nullptr;
  QList<QAction *> mFixedZooms;
  QSpinBox *mZoomSpin = nullptr;
};

#endif  // PHVIEWERWINDOW_H
