#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/name_index.h"

// An ordered list of named elements that it owns, with a lookup by name.
// Elements keep the order in which they were added; names are unique and
// compared byte for byte. Removing or clearing destroys the elements.
template <typename T, typename Deleter = std::default_delete<T>>
class NamedList {
 public:
  NamedList() = default;
  NamedList(const NamedList&) = delete;
  NamedList& operator=(const NamedList&) = delete;

  // Appends `element` under `name` when the name is absent and returns true;
  // otherwise the list is unchanged and `element` is destroyed.
  bool Add(std::string_view name, std::unique_ptr<T, Deleter> element) {
    if (Exists(name)) return false;
    AddAbsent(name, std::move(element));
    return true;
  }

  // Appends `element` under `name`, which the caller has just found absent;
  // returns the element.
  T* AddAbsent(std::string_view name, std::unique_ptr<T, Deleter> element) {
    entries_.push_back(Entry{std::string(name), std::move(element)});
    index_.Appended(entries_.size(), NameOf());
    return entries_.back().element.get();
  }

  // The element of that name, or nullptr. Valid until it is removed.
  T* Find(std::string_view name) { return At(IndexOf(name)); }
  const T* Find(std::string_view name) const { return At(IndexOf(name)); }

  bool Exists(std::string_view name) const { return IndexOf(name) >= 0; }

  // The position of `name`, from 0, or -1.
  int IndexOf(std::string_view name) const { return index_.Find(entries_.size(), NameOf(), name); }

  // The element / name at `index`, or nullptr / "" outside 0 .. Count() - 1.
  T* At(int index) {
    return InRange(index) ? entries_[static_cast<std::size_t>(index)].element.get() : nullptr;
  }
  const T* At(int index) const {
    return InRange(index) ? entries_[static_cast<std::size_t>(index)].element.get() : nullptr;
  }
  std::string NameAt(int index) const {
    return InRange(index) ? entries_[static_cast<std::size_t>(index)].name : std::string();
  }

  // Destroys the element of that name; nothing happens when it is absent.
  void Remove(std::string_view name) {
    const int position = IndexOf(name);
    if (position < 0) return;
    entries_.erase(entries_.begin() + position);
    index_.Rebuild(entries_.size(), NameOf());
  }

  void Clear() {
    index_.Clear();
    entries_.clear();
  }

  int Count() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    std::string name;
    std::unique_ptr<T, Deleter> element;
  };

  bool InRange(int index) const { return index >= 0 && index < Count(); }
  auto NameOf() const {
    return [this](std::size_t i) { return std::string_view(entries_[i].name); };
  }

  std::vector<Entry> entries_;
  NameIndex index_;  // positions in entries_
};
