#include "store/property_accessor.h"

#include "store/object_store.h"
#include "store/strings.h"

std::string PropertyAccessor::GetString(const std::string& object, const std::string& section,
                                        const std::string& key,
                                        const std::string& default_value) const {
  if (!PropertyExists(object, section, key)) return default_value;
  return store_->GetProperty(object, section, key);
}

std::string PropertyAccessor::GetString(const std::string& object, const std::string& key,
                                        const std::string& default_value) const {
  return GetString(object, current_section_, key, default_value);
}

std::string PropertyAccessor::GetString(const std::string& key,
                                        const std::string& default_value) const {
  return GetString(current_object_, current_section_, key, default_value);
}

int PropertyAccessor::GetInt(const std::string& object, const std::string& section,
                             const std::string& key, int default_value) const {
  return StringToInt(GetString(object, section, key, IntToString(default_value)));
}

int PropertyAccessor::GetInt(const std::string& object, const std::string& key,
                             int default_value) const {
  return GetInt(object, current_section_, key, default_value);
}

int PropertyAccessor::GetInt(const std::string& key, int default_value) const {
  return GetInt(current_object_, current_section_, key, default_value);
}

bool PropertyAccessor::GetBool(const std::string& object, const std::string& section,
                               const std::string& key, bool default_value) const {
  return StringToBool(GetString(object, section, key, BoolToString(default_value)));
}

bool PropertyAccessor::GetBool(const std::string& object, const std::string& key,
                               bool default_value) const {
  return GetBool(object, current_section_, key, default_value);
}

bool PropertyAccessor::GetBool(const std::string& key, bool default_value) const {
  return GetBool(current_object_, current_section_, key, default_value);
}

void PropertyAccessor::SetString(const std::string& object, const std::string& section,
                                 const std::string& key, const std::string& value) {
  if (store_ != nullptr) store_->SetProperty(object, section, key, value);
}

void PropertyAccessor::SetString(const std::string& object, const std::string& key,
                                 const std::string& value) {
  SetString(object, current_section_, key, value);
}

void PropertyAccessor::SetString(const std::string& key, const std::string& value) {
  SetString(current_object_, current_section_, key, value);
}

bool PropertyAccessor::ObjectExists(const std::string& object) const {
  return store_ != nullptr && store_->ObjectExists(object);
}

bool PropertyAccessor::SectionExists(const std::string& object, const std::string& section) const {
  return store_ != nullptr && store_->SectionExists(object, section);
}

bool PropertyAccessor::SectionExists(const std::string& section) const {
  return SectionExists(current_object_, section);
}

bool PropertyAccessor::PropertyExists(const std::string& object, const std::string& section,
                                      const std::string& key) const {
  return store_ != nullptr && store_->PropertyExists(object, section, key);
}

bool PropertyAccessor::PropertyExists(const std::string& object, const std::string& key) const {
  return PropertyExists(object, current_section_, key);
}

bool PropertyAccessor::PropertyExists(const std::string& key) const {
  return PropertyExists(current_object_, current_section_, key);
}
