#include "phcolourmenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <cmath>

#include "phcolourlimitsdialog.h"
#include "phdrawsettings.h"

namespace {

QString choiceText(int iColourBy) {
  switch (iColourBy) {
    case PhDrawSettings::COL_Residual: return PhColourMenu::tr("By &Residual");
    case PhDrawSettings::COL_Sigma: return PhColourMenu::tr("By &Sigma");
    case PhDrawSettings::COL_Rays: return PhColourMenu::tr("By Number of R&ays");
    default: return PhColourMenu::tr("By Point &Type");
  }
}

QString valueName(int iColourBy) {
  switch (iColourBy) {
    case PhDrawSettings::COL_Residual: return PhColourMenu::tr("image residual");
    case PhDrawSettings::COL_Sigma: return PhColourMenu::tr("sigma");
    case PhDrawSettings::COL_Rays: return PhColourMenu::tr("number of rays");
    default: return QString();
  }
}

}  // namespace

PhColourMenu::PhColourMenu(QMainWindow *window, PhColourPrefs::ViewE view, std::function<void()> applyToAll)
    : QObject(window), mView(view), mApply(std::move(applyToAll)), mWindow(window) {
  mMenu = window->menuBar()->addMenu(tr("&Colours"));
  mMenu->setObjectName(QStringLiteral("colourMenu"));
  mGroup = new QActionGroup(this);
  mGroup->setExclusive(true);
  for (int by = 0; by < PhDrawSettings::ColourByCount; ++by) {
    if (!PhColourPrefs::offers(mView, by)) continue;
    QAction *action = mMenu->addAction(choiceText(by));
    action->setCheckable(true);
    action->setData(by);
    mGroup->addAction(action);
    connect(action, &QAction::triggered, this, [this, by]() {
      PhColourPrefs::setColourBy(mView, by);
      mApply();
    });
  }
  mMenu->addSeparator();
  mLimits = mMenu->addAction(tr("Colour &Limits..."));
  connect(mLimits, &QAction::triggered, this, &PhColourMenu::editLimits);
  if (mView == PhColourPrefs::VIEW_Object) {
    mDensity = mMenu->addAction(tr("&Density at Scale"));
    mDensity->setCheckable(true);
    connect(mDensity, &QAction::triggered, this, [this](bool bOn) {
      PhColourPrefs::setDensityAtScale(bOn);
      mApply();
    });
  }
  mScaleBar = mMenu->addAction(tr("Residual Scale &Bar"));
  mScaleBar->setCheckable(true);
  connect(mScaleBar, &QAction::triggered, this, [this](bool bOn) {
    PhColourPrefs::setScaleBar(bOn);
    mApply();
  });
  connect(mMenu, &QMenu::aboutToShow, this, &PhColourMenu::showStored);
  showStored();
}

QAction *PhColourMenu::colourByAction(int iColourBy) const {
  for (QAction *action : mGroup->actions())
    if (action->data().toInt() == iColourBy) return action;
  return nullptr;
}

void PhColourMenu::showStored() {
  const int by = PhColourPrefs::colourBy(mView);
  if (QAction *action = colourByAction(by)) action->setChecked(true);
  mLimits->setEnabled(by != PhDrawSettings::COL_Type);
  if (mDensity) mDensity->setChecked(PhColourPrefs::densityAtScale());
  mScaleBar->setChecked(PhColourPrefs::scaleBar());
}

void PhColourMenu::editLimits() {
  const int by = PhColourPrefs::colourBy(mView);
  if (by == PhDrawSettings::COL_Type) return;
  double low = 0.0;
  double high = 0.0;
  PhColourPrefs::limits(by, low, high);
  const double factor = PhColourPrefs::textFactor(by);
  PhColourLimitsDialog dialog(valueName(by), PhColourPrefs::unit(by), low * factor, high * factor, mWindow);
  if (dialog.exec() != QDialog::Accepted) return;
  PhColourPrefs::setLimits(by, dialog.low() / factor, dialog.high() / factor);
  mApply();
}
