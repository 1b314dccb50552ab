#include "uxprefstabcommon.h"

#include "nubmsg.h"
#include "uxmsg.h"
#include "uxapp.h"
#include "uxcfg.h"
#include "uxlogview.h"
#include "uxpath.h"
#include "uxslider.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Ux {

namespace {
const char *const kSection = "Global";
}

PrefsTabCommon::PrefsTabCommon(QWidget *parent) : PrefsTab(kSection, parent) {
  Nub::debug("Ux::PrefsTabCommon");

  auto *top = new QVBoxLayout(this);
  top->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  top->setSpacing(Ux::stdSpace());

  auto *group = new QGroupBox(tr("Logging"), this);
  auto *layout = new QVBoxLayout(group);
  layout->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  layout->setSpacing(Ux::stdSpace());
  top->addWidget(group);

  mList = new QTreeWidget(group);
  mList->setHeaderLabels({tr("File"), tr("Date"), tr("Size")});
  mList->setRootIsDecorated(false);
  mList->setAllColumnsShowFocus(true);
  mList->setSortingEnabled(false);
  mList->setContextMenuPolicy(Qt::CustomContextMenu);
  mList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  mList->setWhatsThis(tr("All logfiles in the logdirectory"));
  layout->addWidget(mList, 1);

  mSlider = new Slider(tr("&Maximum number of logfiles:"), 1, 100, group);
  mSlider->setWhatsThis(
      tr("At program-startup the number of logfiles is reduced to the specified number."));
  layout->addWidget(mSlider);

  mDelete = new QPushButton(tr("&Delete all old logfiles now!"), group);
  mDelete->setWhatsThis(tr("Delete all logfiles - but not the current one - now!"));
  mDelete->setAutoDefault(false);
  layout->addWidget(mDelete);

  mAutolog = new QCheckBox(tr("&Save all messages"), group);
  mAutolog->setWhatsThis(tr("Should all messages of the program be saved to logfiles?"));
  layout->addWidget(mAutolog);

  mPopup = new QMenu(this);

  connect(mDelete, &QPushButton::clicked, this, &PrefsTabCommon::_slotDeleteLogs);
  connect(mList, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem *item, int) { _slotShowLog(item); });
  connect(mList, &QTreeWidget::customContextMenuRequested, this, &PrefsTabCommon::_slotSetPopup);
  connect(mPopup, &QMenu::triggered, this,
          [this](QAction *action) { _slotHandlePopup(action->data().toInt()); });

  slotRefresh();
}

PrefsTabCommon::~PrefsTabCommon() { Nub::debug("~Ux::PrefsTabCommon"); }

void PrefsTabCommon::initWidgets() {
  Nub::debug("Ux::PrefsTabCommon::initWidgets");
  Cfg cfg(cfgSection());
  mSlider->setValue(cfg.readNum(QStringLiteral("MaxLogs"), 10));
  mAutolog->setChecked(cfg.readBool(QStringLiteral("Autolog"), true));
  slotRefresh();
}

void PrefsTabCommon::slotSaveWidgetStates() {
  Nub::debug("Ux::PrefsTabCommon::slotSaveWidgetStates");
  Cfg cfg(cfgSection());
  cfg.writeEntry(QStringLiteral("MaxLogs"), mSlider->value());
  cfg.writeEntry(QStringLiteral("Autolog"), mAutolog->isChecked() ? 1 : 0);
  emit sigWidgetsSaved();
}

void PrefsTabCommon::slotRefresh() {
  mList->clear();
  mPopupItem = nullptr;
  App *app = App::getRep();
  if (!app) return;
  const QStringList files = app->logFiles(true);
  for (const QString &path : files) {
    const QFileInfo info(path);
    auto *item = new QTreeWidgetItem(mList);
    item->setText(0, info.fileName());
    item->setText(1, info.lastModified().toString(Qt::TextDate));
    item->setText(2, Ux::pathSizeTxt(info));
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
  }
}

QString PrefsTabCommon::_pathOf(const QTreeWidgetItem *item) const {
  App *app = App::getRep();
  if (!item || !app) return QString();
  return Ux::pathConcat(app->logDir(), item->text(0));
}

void PrefsTabCommon::_slotDeleteLogs() {
  Nub::debug("Ux::PrefsTabCommon::_slotDeleteLogs");
  if (App *app = App::getRep()) app->reduceLogFiles(1);
  slotRefresh();
}

void PrefsTabCommon::_slotShowLog(QTreeWidgetItem *item) {
  const QString path = _pathOf(item);
  if (path.isEmpty()) return;
  if (LogView *view = LogView::find(path)) {
    view->show();
    view->raise();
    view->activateWindow();
    return;
  }
  auto *view = new LogView(path, this);
  view->show();
}

void PrefsTabCommon::_buildPopup(QTreeWidgetItem *item) {
  mPopup->clear();
  mPopupItem = item;
  auto add = [this](const QString &text, int id, QStyle::StandardPixmap icon) {
    QAction *action = mPopup->addAction(style()->standardIcon(icon), text);
    action->setData(id);
  };
  if (item) {
    add(tr("Show"), PU_Show, QStyle::SP_FileDialogContentsView);
    add(tr("Delete"), PU_Delete, QStyle::SP_TrashIcon);
  }
  if (mList->topLevelItemCount() > 0) {
    if (!mPopup->isEmpty()) mPopup->addSeparator();
    add(tr("Delete all logfiles"), PU_DeleteAll, QStyle::SP_DialogDiscardButton);
  }
  if (!mPopup->isEmpty()) mPopup->addSeparator();
  add(tr("Refresh view"), PU_Refresh, QStyle::SP_BrowserReload);
}

void PrefsTabCommon::_slotSetPopup(const QPoint &pos) {
  _buildPopup(mList->itemAt(pos));
  mPopup->popup(mList->viewport()->mapToGlobal(pos));
}

void PrefsTabCommon::_slotHandlePopup(int id) {
  switch (id) {
    case PU_Show:
      _slotShowLog(mPopupItem);
      break;
    case PU_Delete: {
      const QString path = _pathOf(mPopupItem);
      if (path.isEmpty()) break;
      if (App::getRep()->isCurrentLog(path)) {
        Ux::warn(tr("The current logfile can't be deleted!"));
        break;
      }
      const QString name = QDir::toNativeSeparators(path);
      if (QFile::remove(path)) {
        Ux::info(tr("Logfile '%1' deleted.").arg(name));
        slotRefresh();
      } else {
        Ux::warn(tr("Can't delete logfile '%1'!").arg(name));
      }
      break;
    }
    case PU_DeleteAll:
      _slotDeleteLogs();
      break;
    case PU_Refresh:
      slotRefresh();
      break;
    default:
      break;
  }
}

}  // namespace Ux
