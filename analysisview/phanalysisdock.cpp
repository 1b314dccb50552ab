#include "phanalysisdock.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "phanalysistable.h"
#include "phcontrolsummary.h"
#include "phcontroltablemodel.h"
#include "phimagestatsmodel.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phpointinspector.h"
#include "phselectionlink.h"
#include "uxcfg.h"

namespace {
const QString CfgGroup = QStringLiteral("Analysis");
const QString UnitKey = QStringLiteral("ImageResidualUnit");
}  // namespace

PhAnalysisDock::PhAnalysisDock(QWidget *parent)
    : QDockWidget(tr("Analysis"), parent),
      mTabs(new QTabWidget),
      mUnitBox(new QComboBox),
      mImagesModel(new PhImageStatsModel(this)),
      mControlModel(new PhControlTableModel(this)),
      mImages(new PhAnalysisTable(mImagesModel)),
      mControl(new PhAnalysisTable(mControlModel)),
      mSummary(new PhControlSummary),
      mInspector(new PhPointInspector),
      mLink(new PhSelectionLink(this)) {
  setObjectName(QStringLiteral("AnalysisDock"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  auto *body = new QWidget(this);
  auto *layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);

  auto *tools = new QHBoxLayout;
  auto *unitLabel = new QLabel(tr("Image residual &unit:"), body);
  unitLabel->setBuddy(mUnitBox);
  // Cut rather than widen the dock area beyond the project view's.
  unitLabel->setMinimumWidth(1);
  mUnitBox->addItem(PhResidualUnit::name(PhResidualUnit::Millimetre));
  mUnitBox->addItem(PhResidualUnit::name(PhResidualUnit::Micrometre));
  tools->addWidget(unitLabel);
  tools->addWidget(mUnitBox);
  tools->addStretch(1);
  layout->addLayout(tools);

  mTabs->addTab(mImages, tr("Images"));
  auto *control = new QWidget;
  auto *controlLayout = new QVBoxLayout(control);
  controlLayout->setContentsMargins(0, 0, 0, 0);
  controlLayout->addWidget(mControl, 1);
  controlLayout->addWidget(mSummary);
  mTabs->addTab(control, tr("Control Points"));
  // Scrolled when narrow: the dock area is shared with the project view.
  auto *inspector = new QScrollArea;
  inspector->setWidget(mInspector);
  inspector->setWidgetResizable(true);
  inspector->setFrameShape(QFrame::NoFrame);
  mTabs->addTab(inspector, tr("Point Inspector"));
  layout->addWidget(mTabs, 1);
  setWidget(body);
  setWhatsThis(tr("The <b>Analysis</b> lists the images with their residual figures and the observed axes of "
                  "the control points and projection centres, and shows one point closely. Rows selected "
                  "here select their points in the viewers and the other way round."));

  mLink->addTable(mImages);
  mLink->addTable(mControl);
  connect(mLink, &PhSelectionLink::sigSinglePoint, this, &PhAnalysisDock::setCurrentPoint);
  connect(mLink, &PhSelectionLink::sigListGone, this, &PhAnalysisDock::clear);
  connect(mImages, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) { imageRowClicked(i.row()); });
  connect(mControl, &QAbstractItemView::clicked, this,
          [this](const QModelIndex &i) { controlRowClicked(i.row()); });
  connect(mImages, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
    if (index.isValid()) emit sigShowImage(mImagesModel->stats(index.row()).imageId);
  });
  connect(mInspector, &PhPointInspector::sigShowImagePoint, this, &PhAnalysisDock::sigShowImagePoint);

  const int stored = Ux::Cfg(CfgGroup).readNum(UnitKey, PhResidualUnit::Millimetre);
  setUnit(PhResidualUnit::fromInt(stored));
  connect(mUnitBox, &QComboBox::currentIndexChanged, this, [this](int index) {
    setUnit(PhResidualUnit::fromInt(index));
    Ux::Cfg(CfgGroup).writeEntry(UnitKey, int(mUnit));
  });
}

PhAnalysisDock::~PhAnalysisDock() { mLink->setList(nullptr); }

void PhAnalysisDock::setProject(const PhImageList *images, PhObjectList *objects) {
  mLink->setList(nullptr);
  mImagesModel->fill(images, objects);
  mControlModel->fill(objects);
  mSummary->setTable(mControlModel->table());
  mImages->fitColumns();
  mControl->fitColumns();
  mInspector->setObjects(objects);
  mLink->setList(objects);
  mLink->showSelection();
}

void PhAnalysisDock::clear() {
  mLink->setList(nullptr);
  mInspector->setObjects(nullptr);
  mSummary->setTable(nullptr);
  mControlModel->clear();
  mImagesModel->clear();
}

void PhAnalysisDock::setCurrentPoint(int iPointId) { mInspector->setPoint(iPointId); }

void PhAnalysisDock::setUnit(PhResidualUnit::UnitE unit) {
  mUnit = unit;
  if (mUnitBox->currentIndex() != int(unit)) {
    const QSignalBlocker blocker(mUnitBox);
    mUnitBox->setCurrentIndex(int(unit));
  }
  mImagesModel->setUnit(unit);
  mInspector->setUnit(unit);
}

void PhAnalysisDock::imageRowClicked(int row) {
  // The row stands for the image's projection centre.
  if (row >= 0 && row < mImagesModel->rowCount() && mImagesModel->positionOfRow(row) >= 0)
    setCurrentPoint(mImagesModel->stats(row).imageId);
}

void PhAnalysisDock::controlRowClicked(int row) {
  const PhControlTable *table = mControlModel->table();
  if (table && row >= 0 && row < mControlModel->rowCount())
    setCurrentPoint(table->point(mControlModel->tableRow(row))->pointId());
}
