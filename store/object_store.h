#pragma once

#include <string>
#include <vector>

#include "store/named_list.h"
#include "store/store_object.h"

// The toolbar's data model: named, typed objects, each with named sections
// of string properties. Objects, sections and keys enumerate in the order
// they were created; lookups are exact and case-sensitive. Misses are
// answered with "", false, -1 or nullptr; nothing throws.
class ObjectStore {
 public:
  ObjectStore();
  ObjectStore(const ObjectStore&) = delete;
  ObjectStore& operator=(const ObjectStore&) = delete;

  // Creates an object under the name trimmed of spaces. False, leaving the
  // store unchanged, when that name is empty or already taken.
  bool CreateObject(const std::string& name, const std::string& type);
  bool ObjectExists(const std::string& name) const;
  // A non-owning pointer, valid until the object is removed or the store is
  // cleared; nullptr when missing.
  StoreObject* FindObject(const std::string& name);
  const StoreObject* FindObject(const std::string& name) const;
  std::string GetObjectType(const std::string& name) const;
  int GetObjectCount() const;
  // "" outside 0 .. GetObjectCount() - 1.
  std::string GetObjectNameAt(int index) const;
  int GetObjectIndex(const std::string& name) const;

  // "" when the object, the section or the key is missing.
  std::string GetProperty(const std::string& object, const std::string& section,
                          const std::string& key) const;
  // False when the object is missing; a missing section is created.
  bool SetProperty(const std::string& object, const std::string& section, const std::string& key,
                   const std::string& value);
  bool PropertyExists(const std::string& object, const std::string& section,
                      const std::string& key) const;
  bool SectionExists(const std::string& object, const std::string& section) const;

  void ClearStore();
  void RemoveObject(const std::string& name);
  // True when the object exists.
  bool RemoveSection(const std::string& object, const std::string& section);
  // True when the object and the section exist.
  bool RemoveProperty(const std::string& object, const std::string& section,
                      const std::string& key);

  // Writes the store as an object file (CR LF line ends), creating or
  // truncating it. False when the file cannot be opened or written.
  bool SaveObjectFile(const std::string& file_name) const;
  // Replaces the whole store by what the lines of an object file describe.
  void LoadObjectLines(const std::vector<std::string>& lines);

  const std::string& key_value_separator() const { return key_value_separator_; }
  const std::string& pair_separator() const { return pair_separator_; }

 private:
  PropertySection* FindSection(const std::string& object, const std::string& section);
  const PropertySection* FindSection(const std::string& object, const std::string& section) const;
  std::vector<std::string> ObjectFileLines() const;
  void LoadSectionLine(const std::string& object, const std::string& line);

  const std::string key_value_separator_;
  const std::string pair_separator_;
  NamedList<StoreObject> objects_;
};
