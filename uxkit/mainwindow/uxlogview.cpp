#include "uxlogview.h"

#include "nubmsg.h"
#include "uxmsg.h"
#include "uxpath.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTextEdit>
#include <QTextStream>
#include <QVBoxLayout>

namespace Ux {

QHash<QString, LogView *> LogView::_views;
QSize LogView::_size;

LogView::LogView(const QString &path, QWidget *parent) : QDialog(parent), mPath(path) {
  Nub::debug("Ux::LogView");
  setAttribute(Qt::WA_DeleteOnClose);
  setSizeGripEnabled(true);
  setWindowTitle(tr("Logfile: '%1'").arg(QFileInfo(path).fileName()));
  setWhatsThis(tr("Logfile: '%1'").arg(path));

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  layout->setSpacing(Ux::stdSpace());
  mText = new QTextEdit(this);
  mText->setReadOnly(true);
  mText->setLineWrapMode(QTextEdit::NoWrap);
  layout->addWidget(mText);
  // Until the user sizes one: room for a hundred columns and thirty lines.
  const QFontMetrics metrics(mText->font());
  QSize first(metrics.averageCharWidth() * 100 + 40, metrics.lineSpacing() * 30 + 40);
  if (QScreen *shown = screen()) first = first.boundedTo(shown->availableGeometry().size() * 9 / 10);
  resize(first);

  _views.insert(mPath, this);
}

LogView::~LogView() {
  Nub::debug("~Ux::LogView");
  if (_views.value(mPath) == this) _views.remove(mPath);
}

LogView *LogView::find(const QString &path) { return _views.value(path, nullptr); }

bool LogView::_load() {
  if (mPath.isEmpty()) return Ux::warn(tr("Empty filename!"));
  if (!QFileInfo::exists(mPath))
    return Ux::warn(tr("Logfile '%1' does not exist!").arg(mPath));
  QFile file(mPath);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return Ux::warn(tr("Logfile '%1' is not readable!").arg(mPath));
  QTextStream stream(&file);
  mText->setPlainText(stream.readAll());
  return true;
}

void LogView::showEvent(QShowEvent *event) {
  _load();
  if (_size.isValid()) resize(_size);
  QDialog::showEvent(event);
}

void LogView::resizeEvent(QResizeEvent *event) {
  // The first resize is the dialog's own initial size, not the user's choice.
  if (mFirstResize)
    mFirstResize = false;
  else
    _size = event->size();
  QDialog::resizeEvent(event);
}

}  // namespace Ux
