#include "uxtooltipfilter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QToolTip>

namespace Ux {

bool ToolTipFilter::_enabled = true;

ToolTipFilter::ToolTipFilter(QObject *parent) : QObject(parent) {}

void ToolTipFilter::setEnabled(bool enabled) {
  static QPointer<ToolTipFilter> filter;
  _enabled = enabled;
  QCoreApplication *app = QCoreApplication::instance();
  if (!filter && app) {
    filter = new ToolTipFilter(app);
    app->installEventFilter(filter);
  }
  if (!enabled) QToolTip::hideText();
}

bool ToolTipFilter::isEnabled() { return _enabled; }

bool ToolTipFilter::eventFilter(QObject *watched, QEvent *event) {
  if (!_enabled && event->type() == QEvent::ToolTip) return true;
  return QObject::eventFilter(watched, event);
}

}  // namespace Ux
