#pragma once

#include <string>
#include <string_view>

#include "store/named_list.h"
#include "store/property_section.h"

// One object of a store: a name, a free-text type the store never
// interprets, and its sections in the order they were first set.
class StoreObject {
 public:
  StoreObject(std::string_view name, std::string_view type);

  const std::string& name() const { return name_; }
  const std::string& type() const { return type_; }
  NamedList<PropertySection>& sections() { return sections_; }
  const NamedList<PropertySection>& sections() const { return sections_; }

  // The section of that name, appended empty when missing.
  PropertySection* FindOrAddSection(std::string_view name);

 private:
  std::string name_;
  std::string type_;
  NamedList<PropertySection> sections_;
};
