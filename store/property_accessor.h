#pragma once

#include <string>

class ObjectStore;

// A typed view over one store (not owned) with a current object and section,
// both "" at first. Each typed operation takes the object and the section,
// or the object with the current section, or uses both current ones. Without
// a store every read gives its default and every test false.
class PropertyAccessor {
 public:
  PropertyAccessor() = default;
  explicit PropertyAccessor(ObjectStore* store) : store_(store) {}

  void SetStore(ObjectStore* store) { store_ = store; }
  void SetCurrentObject(const std::string& name) { current_object_ = name; }
  void SetCurrentSection(const std::string& name) { current_section_ = name; }
  const std::string& current_object() const { return current_object_; }
  const std::string& current_section() const { return current_section_; }

  // The stored value when the key exists (even ""), else `default_value`.
  std::string GetString(const std::string& object, const std::string& section,
                        const std::string& key, const std::string& default_value) const;
  std::string GetString(const std::string& object, const std::string& key,
                        const std::string& default_value) const;
  std::string GetString(const std::string& key, const std::string& default_value) const;

  // The value read by StringToInt: 0 for a stored value without digits.
  int GetInt(const std::string& object, const std::string& section, const std::string& key,
             int default_value) const;
  int GetInt(const std::string& object, const std::string& key, int default_value) const;
  int GetInt(const std::string& key, int default_value) const;

  // The value read by StringToBool.
  bool GetBool(const std::string& object, const std::string& section, const std::string& key,
               bool default_value) const;
  bool GetBool(const std::string& object, const std::string& key, bool default_value) const;
  bool GetBool(const std::string& key, bool default_value) const;
  // A text default would silently turn into `true`.
  bool GetBool(const std::string& object, const std::string& key, const char*) const = delete;
  bool GetBool(const std::string& key, const char*) const = delete;

  void SetString(const std::string& object, const std::string& section, const std::string& key,
                 const std::string& value);
  void SetString(const std::string& object, const std::string& key, const std::string& value);
  void SetString(const std::string& key, const std::string& value);

  bool ObjectExists(const std::string& object) const;
  bool SectionExists(const std::string& object, const std::string& section) const;
  bool SectionExists(const std::string& section) const;
  bool PropertyExists(const std::string& object, const std::string& section,
                      const std::string& key) const;
  bool PropertyExists(const std::string& object, const std::string& key) const;
  bool PropertyExists(const std::string& key) const;

 private:
  ObjectStore* store_ = nullptr;
  std::string current_object_;
  std::string current_section_;
};
