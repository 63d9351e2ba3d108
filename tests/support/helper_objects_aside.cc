#include "tests/support/helper_objects_aside.h"

namespace {

constexpr char kHelperObjects[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

}  // namespace

HelperObjectsAside::HelperObjectsAside(const std::string& discard) {
  HKEY list = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kHelperObjects, 0, KEY_READ | KEY_WRITE, &list) !=
      ERROR_SUCCESS) {
    return;
  }
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof(name);
    if (RegEnumKeyExA(list, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  for (const std::string& name : names) {
    Entry entry;
    entry.name = name;
    HKEY key = nullptr;
    if (RegOpenKeyExA(list, name.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      for (DWORD index = 0;; ++index) {
        char value_name[256];
        DWORD name_length = sizeof(value_name);
        BYTE data[1024];
        DWORD size = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueA(key, index, value_name, &name_length, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
          break;
        }
        entry.values.push_back(
            {std::string(value_name, name_length), type, std::vector<BYTE>(data, data + size)});
      }
      RegCloseKey(key);
    }
    if (RegDeleteKeyA(list, name.c_str()) == ERROR_SUCCESS && name != discard) {
      entries_.push_back(entry);
    }
  }
  RegCloseKey(list);
}

HelperObjectsAside::~HelperObjectsAside() {
  for (const Entry& entry : entries_) {
    std::string path = std::string(kHelperObjects) + "\\" + entry.name;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      continue;
    }
    for (const Value& value : entry.values) {
      RegSetValueExA(key, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type,
                     value.data.data(), static_cast<DWORD>(value.data.size()));
    }
    RegCloseKey(key);
  }
}
