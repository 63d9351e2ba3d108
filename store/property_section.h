#pragma once

#include <string>
#include <string_view>

#include "store/property_list.h"

// A named section of an object: an ordered list of string properties.
class PropertySection {
 public:
  explicit PropertySection(std::string_view name);

  const std::string& name() const { return name_; }
  PropertyList& properties() { return properties_; }
  const PropertyList& properties() const { return properties_; }

 private:
  std::string name_;
  PropertyList properties_;
};
