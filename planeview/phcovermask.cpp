#include "phcovermask.h"

#include <algorithm>

namespace {

// Bits a..b (0..63, a <= b) of a word.
quint64 bitsBetween(int a, int b) {
  const quint64 upTo = b == 63 ? ~quint64(0) : (quint64(1) << (b + 1)) - 1;
  return upTo & ~((quint64(1) << a) - 1);
}

}  // namespace

void PhCoverMask::reset(const QRect &area) {
  mArea = area;
  // One word more than the width needs, so that a test may read a word past
  // a line's last bit.
  mWords = area.isEmpty() ? 0 : (area.width() + 63) / 64 + 1;
  mBits.assign(std::size_t(mWords) * std::size_t(std::max(0, area.height())), 0);
  mGroups.assign(std::size_t(mWords) * std::size_t((std::max(0, area.height()) >> GroupShift) + 1), 0);
}

bool PhCoverMask::allSet(const quint64 *bits, int a, int b) const {
  // The bits brought down, 64 at a time, to bit 0 of a word; the word after
  // a line's last is always there (see reset()).
  const int shift = a % 64;
  const int n = b - a + 1;
  const int whole = n / 64;
  const int rest = n % 64;
  bits += a / 64;
  for (int k = 0; k < whole; ++k) {
    quint64 v = bits[k] >> shift;
    if (shift) v |= bits[k + 1] << (64 - shift);
    if (v != ~quint64(0)) return false;
  }
  if (rest == 0) return true;
  quint64 v = bits[whole] >> shift;
  if (shift) v |= bits[whole + 1] << (64 - shift);
  const quint64 want = (quint64(1) << rest) - 1;
  return (v & want) == want;
}

bool PhCoverMask::covers(const QRect &box) const {
  // Clipped by hand: this runs for every point of a paint.
  const int x0 = std::max(box.left(), mArea.left());
  const int x1 = std::min(box.right(), mArea.right());
  const int y0 = std::max(box.top(), mArea.top());
  const int y1 = std::min(box.bottom(), mArea.bottom());
  if (x0 > x1 || y0 > y1) return true;
  const int a = x0 - mArea.left();
  const int b = x1 - mArea.left();
  constexpr int Group = 1 << GroupShift;
  int y = y0;
  while (y <= y1) {
    const int offset = y - mArea.top();
    if ((offset & (Group - 1)) == 0 && y + Group - 1 <= y1) {
      if (!allSet(group(y), a, b)) return false;
      y += Group;
    } else {
      if (!allSet(row(y), a, b)) return false;
      ++y;
    }
  }
  return true;
}

void PhCoverMask::addRun(int y, int x0, int x1) {
  if (y < mArea.top() || y > mArea.bottom()) return;
  x0 = std::max(x0, mArea.left());
  x1 = std::min(x1, mArea.right());
  if (x0 > x1) return;
  const int a = x0 - mArea.left();
  const int b = x1 - mArea.left();
  quint64 *bits = row(y);
  const int wa = a / 64;
  const int wb = b / 64;
  if (wa == wb) {
    bits[wa] |= bitsBetween(a % 64, b % 64);
  } else {
    bits[wa] |= bitsBetween(a % 64, 63);
    for (int w = wa + 1; w < wb; ++w) bits[w] = ~quint64(0);
    bits[wb] |= bitsBetween(0, b % 64);
  }
  // The group's words over the same stretch, from its lines.
  constexpr int Group = 1 << GroupShift;
  const int first = mArea.top() + (((y - mArea.top()) >> GroupShift) << GroupShift);
  if (first + Group - 1 > mArea.bottom()) return;
  quint64 *groupBits = group(y);
  for (int w = wa; w <= wb; ++w) {
    quint64 all = ~quint64(0);
    for (int k = 0; k < Group; ++k) all &= row(first + k)[w];
    groupBits[w] = all;
  }
}
