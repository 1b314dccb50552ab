#ifndef PHRECENTPROJECTSMENU_H
#define PHRECENTPROJECTSMENU_H

#include <QList>
#include <QMenu>

class QAction;

// "Recent Projects": one entry per recent project file, newest first, then
// "Clear Menu"; disabled while the list is empty. The entries are made
// again from the settings whenever they change and before the menu opens.
class PhRecentProjectsMenu : public QMenu {
  Q_OBJECT

 public:
  explicit PhRecentProjectsMenu(QWidget *parent = nullptr);

  void refresh();
  // The entries, without the separator and "Clear Menu".
  QList<QAction *> entryActions() const { return mEntries; }
  QAction *clearAction() const { return mClear; }

  // The text of the i-th entry (from 0): a number to press and the file
  // name, with its folder when another entry has the same name.
  static QString entryText(int i, const QString &file, bool withFolder);

 signals:
  void sigOpenRequested(const QString &strProjectFile);

 private:
  QList<QAction *> mEntries;
  QAction *mSeparator = nullptr;
  QAction *mClear = nullptr;
};

#endif  // PHRECENTPROJECTSMENU_H
