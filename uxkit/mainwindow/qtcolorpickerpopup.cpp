#include "qtcolorpickerpopup.h"

#include "qtcolorpickeritem.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

ColorPickerPopup::ColorPickerPopup(int columns, bool withColorDialog, QWidget *parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint), mColumns(columns), mWithColorDialog(withColorDialog) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  setAttribute(Qt::WA_WindowPropagation);

  auto *outer = new QVBoxLayout(this);
  outer->setContentsMargins(4, 4, 4, 4);
  outer->setSpacing(4);
  mGrid = new QGridLayout;
  mGrid->setSpacing(1);
  mGrid->setContentsMargins(0, 0, 0, 0);
  outer->addLayout(mGrid);

  mCustom = new QPushButton(tr("Custom"), this);
  mCustom->setAutoDefault(false);
  connect(mCustom, &QPushButton::clicked, this, &ColorPickerPopup::_slotCustom);
  outer->addWidget(mCustom);
  mCustom->setVisible(mWithColorDialog);
}

ColorPickerPopup::~ColorPickerPopup() = default;

void ColorPickerPopup::insertColor(const QColor &color, const QString &text, int index) {
  auto *item = new ColorPickerItem(color, text, this);
  connect(item, &ColorPickerItem::selected, this, &ColorPickerPopup::_slotItemSelected);
  if (index < 0 || index > mItems.size()) index = mItems.size();
  mItems.insert(index, item);
  _relayout();
}

QColor ColorPickerPopup::color(int index) const {
  if (index < 0 || index >= mItems.size()) return QColor();
  return mItems.at(index)->color();
}

QString ColorPickerPopup::text(int index) const {
  if (index < 0 || index >= mItems.size()) return QString();
  return mItems.at(index)->text();
}

int ColorPickerPopup::find(const QColor &color) const {
  for (int i = 0; i < mItems.size(); ++i) {
    if (mItems.at(i)->color() == color) return i;
  }
  return -1;
}

void ColorPickerPopup::setColumns(int columns) {
  mColumns = columns;
  _relayout();
}

int ColorPickerPopup::columns() const {
  if (mColumns > 0) return mColumns;
  if (mItems.isEmpty()) return 1;
  return static_cast<int>(std::ceil(std::sqrt(static_cast<double>(mItems.size()))));
}

void ColorPickerPopup::setColorDialogEnabled(bool enabled) {
  mWithColorDialog = enabled;
  mCustom->setVisible(enabled);
}

void ColorPickerPopup::_relayout() {
  for (ColorPickerItem *item : std::as_const(mItems)) mGrid->removeWidget(item);
  const int cols = columns();
  for (int i = 0; i < mItems.size(); ++i) mGrid->addWidget(mItems.at(i), i / cols, i % cols);
  adjustSize();
}

void ColorPickerPopup::showEvent(QShowEvent *event) {
  QFrame::showEvent(event);
  const int index = find(mCurrent);
  if (index >= 0)
    mItems.at(index)->setFocus(Qt::PopupFocusReason);
  else if (!mItems.isEmpty())
    mItems.first()->setFocus(Qt::PopupFocusReason);
}

void ColorPickerPopup::hideEvent(QHideEvent *event) {
  QFrame::hideEvent(event);
  emit hid();
}

void ColorPickerPopup::keyPressEvent(QKeyEvent *event) {
  int index = -1;
  for (int i = 0; i < mItems.size(); ++i) {
    if (mItems.at(i)->hasFocus()) index = i;
  }
  const int cols = columns();
  int next = index;
  switch (event->key()) {
    case Qt::Key_Left: next = index - 1; break;
    case Qt::Key_Right: next = index + 1; break;
    case Qt::Key_Up: next = index - cols; break;
    case Qt::Key_Down: next = index + cols; break;
    default: QFrame::keyPressEvent(event); return;
  }
  event->accept();
  if (mItems.isEmpty()) return;
  if (index < 0) next = 0;
  if (next >= 0 && next < mItems.size()) mItems.at(next)->setFocus(Qt::TabFocusReason);
}

void ColorPickerPopup::_slotItemSelected(const QColor &color) {
  hide();
  emit selected(color);
}

void ColorPickerPopup::_slotCustom() {
  hide();
  QPointer<ColorPickerPopup> self(this);
  const QColor start = mCurrent.isValid() ? mCurrent : QColor(Qt::white);
  const QColor chosen = QColorDialog::getColor(start, parentWidget());
  if (self && chosen.isValid()) emit selected(chosen);
}
