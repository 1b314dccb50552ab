#ifndef PHSEARCHWIDGET_H
#define PHSEARCHWIDGET_H

#include "phglobal.h"

#include <QWidget>
#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

// The search tab: one criterion of seven, its parameters and a selection
// mode, validated and encoded into a selection request for the object
// viewers. It holds no model data.
class PhSearchWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PhSearchWidget(QWidget *parent = nullptr);
  ~PhSearchWidget() override;

  // Widgets a test or the main window may address directly.
  QGroupBox *groupBox(PhGlobal::SearchModeE mode) const { return mGroupBoxes[mode]; }
  QSpinBox *pointIdMin() const { return mPointIdMin; }
  QSpinBox *pointIdMax() const { return mPointIdMax; }
  QLineEdit *pointIdPattern() const { return mPointIdPattern; }
  QButtonGroup *pointIdChoice() const { return mPointIdChoice.get(); }
  QSpinBox *imageIdMin() const { return mImageIdMin; }
  QSpinBox *imageIdMax() const { return mImageIdMax; }
  QLineEdit *imageIdPattern() const { return mImageIdPattern; }
  QButtonGroup *imageIdChoice() const { return mImageIdChoice.get(); }
  QSpinBox *linksMin() const { return mLinksMin; }
  QSpinBox *linksMax() const { return mLinksMax; }
  QLineEdit *residualMin() const { return mResidualMin; }
  QLineEdit *residualMax() const { return mResidualMax; }
  QLineEdit *sigmaMin() const { return mSigmaMin; }
  QLineEdit *sigmaMax() const { return mSigmaMax; }
  QButtonGroup *selectionMode() const { return mSelectionMode; }
  QCheckBox *pointCodeBox(int iType) const { return mPointCodeBoxes[iType]; }

 signals:
  void sigRequestDeselectAll();
  void sigRequestSelection(PhGlobal::SelectionModeE, PhGlobal::SearchModeE, const QString &strPar1,
                           const QString &strPar2, bool bPatternMatching);

 private slots:
  void _slotSetGroupBoxWidgets(int iWID);
  void _slotSelectGroup(int iGroup);
  void _slotSelect();

 private:
  bool _collectParameters(PhGlobal::SearchModeE mode, QString &strPar1, QString &strPar2,
                          bool &bPatternMatching);
  bool _collectIdParameters(QButtonGroup *choice, int iPatternId, QSpinBox *min, QSpinBox *max,
                            QLineEdit *pattern, QString &strPar1, QString &strPar2,
                            bool &bPatternMatching);
  bool _collectIntRange(QSpinBox *min, QSpinBox *max, QString &strPar1, QString &strPar2);
  bool _collectRealRange(QLineEdit *min, QLineEdit *max, QString &strPar1, QString &strPar2);
  bool _collectPointCodes(QString &strPar1, QString &strPar2);

  void _buildIdGroup(QGroupBox *box, std::unique_ptr<QButtonGroup> &choice, int iFirstId,
                      const QString &rangeTip, const QString &patternTip, QSpinBox *&min,
                      QSpinBox *&max, QLineEdit *&pattern);
  QSpinBox *_spinBox(QWidget *parent, const QString &tip);
  QLineEdit *_realEdit(QWidget *parent, const QString &tip);

  std::array<QGroupBox *, 7> mGroupBoxes{};
  std::unique_ptr<QButtonGroup> mPointIdChoice;
  QSpinBox *mPointIdMin = nullptr;
  QSpinBox *mPointIdMax = nullptr;
  QLineEdit *mPointIdPattern = nullptr;
  std::unique_ptr<QButtonGroup> mImageIdChoice;
  QSpinBox *mImageIdMin = nullptr;
  QSpinBox *mImageIdMax = nullptr;
  QLineEdit *mImageIdPattern = nullptr;
  QSpinBox *mLinksMin = nullptr;
  QSpinBox *mLinksMax = nullptr;
  QLineEdit *mResidualMin = nullptr;
  QLineEdit *mResidualMax = nullptr;
  QLineEdit *mSigmaMin = nullptr;
  QLineEdit *mSigmaMax = nullptr;
  QButtonGroup *mSelectionMode = nullptr;
  std::array<QCheckBox *, 7> mPointCodeBoxes{};
  int mFieldWidth = 0;
};

#endif  // PHSEARCHWIDGET_H
