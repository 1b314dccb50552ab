#include "phpointinspector.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "phanalysistable.h"
#include "phcontroltable.h"
#include "phcontroltablemodel.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phpointimagesmodel.h"

PhPointInspector::PhPointInspector(QWidget *parent)
    : QWidget(parent),
      mIdEdit(new QLineEdit(this)),
      mType(new QLabel(this)),
      mObservations(new QTableWidget(0, 4, this)),
      mImagesModel(new PhPointImagesModel(this)),
      mImages(new PhAnalysisTable(mImagesModel, this)) {
  auto *top = new QHBoxLayout;
  auto *idLabel = new QLabel(tr("Point &ID:"), this);
  idLabel->setBuddy(mIdEdit);
  mIdEdit->setValidator(new QIntValidator(mIdEdit));
  mIdEdit->setClearButtonEnabled(true);
  top->addWidget(idLabel);
  top->addWidget(mIdEdit, 1);
  mType->setMinimumWidth(1);

  auto *grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Adjusted"), this), 0, 1);
  grid->addWidget(new QLabel(tr("Sigma"), this), 0, 2);
  for (int axis = 0; axis < 3; ++axis) {
    grid->addWidget(new QLabel(PhControlTableModel::axisName(axis), this), axis + 1, 0);
    mCoord[axis] = new QLabel(this);
    mSigma[axis] = new QLabel(this);
    for (QLabel *label : {mCoord[axis], mSigma[axis]}) {
      label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    grid->addWidget(mCoord[axis], axis + 1, 1);
    grid->addWidget(mSigma[axis], axis + 1, 2);
  }

  mObservations->setHorizontalHeaderLabels({tr("Observed"), tr("Residual"), tr("Sigma"), tr("Accepted")});
  mObservations->setEditTriggers(QAbstractItemView::NoEditTriggers);
  mObservations->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  // Room for the three axes; no width of its own (see PhControlSummary).
  QHeaderView *rows = mObservations->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(fontMetrics().height() + 4);
  mObservations->setFixedHeight(mObservations->horizontalHeader()->sizeHint().height() +
                                3 * rows->defaultSectionSize() + 2 * mObservations->frameWidth());
  mObservations->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(mType);
  layout->addLayout(grid);
  layout->addWidget(new QLabel(tr("Observations"), this));
  layout->addWidget(mObservations);
  layout->addWidget(new QLabel(tr("Images"), this));
  layout->addWidget(mImages, 1);

  connect(mIdEdit, &QLineEdit::returnPressed, this, [this] {
    bool ok = false;
    const int id = mIdEdit->text().trimmed().toInt(&ok);
    if (ok) setPoint(id);
  });
  connect(mImages, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
    if (index.isValid() && mPointId >= 0) emit sigShowImagePoint(mImagesModel->row(index.row()).imageId, mPointId);
  });
  clear();
}

void PhPointInspector::setObjects(const PhObjectList *objects) {
  mObjects = objects;
  clear();
}

void PhPointInspector::clear() {
  mPointId = -1;
  mIdEdit->clear();
  mType->clear();
  for (int axis = 0; axis < 3; ++axis) {
    mCoord[axis]->clear();
    mSigma[axis]->clear();
  }
  mObservations->setRowCount(0);
  mImagesModel->clear();
}

void PhPointInspector::setPoint(int iPointId) {
  clear();
  mPointId = iPointId;
  mIdEdit->setText(QString::number(iPointId));
  showObjectPoint();
  mImagesModel->fill(iPointId);
  mImages->fitColumns();
}

void PhPointInspector::showObjectPoint() {
  const PhObjectPoint *point = mObjects ? mObjects->find(mPointId) : nullptr;
  if (!point) {
    mType->setText(tr("No object point %1").arg(mPointId));
    return;
  }
  mType->setText(PhControlTableModel::typeName(point->code()));
  QStringList axes;
  for (int axis = 0; axis < 3; ++axis) {
    mCoord[axis]->setText(QString::number(point->adjustedCoord(axis), 'f', 4));
    mSigma[axis]->setText(QString::number(point->adjustedSigma(axis), 'f', 4));
    if (!PhControlTable::isObserved(*point, axis)) continue;
    const int row = mObservations->rowCount();
    mObservations->insertRow(row);
    axes << PhControlTableModel::axisName(axis);
    const QString cells[4] = {QString::number(point->observedCoord(axis), 'f', 4),
                              QString::number(point->observedResidual(axis), 'f', 4),
                              QString::number(point->residualSigma(axis), 'f', 4),
                              PhControlTable::isAccepted(*point, axis) ? tr("yes") : tr("no")};
    for (int column = 0; column < 4; ++column) {
      auto *item = new QTableWidgetItem(cells[column]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      mObservations->setItem(row, column, item);
    }
  }
  mObservations->setVerticalHeaderLabels(axes);
}

void PhPointInspector::setUnit(PhResidualUnit::UnitE unit) { mImagesModel->setUnit(unit); }

QString PhPointInspector::typeText() const { return mType->text(); }

QString PhPointInspector::coordinateText(int iAxis) const {
  return iAxis >= 0 && iAxis < 3 ? mCoord[iAxis]->text() : QString();
}

QString PhPointInspector::sigmaText(int iAxis) const {
  return iAxis >= 0 && iAxis < 3 ? mSigma[iAxis]->text() : QString();
}
