#ifndef PHPREFSIMAGEVIEWER_H
#define PHPREFSIMAGEVIEWER_H

#include "phviewerprefspage.h"

// Preferences of the image viewers (group "ImageViewer").
class PhPrefsImageViewer : public PhViewerPrefsPage {
  Q_OBJECT

 public:
  explicit PhPrefsImageViewer(QWidget *parent = nullptr);

  QtColorPicker *largestResidualPicker() const { return mLargestResidualColor; }
  QSpinBox *largestResidualSpin() const { return mLargestResidualSize; }
  QCheckBox *pointIdsCheck() const { return mPointIds; }

  void initWidgets() override;

 public slots:
  void slotSaveWidgetStates() override;

 private:
  QtColorPicker *mLargestResidualColor = nullptr;
  QSpinBox *mLargestResidualSize = nullptr;
  QCheckBox *mPointIds = nullptr;
};

#endif  // PHPREFSIMAGEVIEWER_H
