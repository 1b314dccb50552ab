#include "benchchild.h"

#include <QCoreApplication>
#include <QProcess>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

extern char **environ;

BenchChild::Result BenchChild::run(const QString &program, const QStringList &arguments,
                                   const QStringList &environment) {
  Result result;
  QProcess starter;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const QString &entry : environment) {
    const int equals = entry.indexOf(QLatin1Char('='));
    if (equals > 0) env.insert(entry.left(equals), entry.mid(equals + 1));
  }
  starter.setProcessEnvironment(env);
  starter.setProcessChannelMode(QProcess::SeparateChannels);
  starter.start(QCoreApplication::applicationFilePath(),
                QStringList{QLatin1String(StarterOption), program} + arguments);
  if (!starter.waitForFinished(-1) || starter.exitStatus() != QProcess::NormalExit) return result;
  const QList<QByteArray> fields = starter.readAllStandardOutput().simplified().split(' ');
  if (fields.size() != 3) return result;
  result.wallMs = fields[0].toDouble() / 1e6;
  result.peakMiB = fields[1].toDouble() / 1024.0;  // kilobytes on Linux
  result.ok = fields[2] == "1" && starter.exitCode() == 0;
  return result;
}

int BenchChild::measure(char **argv) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  timespec start{}, end{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return 1;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return 1;
  clock_gettime(CLOCK_MONOTONIC, &end);
  const long long ns = (end.tv_sec - start.tv_sec) * 1000000000LL + (end.tv_nsec - start.tv_nsec);
  std::printf("%lld %ld %d\n", ns, usage.ru_maxrss, WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0);
  return 0;
}
