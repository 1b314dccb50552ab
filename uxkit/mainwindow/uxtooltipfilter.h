#ifndef UXTOOLTIPFILTER_H
#define UXTOOLTIPFILTER_H

#include <QObject>

namespace Ux {

// Switches tool tips off for the whole application by swallowing their
// events; the toolkit itself has no such switch.
class ToolTipFilter : public QObject {
  Q_OBJECT

 public:
  static void setEnabled(bool enabled);
  static bool isEnabled();

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  explicit ToolTipFilter(QObject *parent);

  static bool _enabled;
};

}  // namespace Ux

#endif  // UXTOOLTIPFILTER_H
