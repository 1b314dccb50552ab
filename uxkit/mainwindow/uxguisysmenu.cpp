#include "uxguisysmenu.h"

#include "nubmsg.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QList>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>

namespace Ux {

QPointer<GuiSysMenu> GuiSysMenu::_menu;

GuiSysMenu::GuiSysMenu(QWidget *wParent) : QMenu(wParent) {
  Nub::debug("Ux::GuiSysMenu");
  setObjectName(QStringLiteral("Ux::GuiSysMenu"));
  mGroup = new QActionGroup(this);
  mGroup->setExclusive(true);

  const QString inUse = QApplication::style() ? QApplication::style()->name() : QString();
  const QStringList styles = QStyleFactory::keys();
  for (const QString &name : styles) {
    QAction *action = new QAction(name, mGroup);
    action->setCheckable(true);
    const QString tip = tr("%1-Desktop-style").arg(name);
    action->setStatusTip(tip);
    action->setToolTip(tip);
    action->setWhatsThis(tip);
    if (name.compare(inUse, Qt::CaseInsensitive) == 0) action->setChecked(true);
    addAction(action);
  }
  connect(mGroup, &QActionGroup::triggered, this, &GuiSysMenu::_slotSet);
}

GuiSysMenu::~GuiSysMenu() { Nub::debug("~Ux::GuiSysMenu"); }

GuiSysMenu *GuiSysMenu::getRep(QWidget *wParent) {
  if (_menu) return _menu;
  NUB_CHECK_RETURN(! wParent, nullptr);
  _menu = new GuiSysMenu(wParent);
  return _menu;
}

GuiSysMenu *GuiSysMenu::existing() { return _menu.data(); }

QString GuiSysMenu::currentStyle() const {
  QAction *on = mGroup->checkedAction();
  return on ? on->text() : QString();
}

bool GuiSysMenu::applyStyle(const QString &name) {
  if (name.isEmpty()) return false;
  const QList<QAction *> actions = mGroup->actions();
  for (QAction *action : actions) {
    if (action->text().compare(name, Qt::CaseInsensitive) == 0) {
      // trigger() switches it on and reaches _slotSet like a user's choice;
      // the style already on stays as it is.
      if (!action->isChecked()) action->trigger();
      return true;
    }
  }
  return false;
}

void GuiSysMenu::_slotSet(QAction *action) {
  if (!action) return;
  Nub::debug("%s => %s", "style", qPrintable(action->text()));
  QStyle *style = QStyleFactory::create(action->text());
  if (!style) return;
  // A workspace window lays its contents out anew when its style changes, and
  // a tool bar there that fits again deletes the menu of its extension button.
  // The application's change walks a list of all widgets taken before, so
  // inside it that menu would be used after it was deleted. The workspace
  // windows therefore take the new style first, each on its own, and follow
  // the application's style again once it is in place.
  QList<QPointer<QMdiSubWindow>> frames;
  const QWidgetList widgets = QApplication::allWidgets();
  for (QWidget *widget : widgets)
    if (auto *frame = qobject_cast<QMdiSubWindow *>(widget)) frames << frame;
  for (const QPointer<QMdiSubWindow> &frame : std::as_const(frames))
    if (frame) frame->setStyle(style);
  QApplication::setStyle(style);
  for (const QPointer<QMdiSubWindow> &frame : std::as_const(frames))
    if (frame) frame->setStyle(nullptr);
}

}  // namespace Ux
