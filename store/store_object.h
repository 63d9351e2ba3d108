#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/name_index.h"
#include "store/property_section.h"

// The sections of one object in the order they were first set, held by
// value. Nearly every object has exactly one, which lives inside the list:
// it costs no allocation of its own. A pointer to a section is valid until a
// section is added to or removed from the same object.
class SectionList {
  // Ahead of its uses: they need its deduced type.
  auto NameOf() const {
    return [this](std::size_t i) { return std::string_view(At(static_cast<int>(i))->name()); };
  }

 public:
  PropertySection* Find(std::string_view name) { return At(IndexOf(name)); }
  const PropertySection* Find(std::string_view name) const { return At(IndexOf(name)); }
  int IndexOf(std::string_view name) const { return index_.Find(Size(), NameOf(), name); }
  // nullptr / "" outside 0 .. Count() - 1.
  PropertySection* At(int index);
  const PropertySection* At(int index) const;
  std::string NameAt(int index) const { return InRange(index) ? At(index)->name() : ""; }
  int Count() const { return static_cast<int>(Size()); }

  // The section of that name, appended empty when missing.
  PropertySection* FindOrAdd(std::string_view name);
  // Nothing happens when `name` is absent.
  void Remove(std::string_view name);

 private:
  std::size_t Size() const { return first_.has_value() ? 1 + more_.size() : 0; }
  bool InRange(int index) const { return index >= 0 && index < Count(); }

  std::optional<PropertySection> first_;
  std::vector<PropertySection> more_;  // the second section on
  NameIndex index_;                    // positions, first_ at 0
};

// One object of a store: a name, a free-text type the store never
// interprets, and its sections in the order they were first set.
class StoreObject {
 public:
  StoreObject(std::string_view name, std::string_view type);

  const std::string& name() const { return name_; }
  const std::string& type() const { return type_; }
  SectionList& sections() { return sections_; }
  const SectionList& sections() const { return sections_; }

  // The section of that name, appended empty when missing.
  PropertySection* FindOrAddSection(std::string_view name) { return sections_.FindOrAdd(name); }

 private:
  std::string name_;
  std::string type_;
  SectionList sections_;
};
