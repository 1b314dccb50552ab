#include "qtcolorpicker.h"

#include "nubmsg.h"
#include "qtcolorpickerpopup.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

void insertStandardColors(ColorPickerPopup *popup) {
  struct Named {
    Qt::GlobalColor color;
    const char *text;
  };
  static const Named colors[] = {
      {Qt::black, QT_TRANSLATE_NOOP("QtColorPicker", "Black")},
      {Qt::white, QT_TRANSLATE_NOOP("QtColorPicker", "White")},
      {Qt::red, QT_TRANSLATE_NOOP("QtColorPicker", "Red")},
      {Qt::darkRed, QT_TRANSLATE_NOOP("QtColorPicker", "Dark red")},
      {Qt::green, QT_TRANSLATE_NOOP("QtColorPicker", "Green")},
      {Qt::darkGreen, QT_TRANSLATE_NOOP("QtColorPicker", "Dark green")},
      {Qt::blue, QT_TRANSLATE_NOOP("QtColorPicker", "Blue")},
      {Qt::darkBlue, QT_TRANSLATE_NOOP("QtColorPicker", "Dark blue")},
      {Qt::cyan, QT_TRANSLATE_NOOP("QtColorPicker", "Cyan")},
      {Qt::darkCyan, QT_TRANSLATE_NOOP("QtColorPicker", "Dark cyan")},
      {Qt::magenta, QT_TRANSLATE_NOOP("QtColorPicker", "Magenta")},
      {Qt::darkMagenta, QT_TRANSLATE_NOOP("QtColorPicker", "Dark magenta")},
      {Qt::yellow, QT_TRANSLATE_NOOP("QtColorPicker", "Yellow")},
      {Qt::darkYellow, QT_TRANSLATE_NOOP("QtColorPicker", "Dark yellow")},
      {Qt::gray, QT_TRANSLATE_NOOP("QtColorPicker", "Gray")},
      {Qt::darkGray, QT_TRANSLATE_NOOP("QtColorPicker", "Dark gray")},
      {Qt::lightGray, QT_TRANSLATE_NOOP("QtColorPicker", "Light gray")},
  };
  for (const Named &c : colors)
    popup->insertColor(QColor(c.color), QtColorPicker::tr(c.text));
}

QRect desktopOf(const QPoint &pos) {
  QScreen *screen = QGuiApplication::screenAt(pos);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}

}  // namespace

QtColorPicker::QtColorPicker(QWidget *parent, const char *name, int columns,
                             bool enableColorDialog)
    : QPushButton(parent) {
  Nub::debug("QtColorPicker");
  if (name) setObjectName(QString::fromUtf8(name));
  setFocusPolicy(Qt::StrongFocus);
  setAutoDefault(false);
  setIconSize(QSize(18, 17));

  mPopup = new ColorPickerPopup(columns, enableColorDialog, this);
  connect(mPopup, &ColorPickerPopup::selected, this, &QtColorPicker::_slotColorPicked);
  connect(mPopup, &ColorPickerPopup::hid, this, &QtColorPicker::_slotPopupClosed);
  connect(this, &QPushButton::pressed, this, &QtColorPicker::_slotButtonPressed);
}

QtColorPicker::~QtColorPicker() { Nub::debug("~QtColorPicker"); }

void QtColorPicker::setStandardColors() { insertStandardColors(mPopup); }

void QtColorPicker::insertColor(const QColor &color, const QString &text, int index) {
  mPopup->insertColor(color, text, index);
}

int QtColorPicker::count() const { return mPopup->count(); }

QColor QtColorPicker::color(int index) const { return mPopup->color(index); }

QString QtColorPicker::colorText(int index) const { return mPopup->text(index); }

void QtColorPicker::setColorDialogEnabled(bool enabled) { mPopup->setColorDialogEnabled(enabled); }

bool QtColorPicker::colorDialogEnabled() const { return mPopup->colorDialogEnabled(); }

void QtColorPicker::setCurrentColor(const QColor &color) {
  if (!color.isValid() || color == mCurrent) return;
  if (mPopup->find(color) < 0) mPopup->insertColor(color, tr("Custom"));
  mCurrent = color;
  mPopup->setCurrent(color);

  // The swatch on the button: a grey frame inset by 3, the colour inset by 4.
  QPixmap pix(18, 17);
  pix.fill(palette().color(QPalette::Button));
  QPainter p(&pix);
  const QRect r = pix.rect();
  p.setPen(QColor(Qt::gray));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(3, 3, -4, -4));
  p.fillRect(r.adjusted(4, 4, -4, -4), color);
  p.end();
  setIcon(QIcon(pix));
}

QPoint QtColorPicker::popupPosition(const QPoint &anchor, const QSize &size,
                                    const QRect &desktop) {
  QPoint pos = anchor;
  if (desktop.isValid()) {
    if (pos.x() + size.width() > desktop.right() + 1) pos.setX(desktop.right() + 1 - size.width());
    if (pos.y() + size.height() > desktop.bottom() + 1)
      pos.setY(desktop.bottom() + 1 - size.height());
    if (pos.x() < desktop.left()) pos.setX(desktop.left());
    if (pos.y() < desktop.top()) pos.setY(desktop.top());
  }
  if (pos.x() < 0) pos.setX(0);
  if (pos.y() < 0) pos.setY(0);
  return pos;
}

void QtColorPicker::_slotButtonPressed() {
  if (mPopupOpen) return;
  mPopup->adjustSize();
  const QPoint anchor = mapToGlobal(rect().bottomLeft() + QPoint(0, 1));
  mPopup->move(popupPosition(anchor, mPopup->sizeHint(), desktopOf(anchor)));
  mPopupOpen = true;
  setDown(true);
  mPopup->show();
  update();
}

void QtColorPicker::_slotPopupClosed() {
  mPopupOpen = false;
  setDown(false);
  update();
}

void QtColorPicker::_slotColorPicked(const QColor &color) {
  if (!color.isValid() || color == mCurrent) return;
  setCurrentColor(color);
  emit colorChanged(color);
}

void QtColorPicker::paintEvent(QPaintEvent *event) {
  if (!mPopupOpen) {
    QPushButton::paintEvent(event);
    return;
  }
  // Drawn pressed for as long as the popup is open, focus or not.
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.state |= QStyle::State_Sunken;
  option.state &= ~QStyle::State_Raised;
  painter.drawControl(QStyle::CE_PushButton, option);
}

QColor QtColorPicker::getColor(const QPoint &pos, bool allowCustomColors) {
  ColorPickerPopup popup(-1, allowCustomColors);
  insertStandardColors(&popup);
  popup.adjustSize();
  popup.move(popupPosition(pos, popup.sizeHint(), desktopOf(pos)));

  QColor chosen;
  QEventLoop loop;
  QObject::connect(&popup, &ColorPickerPopup::selected,
                   [&chosen](const QColor &color) { chosen = color; });
  // The custom dialog reports after the popup has hidden: leave only then.
  QObject::connect(&popup, &ColorPickerPopup::hid, &loop,
                   [&loop]() { QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection); });
  popup.show();
  loop.exec();
  return chosen;
}
