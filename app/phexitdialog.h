#ifndef PHEXITDIALOG_H
#define PHEXITDIALOG_H

#include <QDialog>

class QCheckBox;
class QGroupBox;

// Asks before the program ends whether to save the preferences and the
// viewer positions. Made once and kept, so the answers stay for the run.
class PhExitDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PhExitDialog(QWidget *parent = nullptr, const char *name = nullptr);
  ~PhExitDialog() override;

  bool savePreferences() const;
  // Only counts while saving the preferences is chosen.
  bool saveViewerPositions() const;

  QGroupBox *preferencesBox() const { return mPreferences; }
  QCheckBox *positionsCheck() const { return mPositions; }

 private:
  QGroupBox *mPreferences = nullptr;
  QCheckBox *mPositions = nullptr;
};

#endif  // PHEXITDIALOG_H
