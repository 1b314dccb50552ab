#include "monkeydriver.h"

#include "monkeyinvariants.h"
#include "monkeylog.h"
#include "monkeymodals.h"
#include "monkeyrng.h"
#include "monkeywatchdog.h"
#include "phanalysisdock.h"
#include "phimageview.h"
#include "phimageviewer.h"
#include "phobjectview.h"
#include "phobjectviewer.h"
#include "phsearchwidget.h"
#include "tessella.h"
#include "uxtabdialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWheelEvent>
#include <cstdio>
#include <cstdlib>

namespace {

const int kKeys[] = {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_F, Qt::Key_G, Qt::Key_H,
                     Qt::Key_I, Qt::Key_J, Qt::Key_K, Qt::Key_L, Qt::Key_M, Qt::Key_N, Qt::Key_O, Qt::Key_P,
                     Qt::Key_Q, Qt::Key_R, Qt::Key_S, Qt::Key_T, Qt::Key_U, Qt::Key_V, Qt::Key_W, Qt::Key_X,
                     Qt::Key_Y, Qt::Key_Z, Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_9,
                     Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F9, Qt::Key_F11,
                     Qt::Key_F12, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Plus,
                     Qt::Key_Minus, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Escape,
                     Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Delete, Qt::Key_Backspace};

QString keyName(int key, Qt::KeyboardModifiers modifiers) {
  return QKeySequence(int(modifiers) | key).toString();
}

Qt::KeyboardModifiers randomModifiers(MonkeyRng &rng) {
  switch (rng.below(20)) {
    case 0: case 1: case 2: case 3: return Qt::ShiftModifier;
    case 4: case 5: case 6: return Qt::ControlModifier;
    case 7: return Qt::AltModifier;
    case 8: return Qt::ControlModifier | Qt::ShiftModifier;
    case 9: return Qt::MetaModifier;
    default: return Qt::NoModifier;
  }
}

Qt::MouseButton randomButton(MonkeyRng &rng) {
  const int roll = rng.below(10);
  return roll < 6 ? Qt::LeftButton : roll < 8 ? Qt::RightButton : Qt::MiddleButton;
}

QString describe(const QWidget *w) {
  if (!w) return QStringLiteral("(none)");
  QString name = QString::fromLatin1(w->metaObject()->className());
  if (!w->objectName().isEmpty()) name += QLatin1Char('#') + w->objectName();
  return name;
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons, modifiers);
  QApplication::sendEvent(target, &event);
}

}  // namespace

MonkeyDriver::MonkeyDriver(Tessella *window, MonkeyRng &rng, MonkeyModals &modals, MonkeyWatchdog &watchdog,
                           const Budget &budget, QObject *parent)
    : QObject(parent), mWindow(window), mRng(rng), mModals(modals), mWatchdog(watchdog), mBudget(budget) {}

void MonkeyDriver::start() {
  mClock.start();
  QTimer::singleShot(0, this, &MonkeyDriver::_step);
}

void MonkeyDriver::_step() {
  if (!mWindow) return;
  // Behind a modal dialog a user can do nothing but answer it; the next step
  // waits until it is answered (the dialog's loop runs this timer too).
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
    QTimer::singleShot(10, this, &MonkeyDriver::_step);
    return;
  }
  if (mSteps >= mBudget.actions || mClock.elapsed() >= qint64(mBudget.seconds) * 1000) {
    _leave();
    return;
  }
  ++mSteps;
  QElapsedTimer took;
  took.start();
  const int roll = mRng.below(100);
  if (roll < 18) _menuAction();
  else if (roll < 24) _openProject();
  else if (roll < 42) _key();
  else if (roll < 62) _mouse();
  else if (roll < 72) _listView();
  else if (roll < 80) _docks();
  else if (roll < 90) _viewerWindows();
  else if (roll < 97) _preferences();
  else _resizeWindow();
  if (!mWindow) return;
  _settle();
  // What a hang report needs: which steps came near the watchdog's limit.
  if (took.elapsed() > 1000) MonkeyLog::line(QStringLiteral("  slow step: %1 ms").arg(took.elapsed()));
  mWatchdog.beat();
  _check();
  QTimer::singleShot(0, this, &MonkeyDriver::_step);
}

void MonkeyDriver::_settle() {
  QCoreApplication::processEvents();
  // A popup the step left open is answered before the next step, so that
  // every run of a seed sees the same states.
  for (int i = 0; i < 400 && (QApplication::activePopupWidget() || QApplication::activeModalWidget()); ++i)
    QTest::qWait(5);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

void MonkeyDriver::_check() {
  if (!mWindow) return;
  const bool full = mWindow->objects().count() < 20000 || mSteps % 10 == 0;
  const QString broken = MonkeyInvariants::check(*mWindow, full);
  ++mChecks;
  if (broken.isEmpty()) return;
  MonkeyLog::line(QStringLiteral("INVARIANT: %1").arg(broken));
  std::fprintf(stderr, "monkey: invariant broken after step %d: %s\n", mSteps, qUtf8Printable(broken));
  std::fflush(stderr);
  std::_Exit(3);
}

void MonkeyDriver::_leave() {
  mLeaving = true;
  const bool preferences = mRng.chance(0.5);
  const bool positions = mRng.chance(0.5);
  const bool viaQuit = mRng.chance(0.5);
  mModals.setLeaving(preferences, positions);
  MonkeyLog::line(QStringLiteral("leave: %1, preferences %2, positions %3")
                      .arg(viaQuit ? QStringLiteral("Quit") : QStringLiteral("close"))
                      .arg(int(preferences))
                      .arg(int(positions)));
  // A way out that does not end the loop is a fault of its own.
  QTimer::singleShot(60000, qApp, [] {
    MonkeyLog::line(QStringLiteral("NOT LEFT: the program is still running a minute after the exit dialog"));
    std::fprintf(stderr, "monkey: the program did not leave\n");
    QCoreApplication::exit(4);
  });
  if (viaQuit)
    mWindow->action(Ux::MainWindow::UIA_FileQuit)->trigger();
  else
    mWindow->close();
}

// ---- the steps --------------------------------------------------------------------------------

void MonkeyDriver::_collect(QMenu *menu, const QString &path, QList<QPair<QString, QAction *>> &into,
                            int depth) const {
  if (!menu || depth > 4) return;
  // Menus fill some entries as they open (window list, recent projects).
  QMetaObject::invokeMethod(menu, "aboutToShow");
  for (QAction *action : menu->actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    const QString name = path + QLatin1Char('/') + action->text();
    if (action->menu())
      _collect(action->menu(), name, into, depth + 1);
    else if (action->isEnabled())
      into.append({name, action});
  }
}

void MonkeyDriver::_menuAction() {
  QList<QPair<QString, QAction *>> actions;
  QMainWindow *owner = mWindow;
  const QList<QWidget *> viewers = _viewers();
  if (!viewers.isEmpty() && mRng.chance(0.5)) owner = static_cast<QMainWindow *>(viewers.at(mRng.below(int(viewers.size()))));
  for (QAction *top : owner->menuBar()->actions())
    if (top->menu()) _collect(top->menu(), describe(owner), actions, 0);
  if (actions.isEmpty()) return;
  const auto &chosen = actions.at(mRng.below(int(actions.size())));
  MonkeyLog::line(QStringLiteral("step %1: menu %2").arg(mSteps).arg(chosen.first));
  QPointer<QAction> action(chosen.second);
  action->trigger();
}

void MonkeyDriver::_openProject() {
  MonkeyLog::line(QStringLiteral("step %1: Project > Open").arg(mSteps));
  if (QAction *open = mWindow->action(Ux::MainWindow::UIA_FileOpen)) open->trigger();
}

QList<QWidget *> MonkeyDriver::_viewers() const {
  QList<QWidget *> viewers;
  for (PhImageViewer *viewer : PhImageViewer::viewers()) viewers << viewer;
  for (int plane = 0; plane < PhObjectViewer::PlaneCount; ++plane)
    if (PhObjectViewer *viewer = PhObjectViewer::existingViewer(plane)) viewers << viewer;
  return viewers;
}

QList<QWidget *> MonkeyDriver::_views() const {
  QList<QWidget *> views;
  for (PhImageViewer *viewer : PhImageViewer::viewers()) views << viewer->imageView();
  for (int plane = 0; plane < PhObjectViewer::PlaneCount; ++plane)
    if (PhObjectViewer *viewer = PhObjectViewer::existingViewer(plane)) views << viewer->objectView();
  return views;
}

void MonkeyDriver::_key() {
  QList<QWidget *> targets;
  if (QWidget *focus = QApplication::focusWidget()) targets << focus << focus;
  targets << mWindow << mWindow->imageListView() << mWindow->objectListView();
  for (QWidget *viewer : _viewers()) targets << viewer;
  for (QWidget *view : _views()) targets << static_cast<QAbstractScrollArea *>(view)->viewport();
  QPointer<QWidget> target = targets.at(mRng.below(int(targets.size())));
  // Shift with the point-type keys and Ctrl with 1..3 are the main window's
  // own; they come often enough to matter.
  int key = kKeys[mRng.below(int(sizeof kKeys / sizeof kKeys[0]))];
  Qt::KeyboardModifiers modifiers = randomModifiers(mRng);
  const int times = mRng.chance(0.1) ? mRng.between(2, 6) : 1;
  MonkeyLog::line(QStringLiteral("step %1: key %2 x%3 to %4").arg(mSteps).arg(keyName(key, modifiers)).arg(times).arg(describe(target)));
  for (int i = 0; i < times && target; ++i) QTest::keyClick(target.data(), Qt::Key(key), modifiers);
}

void MonkeyDriver::_mouse() {
  QList<QWidget *> views = _views();
  if (views.isEmpty()) {
    // Without a viewer the user opens one: an image from the list or a plane.
    if (mWindow->hasProject()) {
      const int plane = mRng.below(3);
      MonkeyLog::line(QStringLiteral("step %1: key Ctrl+%2 to open a viewer").arg(mSteps).arg(plane + 1));
      QTest::keyClick(mWindow.data(), Qt::Key(Qt::Key_1 + plane), Qt::ControlModifier);
    }
    return;
  }
  auto *view = static_cast<QAbstractScrollArea *>(views.at(mRng.below(int(views.size()))));
  QPointer<QWidget> port = view->viewport();
  const QSize size = port->size().expandedTo(QSize(10, 10));
  auto anywhere = [&]() {
    // Mostly inside, now and then just outside the visible part.
    return QPoint(mRng.between(-20, size.width() + 20), mRng.between(-20, size.height() + 20));
  };
  const Qt::KeyboardModifiers modifiers = randomModifiers(mRng);
  const int kind = mRng.below(10);
  const QPoint from = anywhere();
  if (kind < 2) {
    const Qt::MouseButton button = randomButton(mRng);
    MonkeyLog::line(QStringLiteral("step %1: click %2 at %3,%4 in %5").arg(mSteps).arg(int(button)).arg(from.x()).arg(from.y()).arg(describe(view)));
    sendMouse(port, QEvent::MouseButtonPress, from, button, button, modifiers);
    if (port) sendMouse(port, QEvent::MouseButtonRelease, from, button, Qt::NoButton, modifiers);
    if (port && mRng.chance(0.3)) {
      sendMouse(port, QEvent::MouseButtonDblClick, from, button, button, modifiers);
      if (port) sendMouse(port, QEvent::MouseButtonRelease, from, button, Qt::NoButton, modifiers);
    }
  } else if (kind < 6) {
    // A drag: a band, a pan or a zoom box, finished or interrupted.
    const Qt::MouseButton button = randomButton(mRng);
    const int moves = mRng.between(1, 8);
    const int ending = mRng.below(6);
    MonkeyLog::line(QStringLiteral("step %1: drag %2 from %3,%4, %5 moves, ending %6 in %7").arg(mSteps).arg(int(button)).arg(from.x()).arg(from.y()).arg(moves).arg(ending).arg(describe(view)));
    sendMouse(port, QEvent::MouseButtonPress, from, button, button, modifiers);
    QPoint at = from;
    for (int i = 0; i < moves && port; ++i) {
      at = anywhere();
      sendMouse(port, QEvent::MouseMove, at, Qt::NoButton, button, modifiers);
    }
    if (!port) return;
    switch (ending) {
      case 0: QTest::keyClick(port.data(), Qt::Key_Escape); break;            // Escape in the middle
      case 1: sendMouse(port, QEvent::MouseButtonPress, at, Qt::RightButton, button | Qt::RightButton, modifiers); break;
      case 2: {                                                                // focus taken away
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(view, &out);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(port, &leave);
        break;
      }
      case 3: break;  // never released: the next step finds it half done
      default: break;
    }
    if (port && ending != 3) sendMouse(port, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
  } else if (kind < 9) {
    const int turns = mRng.between(1, 4);
    const int delta = (mRng.chance(0.5) ? 120 : -120) * (mRng.chance(0.2) ? 5 : 1);
    MonkeyLog::line(QStringLiteral("step %1: wheel %2 x%3 at %4,%5 in %6").arg(mSteps).arg(delta).arg(turns).arg(from.x()).arg(from.y()).arg(describe(view)));
    for (int i = 0; i < turns && port; ++i) {
      const bool horizontal = mRng.chance(0.2);
      QWheelEvent wheel(QPointF(from), QPointF(port->mapToGlobal(from)), QPoint(),
                        horizontal ? QPoint(delta, 0) : QPoint(0, delta), Qt::NoButton, modifiers,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(port, &wheel);
    }
  } else {
    MonkeyLog::line(QStringLiteral("step %1: context menu at %2,%3 in %4").arg(mSteps).arg(from.x()).arg(from.y()).arg(describe(view)));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, from, port->mapToGlobal(from), modifiers);
    QApplication::sendEvent(port, &menu);
  }
}

void MonkeyDriver::_listView() {
  QTreeView *list = mRng.chance(0.5) ? mWindow->imageListView() : mWindow->objectListView();
  QAbstractItemModel *model = list->model();
  const int rows = model->rowCount();
  QPointer<QWidget> port = list->viewport();
  const int kind = mRng.below(6);
  if (kind == 0) {
    const int section = mRng.below(qMax(1, model->columnCount()));
    MonkeyLog::line(QStringLiteral("step %1: sort %2 by column %3").arg(mSteps).arg(describe(list)).arg(section));
    QHeaderView *header = list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(section) + 3, header->height() / 2));
    return;
  }
  if (rows == 0) {
    MonkeyLog::line(QStringLiteral("step %1: context menu in empty %2").arg(mSteps).arg(describe(list)));
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), port->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(port, &menu);
    return;
  }
  const QModelIndex index = model->index(mRng.below(rows), mRng.below(qMax(1, model->columnCount())));
  list->scrollTo(index);
  const QPoint at = list->visualRect(index).center();
  MonkeyLog::line(QStringLiteral("step %1: %2 row %3 of %4").arg(mSteps).arg(kind).arg(index.row()).arg(describe(list)));
  switch (kind) {
    case 1: QTest::mouseClick(port.data(), Qt::LeftButton, randomModifiers(mRng), at); break;
    case 2: QTest::mouseDClick(port.data(), Qt::LeftButton, Qt::NoModifier, at); break;
    case 3: list->setExpanded(index.siblingAtColumn(0), !list->isExpanded(index.siblingAtColumn(0))); break;
    case 4: {
      QContextMenuEvent menu(QContextMenuEvent::Mouse, at, port->mapToGlobal(at));
      QApplication::sendEvent(port, &menu);
      break;
    }
    default:
      list->setCurrentIndex(index);
      QTest::keyClick(list, Qt::Key_Return);
      break;
  }
}

void MonkeyDriver::_docks() {
  const QList<QDockWidget *> docks = mWindow->findChildren<QDockWidget *>();
  if (docks.isEmpty()) return;
  QDockWidget *dock = docks.at(mRng.below(int(docks.size())));
  MonkeyLog::line(QStringLiteral("step %1: dock %2").arg(mSteps).arg(dock->windowTitle()));
  if (mRng.chance(0.1)) {
    dock->setVisible(!dock->isVisible());
    return;
  }
  dock->raise();
  _fiddle(dock, true);
}

void MonkeyDriver::_fiddle(QWidget *root, bool bButtons) {
  QList<QWidget *> widgets;
  for (QWidget *w : root->findChildren<QWidget *>()) {
    if (!w->isVisible() || !w->isEnabled()) continue;
    if (qobject_cast<QAbstractButton *>(w) ? bButtons
                                            : (qobject_cast<QComboBox *>(w) || qobject_cast<QSpinBox *>(w) ||
                                               qobject_cast<QDoubleSpinBox *>(w) || qobject_cast<QLineEdit *>(w) ||
                                               qobject_cast<QTabWidget *>(w) || qobject_cast<QAbstractItemView *>(w)))
      widgets << w;
  }
  if (widgets.isEmpty()) return;
  QWidget *w = widgets.at(mRng.below(int(widgets.size())));
  MonkeyLog::line(QStringLiteral("  on %1 '%2'").arg(describe(w), [w]() {
    auto *button = qobject_cast<QAbstractButton *>(w);
    return button ? button->text() : QString();
  }()));
  if (auto *button = qobject_cast<QAbstractButton *>(w)) {
    button->click();
  } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
    combo->setCurrentIndex(mRng.below(qMax(1, combo->count())));
  } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
    spin->setValue(mRng.chance(0.7) ? mRng.between(spin->minimum(), qMin(spin->maximum(), spin->minimum() + 200))
                                    : spin->maximum());
  } else if (auto *dspin = qobject_cast<QDoubleSpinBox *>(w)) {
    dspin->setValue(dspin->minimum() + (dspin->maximum() - dspin->minimum()) * mRng.below(1001) / 1000.0);
  } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
    static const char *const texts[] = {"", "1", "1001", "12*", "?0?", "-5", "99999999999", "a b", "%s%n", "*"};
    edit->setText(QString::fromLatin1(texts[mRng.below(10)]));
    QTest::keyClick(edit, Qt::Key_Return);
  } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
    tabs->setCurrentIndex(mRng.below(tabs->count()));
  } else if (auto *items = qobject_cast<QAbstractItemView *>(w)) {
    QAbstractItemModel *model = items->model();
    if (!model || model->rowCount() == 0) return;
    const QModelIndex index = model->index(mRng.below(model->rowCount()), mRng.below(qMax(1, model->columnCount())));
    items->scrollTo(index);
    const QPoint at = items->visualRect(index).center();
    if (mRng.chance(0.5))
      QTest::mouseClick(items->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    else
      QTest::mouseDClick(items->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }
}

void MonkeyDriver::_viewerWindows() {
  QMdiArea *area = mWindow->workspace();
  const QList<QMdiSubWindow *> frames = area->subWindowList();
  const int kind = mRng.below(8);
  if (frames.isEmpty() || kind == 0) {
    if (!mWindow->hasProject()) return;
    if (mRng.chance(0.5) && !mWindow->images().isEmpty()) {
      QAbstractItemModel *model = mWindow->imageListView()->model();
      const QModelIndex index = model->index(mRng.below(model->rowCount()), 0);
      MonkeyLog::line(QStringLiteral("step %1: double-click image row %2").arg(mSteps).arg(index.row()));
      mWindow->imageListView()->scrollTo(index);
      QTest::mouseDClick(mWindow->imageListView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                         mWindow->imageListView()->visualRect(index).center());
    } else {
      const int plane = mRng.below(3);
      MonkeyLog::line(QStringLiteral("step %1: key Ctrl+%2").arg(mSteps).arg(plane + 1));
      QTest::keyClick(mWindow.data(), Qt::Key(Qt::Key_1 + plane), Qt::ControlModifier);
    }
    return;
  }
  QPointer<QMdiSubWindow> frame = frames.at(mRng.below(int(frames.size())));
  static const char *const names[] = {"open", "close", "tile", "cascade", "activate", "maximise", "minimise", "resize"};
  MonkeyLog::line(QStringLiteral("step %1: viewer window %2 %3").arg(mSteps).arg(QString::fromLatin1(names[kind]), frame->windowTitle()));
  switch (kind) {
    case 1: frame->close(); break;
    case 2: area->tileSubWindows(); break;
    case 3: area->cascadeSubWindows(); break;
    case 4: area->setActiveSubWindow(frame); break;
    case 5: frame->isMaximized() ? frame->showNormal() : frame->showMaximized(); break;
    case 6: frame->isMinimized() ? frame->showNormal() : frame->showMinimized(); break;
    default: frame->resize(mRng.between(20, 1400), mRng.between(20, 1000)); break;
  }
}

void MonkeyDriver::_preferences() {
  Ux::TabDialog *prefs = mWindow->prefsTab();
  if (!prefs->isVisible()) {
    MonkeyLog::line(QStringLiteral("step %1: open the preferences").arg(mSteps));
    if (QAction *open = mWindow->action(Ux::MainWindow::UIA_Preferences)) open->trigger();
    return;
  }
  const int kind = mRng.below(10);
  if (kind < 6) {
    MonkeyLog::line(QStringLiteral("step %1: preferences, change").arg(mSteps));
    _fiddle(prefs, false);
    return;
  }
  static const char *const buttons[] = {"&Apply", "&Ok", "&Cancel"};
  const QString wanted = QString::fromLatin1(buttons[qMin(kind - 6, 2)]);
  MonkeyLog::line(QStringLiteral("step %1: preferences, %2").arg(mSteps).arg(wanted));
  for (QPushButton *button : prefs->findChildren<QPushButton *>()) {
    if (button->text() == wanted && button->isVisible()) {
      button->click();
      return;
    }
  }
}

void MonkeyDriver::_resizeWindow() {
  const QSize size(mRng.between(300, 1600), mRng.between(200, 1200));
  MonkeyLog::line(QStringLiteral("step %1: window size %2x%3").arg(mSteps).arg(size.width()).arg(size.height()));
  mWindow->resize(size);
}
