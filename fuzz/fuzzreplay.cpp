// Runs a fuzz target's entry point without the fuzzer, so that the targets
// build and run in every build: over every file of the folders and files
// given, and with --mutate also over every truncation and every single-bit
// flip of each. A finding aborts inside the target.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

long long sRuns = 0;

void run(const QByteArray &bytes) {
  ++sRuns;
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                         size_t(bytes.size()));
}

void runMutations(QByteArray bytes) {
  for (qsizetype n = 0; n < bytes.size(); ++n) run(bytes.left(n));
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      bytes[i] = char(bytes[i] ^ (1 << bit));
      run(bytes);
      bytes[i] = char(bytes[i] ^ (1 << bit));
    }
  }
}

}  // namespace

int main(int argc, char **argv) {
  bool bMutate = false;
  QStringList files;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg == QLatin1String("--mutate")) {
      bMutate = true;
      continue;
    }
    const QFileInfo info(arg);
    if (info.isDir()) {
      for (const QFileInfo &entry : QDir(arg).entryInfoList(QDir::Files, QDir::Name))
        files << entry.filePath();
    } else if (info.isFile()) {
      files << arg;
    } else {
      std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
      return 2;
    }
  }
  if (files.isEmpty()) {
    std::fprintf(stderr, "usage: %s [--mutate] <folder or file>...  (no inputs found)\n", argv[0]);
    return 2;
  }
  for (const QString &path : files) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "%s: cannot read\n", qPrintable(path));
      return 2;
    }
    const QByteArray bytes = file.readAll();
    std::fprintf(stderr, "%s (%lld bytes)\n", qPrintable(path), static_cast<long long>(bytes.size()));
    run(bytes);
    if (bMutate) runMutations(bytes);
  }
  std::printf("%lld files, %lld runs, no finding\n", static_cast<long long>(files.size()), sRuns);
  return 0;
}
