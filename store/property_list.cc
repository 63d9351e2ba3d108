#include "store/property_list.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max();
// Below this many unused bytes a list is never rewritten.
constexpr std::size_t kCompactionFloor = 256;

}  // namespace

void PropertyList::Set(std::string_view key, std::string_view value) {
  const int position = Position(key);
  if (position < 0) {
    Append(key, value);
    return;
  }
  Entry& entry = entries_[static_cast<std::size_t>(position)];
  // A value that fits is overwritten in place; a longer one goes to the end.
  if (value.size() <= entry.value_size) {
    std::copy(value.begin(), value.end(), text_.begin() + entry.value_offset);
    unused_bytes_ += entry.value_size - value.size();
  } else {
    std::uint32_t offset = 0;
    if (!Store(value, &offset)) return;
    unused_bytes_ += entry.value_size;
    entry.value_offset = offset;
  }
  entry.value_size = static_cast<std::uint32_t>(value.size());
  CompactIfMostlyUnused();
}

void PropertyList::Add(std::string_view key, std::string_view value) {
  if (!Exists(key)) Append(key, value);
}

std::string PropertyList::Get(std::string_view key) const {
  const int position = Position(key);
  return position < 0 ? std::string() : std::string(ValueAt(static_cast<std::size_t>(position)));
}

bool PropertyList::Exists(std::string_view key) const { return Position(key) >= 0; }

void PropertyList::Remove(std::string_view key) {
  const int position = Position(key);
  if (position < 0) return;
  const Entry& entry = entries_[static_cast<std::size_t>(position)];
  unused_bytes_ += entry.key_size + entry.value_size;
  entries_.erase(entries_.begin() + position);
  index_.Rebuild(entries_.size(), KeyOf());
  CompactIfMostlyUnused();
}

void PropertyList::Clear() {
  text_.clear();
  entries_.clear();
  unused_bytes_ = 0;
  index_.Clear();
}

void PropertyList::Reserve(std::size_t pairs, std::size_t text_bytes) {
  entries_.reserve(entries_.size() + pairs);
  text_.reserve(text_.size() + text_bytes);
}

std::vector<std::string> PropertyList::keys() const {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) keys.emplace_back(KeyAt(i));
  return keys;
}

std::vector<std::string> PropertyList::values() const {
  std::vector<std::string> values;
  values.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) values.emplace_back(ValueAt(i));
  return values;
}

void PropertyList::Append(std::string_view key, std::string_view value) {
  Entry entry{0, static_cast<std::uint32_t>(key.size()), 0,
              static_cast<std::uint32_t>(value.size())};
  if (!Store(key, &entry.key_offset)) return;
  if (!Store(value, &entry.value_offset)) {
    text_.resize(entry.key_offset);
    return;
  }
  entries_.push_back(entry);
  index_.Appended(entries_.size(), KeyOf());
}

bool PropertyList::Store(std::string_view bytes, std::uint32_t* offset) {
  if (bytes.size() > kMaxText - text_.size()) return false;
  *offset = static_cast<std::uint32_t>(text_.size());
  text_.append(bytes.data(), bytes.size());
  return true;
}

void PropertyList::CompactIfMostlyUnused() {
  if (unused_bytes_ < kCompactionFloor || 2 * unused_bytes_ < text_.size()) return;
  std::string packed;
  packed.reserve(text_.size() - unused_bytes_);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    Entry& entry = entries_[i];
    const std::string_view key = KeyAt(i);
    const std::string_view value = ValueAt(i);
    entry.key_offset = static_cast<std::uint32_t>(packed.size());
    packed.append(key.data(), key.size());
    entry.value_offset = static_cast<std::uint32_t>(packed.size());
    packed.append(value.data(), value.size());
  }
  text_.swap(packed);
  unused_bytes_ = 0;
}
