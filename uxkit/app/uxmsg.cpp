#include "uxmsg.h"

#include "nubmsg.h"

namespace Ux {

void info(const QString &text) { Nub::info("%s", text.toUtf8().constData()); }
void note(const QString &text) { Nub::note("%s", text.toUtf8().constData()); }
bool warn(const QString &text) { return Nub::warn("%s", text.toUtf8().constData()); }
void log(const QString &text) { Nub::log("%s", text.toUtf8().constData()); }
void status(const QString &text) { Nub::status("%s", text.toUtf8().constData()); }
void infoDlg(const QString &text) { Nub::infoDlg("%s", text.toUtf8().constData()); }
void warnDlg(const QString &text) { Nub::warnDlg("%s", text.toUtf8().constData()); }
void fatal(const QString &text) { Nub::fatal("%s", text.toUtf8().constData()); }
void fatalDlg(const QString &text) { Nub::fatalDlg("%s", text.toUtf8().constData()); }
void msg(unsigned types, const QString &text) { Nub::msg(types, "%s", text.toUtf8().constData()); }

}  // namespace Ux
