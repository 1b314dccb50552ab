#include "uxprefstab.h"

#include "nubmsg.h"

#include <QShowEvent>

namespace Ux {

QList<PrefsTab *> *PrefsTab::_listTabs = nullptr;

PrefsTab::PrefsTab(const char *cfgSection, QWidget *parent) : QWidget(parent) {
  Nub::debug("Ux::PrefsTab");
  setObjectName(QString::fromUtf8(cfgSection));
  // Created by the first page and never freed: pages of several dialogs may
  // come and go during the run.
  if (!_listTabs) _listTabs = new QList<PrefsTab *>;
  _listTabs->append(this);
}

PrefsTab::~PrefsTab() {
  Nub::debug("~Ux::PrefsTab");
  if (_listTabs) _listTabs->removeAll(this);
}

QString PrefsTab::cfgSection() const { return objectName(); }

void PrefsTab::initTabWidgets() {
  Nub::debug("Ux::PrefsTab::initTabWidgets");
  if (!_listTabs) return;
  // A copy: a page may make or delete pages while it reads its settings.
  const QList<PrefsTab *> pages = *_listTabs;
  for (PrefsTab *page : pages) {
    if (_listTabs->contains(page)) page->initWidgets();
  }
}

const QList<PrefsTab *> &PrefsTab::tabs() {
  static const QList<PrefsTab *> none;
  return _listTabs ? *_listTabs : none;
}

void PrefsTab::onFirstShowEvent() {}

void PrefsTab::showEvent(QShowEvent *event) {
  if (mFirstShow) {
    mFirstShow = false;
    initWidgets();
    onFirstShowEvent();
  }
  QWidget::showEvent(event);
}

}  // namespace Ux
