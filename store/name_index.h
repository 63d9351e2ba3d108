#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A hashed lookup from name to position over a sequence of uniquely named
// entries that the owner keeps in order. The table holds only positions and
// hashes, so every name is stored once, by the owner, which hands the index
// a `name_at(position)` that gives the name at a position as a string view.
// Short sequences (most sections hold a handful of keys) are scanned and
// build no table at all.
class NameIndex {
 public:
  // The position of `name` among the `count` entries, or -1.
  template <typename NameAt>
  int Find(std::size_t count, const NameAt& name_at, std::string_view name) const {
    if (slots_.empty()) {
      for (std::size_t i = 0; i < count; ++i) {
        if (name_at(i) == name) return static_cast<int>(i);
      }
      return -1;
    }
    const std::uint32_t hash = Hash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.position < 0) return -1;
      if (slot.hash == hash && name_at(static_cast<std::size_t>(slot.position)) == name) {
        return slot.position;
      }
    }
  }

  // To be called after the owner appended one entry, the count-th.
  template <typename NameAt>
  void Appended(std::size_t count, const NameAt& name_at) {
    if (slots_.empty()) {
      Rebuild(count, name_at);
      return;
    }
    if (2 * count > slots_.size()) Grow();
    Insert(Hash(name_at(count - 1)), static_cast<std::int32_t>(count - 1));
  }

  // To be called after any other change to the entries (a removal).
  template <typename NameAt>
  void Rebuild(std::size_t count, const NameAt& name_at) {
    if (!Reserve(count)) return;
    for (std::size_t i = 0; i < count; ++i) Insert(Hash(name_at(i)), static_cast<std::int32_t>(i));
  }

  void Clear() { slots_.clear(); }

 private:
  struct Slot {
    std::uint32_t hash;
    std::int32_t position;  // -1: empty
  };

  // Below this many names a scan beats hashing.
  static constexpr std::size_t kMinIndexed = 8;

  static std::uint32_t Hash(std::string_view name);
  // Empties the table and sizes it for `count` names; false (and no table)
  // when they are few enough to scan.
  bool Reserve(std::size_t count);
  // Doubles the table from the hashes it holds, without touching a name.
  void Grow();
  void Insert(std::uint32_t hash, std::int32_t position);

  std::vector<Slot> slots_;  // open addressing, power-of-two size, at most half full
};
