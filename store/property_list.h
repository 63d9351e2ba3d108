#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/name_index.h"

// An ordered list of (key, value) string pairs with a lookup by key. Keys
// keep the order in which they were first set; changing a value keeps the
// key's position. Keys are unique and compared byte for byte.
//
// Keys and values live back to back in one buffer; an object's few
// properties then cost two allocations, whatever their lengths. A list
// holds at most 4 GiB of text (script lines are at most 64 KiB); a write
// past that is dropped.
class PropertyList {
 public:
  // Sets the value of `key`, appending the key when it is new.
  void Set(std::string_view key, std::string_view value);
  // Appends the pair only when `key` is absent; otherwise nothing changes.
  void Add(std::string_view key, std::string_view value);
  // The value of `key`, or "" when absent.
  std::string Get(std::string_view key) const;
  bool Exists(std::string_view key) const;
  // Removes the pair; nothing happens when `key` is absent.
  void Remove(std::string_view key);
  void Clear();
  // Room for `pairs` more pairs of `text_bytes` bytes in all, so that adding
  // up to that much moves nothing.
  void Reserve(std::size_t pairs, std::size_t text_bytes);

  int Count() const { return static_cast<int>(entries_.size()); }
  // In insertion order; keys()[i] and values()[i] form one pair.
  std::vector<std::string> keys() const;
  std::vector<std::string> values() const;

 private:
  struct Entry {
    std::uint32_t key_offset;
    std::uint32_t key_size;
    std::uint32_t value_offset;
    std::uint32_t value_size;
  };

  std::string_view KeyAt(std::size_t position) const {
    return std::string_view(text_).substr(entries_[position].key_offset,
                                          entries_[position].key_size);
  }
  std::string_view ValueAt(std::size_t position) const {
    return std::string_view(text_).substr(entries_[position].value_offset,
                                          entries_[position].value_size);
  }
  auto KeyOf() const {
    return [this](std::size_t i) { return KeyAt(i); };
  }
  int Position(std::string_view key) const { return index_.Find(entries_.size(), KeyOf(), key); }
  void Append(std::string_view key, std::string_view value);
  // Appends `bytes` to the buffer and gives their offset; false when the
  // buffer would pass 4 GiB.
  bool Store(std::string_view bytes, std::uint32_t* offset);
  // Drops the bytes that no entry refers to once they are the most part.
  void CompactIfMostlyUnused();

  std::string text_;  // keys and values, back to back
  std::vector<Entry> entries_;
  std::size_t unused_bytes_ = 0;  // of text_, left by changed or removed pairs
  NameIndex index_;               // positions in entries_
};
