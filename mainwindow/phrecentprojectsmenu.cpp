#include "phrecentprojectsmenu.h"

#include "phrecentprojects.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace {

QString escapedAmpersands(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

// A long folder keeps its start and its end, which tell most.
QString elided(const QString &text, int max) {
  if (text.size() <= max) return text;
  const int head = (max - 1) / 2;
  return text.left(head) + QChar(0x2026) + text.right(max - 1 - head);
}

constexpr int kMaxFolderChars = 40;

}  // namespace

PhRecentProjectsMenu::PhRecentProjectsMenu(QWidget *parent) : QMenu(tr("Recent &Projects"), parent) {
  setObjectName(QStringLiteral("RecentProjects"));
  setToolTipsVisible(true);
  mSeparator = addSeparator();
  mClear = addAction(tr("&Clear Menu"));
  mClear->setStatusTip(tr("Forget the recently opened projects"));
  connect(mClear, &QAction::triggered, this, [this]() {
    PhRecentProjects::clear();
    refresh();
  });
  // The settings may have been loaded from a file since the last change.
  connect(this, &QMenu::aboutToShow, this, &PhRecentProjectsMenu::refresh);
  refresh();
}

QString PhRecentProjectsMenu::entryText(int i, const QString &file, bool withFolder) {
  const QFileInfo info(file);
  QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(escapedAmpersands(info.fileName()));
  if (withFolder)
    text += QStringLiteral("  (%1)").arg(
        escapedAmpersands(elided(QDir::toNativeSeparators(info.absolutePath()), kMaxFolderChars)));
  return text;
}

void PhRecentProjectsMenu::refresh() {
  // Later, not now: the entry that asked may be in the middle of its trigger.
  for (QAction *entry : mEntries) {
    removeAction(entry);
    entry->deleteLater();
  }
  mEntries.clear();
  const QStringList files = PhRecentProjects::entries();
  QStringList names;
  for (const QString &file : files) names << QFileInfo(file).fileName();
  for (int i = 0; i < files.size(); ++i) {
    const QString &file = files.at(i);
    auto *entry = new QAction(entryText(i, file, names.count(names.at(i)) > 1), this);
    entry->setData(file);
    entry->setToolTip(QDir::toNativeSeparators(file));
    entry->setStatusTip(QDir::toNativeSeparators(file));
    connect(entry, &QAction::triggered, this, [this, file]() { emit sigOpenRequested(file); });
    insertAction(mSeparator, entry);
    mEntries << entry;
  }
  menuAction()->setEnabled(!files.isEmpty());
}
