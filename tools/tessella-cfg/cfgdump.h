#ifndef CFGDUMP_H
#define CFGDUMP_H

#include "uxcfgfile.h"

#include <QByteArray>

// Turns the contents of a configuration file into JSON text, entries in
// file order, every value exactly as stored so CfgMake can give back the
// same bytes.
class CfgDump {
 public:
  static QByteArray toJson(const Ux::CfgFile::Contents &contents);

  // A nested value of a List or Map: {"type": "<kind>", "value": ...}.
  static QByteArray typedJson(Ux::CfgFile::KindE kind, const QVariant &value);

  // JSON forms shared with CfgMake.
  static QByteArray jsonString(const QString &text);
  static QByteArray jsonDouble(double value);
  static QByteArray colorText(quint32 argb);
  static QByteArray writtenJson(const Ux::CfgFile::Header &header);
};

#endif  // CFGDUMP_H
