#include "phtextline.h"

#include <QIODevice>
#include <QStringDecoder>

QByteArray PhTextLine::read(QIODevice &device, int maxBytes) {
  // Short lines are the rule: read in small steps rather than reserving the
  // whole maximum for every line.
  constexpr int Step = 256;
  QByteArray line;
  while (line.size() < maxBytes) {
    const int want = qMin(Step, maxBytes - int(line.size()));
    const qsizetype had = line.size();
    line.resize(had + want + 1);
    const qint64 got = device.readLine(line.data() + had, want + 1);
    line.truncate(had + qMax<qint64>(got, 0));
    if (got <= 0 || line.endsWith('\n')) break;
  }
  return line;
}

QString PhTextLine::decode(const QByteArray &bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(bytes);
}
