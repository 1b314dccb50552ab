#ifndef QTCOLORPICKERPOPUP_H
#define QTCOLORPICKERPOPUP_H

#include "nubux_export.h"

#include <QColor>
#include <QFrame>
#include <QList>

class ColorPickerItem;
class QGridLayout;
class QPushButton;

// The popup grid of QtColorPicker: one item per colour, laid out in columns,
// and a "Custom" button that opens the colour dialog.
class NUBUX_EXPORT ColorPickerPopup : public QFrame {
  Q_OBJECT

 public:
  ColorPickerPopup(int columns, bool withColorDialog, QWidget *parent = nullptr);
  ~ColorPickerPopup() override;

  void insertColor(const QColor &color, const QString &text, int index = -1);
  int count() const { return mItems.size(); }
  QColor color(int index) const;
  QString text(int index) const;
  int find(const QColor &color) const;

  // -1 means as many columns as the square root of the count, rounded up.
  void setColumns(int columns);
  int columns() const;

  void setColorDialogEnabled(bool enabled);
  bool colorDialogEnabled() const { return mWithColorDialog; }

  // Puts the focus on the item of that colour when the popup shows.
  void setCurrent(const QColor &color) { mCurrent = color; }

  QList<ColorPickerItem *> items() const { return mItems; }
  QPushButton *customButton() const { return mCustom; }

 signals:
  void selected(const QColor &color);
  void hid();

 protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private slots:
  void _slotItemSelected(const QColor &color);
  void _slotCustom();

 private:
  void _relayout();

  QGridLayout *mGrid = nullptr;
  QList<ColorPickerItem *> mItems;
  QPushButton *mCustom = nullptr;
  int mColumns = -1;
  bool mWithColorDialog = true;
  QColor mCurrent;
};

#endif  // QTCOLORPICKERPOPUP_H
