#ifndef PHANALYSISDOCK_H
#define PHANALYSISDOCK_H

#include <QDockWidget>

#include "phresidualunit.h"

class PhAnalysisTable;
class PhControlSummary;
class PhControlTableModel;
class PhImageList;
class PhImageStatsModel;
class PhObjectList;
class PhPointInspector;
class PhSelectionLink;
class QComboBox;
class QTabWidget;

// The "Analysis" dock: the images with their residual figures, the control
// points' observations with their summaries, and the point inspector. Its
// tables share the object list's selection; the image residual unit is a
// setting of its own ("Analysis/ImageResidualUnit").
class PhAnalysisDock : public QDockWidget {
  Q_OBJECT

 public:
  enum TabE { TAB_Images = 0, TAB_Control = 1, TAB_Inspector = 2 };

  explicit PhAnalysisDock(QWidget *parent = nullptr);
  ~PhAnalysisDock() override;

  // Fills the tables from the project's lists (not owned; they must outlive
  // the dock or be handed back with clear()).
  void setProject(const PhImageList *images, PhObjectList *objects);
  void clear();
  // The point the inspector shows.
  void setCurrentPoint(int iPointId);
  void setUnit(PhResidualUnit::UnitE unit);
  PhResidualUnit::UnitE unit() const { return mUnit; }

  QTabWidget *tabs() const { return mTabs; }
  QComboBox *unitBox() const { return mUnitBox; }
  PhAnalysisTable *imagesTable() const { return mImages; }
  PhAnalysisTable *controlTable() const { return mControl; }
  PhImageStatsModel *imagesModel() const { return mImagesModel; }
  PhControlTableModel *controlModel() const { return mControlModel; }
  PhControlSummary *summary() const { return mSummary; }
  PhPointInspector *inspector() const { return mInspector; }

 signals:
  // A row of the images table was double-clicked.
  void sigShowImage(int iImageId);
  // An image row of the inspector was double-clicked.
  void sigShowImagePoint(int iImageId, int iPointId);

 private:
  void imageRowClicked(int row);
  void controlRowClicked(int row);

  PhResidualUnit::UnitE mUnit = PhResidualUnit::Millimetre;
  QTabWidget *mTabs;
  QComboBox *mUnitBox;
  PhImageStatsModel *mImagesModel;
  PhControlTableModel *mControlModel;
  PhAnalysisTable *mImages;
  PhAnalysisTable *mControl;
  PhControlSummary *mSummary;
  PhPointInspector *mInspector;
  PhSelectionLink *mLink;
};

#endif  // PHANALYSISDOCK_H
