#ifndef PHPOINTINSPECTOR_H
#define PHPOINTINSPECTOR_H

#include <QWidget>

#include "phresidualunit.h"

class PhAnalysisTable;
class PhObjectList;
class PhPointImagesModel;
class QLabel;
class QLineEdit;
class QTableWidget;

// One point looked at closely: its type, adjusted coordinates and sigmas,
// its observations per observed axis, and one row per image that measures
// it. The point is chosen by ID (typed, then Enter) or set from outside.
class PhPointInspector : public QWidget {
  Q_OBJECT

 public:
  explicit PhPointInspector(QWidget *parent = nullptr);

  // The object points to look IDs up in (not owned); null forgets them.
  void setObjects(const PhObjectList *objects);
  // Shows the point with the ID (its image rows even when it has no object point).
  void setPoint(int iPointId);
  // Nothing shown.
  void clear();
  void setUnit(PhResidualUnit::UnitE unit);
  // -1 when none.
  int pointId() const { return mPointId; }

  QLineEdit *idEdit() const { return mIdEdit; }
  QString typeText() const;
  QString coordinateText(int iAxis) const;
  QString sigmaText(int iAxis) const;
  QTableWidget *observations() const { return mObservations; }
  PhAnalysisTable *imagesTable() const { return mImages; }
  PhPointImagesModel *imagesModel() const { return mImagesModel; }

 signals:
  // An image row was double-clicked.
  void sigShowImagePoint(int iImageId, int iPointId);

 private:
  void showObjectPoint();

  const PhObjectList *mObjects = nullptr;
  int mPointId = -1;
  QLineEdit *mIdEdit;
  QLabel *mType;
  QLabel *mCoord[3];
  QLabel *mSigma[3];
  QTableWidget *mObservations;
  PhPointImagesModel *mImagesModel;
  PhAnalysisTable *mImages;
};

#endif  // PHPOINTINSPECTOR_H
