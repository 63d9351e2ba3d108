#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One class listed under the browser's "Browser Helper Objects" key.
struct HelperClass {
  std::string name;         // the key name as written, "{...}"
  CLSID clsid = {};         //
  std::string server_path;  // InprocServer32 of the class; "" when not registered
};

// Reads the browser helper objects the way the browser does at start: every
// subkey of the "Browser Helper Objects" key (kKeyPath, under
// HKEY_LOCAL_MACHINE) that names a class identifier.
class BrowserHelperRegistry {
 public:
  static constexpr char kKeyPath[] =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

  // In the registry's enumeration order; key names that are no class
  // identifier are left out, as the browser leaves them out.
  static std::vector<HelperClass> ListHelpers();

  // The default value of CLSID\{class}\InprocServer32, environment strings
  // expanded; "" when there is none.
  static std::string ServerPath(const std::string& class_name);
};
