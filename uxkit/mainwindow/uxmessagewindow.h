#ifndef UXMESSAGEWINDOW_H
#define UXMESSAGEWINDOW_H

#include "nubmsg.h"
#include "nubux_export.h"

#include <QPointer>
#include <QTextEdit>
#include <QtMessageHandler>

class QColor;
class QMainWindow;

namespace Ux {

// The one pane where every message of the program appears in colour and from
// where it is logged. It takes over the toolkit's and the Nub message
// handlers and gives them back when the main window goes.
class NUBUX_EXPORT MessageWindow : public QTextEdit {
  Q_OBJECT

 public:
  ~MessageWindow() override;

  // The one message window, made on first use; null until then.
  static MessageWindow *getRep();
  // Makes the window if needed and installs its two handlers.
  static MessageWindow *setup();

  void installHandlers();
  void restoreHandlers();
  bool handlersInstalled() const { return mInstalled; }

  // The main window whose status bar shows status messages and that parents
  // the message boxes; null until a main window adopts the message window.
  void setMainWindow(QMainWindow *mainWindow);
  QMainWindow *mainWindow() const;

  // Shows, beeps and logs one message as its type asks; a colour replaces the
  // type's colour.
  void showMessage(unsigned type, const QString &text, const QColor *color = nullptr);

 signals:
  // The window beeped for a message.
  void sigBeep();

 private:
  MessageWindow();

  void _append(const QString &text, const QColor &color, bool richText);
  void _log(const QString &logText, bool always);
  void _beep();
  void _box(unsigned type, const QString &text);

  static void _nubHandler(Nub::MsgTypeE type, const char *text);
  static void _qtHandler(QtMsgType type, const QMessageLogContext &context, const QString &text);

  QtMessageHandler mPrevQt = nullptr;
  Nub::MsgHandler mPrevNub = nullptr;
  bool mInstalled = false;
  QPointer<QMainWindow> mMainWindow;

  static QPointer<MessageWindow> _msgWindow;
};

}  // namespace Ux

#endif  // UXMESSAGEWINDOW_H
