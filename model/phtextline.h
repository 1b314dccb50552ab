#ifndef PHTEXTLINE_H
#define PHTEXTLINE_H

#include <QByteArray>
#include <QString>

class QIODevice;

// Lines of the BAX text files (project file, Bax.ini, project list). They
// come from Windows programs: UTF-8 when the bytes are valid UTF-8, else Latin-1.
class PhTextLine {
 public:
  // The next line with its line end, at most maxBytes long (a longer line is
  // read as several); an empty result at the end of the device.
  static QByteArray read(QIODevice &device, int maxBytes);
  static QString decode(const QByteArray &bytes);
};

#endif  // PHTEXTLINE_H
