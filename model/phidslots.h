#ifndef PHIDSLOTS_H
#define PHIDSLOTS_H

#include <cstdint>
#include <vector>

// An open-addressing table from an integer ID to a position in a container
// that the owner keeps. It stores positions only (4 bytes a slot, at most
// four fifths of the slots used); the owner tells the ID at a position
// through `keyOf(position)`. Used where points must be found by ID among
// millions without a heap node per entry.
class PhIdSlots {
 public:
  template <class KeyOf>
  int find(int iId, const KeyOf &keyOf) const {
    const std::size_t size = mSlots.size();
    if (size == 0) return -1;
    for (std::size_t i = home(iId);; i = i + 1 == size ? 0 : i + 1) {
      const std::int32_t slot = mSlots[i];
      if (slot == 0) return -1;
      if (keyOf(slot - 1) == iId) return slot - 1;
    }
  }

  // Enters a position for an ID that is not in the table yet.
  template <class KeyOf>
  void insert(int iId, int iPosition, const KeyOf &keyOf) {
    if ((std::size_t(mUsed) + 1) * 5 > mSlots.size() * 4) grow((std::size_t(mUsed) + 1) * 2, keyOf);
    place(iId, iPosition);
    ++mUsed;
  }

  // Makes room for `count` entries at once.
  template <class KeyOf>
  void reserve(int count, const KeyOf &keyOf) {
    if (std::size_t(count) * 5 > mSlots.size() * 4) grow(std::size_t(count), keyOf);
  }

  void clear() {
    std::vector<std::int32_t>().swap(mSlots);
    mUsed = 0;
  }

  int count() const { return mUsed; }
  std::size_t bytes() const { return mSlots.capacity() * sizeof(std::int32_t); }

 private:
  // Any table size: the well-mixed product is scaled onto it.
  std::size_t home(int iId) const {
    const std::uint32_t h = std::uint32_t(iId) * 0x9E3779B1u;
    return std::size_t((std::uint64_t(h) * mSlots.size()) >> 32);
  }

  void place(int iId, int iPosition) {
    const std::size_t size = mSlots.size();
    std::size_t i = home(iId);
    while (mSlots[i] != 0) i = i + 1 == size ? 0 : i + 1;
    mSlots[i] = iPosition + 1;
  }

  template <class KeyOf>
  void grow(std::size_t count, const KeyOf &keyOf) {
    std::vector<std::int32_t> old;
    old.swap(mSlots);
    mSlots.assign(count * 5 / 4 + 8, 0);
    for (std::int32_t slot : old)
      if (slot != 0) place(keyOf(slot - 1), slot - 1);
  }

  std::vector<std::int32_t> mSlots;  // position + 1; 0 = free
  int mUsed = 0;
};

#endif  // PHIDSLOTS_H
