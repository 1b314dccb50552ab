#ifndef CFGMAKE_H
#define CFGMAKE_H

#include "uxcfgfile.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads the JSON form that CfgDump writes and turns it into the header and
// entries of a configuration file. Every field is checked; the first fault
// is reported as one line naming the entry and the field.
class CfgMake {
 public:
  static bool fromJson(const QByteArray &json, Ux::CfgFile::Header *header,
                       QList<Ux::CfgFile::Entry> *entries, QString *error);
};

#endif  // CFGMAKE_H
