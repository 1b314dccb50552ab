#include "benchchild.h"

#include <QElapsedTimer>
#include <QFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char **environ;

BenchChild::Result BenchChild::run(const QString &program, const QStringList &arguments,
                                   const QStringList &environment) {
  Result result;
  std::vector<QByteArray> argBytes{QFile::encodeName(program)};
  for (const QString &a : arguments) argBytes.push_back(a.toLocal8Bit());
  std::vector<char *> argv;
  for (QByteArray &a : argBytes) argv.push_back(a.data());
  argv.push_back(nullptr);

  // The given entries replace those of the same name.
  std::vector<QByteArray> envBytes;
  for (char **e = environ; *e; ++e) {
    const QByteArray entry(*e);
    const QByteArray name = entry.left(entry.indexOf('=') + 1);
    bool bReplaced = false;
    for (const QString &given : environment) bReplaced = bReplaced || given.toLocal8Bit().startsWith(name);
    if (!bReplaced) envBytes.push_back(entry);
  }
  for (const QString &e : environment) envBytes.push_back(e.toLocal8Bit());
  std::vector<char *> envp;
  for (QByteArray &e : envBytes) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  QElapsedTimer timer;
  timer.start();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return result;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return result;
  result.wallMs = double(timer.nsecsElapsed()) / 1e6;
  result.peakMiB = double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}
