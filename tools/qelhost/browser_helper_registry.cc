#include "tools/qelhost/browser_helper_registry.h"

#include <objbase.h>

#include "platform/text_conversion.h"

std::vector<HelperClass> BrowserHelperRegistry::ListHelpers() {
  std::vector<HelperClass> helpers;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return helpers;
  }
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof(name);
    LONG status = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA) continue;  // no class identifier is that long
    if (status != ERROR_SUCCESS) break;
    HelperClass helper;
    helper.name.assign(name, length);
    std::wstring wide = ToWide(helper.name);
    if (FAILED(CLSIDFromString(wide.c_str(), &helper.clsid))) continue;
    helper.server_path = ServerPath(helper.name);
    helpers.push_back(helper);
  }
  RegCloseKey(key);
  return helpers;
}

std::string BrowserHelperRegistry::ServerPath(const std::string& class_name) {
  std::string subkey = "CLSID\\" + class_name + "\\InprocServer32";
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return "";
  }
  char value[MAX_PATH * 2] = {};
  DWORD size = sizeof(value) - 1;
  DWORD type = 0;
  LONG status =
      RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return "";
  value[size < sizeof(value) ? size : sizeof(value) - 1] = '\0';
  if (type == REG_SZ) return value;
  char expanded[MAX_PATH * 2];
  DWORD n = ExpandEnvironmentStringsA(value, expanded, sizeof(expanded));
  if (n == 0 || n > sizeof(expanded)) return value;
  return expanded;
}
