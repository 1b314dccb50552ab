#ifndef QTCOLORPICKER_H
#define QTCOLORPICKER_H

#include "nubux_export.h"

#include <QColor>
#include <QPushButton>

class ColorPickerPopup;

// A push button that shows a colour and, when pressed, opens a grid of
// colours to choose from; a "Custom" entry opens the colour dialog.
class NUBUX_EXPORT QtColorPicker : public QPushButton {
  Q_OBJECT

 public:
  // columns -1: as many as the square root of the number of colours.
  QtColorPicker(QWidget *parent = nullptr, const char *name = nullptr, int columns = -1,
                bool enableColorDialog = true);
  ~QtColorPicker() override;

  void setStandardColors();
  void insertColor(const QColor &color, const QString &text = QString(), int index = -1);

  int count() const;
  QColor color(int index) const;
  QString colorText(int index) const;
  QColor currentColor() const { return mCurrent; }

  void setColorDialogEnabled(bool enabled);
  bool colorDialogEnabled() const;

  bool isPopupOpen() const { return mPopupOpen; }
  ColorPickerPopup *popup() const { return mPopup; }

  // Shows a grid of the standard colours at `pos` and returns the colour
  // chosen, invalid when none was.
  static QColor getColor(const QPoint &pos, bool allowCustomColors = true);

  // Where a popup of `size` opens below `anchor` so that it stays inside `desktop`.
  static QPoint popupPosition(const QPoint &anchor, const QSize &size, const QRect &desktop);

 public slots:
  void setCurrentColor(const QColor &color);

 signals:
  void colorChanged(const QColor &color);

 protected:
  void paintEvent(QPaintEvent *event) override;

 private slots:
  void _slotButtonPressed();
  void _slotPopupClosed();
  void _slotColorPicked(const QColor &color);

 private:
  ColorPickerPopup *mPopup = nullptr;
  QColor mCurrent;
  bool mPopupOpen = false;
};

#endif  // QTCOLORPICKER_H
