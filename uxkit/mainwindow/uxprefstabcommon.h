#ifndef UXPREFSTABCOMMON_H
#define UXPREFSTABCOMMON_H

#include "nubux_export.h"
#include "uxprefstab.h"

class QCheckBox;
class QMenu;
class QPoint;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ux {

class Slider;

// The common page of the preferences dialog: the logging settings of the
// group "Global" and the list of log files.
class NUBUX_EXPORT PrefsTabCommon : public PrefsTab {
  Q_OBJECT

 public:
  // Ids of the context menu's entries.
  enum PopupE { PU_Show = 0, PU_Delete = 1, PU_DeleteAll = 2, PU_Refresh = 3 };

  explicit PrefsTabCommon(QWidget *parent = nullptr);
  ~PrefsTabCommon() override;

  void initWidgets() override;

  QTreeWidget *logList() const { return mList; }
  Slider *maxLogsSlider() const { return mSlider; }
  QPushButton *deleteButton() const { return mDelete; }
  QCheckBox *autologBox() const { return mAutolog; }
  QMenu *popupMenu() const { return mPopup; }

 public slots:
  void slotSaveWidgetStates() override;
  // Lists the files of the log directory again.
  void slotRefresh();

 private slots:
  void _slotDeleteLogs();
  void _slotShowLog(QTreeWidgetItem *item);
  void _slotSetPopup(const QPoint &pos);
  void _slotHandlePopup(int id);

 private:
  void _buildPopup(QTreeWidgetItem *item);
  QString _pathOf(const QTreeWidgetItem *item) const;

  QTreeWidget *mList = nullptr;
  Slider *mSlider = nullptr;
  QPushButton *mDelete = nullptr;
  QCheckBox *mAutolog = nullptr;
  QMenu *mPopup = nullptr;
  QTreeWidgetItem *mPopupItem = nullptr;
};

}  // namespace Ux

#endif  // UXPREFSTABCOMMON_H
