#include "uxmessagewindow.h"

#include "uxapp.h"
#include "uxcfg.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

namespace Ux {

QPointer<MessageWindow> MessageWindow::_msgWindow;

namespace {

// A long run keeps this many lines; older ones scroll away.
const int kMaxLines = 20000;
const int kStatusTimeout = 5000;

bool onGuiThread() {
  return QCoreApplication::instance() &&
         QThread::currentThread() == QCoreApplication::instance()->thread();
}

QString logFormat(unsigned type) {
  switch (type) {
    case Nub::MsgDebug: return QStringLiteral("Debug: %1");
    case Nub::MsgInfo: return QStringLiteral("Info: %1");
    case Nub::MsgNote: return QStringLiteral("Notice: %1");
    case Nub::MsgWarn: return QStringLiteral("Warning: %1");
    case Nub::MsgFatal: return QStringLiteral("Fatal error: %1");
    case Nub::MsgLog: return QStringLiteral("Log: %1");
    default:
      return QStringLiteral("Warning (unknown type of message '%1'): %2");
  }
}

}  // namespace

MessageWindow::MessageWindow() : QTextEdit(nullptr) {
  Nub::debug("Ux::MessageWindow");
  setObjectName(QStringLiteral("Ux::MessageWindow"));
  setReadOnly(false);
  setAcceptRichText(true);
  setLineWrapMode(QTextEdit::NoWrap);
  document()->setMaximumBlockCount(kMaxLines);
  setWhatsThis(tr("All messages of the program: information in black, notices in dark green, "
                  "warnings and errors in red, messages of the toolkit in magenta."));
}

MessageWindow::~MessageWindow() {
  Nub::debug("~Ux::MessageWindow");
  restoreHandlers();
}

MessageWindow *MessageWindow::getRep() { return _msgWindow.data(); }

MessageWindow *MessageWindow::setup() {
  if (!_msgWindow) _msgWindow = new MessageWindow;
  NUB_CHECK_RETURN(! _msgWindow, nullptr);
  _msgWindow->installHandlers();
  return _msgWindow;
}

void MessageWindow::installHandlers() {
  if (mInstalled) return;
  mInstalled = true;
  mPrevQt = qInstallMessageHandler(&MessageWindow::_qtHandler);
  mPrevNub = Nub::installMsgHandler(&MessageWindow::_nubHandler);
}

void MessageWindow::restoreHandlers() {
  if (!mInstalled) return;
  mInstalled = false;
  Nub::installMsgHandler(mPrevNub);
  qInstallMessageHandler(mPrevQt);
  mPrevNub = nullptr;
  mPrevQt = nullptr;
}

void MessageWindow::setMainWindow(QMainWindow *mainWindow) { mMainWindow = mainWindow; }

QMainWindow *MessageWindow::mainWindow() const { return mMainWindow.data(); }

void MessageWindow::showMessage(unsigned type, const QString &text, const QColor *color) {
  switch (type) {
    case Nub::MsgDebug:
      _append(text, color ? *color : QColor(Qt::blue), Qt::mightBeRichText(text));
      _log(logFormat(type).arg(text), false);
      break;
    case Nub::MsgInfo:
      _append(text, color ? *color : QColor(Qt::black), Qt::mightBeRichText(text));
      _log(logFormat(type).arg(text), false);
      break;
    case Nub::MsgNote:
      _append(text, color ? *color : QColor(Qt::darkGreen), Qt::mightBeRichText(text));
      _log(logFormat(type).arg(text), false);
      break;
    case Nub::MsgWarn:
    case Nub::MsgFatal:
      _append(text, color ? *color : QColor(Qt::red), Qt::mightBeRichText(text));
      _beep();
      _log(logFormat(type).arg(text), false);
      break;
    case Nub::MsgLog:
      _log(logFormat(type).arg(text), true);
      break;
    case Nub::MsgStatus:
      if (mMainWindow) mMainWindow->statusBar()->showMessage(text, kStatusTimeout);
      break;
    case Nub::MsgInfoDlg:
    case Nub::MsgWarnDlg:
    case Nub::MsgFatalDlg:
      _box(type, text);
      break;
    default:
      Nub::warn(">>> %s: %s (%d) <<<", "Unknown type of message in case!", __FILE__, __LINE__);
      _append(text, color ? *color : QColor(Qt::darkRed), false);
      _beep();
      _log(logFormat(type).arg(type).arg(text), false);
      break;
  }
}

void MessageWindow::_append(const QString &text, const QColor &color, bool richText) {
  // Always at the end, wherever the user left the cursor in the pane, and in
  // a plain format of the colour: nothing of a rich message leaks into the next.
  moveCursor(QTextCursor::End);
  QTextCursor cursor = textCursor();
  QTextCharFormat format;
  format.setForeground(color);
  cursor.setCharFormat(format);
  if (richText) {
    cursor.insertHtml(QStringLiteral("<span style=\"color:%1\">%2</span>")
                          .arg(color.name(), QString(text).replace(QLatin1Char('\n'),
                                                                   QStringLiteral("<br>"))));
    cursor.setCharFormat(format);
    cursor.insertText(QStringLiteral("\n"));
  } else {
    cursor.insertText(text + QLatin1Char('\n'));
  }
  setTextCursor(cursor);
  moveCursor(QTextCursor::End);
  ensureCursorVisible();
}

void MessageWindow::_beep() {
  if (!App::getRep()) return;
  QApplication::beep();
  emit sigBeep();
}

void MessageWindow::_log(const QString &logText, bool always) {
  App *app = App::getRep();
  if (!app) return;
  if (!always) {
    bool autolog = true;
    Cfg::read(autolog, QStringLiteral("Global/Autolog"), true);
    if (!autolog) return;
  }
  app->log(logText.toUtf8().constData());
}

void MessageWindow::_box(unsigned type, const QString &text) {
  QWidget *parent = mMainWindow ? static_cast<QWidget *>(mMainWindow.data()) : this;
  switch (type) {
    case Nub::MsgInfoDlg:
      QMessageBox::information(parent, tr("Information"), text);
      break;
    case Nub::MsgWarnDlg:
      QMessageBox::warning(parent, tr("Warning!"), text);
      break;
    default:
      QMessageBox::critical(parent, tr("Fatal error!"), text);
      break;
  }
}

void MessageWindow::_nubHandler(Nub::MsgTypeE type, const char *text) {
  // Copied at once: showing may send further messages through the shared buffer.
  const QString message = QString::fromUtf8(text ? text : "");
  MessageWindow *window = _msgWindow.data();
  if (!window) return;
  if (!onGuiThread()) {
    const unsigned t = type;
    QMetaObject::invokeMethod(window, [window, t, message]() { window->showMessage(t, message); },
                              Qt::QueuedConnection);
    return;
  }
  window->showMessage(type, message);
}

void MessageWindow::_qtHandler(QtMsgType type, const QMessageLogContext &context,
                               const QString &text) {
  static bool busy = false;
  MessageWindow *window = _msgWindow.data();
  // Messages the pane itself causes while showing one go the previous way.
  if (!window || busy) {
    if (window && window->mPrevQt) window->mPrevQt(type, context, text);
    return;
  }
  const QString message = QStringLiteral("Qt: %1").arg(text);
  static const QColor magenta(Qt::magenta);
  if (!onGuiThread()) {
    QMetaObject::invokeMethod(
        window,
        [window, message]() {
          window->_append(message, magenta, false);
          window->_log(message, false);
        },
        Qt::QueuedConnection);
    return;
  }
  busy = true;
  window->_append(message, magenta, false);
  window->_log(message, false);
  busy = false;
}

}  // namespace Ux
