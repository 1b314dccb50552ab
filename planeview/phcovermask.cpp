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
  const int wa = a / 64;
  const int shift = a % 64;
  const int n = b - a + 1;
  // The bits a..b of each line brought down, 64 at a time, to bit 0 of a
  // word; the word after a line's last is always there (see reset()).
  const quint64 *bits = row(y0) + wa;
  // The next word's bits above the shift; two shifts, so that a shift of 0
  // brings none and needs no branch.
  auto down = [shift](const quint64 *w) { return (w[0] >> shift) | ((w[1] << 1) << (63 - shift)); };
  if (n <= 64) {
    // Boxes of symbols and glyphs: one word a line.
    const quint64 want = n == 64 ? ~quint64(0) : (quint64(1) << n) - 1;
    for (int y = y0; y <= y1; ++y, bits += mWords)
      if ((down(bits) & want) != want) return false;
    return true;
  }
  const int whole = n / 64;
  const int rest = n % 64;
  const quint64 wantRest = (quint64(1) << rest) - 1;
  for (int y = y0; y <= y1; ++y, bits += mWords) {
    for (int k = 0; k <= whole; ++k) {
      if (k == whole && rest == 0) break;
      const quint64 v = down(bits + k);
      const quint64 want = k < whole ? ~quint64(0) : wantRest;
      if ((v & want) != want) return false;
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
    return;
  }
  bits[wa] |= bitsBetween(a % 64, 63);
  for (int w = wa + 1; w < wb; ++w) bits[w] = ~quint64(0);
  bits[wb] |= bitsBetween(0, b % 64);
}
