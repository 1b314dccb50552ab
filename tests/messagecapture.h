#ifndef MESSAGECAPTURE_H
#define MESSAGECAPTURE_H

#include "nubmsg.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Collects every message sent through the Nub functions while it lives
// (and mutes progress output), then puts the previous handlers back.
class MessageCapture {
 public:
  MessageCapture()
      : mPrevious(Nub::installMsgHandler(&MessageCapture::handle)),
        mPreviousProgress(Nub::installProgressHandler([](int, int) {})) {
    sActive = this;
  }
  ~MessageCapture() {
    Nub::installMsgHandler(mPrevious);
    Nub::installProgressHandler(mPreviousProgress);
    sActive = nullptr;
  }
  MessageCapture(const MessageCapture &) = delete;
  MessageCapture &operator=(const MessageCapture &) = delete;

  const QList<QPair<unsigned, QString>> &all() const { return mMessages; }
  QStringList texts(unsigned type) const {
    QStringList result;
    for (const auto &m : mMessages)
      if (m.first == type) result << m.second;
    return result;
  }
  QStringList warnings() const { return texts(Nub::MsgWarn); }
  QStringList infos() const { return texts(Nub::MsgInfo); }
  int count() const { return int(mMessages.size()); }
  // How many messages of the type contain `part`.
  int count(unsigned type, const QString &part) const {
    int n = 0;
    for (const auto &m : mMessages)
      if (m.first == type && m.second.contains(part)) ++n;
    return n;
  }
  void clear() { mMessages.clear(); }

 private:
  static void handle(Nub::MsgTypeE type, const char *text) {
    if (sActive) sActive->mMessages.append({unsigned(type), QString::fromUtf8(text)});
  }

  Nub::MsgHandler mPrevious;
  Nub::ProgressHandler mPreviousProgress;
  QList<QPair<unsigned, QString>> mMessages;
  static inline MessageCapture *sActive = nullptr;
};

#endif  // MESSAGECAPTURE_H
