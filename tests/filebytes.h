#ifndef FILEBYTES_H
#define FILEBYTES_H

// Whole files as bytes, for tests that write fixtures and compare what a
// program wrote.

#include <QByteArray>
#include <QFile>
#include <QString>

inline bool putFile(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Empty when the file cannot be read.
inline QByteArray fileBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

#endif  // FILEBYTES_H
