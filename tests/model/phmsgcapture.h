#ifndef PHMSGCAPTURE_H
#define PHMSGCAPTURE_H

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "nubmsg.h"

// Records every message while it lives (and mutes progress output), so tests
// can check which messages a step gave, in order.
class PhMsgCapture {
 public:
  PhMsgCapture();
  ~PhMsgCapture();
  PhMsgCapture(const PhMsgCapture &) = delete;
  PhMsgCapture &operator=(const PhMsgCapture &) = delete;

  QStringList texts(Nub::MsgTypeE type) const;
  QStringList warnings() const { return texts(Nub::MsgWarn); }
  QStringList infos() const { return texts(Nub::MsgInfo); }
  int count(Nub::MsgTypeE type, const QString &part) const;
  const QList<QPair<Nub::MsgTypeE, QString>> &all() const;
  void clear();

 private:
  Nub::MsgHandler mPrevious = nullptr;
  Nub::ProgressHandler mPreviousProgress = nullptr;
};

// Empties the class-wide point and image indexes.
void phResetModel();

#endif  // PHMSGCAPTURE_H
