#ifndef PROJECTREPORT_H
#define PROJECTREPORT_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include "nubmsg.h"

class PhImageList;
class PhObjectList;
class PhProjectData;

// The JSON summary of a read and completed project: counts, adjustment
// results, one entry per image in list order, and the messages of reading.
class ProjectReport {
 public:
  using Messages = QList<QPair<Nub::MsgTypeE, QString>>;

  static QByteArray json(const PhProjectData &project, const PhImageList &images,
                         const PhObjectList &objects, const Messages &messages);
};

#endif  // PROJECTREPORT_H
