#ifndef PHIDSLOTS_H
#define PHIDSLOTS_H

#include <cstdint>
#include <vector>

// An open-addressing table from an integer ID to a position in a container
// that the owner keeps. It stores positions only (4 bytes a slot); the owner
// tells the ID at a position through `keyOf(position)`. Used where a point
// must be found by ID among millions without a heap node per entry.
class PhIdSlots {
 public:
  template <class KeyOf>
  int find(int iId, const KeyOf &keyOf) const {
    if (mSlots.empty()) return -1;
    const std::uint32_t mask = std::uint32_t(mSlots.size()) - 1;
    for (std::uint32_t i = home(iId);; i = (i + 1) & mask) {
      const std::int32_t slot = mSlots[i];
      if (slot == 0) return -1;
      if (keyOf(slot - 1) == iId) return slot - 1;
    }
  }

  // Enters a position for an ID that is not in the table yet.
  template <class KeyOf>
  void insert(int iId, int iPosition, const KeyOf &keyOf) {
    if ((std::size_t(mUsed) + 1) * 4 > mSlots.size() * 3) grow(mUsed + 1, keyOf);
    place(iId, iPosition);
    ++mUsed;
  }

  // Makes room for `count` entries at once.
  template <class KeyOf>
  void reserve(int count, const KeyOf &keyOf) {
    if (std::size_t(count) * 4 > mSlots.size() * 3) grow(count, keyOf);
  }

  void clear() {
    mSlots.clear();
    mSlots.shrink_to_fit();
    mUsed = 0;
    mBits = 0;
  }

  int count() const { return mUsed; }

 private:
  std::uint32_t home(int iId) const {
    // Fibonacci hashing: the top bits of the product are well mixed.
    const std::uint32_t h = std::uint32_t(iId) * 0x9E3779B1u;
    return mBits == 0 ? 0 : h >> (32 - mBits);
  }

  void place(int iId, int iPosition) {
    const std::uint32_t mask = std::uint32_t(mSlots.size()) - 1;
    std::uint32_t i = home(iId);
    while (mSlots[i] != 0) i = (i + 1) & mask;
    mSlots[i] = iPosition + 1;
  }

  template <class KeyOf>
  void grow(int count, const KeyOf &keyOf) {
    int bits = 4;
    while ((std::size_t(1) << bits) * 3 < std::size_t(count) * 4) ++bits;
    std::vector<std::int32_t> old;
    old.swap(mSlots);
    mSlots.assign(std::size_t(1) << bits, 0);
    mBits = bits;
    for (std::int32_t slot : old)
      if (slot != 0) place(keyOf(slot - 1), slot - 1);
  }

  std::vector<std::int32_t> mSlots;  // position + 1; 0 = free
  int mUsed = 0;
  int mBits = 0;
};

#endif  // PHIDSLOTS_H
