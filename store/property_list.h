#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/name_index.h"

// An ordered list of (key, value) string pairs with a lookup by key. Keys
// keep the order in which they were first set; changing a value keeps the
// key's position. Keys are unique and compared byte for byte.
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
  // Room for `count` pairs in all, so that adding up to that many moves
  // nothing.
  void Reserve(std::size_t count) { entries_.reserve(count); }

  int Count() const { return static_cast<int>(entries_.size()); }
  // In insertion order; keys()[i] and values()[i] form one pair.
  std::vector<std::string> keys() const;
  std::vector<std::string> values() const;

 private:
  static constexpr std::size_t kFirstCapacity = 4;

  void Append(std::string_view key, std::string_view value);

  struct Entry {
    std::string name;  // the key
    std::string value;
  };

  std::vector<Entry> entries_;
  NameIndex index_;  // positions in entries_
};
