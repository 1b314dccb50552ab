#include "phprojectinfo.h"

#include "nubmsg.h"
#include "phelidedlabel.h"
#include "phprojectdata.h"
#include "uxpath.h"

#include <QGridLayout>
#include <QLabel>

ProjectInfo::ProjectInfo(QWidget *parent) : QScrollArea(parent) {
  Nub::debug("ProjectInfo");
  setWidgetResizable(true);
  auto *content = new QWidget(this);
  auto *grid = new QGridLayout(content);
  grid->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  grid->setSpacing(Ux::stdSpace());
  grid->setColumnStretch(0, 0);
  grid->setColumnStretch(1, 2);
  static const char *const captions[RowCount] = {
      "Project:",   "Camera File:", "Image File:",         "Object File:", "Orientation File:", "Observation File:",
      "Sigma 0:",   "Average Redundancy:", "# Images:",   "# Points",     "Inversion:"};
  for (int row = 0; row < RowCount; ++row) {
    mCaptions[row] = new QLabel(QString::fromLatin1(captions[row]), content);
    // Paths are cut in the middle when the tab is narrow.
    mValues[row] = new PhElidedLabel(content);
    mValues[row]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    mValues[row]->setLineWidth(2);
    mValues[row]->setMinimumWidth(20);
    mValues[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(mCaptions[row], row, 0);
    grid->addWidget(mValues[row], row, 1);
  }
  grid->setRowStretch(RowCount, 2);
  setWidget(content);
}

ProjectInfo::~ProjectInfo() { Nub::debug("~ProjectInfo"); }

void ProjectInfo::setProjectData(const PhProjectData &data, int iImages, int iObjectPoints) {
  const QString texts[RowCount] = {
      data.projectFile(),
      data.cameraFile(),
      data.imageFile(),
      data.objectFile(),
      data.orientationFile(),
      data.observationFile(),
      QStringLiteral("%1").arg(data.sigma0(), 0, 'f', 3),
      QStringLiteral("%1").arg(data.averageRedundancy(), 0, 'f', 3),
      QString::number(iImages),
      QString::number(iObjectPoints),
      data.inversion() ? QStringLiteral("TRUE") : QStringLiteral("FALSE"),
  };
  for (int row = 0; row < RowCount; ++row) mValues[row]->setFullText(texts[row]);
}
