#include "phpointindex.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "phimage.h"
#include "phimagepoint.h"

namespace {

constexpr int FreeEntry = -2;

struct Entry {
  int id = 0;
  int head = FreeEntry;  // first place; -1: known ID without images
  int tail = -1;
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
// entries (two cache lines), so that the runs of neighbouring IDs an image
// or the object list brings are looked up without a miss each; the blocks
// are spread by the well-mixed product, scaled onto the table (a multiple
// of eight entries).
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
    if (e.head == FreeEntry) return nullptr;
    if (e.id == id) return &e;
  }
}

Entry &place(State &s, int id) {
  const std::size_t size = s.entries.size();
  std::size_t i = home(s, id);
  while (s.entries[i].head != FreeEntry) i = i + 1 == size ? 0 : i + 1;
  return s.entries[i];
}

Entry &findOrCreateEntry(int id) {
  if (Entry *e = findEntry(id)) return *e;
  State &s = state();
  // At most four fifths full.
  if ((std::size_t(s.used) + 1) * 5 > s.entries.size() * 4) {
    std::vector<Entry> old;
    old.swap(s.entries);
    s.entries.assign(std::max<std::size_t>(1024, old.size() * 2), Entry());
    for (const Entry &e : old)
      if (e.head != FreeEntry) place(s, e.id) = e;
  }
  Entry &e = place(s, id);
  e.id = id;
  e.head = -1;
  e.tail = -1;
  e.count = 0;
  ++s.used;
  return e;
}

// Replaces a chained place by another one (a range moved).
void rechain(int id, int from, int to) {
  State &s = state();
  Entry *e = findEntry(id);
  if (!e) return;
  int previous = -1;
  for (int l = e->head; l >= 0; previous = l, l = s.next[std::size_t(l)]) {
    if (l != from) continue;
    s.next[std::size_t(to)] = s.next[std::size_t(from)];
    if (previous >= 0)
      s.next[std::size_t(previous)] = to;
    else
      e->head = to;
    if (e->tail == from) e->tail = to;
    return;
  }
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
}

int PhPointIndex::tailOf(int iPointId) {
  const Entry *e = findEntry(iPointId);
  return e ? e->tail : -1;
}

void PhPointIndex::link(int iPointId, int iPlace) {
  State &s = state();
  Entry &e = findOrCreateEntry(iPointId);
  s.next[std::size_t(iPlace)] = -1;
  if (e.tail >= 0)
    s.next[std::size_t(e.tail)] = iPlace;
  else
    e.head = iPlace;
  e.tail = iPlace;
  ++e.count;
}

int PhPointIndex::tailInRangeOrLink(int iPointId, int iBegin, int iEnd, int iPlace) {
  State &s = state();
  Entry &e = findOrCreateEntry(iPointId);
  if (e.tail >= iBegin && e.tail < iEnd) return e.tail;
  s.next[std::size_t(iPlace)] = -1;
  if (e.tail >= 0)
    s.next[std::size_t(e.tail)] = iPlace;
  else
    e.head = iPlace;
  e.tail = iPlace;
  ++e.count;
  return -1;
}

void PhPointIndex::linkIfAbsent(int iPointId, int iPlace) {
  State &s = state();
  if (const Entry *e = findEntry(iPointId)) {
    if (e->tail == iPlace) return;
    for (int l = e->head; l >= 0; l = s.next[std::size_t(l)])
      if (l == iPlace) return;
  }
  link(iPointId, iPlace);
}

void PhPointIndex::unlink(int iPointId, int iPlace) {
  State &s = state();
  Entry *e = findEntry(iPointId);
  if (!e) return;
  int previous = -1;
  for (int l = e->head; l >= 0; previous = l, l = s.next[std::size_t(l)]) {
    if (l != iPlace) continue;
    const int next = s.next[std::size_t(l)];
    if (previous >= 0)
      s.next[std::size_t(previous)] = next;
    else
      e->head = next;
    if (e->tail == l) e->tail = previous;
    --e->count;
    return;
  }
}

PhImageRefs PhPointIndex::images(int iPointId) {
  const Entry *e = findEntry(iPointId);
  if (!e || e->count == 0) return PhImageRefs();
  return PhImageRefs(e->head, e->count);
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

PhImage *PhPointIndex::imageOfLink(int iPlace) {
  const State &s = state();
  // The range with the largest begin not above the place.
  const auto it = std::upper_bound(s.ranges.begin(), s.ranges.end(), iPlace,
                                   [](int place, const Range &r) { return place < r.begin; });
  return s.images[std::size_t((it - 1)->slot)];
}

int PhPointIndex::nextLink(int iPlace) { return state().next[std::size_t(iPlace)]; }
