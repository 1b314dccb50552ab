#ifndef PHPREFSOBJECTVIEWER_H
#define PHPREFSOBJECTVIEWER_H

#include "phviewerprefspage.h"

// Preferences of the object viewers (group "ObjectViewer").
class PhPrefsObjectViewer : public PhViewerPrefsPage {
  Q_OBJECT

 public:
  explicit PhPrefsObjectViewer(QWidget *parent = nullptr);

  void initWidgets() override;

 public slots:
  void slotSaveWidgetStates() override;
};

#endif  // PHPREFSOBJECTVIEWER_H
