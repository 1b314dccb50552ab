#ifndef QTCOLORPICKERITEM_H
#define QTCOLORPICKERITEM_H

#include "nubux_export.h"

#include <QColor>
#include <QFrame>
#include <QString>

// One swatch of the colour grid: shows its colour, names it in the tool tip,
// and reports a click or Enter as a choice.
class NUBUX_EXPORT ColorPickerItem : public QFrame {
  Q_OBJECT

 public:
  ColorPickerItem(const QColor &color, const QString &text, QWidget *parent = nullptr);

  const QColor &color() const { return mColor; }
  const QString &text() const { return mText; }

  QSize sizeHint() const override;

 signals:
  void selected(const QColor &color);

 protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;

 private:
  QColor mColor;
  QString mText;
  bool mHover = false;
};

#endif  // QTCOLORPICKERITEM_H
