#include "phmsgcapture.h"

#include "phimage.h"
#include "phimagelist.h"

namespace {

QList<QPair<Nub::MsgTypeE, QString>> &messages() {
  static QList<QPair<Nub::MsgTypeE, QString>> list;
  return list;
}

void record(Nub::MsgTypeE type, const char *text) {
  messages().append(qMakePair(type, QString::fromUtf8(text)));
}

void quiet(int, int) {}

}  // namespace

PhMsgCapture::PhMsgCapture() {
  messages().clear();
  mPrevious = Nub::installMsgHandler(record);
  mPreviousProgress = Nub::installProgressHandler(quiet);
}

PhMsgCapture::~PhMsgCapture() {
  Nub::installMsgHandler(mPrevious);
  Nub::installProgressHandler(mPreviousProgress);
}

QStringList PhMsgCapture::texts(Nub::MsgTypeE type) const {
  QStringList result;
  for (const auto &m : messages())
    if (m.first == type) result << m.second;
  return result;
}

int PhMsgCapture::count(Nub::MsgTypeE type, const QString &part) const {
  int n = 0;
  for (const auto &m : messages())
    if (m.first == type && m.second.contains(part)) ++n;
  return n;
}

const QList<QPair<Nub::MsgTypeE, QString>> &PhMsgCapture::all() const { return messages(); }

void PhMsgCapture::clear() { messages().clear(); }

void phResetModel() {
  PhImage::clearPointIndex();
  PhImageList().clear();
}
