#include "reportjson.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Levels whose members get lines of their own.
constexpr std::size_t SplitDepth = 2;

}  // namespace

void ReportJson::beforeValue() {
  if (mAfterKey) {
    mAfterKey = false;
    return;
  }
  if (mLevels.empty()) return;
  Level &level = mLevels.back();
  if (level.count++ > 0) mText += ',';
  if (mLevels.size() <= SplitDepth) {
    mText += '\n';
    mText += QByteArray(int(mLevels.size()) * 2, ' ');
  } else if (level.count > 1) {
    mText += ' ';
  }
}

ReportJson &ReportJson::key(const char *name) { return key(QString::fromUtf8(name)); }

ReportJson &ReportJson::key(const QString &name) {
  beforeValue();
  string(name);
  mText += ": ";
  mAfterKey = true;
  return *this;
}

void ReportJson::beginObject() {
  beforeValue();
  mText += '{';
  mLevels.push_back(Level{true, 0});
}

void ReportJson::beginArray() {
  beforeValue();
  mText += '[';
  mLevels.push_back(Level{false, 0});
}

void ReportJson::endObject() {
  const bool bSplit = mLevels.size() <= SplitDepth && mLevels.back().count > 0;
  mLevels.pop_back();
  if (bSplit) {
    mText += '\n';
    mText += QByteArray(int(mLevels.size()) * 2, ' ');
  }
  mText += '}';
  if (mLevels.empty()) mText += '\n';
}

void ReportJson::endArray() {
  const bool bSplit = mLevels.size() <= SplitDepth && mLevels.back().count > 0;
  mLevels.pop_back();
  if (bSplit) {
    mText += '\n';
    mText += QByteArray(int(mLevels.size()) * 2, ' ');
  }
  mText += ']';
}

void ReportJson::value(long long number) {
  beforeValue();
  mText += QByteArray::number(number);
}

void ReportJson::value(double number) {
  if (!std::isfinite(number)) return null();
  beforeValue();
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  mText.append(buffer, int(result.ptr - buffer));
}

void ReportJson::value(float number) {
  if (!std::isfinite(number)) return null();
  beforeValue();
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  mText.append(buffer, int(result.ptr - buffer));
}

void ReportJson::value(bool flag) {
  beforeValue();
  raw(flag ? "true" : "false");
}

void ReportJson::value(const QString &text) {
  beforeValue();
  string(text);
}

void ReportJson::null() {
  beforeValue();
  raw("null");
}

void ReportJson::string(const QString &text) {
  mText += '"';
  for (const char c : text.toUtf8()) {
    switch (c) {
      case '"': mText += "\\\""; break;
      case '\\': mText += "\\\\"; break;
      case '\n': mText += "\\n"; break;
      case '\r': mText += "\\r"; break;
      case '\t': mText += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
          mText += escaped;
        } else {
          mText += c;
        }
    }
  }
  mText += '"';
}
