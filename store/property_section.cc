#include "store/property_section.h"

PropertySection::PropertySection(const std::string& name) : name_(name) {}
