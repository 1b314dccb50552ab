#include "phpointindex.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr int FreeEntry = -2;

struct Entry {
  int id = 0;
  int head = FreeEntry;  // first link; -1: known ID without images
  int tail = -1;
  int count = 0;
};

struct Link {
  int image = -1;  // registry slot
  int next = -1;
};

struct State {
  std::vector<Entry> entries;  // open addressing, power-of-two size
  int bits = 0;
  int used = 0;
  std::vector<Link> links;
  std::vector<PhImage *> images;
  std::vector<int> freeSlots;
  unsigned epoch = 1;
};

State &state() {
  static State s;
  return s;
}

std::uint32_t home(const State &s, int id) {
  return (std::uint32_t(id) * 0x9E3779B1u) >> (32 - s.bits);
}

Entry *findEntry(int id) {
  State &s = state();
  if (s.entries.empty()) return nullptr;
  const std::uint32_t mask = std::uint32_t(s.entries.size()) - 1;
  for (std::uint32_t i = home(s, id);; i = (i + 1) & mask) {
    Entry &e = s.entries[i];
    if (e.head == FreeEntry) return nullptr;
    if (e.id == id) return &e;
  }
}

Entry &place(State &s, int id) {
  const std::uint32_t mask = std::uint32_t(s.entries.size()) - 1;
  std::uint32_t i = home(s, id);
  while (s.entries[i].head != FreeEntry) i = (i + 1) & mask;
  return s.entries[i];
}

Entry &findOrCreateEntry(int id) {
  if (Entry *e = findEntry(id)) return *e;
  State &s = state();
  if ((std::size_t(s.used) + 1) * 4 > s.entries.size() * 3) {
    int bits = s.bits < 10 ? 10 : s.bits + 1;
    std::vector<Entry> old;
    old.swap(s.entries);
    s.entries.assign(std::size_t(1) << bits, Entry());
    s.bits = bits;
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

}  // namespace

int PhPointIndex::registerImage(PhImage *image) {
  State &s = state();
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
}

void PhPointIndex::link(int iPointId, int iSlot, bool bMayBeListed) {
  State &s = state();
  Entry &e = findOrCreateEntry(iPointId);
  if (bMayBeListed && e.count > 0) {
    // Readers add an image's points before the next image's, so a listed
    // image is almost always the tail.
    if (s.links[std::size_t(e.tail)].image == iSlot) return;
    for (int l = e.head; l >= 0; l = s.links[std::size_t(l)].next)
      if (s.links[std::size_t(l)].image == iSlot) return;
  }
  const int l = int(s.links.size());
  s.links.push_back(Link{iSlot, -1});
  if (e.tail >= 0)
    s.links[std::size_t(e.tail)].next = l;
  else
    e.head = l;
  e.tail = l;
  ++e.count;
}

void PhPointIndex::unlink(int iPointId, int iSlot) {
  State &s = state();
  Entry *e = findEntry(iPointId);
  if (!e) return;
  int previous = -1;
  for (int l = e->head; l >= 0; previous = l, l = s.links[std::size_t(l)].next) {
    if (s.links[std::size_t(l)].image != iSlot) continue;
    const int next = s.links[std::size_t(l)].next;
    if (previous >= 0)
      s.links[std::size_t(previous)].next = next;
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
  std::vector<Link>().swap(s.links);
  s.bits = 0;
  s.used = 0;
  ++s.epoch;
}

unsigned PhPointIndex::epoch() { return state().epoch; }

void PhPointIndex::reserveLinks(int count) {
  if (count <= 0) return;
  State &s = state();
  const std::size_t needed = s.links.size() + std::size_t(count);
  // Exact for the first reservation of a project, geometric after it.
  if (needed > s.links.capacity())
    s.links.reserve(s.links.empty() ? needed : std::max(needed, s.links.capacity() * 3 / 2));
}

PhImage *PhPointIndex::imageOfLink(int iLink) {
  const State &s = state();
  return s.images[std::size_t(s.links[std::size_t(iLink)].image)];
}

int PhPointIndex::nextLink(int iLink) { return state().links[std::size_t(iLink)].next; }
