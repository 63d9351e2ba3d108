#include "store/object_store.h"

#include <memory>

#include "store/object_file.h"
#include "store/strings.h"

namespace {

const char kObjectStart[] = "Object ";
const char kTypeMarker[] = "<type>";
const char kSectionMarker[] = "<section>";
const char kObjectEnd[] = "EndObject";

bool StartsWith(const std::string& line, const std::string& prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

ObjectStore::ObjectStore() : key_value_separator_("="), pair_separator_(";") {}

bool ObjectStore::CreateObject(std::string_view name, std::string_view type) {
  const std::string_view trimmed = TrimView(name);
  if (trimmed.empty() || objects_.Exists(trimmed)) return false;
  objects_.AddAbsent(trimmed, pool_.Create(trimmed, type));
  return true;
}

StoreObject* ObjectStore::FindOrCreateObject(std::string_view name, std::string_view type) {
  const std::string_view trimmed = TrimView(name);
  if (trimmed.empty()) return nullptr;
  StoreObject* found = objects_.Find(trimmed);
  if (found != nullptr) return found;
  return objects_.AddAbsent(trimmed, pool_.Create(trimmed, type));
}

bool ObjectStore::ObjectExists(std::string_view name) const { return objects_.Exists(name); }

StoreObject* ObjectStore::FindObject(std::string_view name) { return objects_.Find(name); }

const StoreObject* ObjectStore::FindObject(std::string_view name) const {
  return objects_.Find(name);
}

std::string ObjectStore::GetObjectType(std::string_view name) const {
  const StoreObject* object = objects_.Find(name);
  return object == nullptr ? std::string() : object->type();
}

int ObjectStore::GetObjectCount() const { return objects_.Count(); }

std::string ObjectStore::GetObjectNameAt(int index) const { return objects_.NameAt(index); }

int ObjectStore::GetObjectIndex(std::string_view name) const { return objects_.IndexOf(name); }

std::string ObjectStore::GetProperty(std::string_view object, std::string_view section,
                                     std::string_view key) const {
  const PropertySection* found = FindSection(object, section);
  return found == nullptr ? std::string() : found->properties().Get(key);
}

bool ObjectStore::SetProperty(std::string_view object, std::string_view section,
                              std::string_view key, std::string_view value) {
  StoreObject* target = objects_.Find(object);
  if (target == nullptr) return false;
  target->FindOrAddSection(section)->properties().Set(key, value);
  return true;
}

bool ObjectStore::PropertyExists(std::string_view object, std::string_view section,
                                 std::string_view key) const {
  const PropertySection* found = FindSection(object, section);
  return found != nullptr && found->properties().Exists(key);
}

bool ObjectStore::SectionExists(std::string_view object, std::string_view section) const {
  return FindSection(object, section) != nullptr;
}

void ObjectStore::ClearStore() {
  objects_.Clear();
  pool_.Release();
}

void ObjectStore::RemoveObject(std::string_view name) { objects_.Remove(name); }

bool ObjectStore::RemoveSection(std::string_view object, std::string_view section) {
  StoreObject* target = objects_.Find(object);
  if (target == nullptr) return false;
  target->sections().Remove(section);
  return true;
}

bool ObjectStore::RemoveProperty(std::string_view object, std::string_view section,
                                 std::string_view key) {
  PropertySection* found = FindSection(object, section);
  if (found == nullptr) return false;
  found->properties().Remove(key);
  return true;
}

PropertySection* ObjectStore::FindSection(std::string_view object, std::string_view section) {
  StoreObject* target = objects_.Find(object);
  return target == nullptr ? nullptr : target->sections().Find(section);
}

const PropertySection* ObjectStore::FindSection(std::string_view object,
                                                std::string_view section) const {
  const StoreObject* target = objects_.Find(object);
  return target == nullptr ? nullptr : target->sections().Find(section);
}

bool ObjectStore::SaveObjectFile(const std::string& file_name) const {
  return WriteLines(file_name, ObjectFileLines());
}

// Names, types, keys and values are written raw: the format has no quoting,
// so text holding its markers, ";", "=" in keys or line breaks does not come
// back unchanged.
std::vector<std::string> ObjectStore::ObjectFileLines() const {
  std::vector<std::string> lines;
  const std::string quote = "\"";
  for (int i = 0; i < objects_.Count(); ++i) {
    const StoreObject& object = *objects_.At(i);
    lines.push_back(kObjectStart + quote + object.name() + quote);
    lines.push_back(kTypeMarker + object.type() + kTypeMarker);
    const SectionList& sections = object.sections();
    for (int s = 0; s < sections.Count(); ++s) {
      const PropertySection& section = *sections.At(s);
      const PropertyList& properties = section.properties();
      if (properties.Count() == 0) continue;  // nothing to read back
      lines.push_back(
          kSectionMarker + section.name() + kSectionMarker +
          JoinPairs(properties.keys(), properties.values(), pair_separator_, key_value_separator_));
    }
    lines.push_back(kObjectEnd);
    lines.push_back("");
  }
  return lines;
}

void ObjectStore::LoadObjectLines(const std::vector<std::string>& lines) {
  ClearStore();
  // The current name persists from line to line, across "EndObject" too.
  std::string object_name;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == '\'') continue;
    if (StartsWith(line, kObjectStart)) {
      object_name = ExtractBetween(line, "\"", "\"", nullptr);
    } else if (StartsWith(line, kTypeMarker)) {
      // A refused name (empty or taken) leaves the store as it is.
      CreateObject(object_name, ExtractBetween(line, kTypeMarker, kTypeMarker, nullptr));
    } else if (StartsWith(line, kSectionMarker)) {
      LoadSectionLine(object_name, line);
    }
  }
}

// Unlike ParsePairs, an entry without "=" gives an empty key and an empty
// value. Properties of a missing object are dropped.
void ObjectStore::LoadSectionLine(std::string_view object, const std::string& line) {
  std::string properties;
  const std::string section = ExtractBetween(line, kSectionMarker, kSectionMarker, &properties);
  std::vector<std::string> entries;
  Split(properties, pair_separator_, &entries);
  for (const std::string& entry : entries) {
    std::string value;
    const std::string key = SplitFirst(entry, key_value_separator_, &value);
    SetProperty(object, section, Trim(key), Trim(value));
  }
}
