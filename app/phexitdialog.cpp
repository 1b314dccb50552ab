#include "phexitdialog.h"

#include "nubmsg.h"
#include "uxpath.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

PhExitDialog::PhExitDialog(QWidget *parent, const char *name) : QDialog(parent) {
  Nub::debug("PhExitDialog");
  if (name) setObjectName(QString::fromLatin1(name));
  setModal(true);
  setWindowTitle(tr("Leave program?"));

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  layout->setSpacing(Ux::stdSpace());

  auto *question = new QHBoxLayout;
  auto *icon = new QLabel(this);
  const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(iconSize));
  question->addWidget(icon);
  question->addSpacing(Ux::stdSpace());
  question->addWidget(new QLabel(tr("Do you really want to leave the program now?"), this), 2);
  layout->addLayout(question);

  mPreferences = new QGroupBox(tr("Save Preferences on Exit?"), this);
  mPreferences->setCheckable(true);
  mPreferences->setChecked(false);
  mPreferences->setToolTip(tr("Check this box, to save the changes made in the preferences dialog for further use."));
  auto *inside = new QHBoxLayout(mPreferences);
  mPositions = new QCheckBox(tr("Save current Viewer positions?"), mPreferences);
  mPositions->setToolTip(
      tr("Check this box, to save the positions of the currently opened windows for further use, too."));
  inside->addWidget(mPositions);
  layout->addWidget(mPreferences);
  layout->addStretch(2);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch(2);
  auto *yes = new QPushButton(QStringLiteral("Yes"), this);
  auto *no = new QPushButton(QStringLiteral("No"), this);
  yes->setDefault(true);
  buttons->addWidget(yes);
  buttons->addWidget(no);
  layout->addLayout(buttons);
  yes->setFocus();
  connect(yes, &QPushButton::clicked, this, &QDialog::accept);
  connect(no, &QPushButton::clicked, this, &QDialog::reject);
}

PhExitDialog::~PhExitDialog() { Nub::debug("~PhExitDialog"); }

bool PhExitDialog::savePreferences() const { return mPreferences->isChecked(); }

bool PhExitDialog::saveViewerPositions() const { return mPreferences->isChecked() && mPositions->isChecked(); }
