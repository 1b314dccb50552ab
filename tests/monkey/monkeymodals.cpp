#include "monkeymodals.h"

#include "monkeylog.h"
#include "monkeyprojects.h"
#include "monkeyrng.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

MonkeyModals::MonkeyModals(quint64 seed, const MonkeyProjects &projects, QObject *parent)
    : QObject(parent),
      mOwnRng(std::make_unique<MonkeyRng>(seed ^ 0x9e3779b97f4a7c15ULL)),
      mRng(*mOwnRng),
      mProjects(projects) {
  mTimer = new QTimer(this);
  mTimer->setInterval(15);
  connect(mTimer, &QTimer::timeout, this, &MonkeyModals::_poll);
  mTimer->start();
}

MonkeyModals::~MonkeyModals() = default;

void MonkeyModals::setLeaving(bool bPreferences, bool bPositions) {
  mLeaving = true;
  mSavePreferences = bPreferences;
  mSavePositions = bPositions;
}

void MonkeyModals::_poll() {
  QWidget *top = QApplication::activePopupWidget();
  if (!top) top = QApplication::activeModalWidget();
  if (!top) {
    mPending = nullptr;
    return;
  }
  // One answer at a time: the posted one may still be on its way.
  if (top == mPending && ++mPendingTicks < 40) return;
  mPending = top;
  mPendingTicks = 0;
  QPointer<QWidget> target(top);
  QMetaObject::invokeMethod(
      this,
      [this, target]() {
        if (!target || !target->isVisible()) return;
        ++mAnswered;
        if (auto *menu = qobject_cast<QMenu *>(target.data()))
          _answerPopup(menu);
        else if (QApplication::activePopupWidget() == target.data())
          target->close();
        else
          _answer(target.data());
      },
      Qt::QueuedConnection);
}

void MonkeyModals::_answerPopup(QMenu *menu) {
  QList<QAction *> items;
  for (QAction *action : menu->actions())
    if (action->isEnabled() && action->isVisible() && !action->isSeparator()) items << action;
  if (items.isEmpty() || mRng.chance(0.2)) {
    MonkeyLog::line(QStringLiteral("  popup '%1': closed").arg(menu->title()));
    menu->close();
    return;
  }
  QAction *chosen = items.at(mRng.below(int(items.size())));
  MonkeyLog::line(QStringLiteral("  popup '%1': '%2'").arg(menu->title(), chosen->text()));
  if (chosen->menu()) {
    // A submenu opens as a popup of its own; answered on the next round.
    menu->setActiveAction(chosen);
    chosen->menu()->popup(menu->mapToGlobal(menu->actionGeometry(chosen).topRight()));
    return;
  }
  // Through the menu, so that its triggered() reaches the menu's owner.
  menu->setActiveAction(chosen);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(menu, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
  if (menu->isVisible()) QApplication::sendEvent(menu, &release);
}

void MonkeyModals::_answer(QWidget *modal) {
  const QByteArray kind = modal->metaObject()->className();
  if (kind == "PhExitDialog") return _answerExitDialog(static_cast<QDialog *>(modal));
  if (auto *box = qobject_cast<QMessageBox *>(modal)) return _answerMessageBox(box);
  if (auto *files = qobject_cast<QFileDialog *>(modal)) return _answerFileDialog(files);
  if (auto *dialog = qobject_cast<QDialog *>(modal)) return _answerOther(dialog);
  MonkeyLog::line(QStringLiteral("  modal %1: closed").arg(QString::fromLatin1(kind)));
  modal->close();
}

void MonkeyModals::_answerExitDialog(QDialog *dialog) {
  const bool yes = mLeaving;
  if (yes) {
    if (auto *preferences = dialog->findChild<QGroupBox *>()) preferences->setChecked(mSavePreferences);
    if (auto *positions = dialog->findChild<QCheckBox *>()) positions->setChecked(mSavePositions);
  } else if (mRng.chance(0.5)) {
    _fiddle(dialog, 2);
  }
  MonkeyLog::line(QStringLiteral("  exit dialog: %1").arg(yes ? QStringLiteral("Yes") : QStringLiteral("No")));
  for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
    if (button->text() == (yes ? QLatin1String("Yes") : QLatin1String("No"))) {
      button->click();
      return;
    }
  }
  dialog->reject();
}

void MonkeyModals::_answerMessageBox(QMessageBox *box) {
  QList<QAbstractButton *> buttons = box->buttons();
  QAbstractButton *quit = nullptr;
  QAbstractButton *other = nullptr;
  for (QAbstractButton *button : buttons) {
    if (button->text() == QLatin1String("&Quit")) quit = button;
    if (button->text() == QLatin1String("&Open other")) other = button;
  }
  if (quit && other) {
    // The read-failure box: "&Quit" ends the process through a fatal message.
    QAbstractButton *chosen = mFatalAllowed && mRng.chance(0.3) ? quit : other;
    MonkeyLog::line(QStringLiteral("  read-failure box: %1").arg(chosen->text()));
    if (chosen == quit) MonkeyLog::line(QStringLiteral("FATAL-QUIT"));
    chosen->click();
    return;
  }
  if (buttons.isEmpty()) {
    MonkeyLog::line(QStringLiteral("  message box: closed"));
    box->close();
    return;
  }
  QAbstractButton *chosen = buttons.at(mRng.below(int(buttons.size())));
  MonkeyLog::line(QStringLiteral("  message box '%1': %2").arg(box->windowTitle(), chosen->text()));
  chosen->click();
}

void MonkeyModals::_answerFileDialog(QFileDialog *dialog) {
  if (mRng.chance(0.15)) {
    MonkeyLog::line(QStringLiteral("  file dialog '%1': cancelled").arg(dialog->windowTitle()));
    dialog->reject();
    return;
  }
  const QString filters = dialog->nameFilters().join(QLatin1Char(' '));
  QString file;
  if (dialog->acceptMode() == QFileDialog::AcceptSave) {
    static const char *const endings[] = {".png", ".svg", ".pdf", ".cfg", ".csv", ".html", ""};
    QString ending = QString::fromLatin1(endings[mRng.below(7)]);
    if (filters.contains(QLatin1String(".cfg"))) ending = QStringLiteral(".cfg");
    file = mProjects.outputDir() + QStringLiteral("/saved%1%2").arg(mRng.below(4)).arg(ending);
  } else if (filters.contains(QLatin1String("(p)"))) {
    const int roll = mRng.below(100);
    if (roll < 45 || mProjects.damaged().isEmpty())
      file = mProjects.example();
    else if (roll < 55 && !mProjects.large().isEmpty())
      file = mProjects.large();
    else if (roll < 95)
      file = mProjects.damaged().at(mRng.below(int(mProjects.damaged().size())));
    else
      file = mProjects.outputDir() + QStringLiteral("/nothing.(p)");
  } else {
    // A configuration or another file: something saved before, or nothing.
    const QStringList saved = QDir(mProjects.outputDir()).entryList({QStringLiteral("*.cfg")}, QDir::Files);
    file = saved.isEmpty() || mRng.chance(0.3) ? mProjects.outputDir() + QStringLiteral("/missing.cfg")
                                               : mProjects.outputDir() + QLatin1Char('/') +
                                                     saved.at(mRng.below(int(saved.size())));
  }
  MonkeyLog::line(QStringLiteral("  file dialog '%1': %2").arg(dialog->windowTitle(), file));
  if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) edit->setText(file);
  static_cast<QDialog *>(dialog)->accept();
  // A name the dialog refuses (a missing file to open) leaves it open.
  if (dialog->isVisible()) dialog->reject();
}

void MonkeyModals::_answerOther(QDialog *dialog) {
  const QString kind = QString::fromLatin1(dialog->metaObject()->className());
  if (auto *input = qobject_cast<QInputDialog *>(dialog)) {
    switch (input->inputMode()) {
      case QInputDialog::IntInput: input->setIntValue(mRng.between(-5, 3000)); break;
      case QInputDialog::DoubleInput: input->setDoubleValue(mRng.between(-100, 100000) / 7.0); break;
      case QInputDialog::TextInput: {
        const QStringList items = input->comboBoxItems();
        if (!items.isEmpty() && mRng.chance(0.8))
          input->setTextValue(items.at(mRng.below(int(items.size()))));
        else
          input->setTextValue(QString::number(mRng.between(-10, 5000)));
        break;
      }
    }
  } else if (auto *colours = qobject_cast<QColorDialog *>(dialog)) {
    colours->setCurrentColor(QColor::fromRgb(mRng.below(256), mRng.below(256), mRng.below(256)));
  } else if (qobject_cast<QFontDialog *>(dialog) == nullptr) {
    _fiddle(dialog, mRng.between(0, 4));
  }
  const bool accept = mRng.chance(0.6);
  MonkeyLog::line(QStringLiteral("  dialog %1 '%2': %3")
                      .arg(kind, dialog->windowTitle(), accept ? QStringLiteral("accepted") : QStringLiteral("rejected")));
  if (accept)
    dialog->accept();
  else
    dialog->reject();
}

void MonkeyModals::_fiddle(QWidget *root, int iTimes) {
  for (int i = 0; i < iTimes; ++i) {
    QList<QWidget *> widgets;
    for (QWidget *w : root->findChildren<QWidget *>())
      if (w->isVisible() && w->isEnabled() &&
          (qobject_cast<QCheckBox *>(w) || qobject_cast<QGroupBox *>(w) || qobject_cast<QComboBox *>(w) ||
           qobject_cast<QSpinBox *>(w) || qobject_cast<QDoubleSpinBox *>(w) || qobject_cast<QSlider *>(w) ||
           qobject_cast<QTabWidget *>(w)))
        widgets << w;
    if (widgets.isEmpty()) return;
    QWidget *w = widgets.at(mRng.below(int(widgets.size())));
    if (auto *check = qobject_cast<QCheckBox *>(w)) check->toggle();
    else if (auto *group = qobject_cast<QGroupBox *>(w)) group->setChecked(group->isCheckable() && !group->isChecked());
    else if (auto *combo = qobject_cast<QComboBox *>(w)) combo->setCurrentIndex(mRng.below(combo->count()));
    else if (auto *spin = qobject_cast<QSpinBox *>(w)) spin->setValue(mRng.between(spin->minimum(), spin->maximum()));
    else if (auto *dspin = qobject_cast<QDoubleSpinBox *>(w))
      dspin->setValue(dspin->minimum() + (dspin->maximum() - dspin->minimum()) * mRng.below(1001) / 1000.0);
    else if (auto *slider = qobject_cast<QSlider *>(w)) slider->setValue(mRng.between(slider->minimum(), slider->maximum()));
    else if (auto *tabs = qobject_cast<QTabWidget *>(w)) tabs->setCurrentIndex(mRng.below(tabs->count()));
    MonkeyLog::line(QStringLiteral("    fiddled %1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName()));
  }
}
