#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// An ordered list of named elements that it owns, with a lookup by name.
// Elements keep the order in which they were added; names are unique and
// compared byte for byte. Removing or clearing destroys the elements.
template <typename T>
class NamedList {
 public:
  NamedList() = default;
  NamedList(const NamedList&) = delete;
  NamedList& operator=(const NamedList&) = delete;

  // Appends `element` under `name` when the name is absent and returns true;
  // otherwise the list is unchanged and `element` is destroyed.
  bool Add(const std::string& name, std::unique_ptr<T> element) {
    if (index_.count(name) != 0) return false;
    index_[name] = element.get();
    names_.push_back(name);
    elements_.push_back(std::move(element));
    return true;
  }

  // The element of that name, or nullptr. Valid until it is removed.
  T* Find(const std::string& name) {
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : found->second;
  }
  const T* Find(const std::string& name) const {
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : found->second;
  }

  bool Exists(const std::string& name) const { return index_.count(name) != 0; }

  // The position of `name`, from 0, or -1.
  int IndexOf(const std::string& name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (names_[i] == name) return static_cast<int>(i);
    }
    return -1;
  }

  // The element / name at `index`, or nullptr / "" outside 0 .. Count() - 1.
  T* At(int index) {
    return InRange(index) ? elements_[static_cast<std::size_t>(index)].get() : nullptr;
  }
  const T* At(int index) const {
    return InRange(index) ? elements_[static_cast<std::size_t>(index)].get() : nullptr;
  }
  std::string NameAt(int index) const {
    return InRange(index) ? names_[static_cast<std::size_t>(index)] : std::string();
  }

  // Destroys the element of that name; nothing happens when it is absent.
  void Remove(const std::string& name) {
    const int position = IndexOf(name);
    if (position < 0) return;
    index_.erase(name);
    names_.erase(names_.begin() + position);
    elements_.erase(elements_.begin() + position);
  }

  void Clear() {
    index_.clear();
    names_.clear();
    elements_.clear();
  }

  int Count() const { return static_cast<int>(elements_.size()); }

 private:
  bool InRange(int index) const { return index >= 0 && index < Count(); }

  std::vector<std::string> names_;
  std::vector<std::unique_ptr<T>> elements_;
  std::map<std::string, T*> index_;
};
