#include "uxtabdialog.h"

#include "nubmsg.h"
#include "uxpath.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace Ux {

TabDialog::TabDialog(QWidget *parent, const char *name) : QDialog(parent) {
  Nub::debug("Ux::TabDialog");
  if (name) setObjectName(QString::fromUtf8(name));
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(Ux::stdSpace() * 2, Ux::stdSpace() * 2, Ux::stdSpace() * 2,
                             Ux::stdSpace() * 2);
  layout->setSpacing(Ux::stdSpace() * 2);
  mTabs = new QTabWidget(this);
  layout->addWidget(mTabs, 1);
  mButtons = new QDialogButtonBox(Qt::Horizontal, this);
  layout->addWidget(mButtons);
}

TabDialog::~TabDialog() { Nub::debug("~Ux::TabDialog"); }

int TabDialog::addTab(QWidget *page, const QString &label) { return mTabs->addTab(page, label); }

int TabDialog::insertTab(QWidget *page, const QString &label, int index) {
  return mTabs->insertTab(index, page, label);
}

QWidget *TabDialog::currentPage() const { return mTabs->currentWidget(); }

void TabDialog::showPage(QWidget *page) { mTabs->setCurrentWidget(page); }

void TabDialog::showEvent(QShowEvent *event) {
  const QMargins margins = layout()->contentsMargins();
  const int frame = 2 * mTabs->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, mTabs);
  QSize wanted = size().expandedTo(sizeHint());
  wanted.setWidth(qMax(wanted.width(), mTabs->tabBar()->sizeHint().width() + frame + margins.left() + margins.right()));
  if (QScreen *shown = screen()) wanted = wanted.boundedTo(shown->availableGeometry().size());
  if (wanted != size()) resize(wanted);
  QDialog::showEvent(event);
}

QPushButton *TabDialog::_setButton(QPushButton *button, const QString &text, int role) {
  if (text.isEmpty()) {
    delete button;
    return nullptr;
  }
  if (button) {
    button->setText(text);
    return button;
  }
  button = mButtons->addButton(text, static_cast<QDialogButtonBox::ButtonRole>(role));
  return button;
}

void TabDialog::setOkButton(const QString &text) {
  const bool fresh = !mOk;
  mOk = _setButton(mOk, text, QDialogButtonBox::AcceptRole);
  if (mOk && fresh) {
    mOk->setDefault(true);
    connect(mOk, &QPushButton::clicked, this, [this]() {
      emit sigApply();
      accept();
    });
  }
}

void TabDialog::setApplyButton(const QString &text) {
  const bool fresh = !mApply;
  mApply = _setButton(mApply, text, QDialogButtonBox::ApplyRole);
  if (mApply && fresh) connect(mApply, &QPushButton::clicked, this, &TabDialog::sigApply);
}

void TabDialog::setCancelButton(const QString &text) {
  const bool fresh = !mCancel;
  mCancel = _setButton(mCancel, text, QDialogButtonBox::RejectRole);
  if (mCancel && fresh) connect(mCancel, &QPushButton::clicked, this, &TabDialog::reject);
}

}  // namespace Ux
