#ifndef UXGUISYSMENU_H
#define UXGUISYSMENU_H

#include "nubux_export.h"

#include <QMenu>
#include <QPointer>

class QAction;
class QActionGroup;

namespace Ux {

// The menu of desktop styles: one exclusive toggle per style the toolkit
// offers; choosing one restyles the whole application.
class NUBUX_EXPORT GuiSysMenu : public QMenu {
  Q_OBJECT

 public:
  ~GuiSysMenu() override;

  // The one style menu, made on first use as a child of `wParent`.
  static GuiSysMenu *getRep(QWidget *wParent = nullptr);
  // The style menu if it exists, without making one.
  static GuiSysMenu *existing();

  QActionGroup *actionGroup() const { return mGroup; }

  // The text of the action that is on; a null string when none is.
  QString currentStyle() const;
  // Switches on the action named `name` (any case), which applies the style.
  // An empty or unknown name changes nothing; false then.
  bool applyStyle(const QString &name);

 private slots:
  void _slotSet(QAction *action);

 private:
  explicit GuiSysMenu(QWidget *wParent);

  QActionGroup *mGroup = nullptr;

  static QPointer<GuiSysMenu> _menu;
};

}  // namespace Ux

#endif  // UXGUISYSMENU_H
