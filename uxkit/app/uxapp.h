#ifndef UXAPP_H
#define UXAPP_H

#include "nubux_export.h"

#include <QApplication>
#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

class QFile;
class QTextStream;
class QWidget;

namespace Ux {

// The one application object: information table, local application
// directory, one log file per run, configuration files, help file and
// library paths, and the message handler that writes the log.
class NUBUX_EXPORT App : public QApplication {
  Q_OBJECT

 public:
  static const int SUCCESS = 0;
  static const int FAILURE = 1;

  App(const char *name, int &argc, char **argv);
  ~App() override;

  static App *getRep();

  bool init(bool useLocalAppDir, const QString &logDir, const QString &logExt,
            const QString &cfgDir, const QString &cfgExt);

  // Quits the event loop when the last window closes.
  void setMainWidget(QWidget *widget);
  QWidget *mainWidget() const;

  const QString &localAppDir() const { return mLocalAppDir; }
  const QString &helpFile() const { return mHelpFile; }
  const QString &logDir() const { return mLogDir; }
  const QString &logExt() const { return mLogExt; }
  const QString &cfgDir() const { return mCfgDir; }
  const QString &cfgExt() const { return mCfgExt; }

  static QString appDir();
  static QString userHomeDir();

  // Other places of a file or folder that is named relative to appDir: an
  // installation keeps what lies beside the executable in a build elsewhere.
  // Relative alternatives are taken from appDir too; they are tried in order
  // after appDir itself.
  void setFallbacks(const QString &relativePath, const QStringList &alternatives);
  // The first of appDir/relativePath and its fallbacks that exists, else
  // appDir/relativePath; absolute paths are returned as they are.
  QString locate(const QString &relativePath) const;

  QString cfgPattern() const;
  QString cfgFileUser() const;
  QString cfgFileSystem() const;
  QString logPattern() const;
  QString logFile() const;
  QStringList logFiles(bool fullPaths) const;
  bool isCurrentLog(const QString &path) const;

  bool readSystemCfg(bool warnIfMissing);
  bool readUserCfg(bool warnIfMissing);
  bool readCfg(const QString &file);
  bool writeUserCfg();
  bool writeCfg(const QString &file);

  static bool setInfo(const QString &key, const QString &value);
  static bool hasInfo(const QString &key);
  static QString info(const QString &key);

  bool setHelpFile(const QString &path);
  bool addLibraryPath(const QString &path);
  bool clearLibraryPaths();

  bool log(const char *text);
  bool reduceLogFiles(int maxFiles);
  bool reduceLogFiles();

  QString selfInfo() const;

  // Date-stamped log file name of one run: "%04d%02d%02d_%02d<ext>".
  static QString logFileName(int year, int month, int day, int run, const QString &ext);

  static const char *const _sLogKey;

 private:
  bool _openLog();
  void _closeLog();
  static void _closeLogAtExit();
  static QString _native(const QString &path);

  QString mLocalAppDir;
  QString mHelpFile;
  QString mCfgDir;
  QString mCfgExt;
  QString mLogDir;
  QString mLogExt;
  std::unique_ptr<QFile> mLogFile;
  std::unique_ptr<QTextStream> mLogStream;
  QWidget *mMainWidget = nullptr;
  bool mRegistered = false;
  QMap<QString, QStringList> mFallbacks;

  static App *_app;
  static QMap<QString, QString> *_mapInfo;
};

}  // namespace Ux

#endif  // UXAPP_H
