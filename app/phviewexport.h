#ifndef PHVIEWEXPORT_H
#define PHVIEWEXPORT_H

#include <QSize>
#include <QString>

// tessella --export-view XY|XZ|YZ|IMAGE:<id> OUT.png|svg|pdf [--size WxH]
// PROJECT.(p): reads the project without a window, draws the object view of
// that plane or the image view of that image, fitted to the size, with the
// user's settings, into the file, and ends.
class PhViewExport {
 public:
  static constexpr int DefaultSize = 2000;
  static constexpr int MaxSize = 20000;

  // What the command line asks for; `error` says what is wrong with it.
  struct Request {
    int plane = -1;    // 0 XY, 1 XZ, 2 YZ, or -1 for an image
    int imageId = 0;
    QString outFile;
    QSize size = QSize(DefaultSize, DefaultSize);
    QString error;
  };
  static Request parse(const QString &view, const QString &outFile, const QString &size);

  // True when the arguments ask for an export, before the application object
  // exists: such a run needs no display.
  static bool requested(int argc, char **argv);

  // Reads the project and writes the picture: 0 when written, 1 when the
  // picture could not be made, 2 when the project could not be read. What
  // went wrong goes to standard error.
  static int run(const Request &request, const QString &projectFile);
};

#endif  // PHVIEWEXPORT_H
