#ifndef PHPREFSLINKS_H
#define PHPREFSLINKS_H

#include "uxprefstab.h"

class QComboBox;

// Preferences of the connections drawn in the object viewers (group "Links").
class PhPrefsLinks : public Ux::PrefsTab {
  Q_OBJECT

 public:
  explicit PhPrefsLinks(QWidget *parent = nullptr);

  static QString lineTypeName(int iType);
  QComboBox *lineTypeCombo() const { return mLineType; }

  void initWidgets() override;

 public slots:
  void slotSaveWidgetStates() override;

 private:
  QComboBox *mLineType = nullptr;
};

#endif  // PHPREFSLINKS_H
