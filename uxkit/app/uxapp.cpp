#include "uxapp.h"

#include "nubmsg.h"
#include "uxmsg.h"
#include "uxcfg.h"
#include "uxpath.h"
#include "uxplatform.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextStream>
#include <QWidget>
#include <cstdlib>

namespace Ux {

App *App::_app = nullptr;
QMap<QString, QString> *App::_mapInfo = nullptr;
const char *const App::_sLogKey = "Global/MaxLogs";

namespace {

QString nowText() { return QDateTime::currentDateTime().toString(Qt::TextDate); }

// Runs beyond this in one day mean something is wrong with the directory.
constexpr int kMaxRunsPerDay = 10000;

void qtMessageHandler(QtMsgType, const QMessageLogContext &, const QString &message) {
  if (App *app = App::getRep()) app->log(QStringLiteral("Qt: %1").arg(message).toUtf8().constData());
}

void appMessageHandler(Nub::MsgTypeE type, const char *text) {
  App *app = App::getRep();
  if (!app) return;
  const QString message = QString::fromUtf8(text);
  auto logAs = [app, text](const char *format) {
    app->log(QCoreApplication::translate("Ux::App", format).arg(QString::fromUtf8(text)).toUtf8().constData());
  };
  switch (type) {
    case Nub::MsgInfoDlg:
      QMessageBox::information(app->mainWidget(), QCoreApplication::translate("Ux::App", "Information"),
                               message);
      break;
    case Nub::MsgWarnDlg:
      QMessageBox::warning(app->mainWidget(), QCoreApplication::translate("Ux::App", "Warning!"),
                           message);
      break;
    case Nub::MsgFatalDlg:
      QMessageBox::critical(app->mainWidget(), QCoreApplication::translate("Ux::App", "Fatal Error!"),
                            message);
      break;
    case Nub::MsgDebug: logAs("Debug: %1"); break;
    case Nub::MsgInfo: logAs("Info: %1"); break;
    case Nub::MsgNote: logAs("Notice: %1"); break;
    case Nub::MsgWarn: logAs("Warning: %1"); break;
    case Nub::MsgFatal: logAs("Fatal error: %1"); break;
    case Nub::MsgLog: logAs("Log: %1"); break;
    case Nub::MsgStatus: logAs("Status: %1"); break;
    default:
      app->log(QCoreApplication::translate("Ux::App", "Warning (unknown type of message '%1'): %2")
                   .arg(QString::number(static_cast<unsigned>(type)), message)
                   .toUtf8()
                   .constData());
      break;
  }
}

}  // namespace

App::App(const char *name, int &argc, char **argv) : QApplication(argc, argv) {
  if (getRep()) {
    Nub::checkFailed("getRep()", __FILE__, __LINE__);
    Ux::warn(tr("The global application can only be initialised once!"));
    return;
  }
  setObjectName(QString::fromUtf8(name));
  mRegistered = true;
  _app = this;
  // A fatal message ends the process through exit(), past this object's
  // destructor; the log is closed all the same.
  static const bool closesAtExit = std::atexit(&App::_closeLogAtExit) == 0;
  Q_UNUSED(closesAtExit);
}

void App::_closeLogAtExit() {
  if (_app) _app->_closeLog();
}

App::~App() {
  if (!mRegistered) return;
  Nub::installMsgHandler(nullptr);
  qInstallMessageHandler(nullptr);
  _closeLog();
  _app = nullptr;
}

App *App::getRep() { return _app; }

QString App::_native(const QString &path) { return QDir::toNativeSeparators(path); }

QString App::logFileName(int year, int month, int day, int run, const QString &ext) {
  return QString::asprintf("%04d%02d%02d_%02d", year, month, day, run) + ext;
}

bool App::init(bool useLocalAppDir, const QString &logDir, const QString &logExt,
               const QString &cfgDir, const QString &cfgExt) {
  if (!getRep()) return Ux::warn(tr("The global application isn't initialised!"));

  // Local application directory.
  if (useLocalAppDir) {
    const QString dir = pathConcat(userHomeDir(), QStringLiteral(".%1").arg(objectName()).toLower());
    if (!QFileInfo(dir).isDir() && !QDir().mkdir(dir))
      return Ux::warn(tr("Can't create the local application-directory '%1'!").arg(dir));
    mLocalAppDir = _native(dir);
  } else {
    mLocalAppDir = appDir();
  }

  mLogExt = logExt.startsWith(QLatin1Char('.')) ? logExt : QStringLiteral(".") + logExt;

  // Log directory.
  {
    const QString dir = QDir::isAbsolutePath(logDir) ? logDir : pathConcat(mLocalAppDir, logDir);
    if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir))
      return Ux::warn(tr("Can't create the log-directory '%1'!").arg(dir));
    const QFileInfo info(dir);
    if (!info.isExecutable())
      return Ux::warn(tr("Can't change to the directory '%1'!").arg(dir));
    if (!info.isWritable())
      return Ux::warn(tr("The log-directory '%1' is not writable !").arg(dir));
    mLogDir = _native(dir);
  }

  if (!_openLog()) return false;

  qInstallMessageHandler(qtMessageHandler);
  Nub::installMsgHandler(appMessageHandler);

  mCfgExt = cfgExt.startsWith(QLatin1Char('.')) ? cfgExt : QStringLiteral(".") + cfgExt;

  // Configuration directory.
  {
    const QString dir = QDir::isAbsolutePath(cfgDir) ? cfgDir : pathConcat(mLocalAppDir, cfgDir);
    if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir))
      return Ux::warn(tr("Can't create the directory '%1' for storing configuration-files!").arg(dir));
    const QFileInfo info(dir);
    if (!info.isExecutable())
      return Ux::warn(tr("Can't change to the directory '%1'!").arg(dir));
    if (!info.isReadable())
      return Ux::warn(tr("The configuration-directory '%1' is not readable!").arg(dir));
    mCfgDir = _native(dir);
  }
  return true;
}

// Opens today's next log file. A name that already exists is never reused,
// even when the run numbers of the day are no longer in name order.
bool App::_openLog() {
  const QDate today = QDate::currentDate();
  const QString todayPattern =
      QString::asprintf("%04d%02d%02d_*", today.year(), today.month(), today.day()) + mLogExt;
  const QStringList todays =
      QDir(mLogDir).entryList(QStringList(todayPattern), QDir::Files, QDir::Name);
  int run = 0;
  if (!todays.isEmpty()) {
    const QString base = todays.last().section(QLatin1Char('.'), 0, 0);
    bool ok = false;
    const int last = base.section(QLatin1Char('_'), -1).toInt(&ok);
    run = ok && last >= 0 ? last + 1 : 0;
  }
  QString path;
  for (int tries = 0; tries < kMaxRunsPerDay; ++tries, ++run) {
    path = pathConcat(mLogDir, logFileName(today.year(), today.month(), today.day(), run, mLogExt));
    if (!QFileInfo::exists(path)) break;
  }
  auto file = std::make_unique<QFile>(path);
  if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text))
    return Ux::warn(tr("Can't open logfile '%1' for writing!").arg(path));
  mLogFile = std::move(file);
  mLogStream = std::make_unique<QTextStream>(mLogFile.get());
  log("#########################");
  log(tr("Logging started at: %1").arg(nowText()).toUtf8().constData());
  return true;
}

void App::_closeLog() {
  if (!mLogStream) return;
  log(tr("Logging stopped at: %1").arg(nowText()).toUtf8().constData());
  log("#########################");
  mLogStream.reset();
  mLogFile->close();
  mLogFile.reset();
}

void App::setMainWidget(QWidget *widget) {
  disconnect(this, &QGuiApplication::lastWindowClosed, this, nullptr);
  connect(this, &QGuiApplication::lastWindowClosed, this, [] { QCoreApplication::quit(); });
  mMainWidget = widget;
}

QWidget *App::mainWidget() const { return mMainWidget; }

QString App::appDir() {
  if (!QCoreApplication::instance()) return QString();
  return _native(QCoreApplication::applicationDirPath());
}

QString App::userHomeDir() { return _native(QDir::homePath()); }

void App::setFallbacks(const QString &relativePath, const QStringList &alternatives) {
  NUB_CHECK(relativePath.isEmpty() || QDir::isAbsolutePath(relativePath));
  mFallbacks.insert(QDir::cleanPath(relativePath), alternatives);
}

QString App::locate(const QString &relativePath) const {
  if (QDir::isAbsolutePath(relativePath)) return relativePath;
  const QString dir = appDir();
  const QString primary = pathConcat(dir, relativePath);
  if (QFileInfo::exists(primary)) return primary;
  for (const QString &alternative : mFallbacks.value(QDir::cleanPath(relativePath))) {
    const QString path = QDir::isAbsolutePath(alternative) ? alternative : dir + QLatin1Char('/') + alternative;
    if (QFileInfo::exists(path)) return _native(QDir::cleanPath(path));
  }
  // Nothing found: messages name the place beside the executable.
  return primary;
}

QString App::cfgPattern() const { return QStringLiteral("*") + mCfgExt; }

QString App::cfgFileUser() const { return pathConcat(mCfgDir, currentUserName().toLower() + mCfgExt); }

QString App::cfgFileSystem() const { return locate(QStringLiteral("default") + mCfgExt); }

QString App::logPattern() const { return QStringLiteral("*") + mLogExt; }

QString App::logFile() const {
  return mLogFile ? _native(QFileInfo(mLogFile->fileName()).absoluteFilePath()) : QString();
}

QStringList App::logFiles(bool fullPaths) const {
  if (mLogDir.isEmpty()) return QStringList();
  const QStringList names = QDir(mLogDir).entryList(QStringList(QStringLiteral("????????_*") + mLogExt),
                                                    QDir::Files, QDir::Name);
  if (!fullPaths) return names;
  QStringList paths;
  paths.reserve(names.size());
  for (const QString &name : names) paths << pathConcat(mLogDir, name);
  return paths;
}

bool App::isCurrentLog(const QString &path) const {
  const QString current = logFile();
  return !current.isEmpty() && _native(path).toLower() == current.toLower();
}

bool App::readSystemCfg(bool warnIfMissing) { return Cfg::load(cfgFileSystem(), warnIfMissing); }
bool App::readUserCfg(bool warnIfMissing) { return Cfg::load(cfgFileUser(), warnIfMissing); }
bool App::readCfg(const QString &file) { return Cfg::load(file, true); }
bool App::writeUserCfg() { return Cfg::save(cfgFileUser()); }
bool App::writeCfg(const QString &file) { return Cfg::save(file); }

bool App::setInfo(const QString &key, const QString &value) {
  if (!_mapInfo) _mapInfo = new QMap<QString, QString>;
  NUB_CHECK_RETURN(!_mapInfo, false);
  _mapInfo->insert(key, value);
  return _mapInfo->contains(key);
}

bool App::hasInfo(const QString &key) { return _mapInfo && _mapInfo->contains(key); }

QString App::info(const QString &key) {
  if (!_mapInfo) return QString();
  return _mapInfo->value(key);
}

bool App::setHelpFile(const QString &strHelpFile) {
  NUB_CHECK_RETURN(strHelpFile.isEmpty(), false);
  const QString path = locate(strHelpFile);
  const QFileInfo info(path);
  if (!info.exists() || !info.isFile() || !info.isReadable())
    return Ux::warn(tr("The helpfile '%1' does not exist or isn't readable!").arg(strHelpFile));
  mHelpFile = _native(info.absoluteFilePath());
  return true;
}

bool App::addLibraryPath(const QString &strPath) {
  NUB_CHECK_RETURN(strPath.isEmpty(), false);
  const QString path = locate(strPath);
  const QFileInfo info(path);
  const QString absolute = QDir::cleanPath(info.absoluteFilePath());
  if (!info.exists() || !info.isDir() || !info.isReadable())
    return Ux::warn(tr("The library-path '%1' is invalid (%2, %3, %4)!")
                        .arg(_native(absolute), QString::number(info.exists() ? 1 : 0),
                             QString::number(info.isDir() ? 1 : 0), QString::number(info.isReadable() ? 1 : 0)));
  QCoreApplication::addLibraryPath(absolute);
  return true;
}

bool App::clearLibraryPaths() {
  QCoreApplication::setLibraryPaths(QStringList());
  return QCoreApplication::libraryPaths().isEmpty();
}

bool App::log(const char *text) {
  if (!mLogStream) return false;
  *mLogStream << QString::fromUtf8(text) << '\n';
  mLogStream->flush();
  return true;
}

bool App::reduceLogFiles(int iMaxFiles) {
  NUB_CHECK_RETURN(iMaxFiles <= 0, false);
  QStringList files = logFiles(true);
  if (files.size() <= iMaxFiles) return true;
  files.erase(files.end() - iMaxFiles, files.end());
  Nub::progress(0, int(files.size()));
  int deleted = 0;
  for (const QString &file : files) {
    Nub::progress(deleted + 1, -1);
    // The open log is this run's record; it is never deleted under us.
    if (!isCurrentLog(file) && QFile::remove(file)) {
      ++deleted;
      Ux::info(tr("Logfile '%1' deleted.").arg(file));
    } else {
      Ux::warn(tr("Can't delete logfile '%1'!").arg(file));
    }
  }
  Nub::progress(-1, -1);
  if (deleted == 1)
    Ux::info(tr("One logfile deleted."));
  else if (deleted > 1)
    Ux::info(tr("%1 logfiles deleted.").arg(QString::number(deleted)));
  return true;
}

bool App::reduceLogFiles() {
  int maxFiles = 0;
  if (!Cfg::read(maxFiles, QString::fromLatin1(_sLogKey), 0)) {
    Ux::warn(tr("Setting '%1' does not exist in configuration!").arg(QString::fromUtf8(_sLogKey)));
    return Ux::warn(tr("Logfiles will not be deleted."));
  }
  Ux::info(tr("A maximum of %1 Logfiles is allowed.").arg(QString::number(maxFiles)));
  return reduceLogFiles(maxFiles);
}

QString App::selfInfo() const {
  const QString part1 =
      tr("<table border=1><tr><th><b>Information</b></th><th><b>Value</b></th></tr>"
         "<tr><td>Name</td><td>%1</td></tr><tr><td>Application directory</td><td>%2</td></tr>"
         "<tr><td>User directory</td><td>%3</td></tr><tr><td>Local application directory</td><td>%4</td></tr>"
         "<tr><td>Log-directory</td><td>%5</td></tr><tr><td>Extension for logging</td><td>%6</td></tr>"
         "<tr><td>Pattern for logging</td><td>%7</td></tr><tr><td>Current logfile</td><td>%8</td></tr>"
         "<tr><td>Logfiles</td><td>%9</td></tr>")
          .arg(objectName(), appDir(), userHomeDir(), mLocalAppDir, mLogDir, mLogExt, logPattern(),
               logFile(), logFiles(true).join(QStringLiteral(", ")));
  const QString part2 =
      tr("<tr><td>Helpfile</td><td>%1</td></tr><tr><td>Configuration-directory</td><td>%2</td></tr>"
         "<tr><td>Extension for config-files</td><td>%3</td></tr><tr><td>Pattern for config-files</td><td>%4</td></tr>"
         "<tr><td>System-configuration-file</td><td>%5</td></tr><tr><td>User-configuration-file</td><td>%6</td></tr>"
         "<tr><td>Plugins</td><td>%7</td></tr></table>")
          .arg(mHelpFile, mCfgDir, mCfgExt, cfgPattern(), cfgFileSystem(), cfgFileUser(),
               QCoreApplication::libraryPaths().join(QStringLiteral(", ")));
  return part1 + part2;
}

}  // namespace Ux
