#include "store/property_list.h"

void PropertyList::Set(const std::string& key, const std::string& value) {
  const int position = Position(key);
  if (position < 0) {
    index_[key] = value;
    values_.push_back(value);
    keys_.push_back(key);
    return;
  }
  index_[key] = value;
  values_[static_cast<std::size_t>(position)] = value;
}

void PropertyList::Add(const std::string& key, const std::string& value) {
  if (index_.count(key) != 0) return;
  index_[key] = value;
  values_.push_back(value);
  keys_.push_back(key);
}

std::string PropertyList::Get(const std::string& key) const {
  const auto found = index_.find(key);
  return found == index_.end() ? std::string() : found->second;
}

bool PropertyList::Exists(const std::string& key) const { return index_.count(key) != 0; }

void PropertyList::Remove(const std::string& key) {
  const int position = Position(key);
  if (position < 0) return;
  values_.erase(values_.begin() + position);
  index_.erase(key);
  keys_.erase(keys_.begin() + position);
}

void PropertyList::Clear() {
  keys_.clear();
  values_.clear();
  index_.clear();
}

// Lists are a handful of keys: a linear scan is enough.
int PropertyList::Position(const std::string& key) const {
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i] == key) return static_cast<int>(i);
  }
  return -1;
}
