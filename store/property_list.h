#pragma once

#include <map>
#include <string>
#include <vector>

// An ordered list of (key, value) string pairs with a lookup by key. Keys
// keep the order in which they were first set; changing a value keeps the
// key's position. Keys are unique and compared byte for byte.
class PropertyList {
 public:
  // Sets the value of `key`, appending the key when it is new.
  void Set(const std::string& key, const std::string& value);
  // Appends the pair only when `key` is absent; otherwise nothing changes.
  void Add(const std::string& key, const std::string& value);
  // The value of `key`, or "" when absent.
  std::string Get(const std::string& key) const;
  bool Exists(const std::string& key) const;
  // Removes the pair; nothing happens when `key` is absent.
  void Remove(const std::string& key);
  void Clear();

  int Count() const { return static_cast<int>(keys_.size()); }
  // In insertion order; keys()[i] and values()[i] form one pair.
  const std::vector<std::string>& keys() const { return keys_; }
  const std::vector<std::string>& values() const { return values_; }

 private:
  int Position(const std::string& key) const;

  std::vector<std::string> keys_;
  std::vector<std::string> values_;
  std::map<std::string, std::string> index_;
};
