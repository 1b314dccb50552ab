#ifndef UXPREFSTAB_H
#define UXPREFSTAB_H

#include "nubux_export.h"

#include <QList>
#include <QWidget>

class QShowEvent;

namespace Ux {

// Base of every page of the preferences dialog. A page is tied to one
// configuration group (its object name) and is filled from the configuration
// the first time it is shown, or whenever all pages are refreshed.
class NUBUX_EXPORT PrefsTab : public QWidget {
  Q_OBJECT

 public:
  PrefsTab(const char *cfgSection, QWidget *parent);
  ~PrefsTab() override;

  QString cfgSection() const;

  // Reads the configuration into the widgets of every page, in the order the
  // pages were made.
  static void initTabWidgets();
  static const QList<PrefsTab *> &tabs();

 public slots:
  // Writes the widgets' states into the configuration and emits sigWidgetsSaved.
  virtual void slotSaveWidgetStates() = 0;

 public:
  virtual void initWidgets() = 0;
  virtual void onFirstShowEvent();

 signals:
  void sigWidgetsSaved();

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  bool mFirstShow = true;

  static QList<PrefsTab *> *_listTabs;
};

}  // namespace Ux

#endif  // UXPREFSTAB_H
