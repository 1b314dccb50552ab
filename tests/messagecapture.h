#ifndef MESSAGECAPTURE_H
#define MESSAGECAPTURE_H

#include "nubmsg.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Collects every message sent through the Nub functions while it lives and
// puts the previous handler back afterwards.
class MessageCapture {
 public:
  MessageCapture() : mPrevious(Nub::installMsgHandler(&MessageCapture::handle)) { sActive = this; }
  ~MessageCapture() {
    Nub::installMsgHandler(mPrevious);
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
  int count() const { return int(mMessages.size()); }
  void clear() { mMessages.clear(); }

 private:
  static void handle(Nub::MsgTypeE type, const char *text) {
    if (sActive) sActive->mMessages.append({unsigned(type), QString::fromUtf8(text)});
  }

  Nub::MsgHandler mPrevious;
  QList<QPair<unsigned, QString>> mMessages;
  static inline MessageCapture *sActive = nullptr;
};

#endif  // MESSAGECAPTURE_H
