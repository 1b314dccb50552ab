#include "phbaxprogress.h"

#include <climits>

#include "nubmsg.h"

namespace {

constexpr qint64 Step = 16384;

int clamped(qint64 value) { return int(qMin<qint64>(value, INT_MAX)); }

}  // namespace

PhBaxProgress::PhBaxProgress(qint64 total) : mNext(Step) { Nub::progress(0, clamped(total)); }

PhBaxProgress::~PhBaxProgress() { Nub::progress(-1, -1); }

void PhBaxProgress::report(qint64 current) {
  Nub::progress(clamped(current), -1);
  mNext = current + Step;
}
