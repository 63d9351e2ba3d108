#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/named_list.h"
#include "store/object_pool.h"
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
  bool CreateObject(std::string_view name, std::string_view type);
  // The object of that name, created with `type` when missing (an existing
  // one keeps its type and place); nullptr when the trimmed name is empty.
  StoreObject* FindOrCreateObject(std::string_view name, std::string_view type);
  bool ObjectExists(std::string_view name) const;
  // A non-owning pointer, valid until the object is removed or the store is
  // cleared; nullptr when missing.
  StoreObject* FindObject(std::string_view name);
  const StoreObject* FindObject(std::string_view name) const;
  std::string GetObjectType(std::string_view name) const;
  int GetObjectCount() const;
  // "" outside 0 .. GetObjectCount() - 1.
  std::string GetObjectNameAt(int index) const;
  int GetObjectIndex(std::string_view name) const;

  // "" when the object, the section or the key is missing.
  std::string GetProperty(std::string_view object, std::string_view section,
                          std::string_view key) const;
  // False when the object is missing; a missing section is created.
  bool SetProperty(std::string_view object, std::string_view section, std::string_view key,
                   std::string_view value);
  bool PropertyExists(std::string_view object, std::string_view section,
                      std::string_view key) const;
  bool SectionExists(std::string_view object, std::string_view section) const;

  void ClearStore();
  void RemoveObject(std::string_view name);
  // True when the object exists.
  bool RemoveSection(std::string_view object, std::string_view section);
  // True when the object and the section exist.
  bool RemoveProperty(std::string_view object, std::string_view section, std::string_view key);

  // Writes the store as an object file (CR LF line ends), creating or
  // truncating it. False when the file cannot be opened or written.
  bool SaveObjectFile(const std::string& file_name) const;
  // Replaces the whole store by what the lines of an object file describe.
  void LoadObjectLines(const std::vector<std::string>& lines);

  const std::string& key_value_separator() const { return key_value_separator_; }
  const std::string& pair_separator() const { return pair_separator_; }

 private:
  PropertySection* FindSection(std::string_view object, std::string_view section);
  const PropertySection* FindSection(std::string_view object, std::string_view section) const;
  std::vector<std::string> ObjectFileLines() const;
  void LoadSectionLine(std::string_view object, const std::string& line);

  const std::string key_value_separator_;
  const std::string pair_separator_;
  ObjectPool<StoreObject> pool_;  // ahead of objects_, which it outlives
  NamedList<StoreObject, ObjectPool<StoreObject>::Deleter> objects_;
};
