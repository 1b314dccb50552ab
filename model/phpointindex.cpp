#include "phpointindex.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "phimage.h"
#include "phhugepages.h"
#include "phimagepoint.h"

namespace {

constexpr int FreeEntry = -2;

// One point ID. Its places form a ring through `next`: the tail's next is
// the head, so an entry needs no head of its own (12 bytes an ID).
struct Entry {
  int id = 0;
  int tail = FreeEntry;  // last place; -1: known ID without places
  int count = 0;
};

struct Range {
  int begin = 0;
  int slot = -1;  // -1: no longer in use
};

struct State {
  // The store.
  std::vector<PhImagePoint> points;
  std::vector<int> next;      // chain links, parallel to points
  std::vector<Range> ranges;  // ascending begin
  std::vector<PhImage *> images;
  std::vector<int> freeSlots;
  int liveImages = 0;
  // The index.
  std::vector<Entry> entries;  // open addressing, linear probing
  int used = 0;
  unsigned epoch = 1;
  unsigned run = 1;
  int lastLinker = -1;
};

State &state() {
  static State s;
  return s;
}

// IDs that differ only in their last three bits share one block of eight
// entries (96 bytes), so that the runs of neighbouring IDs an image or the
// object list brings are looked up without a miss each; the blocks are
// spread by the well-mixed product, scaled onto the table (a multiple of
// eight entries).
constexpr std::uint32_t BlockBits = 3;
std::size_t home(const State &s, int id) {
  const std::uint32_t u = std::uint32_t(id);
  const std::uint32_t h = (u >> BlockBits) * 0x9E3779B1u;
  const std::size_t blocks = s.entries.size() >> BlockBits;
  const std::size_t block = std::size_t((std::uint64_t(h) * blocks) >> 32);
  return (block << BlockBits) | (u & ((1u << BlockBits) - 1));
}

Entry *findEntry(int id) {
  State &s = state();
  const std::size_t size = s.entries.size();
  if (size == 0) return nullptr;
  for (std::size_t i = home(s, id);; i = i + 1 == size ? 0 : i + 1) {
    Entry &e = s.entries[i];
    if (e.tail == FreeEntry) return nullptr;
    if (e.id == id) return &e;
  }
}

Entry &place(State &s, int id) {
  const std::size_t size = s.entries.size();
  std::size_t i = home(s, id);
  while (s.entries[i].tail != FreeEntry) i = i + 1 == size ? 0 : i + 1;
  return s.entries[i];
}

// A table of at least `count` entries at most three quarters full; the
// entries move into it.
void resize(State &s, std::size_t count) {
  const std::size_t size = std::max<std::size_t>(1024, (count * 4 / 3 + 7) & ~std::size_t(7));
  if (size <= s.entries.size()) return;
  std::vector<Entry> old;
  old.swap(s.entries);
  s.entries.reserve(size);
  PhHugePages::advise(s.entries.data(), size * sizeof(Entry));
  s.entries.resize(size);
  for (const Entry &e : old)
    if (e.tail != FreeEntry) place(s, e.id) = e;
}

// One probe finds the ID or the free entry where it goes.
Entry &findOrCreateEntry(int id) {
  State &s = state();
  if ((std::size_t(s.used) + 1) * 5 > s.entries.size() * 4) resize(s, std::size_t(s.used + 1) * 2);
  const std::size_t size = s.entries.size();
  for (std::size_t i = home(s, id);; i = i + 1 == size ? 0 : i + 1) {
    Entry &e = s.entries[i];
    if (e.tail == FreeEntry) {
      e.id = id;
      e.tail = -1;
      e.count = 0;
      ++s.used;
      return e;
    }
    if (e.id == id) return e;
  }
}

// The place before `place` in its ring, -1 when the ring does not hold it.
int previousInRing(const State &s, const Entry &e, int place) {
  int previous = e.tail;
  for (int k = 0; k < e.count; ++k) {
    const int l = s.next[std::size_t(previous)];
    if (l == place) return previous;
    previous = l;
  }
  return -1;
}

// Replaces a chained place by another one (a range moved).
void rechain(int id, int from, int to) {
  State &s = state();
  Entry *e = findEntry(id);
  if (!e || e->count == 0) return;
  const int previous = previousInRing(s, *e, from);
  if (previous < 0) return;
  if (e->count == 1) {
    s.next[std::size_t(to)] = to;
  } else {
    s.next[std::size_t(to)] = s.next[std::size_t(from)];
    s.next[std::size_t(previous)] = to;
  }
  if (e->tail == from) e->tail = to;
}

// Appends a place to the ring of an entry.
void append(State &s, Entry &e, int place) {
  if (e.tail < 0) {
    s.next[std::size_t(place)] = place;
  } else {
    s.next[std::size_t(place)] = s.next[std::size_t(e.tail)];
    s.next[std::size_t(e.tail)] = place;
  }
  e.tail = place;
  ++e.count;
}

}  // namespace

int PhPointIndex::registerImage(PhImage *image) {
  State &s = state();
  ++s.liveImages;
  if (!s.freeSlots.empty()) {
    const int slot = s.freeSlots.back();
    s.freeSlots.pop_back();
    s.images[std::size_t(slot)] = image;
    return slot;
  }
  s.images.push_back(image);
  return int(s.images.size()) - 1;
}

void PhPointIndex::unregisterImage(int iSlot) {
  State &s = state();
  if (iSlot < 0 || iSlot >= int(s.images.size())) return;
  s.images[std::size_t(iSlot)] = nullptr;
  s.freeSlots.push_back(iSlot);
  if (--s.liveImages == 0) {
    // No image left, so no chain can lead into the store.
    std::vector<PhImagePoint>().swap(s.points);
    std::vector<int>().swap(s.next);
    std::vector<Range>().swap(s.ranges);
  }
}

PhImagePoint *PhPointIndex::pointAt(int iPlace) { return &state().points[std::size_t(iPlace)]; }

void PhPointIndex::ensureRoom(int iSlot, int &begin, int &capacity, int &rangeIndex, int count,
                              int needed, bool bLinked) {
  State &s = state();
  if (count + needed <= capacity) return;
  const int end = int(s.points.size());
  if (begin >= 0 && begin + capacity == end) {
    // Last in the store: grows in place.
    const int extra = count + needed - capacity;
    s.points.resize(std::size_t(end) + std::size_t(extra));
    s.next.resize(std::size_t(end) + std::size_t(extra), -1);
    capacity += extra;
    return;
  }
  // Moves to the end, with room to spare when it had points already, so
  // that images filled in turns move only now and then.
  const int room = std::max(count + needed, 2 * count);
  s.points.resize(std::size_t(end) + std::size_t(room));
  s.next.resize(std::size_t(end) + std::size_t(room), -1);
  for (int i = 0; i < count; ++i) {
    s.points[std::size_t(end + i)] = s.points[std::size_t(begin + i)];
    if (bLinked) rechain(s.points[std::size_t(end + i)].pointId(), begin + i, end + i);
  }
  if (rangeIndex >= 0) s.ranges[std::size_t(rangeIndex)].slot = -1;
  s.ranges.push_back(Range{end, iSlot});
  rangeIndex = int(s.ranges.size()) - 1;
  begin = end;
  capacity = room;
}

void PhPointIndex::releaseRange(int iRangeIndex) {
  State &s = state();
  if (iRangeIndex >= 0 && iRangeIndex < int(s.ranges.size()))
    s.ranges[std::size_t(iRangeIndex)].slot = -1;
}

void PhPointIndex::reserve(int count) {
  if (count <= 0) return;
  State &s = state();
  const std::size_t needed = s.points.size() + std::size_t(count);
  if (needed <= s.points.capacity()) return;
  // Exact for the first reservation of a project, geometric after it.
  const std::size_t size = s.points.empty() ? needed : std::max(needed, s.points.capacity() * 3 / 2);
  s.points.reserve(size);
  s.next.reserve(size);
  PhHugePages::advise(s.points.data(), s.points.capacity() * sizeof(PhImagePoint));
  PhHugePages::advise(s.next.data(), s.next.capacity() * sizeof(int));
}

void PhPointIndex::reserveIds(int count) {
  if (count <= 0) return;
  State &s = state();
  resize(s, std::size_t(s.used) + std::size_t(count));
}

void PhPointIndex::prefetch(int iPointId) {
  const State &s = state();
#if defined(__GNUC__)
  if (!s.entries.empty()) __builtin_prefetch(&s.entries[home(s, iPointId)]);
#else
  Q_UNUSED(s);
  Q_UNUSED(iPointId);
#endif
}

void PhPointIndex::prefetchLinks(int iPointId) {
#if defined(__GNUC__)
  const State &s = state();
  if (const Entry *e = findEntry(iPointId)) {
    if (e->tail < 0) return;
    __builtin_prefetch(&s.next[std::size_t(e->tail)]);
    __builtin_prefetch(&s.points[std::size_t(e->tail)]);
  }
#else
  Q_UNUSED(iPointId);
#endif
}

int PhPointIndex::tailOf(int iPointId) {
  const Entry *e = findEntry(iPointId);
  return e ? e->tail : -1;
}

void PhPointIndex::link(int iPointId, int iPlace) {
  State &s = state();
  append(s, findOrCreateEntry(iPointId), iPlace);
}

int PhPointIndex::tailInRangeOrLink(int iPointId, int iBegin, int iEnd, int iPlace) {
  State &s = state();
  Entry &e = findOrCreateEntry(iPointId);
  if (e.tail >= iBegin && e.tail < iEnd) return e.tail;
  append(s, e, iPlace);
  return -1;
}

void PhPointIndex::linkIfAbsent(int iPointId, int iPlace) {
  State &s = state();
  if (const Entry *e = findEntry(iPointId))
    if (e->tail == iPlace || (e->count > 0 && previousInRing(s, *e, iPlace) >= 0)) return;
  link(iPointId, iPlace);
}

void PhPointIndex::unlink(int iPointId, int iPlace) {
  State &s = state();
  Entry *e = findEntry(iPointId);
  if (!e || e->count == 0) return;
  const int previous = previousInRing(s, *e, iPlace);
  if (previous < 0) return;
  if (--e->count == 0) {
    e->tail = -1;
    return;
  }
  s.next[std::size_t(previous)] = s.next[std::size_t(iPlace)];
  if (e->tail == iPlace) e->tail = previous;
}

PhImageRefs PhPointIndex::images(int iPointId) {
  const Entry *e = findEntry(iPointId);
  if (!e || e->count == 0) return PhImageRefs();
  return PhImageRefs(state().next[std::size_t(e->tail)], e->count);
}

int PhPointIndex::linkCount(int iPointId) {
  const Entry *e = findEntry(iPointId);
  return e ? e->count : 0;
}

bool PhPointIndex::isEmpty() { return state().used == 0; }

void PhPointIndex::clear() {
  State &s = state();
  std::vector<Entry>().swap(s.entries);
  s.used = 0;
  ++s.epoch;
  ++s.run;
  s.lastLinker = -1;
}

unsigned PhPointIndex::epoch() { return state().epoch; }

unsigned PhPointIndex::run() { return state().run; }

void PhPointIndex::claimRun(int iSlot) {
  State &s = state();
  if (s.lastLinker == iSlot) return;
  s.lastLinker = iSlot;
  ++s.run;
}

std::size_t PhPointIndex::storeBytes() {
  const State &s = state();
  return s.points.capacity() * sizeof(PhImagePoint) + s.next.capacity() * sizeof(int) +
         s.ranges.capacity() * sizeof(Range) + s.images.capacity() * sizeof(PhImage *) +
         s.freeSlots.capacity() * sizeof(int);
}

std::size_t PhPointIndex::tableBytes() { return state().entries.capacity() * sizeof(Entry); }

PhImage *PhPointIndex::imageOfLink(int iPlace) {
  const State &s = state();
  // The range with the largest begin not above the place.
  const auto it = std::upper_bound(s.ranges.begin(), s.ranges.end(), iPlace,
                                   [](int place, const Range &r) { return place < r.begin; });
  return s.images[std::size_t((it - 1)->slot)];
}

int PhPointIndex::nextLink(int iPlace) { return state().next[std::size_t(iPlace)]; }
