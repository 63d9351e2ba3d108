#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A hashed lookup from name to position over a sequence of entries with
// unique names (a member `name`) that the owner keeps in order. The table
// holds only positions and hashes, so every name is stored once, in the
// owner's entry. Short sequences (most sections hold a handful of keys) are
// scanned and build no table at all.
class NameIndex {
 public:
  // The position of `name` in `entries`, or -1.
  template <typename Entry>
  int Find(const std::vector<Entry>& entries, std::string_view name) const {
    if (slots_.empty()) {
      for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name == name) return static_cast<int>(i);
      }
      return -1;
    }
    const std::uint32_t hash = Hash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.position < 0) return -1;
      if (slot.hash == hash && entries[static_cast<std::size_t>(slot.position)].name == name) {
        return slot.position;
      }
    }
  }

  // To be called after the owner appended one entry.
  template <typename Entry>
  void Appended(const std::vector<Entry>& entries) {
    if (slots_.empty() || 2 * entries.size() > slots_.size()) {
      Rebuild(entries);
      return;
    }
    Insert(Hash(entries.back().name), static_cast<std::int32_t>(entries.size() - 1));
  }

  // To be called after any other change to the entries (a removal).
  template <typename Entry>
  void Rebuild(const std::vector<Entry>& entries) {
    if (!Reserve(entries.size())) return;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      Insert(Hash(entries[i].name), static_cast<std::int32_t>(i));
    }
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
  void Insert(std::uint32_t hash, std::int32_t position);

  std::vector<Slot> slots_;  // open addressing, power-of-two size, at most half full
};
