#pragma once

#include <string>

#include "store/named_list.h"
#include "store/property_section.h"

// One object of a store: a name, a free-text type the store never
// interprets, and its sections in the order they were first set.
class StoreObject {
 public:
  StoreObject(const std::string& name, const std::string& type);

  const std::string& name() const { return name_; }
  const std::string& type() const { return type_; }
  NamedList<PropertySection>& sections() { return sections_; }
  const NamedList<PropertySection>& sections() const { return sections_; }

 private:
  std::string name_;
  std::string type_;
  NamedList<PropertySection> sections_;
};
