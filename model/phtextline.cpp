#include "phtextline.h"

#include <QIODevice>
#include <QStringDecoder>

QByteArray PhTextLine::read(QIODevice &device, int maxBytes) {
  QByteArray line(maxBytes + 1, Qt::Uninitialized);
  const qint64 got = device.readLine(line.data(), line.size());
  if (got <= 0) return QByteArray();
  line.truncate(int(got));
  return line;
}

QString PhTextLine::decode(const QByteArray &bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(bytes);
}
