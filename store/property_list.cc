#include "store/property_list.h"

void PropertyList::Set(std::string_view key, std::string_view value) {
  const int position = index_.Find(entries_, key);
  if (position < 0) {
    Append(key, value);
    return;
  }
  entries_[static_cast<std::size_t>(position)].value = value;
}

void PropertyList::Add(std::string_view key, std::string_view value) {
  if (!Exists(key)) Append(key, value);
}

std::string PropertyList::Get(std::string_view key) const {
  const int position = index_.Find(entries_, key);
  return position < 0 ? std::string() : entries_[static_cast<std::size_t>(position)].value;
}

bool PropertyList::Exists(std::string_view key) const { return index_.Find(entries_, key) >= 0; }

void PropertyList::Remove(std::string_view key) {
  const int position = index_.Find(entries_, key);
  if (position < 0) return;
  entries_.erase(entries_.begin() + position);
  index_.Rebuild(entries_);
}

void PropertyList::Clear() {
  entries_.clear();
  index_.Clear();
}

std::vector<std::string> PropertyList::keys() const {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (const Entry& entry : entries_) keys.push_back(entry.name);
  return keys;
}

std::vector<std::string> PropertyList::values() const {
  std::vector<std::string> values;
  values.reserve(entries_.size());
  for (const Entry& entry : entries_) values.push_back(entry.value);
  return values;
}

void PropertyList::Append(std::string_view key, std::string_view value) {
  // Most lists hold a few properties: room for them at once saves the
  // first reallocations.
  if (entries_.capacity() == 0) entries_.reserve(kFirstCapacity);
  entries_.push_back(Entry{std::string(key), std::string(value)});
  index_.Appended(entries_);
}
