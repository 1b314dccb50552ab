#include "qtwindowlistmenu.h"

#include "nubmsg.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

QtWindowListMenu::QtWindowListMenu(QMdiArea *workspace, QWidget *parent, const char *name)
    : QMenu(parent), mWorkspace(workspace) {
  Nub::debug("QtWindowListMenu");
  if (name) setObjectName(QString::fromUtf8(name));

  mTile = addAction(tr("&Tile"));
  mTile->setShortcut(QKeySequence(Qt::Key_F4));
  mCascade = addAction(tr("&Cascade"));
  mTileHorizontal = addAction(tr("&Tile &horizontal"));
  addSeparator();
  mClose = addAction(tr("&Close"));
  mCloseAll = addAction(tr("&Close all"));
  addSeparator();

  if (mWorkspace) {
    connect(mTile, &QAction::triggered, mWorkspace, &QMdiArea::tileSubWindows);
    connect(mCascade, &QAction::triggered, mWorkspace, &QMdiArea::cascadeSubWindows);
    connect(mWorkspace, &QMdiArea::subWindowActivated, this, &QtWindowListMenu::addWindow);
  }
  connect(mTileHorizontal, &QAction::triggered, this, &QtWindowListMenu::_tileHorizontal);
  connect(mClose, &QAction::triggered, this, &QtWindowListMenu::closeCurrentWindow);
  connect(mCloseAll, &QAction::triggered, this, &QtWindowListMenu::closeAllWindows);
  _updateClose();
}

QtWindowListMenu::~QtWindowListMenu() { Nub::debug("~QtWindowListMenu"); }

QAction *QtWindowListMenu::windowAction(QMdiSubWindow *window) const {
  return mWindows.value(window, nullptr);
}

void QtWindowListMenu::addWindow(QMdiSubWindow *window) {
  if (!window) {
    uncheckAll();
    _updateClose();
    return;
  }
  QAction *item = mWindows.value(window, nullptr);
  if (!item) {
    item = addAction(window->windowTitle());
    item->setCheckable(true);
    mWindows.insert(window, item);
    connect(item, &QAction::triggered, window, [this, window]() {
      window->showNormal();
      if (mWorkspace) mWorkspace->setActiveSubWindow(window);
      window->widget() ? window->widget()->setFocus() : window->setFocus();
      // Choosing toggled the entry: check again whatever is active now.
      addWindow(mWorkspace ? mWorkspace->activeSubWindow() : window);
    });
    connect(window, &QObject::destroyed, this, &QtWindowListMenu::windowDestroyed);
    connect(window, &QWidget::windowTitleChanged, item, &QAction::setText);
  }
  for (auto it = mWindows.cbegin(); it != mWindows.cend(); ++it)
    it.value()->setChecked(it.key() == window);
  _updateClose();
}

void QtWindowListMenu::windowDestroyed(QObject *object) {
  QAction *item = mWindows.take(object);
  if (item) {
    removeAction(item);
    delete item;
  }
  _updateClose();
}

void QtWindowListMenu::setEnabled(bool enabled) { QMenu::setEnabled(enabled); }

void QtWindowListMenu::uncheckAll() {
  for (QAction *item : std::as_const(mWindows)) item->setChecked(false);
}

void QtWindowListMenu::closeCurrentWindow() {
  if (mWorkspace) mWorkspace->closeActiveSubWindow();
}

void QtWindowListMenu::closeAllWindows() {
  if (mWorkspace) mWorkspace->closeAllSubWindows();
}

void QtWindowListMenu::_updateClose() {
  mClose->setEnabled(!mWindows.isEmpty());
}

void QtWindowListMenu::_tileHorizontal() {
  if (!mWorkspace) return;
  QList<QMdiSubWindow *> windows;
  const QList<QMdiSubWindow *> all = mWorkspace->subWindowList(QMdiArea::CreationOrder);
  for (QMdiSubWindow *window : all) {
    if (!window->isHidden() || window->isMaximized()) windows.append(window);
  }
  if (windows.isEmpty()) return;

  const QSize area = mWorkspace->viewport()->size();
  const int share = area.height() / windows.size();
  int y = 0;
  for (QMdiSubWindow *window : std::as_const(windows)) {
    if (window->isMaximized()) {
      window->hide();
      window->showNormal();
    }
    // The frame adds a title bar and borders to the window it holds.
    const QMargins frame = window->contentsMargins();
    const QWidget *inner = window->widget();
    const int minHeight = inner ? inner->minimumHeight() + frame.top() + frame.bottom()
                                : window->minimumHeight();
    const int height = qMax(share, minHeight);
    window->setGeometry(0, y, area.width(), height);
    y += height;
  }
}
