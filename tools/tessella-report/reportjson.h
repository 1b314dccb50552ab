#ifndef REPORTJSON_H
#define REPORTJSON_H

#include <QByteArray>
#include <QString>
#include <vector>

// A small JSON writer that keeps keys in the order they are written (the
// report reads best in a fixed order). Members of the two outer levels go on
// lines of their own, deeper ones stay on one line. Numbers are written in
// their shortest exact form; a non-finite number is written as null.
class ReportJson {
 public:
  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  // The name of the next member of an object.
  ReportJson &key(const char *name);
  ReportJson &key(const QString &name);

  void value(long long number);
  void value(int number) { value(static_cast<long long>(number)); }
  void value(double number);
  void value(float number);
  void value(bool flag);
  void value(const QString &text);
  void null();

  const QByteArray &text() const { return mText; }

 private:
  void beforeValue();
  void raw(const char *text) { mText += text; }
  void string(const QString &text);

  struct Level {
    bool isObject = false;
    int count = 0;
  };
  QByteArray mText;
  std::vector<Level> mLevels;
  bool mAfterKey = false;
};

#endif  // REPORTJSON_H
