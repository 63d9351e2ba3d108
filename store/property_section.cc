#include "store/property_section.h"

PropertySection::PropertySection(std::string_view name) : name_(name) {}
