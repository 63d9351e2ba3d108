#include "store/name_index.h"

#include <functional>

bool NameIndex::Reserve(std::size_t count) {
  slots_.clear();
  if (count < kMinIndexed) return false;
  std::size_t size = 2 * kMinIndexed;
  while (size < 4 * count) size *= 2;
  slots_.assign(size, Slot{0, -1});
  return true;
}

std::uint32_t NameIndex::Hash(std::string_view name) {
  const std::size_t hash = std::hash<std::string_view>()(name);
  // Folding keeps the high bits' entropy on 64-bit builds; 32-bit builds
  // already have a 32-bit hash.
  return static_cast<std::uint32_t>(hash ^ (static_cast<std::uint64_t>(hash) >> 32));
}

void NameIndex::Grow() {
  std::vector<Slot> old(2 * slots_.size(), Slot{0, -1});
  old.swap(slots_);
  for (const Slot& slot : old) {
    if (slot.position >= 0) Insert(slot.hash, slot.position);
  }
}

void NameIndex::Insert(std::uint32_t hash, std::int32_t position) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].position >= 0) i = (i + 1) & mask;
  slots_[i] = Slot{hash, position};
}
