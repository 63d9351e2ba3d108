#pragma once

#include <windows.h>

#include <string>

// Registration of the module as the browser helper object's COM server: the
// registration script (resource REGISTRY 101) runs through the system's
// registrar with %MODULE% standing for the module's full path, and the type
// library (resource TYPELIB 1) is registered from the module. Both report
// the first failure as their HRESULT.
class ServerRegistration {
 public:
  static constexpr UINT kScriptResourceId = 101;

  static HRESULT Register(HMODULE module);
  // Runs the script in unregister mode and unregisters the type library,
  // whose function is looked up in "oleaut32.dll" at run time. Both steps
  // run even when the first one fails, so that as much as possible goes.
  static HRESULT Unregister(HMODULE module);

  // `text` made fit for a quoted string of the script: every apostrophe
  // doubled, so that a module path such as C:\O'Brien\qel.dll survives.
  static std::wstring EscapeForScript(const std::wstring& text);
  // The module's full file name; "" when the system cannot tell.
  static std::wstring ModuleFileName(HMODULE module);

 private:
  static HRESULT RunScript(const std::wstring& module_path, bool register_mode);
  static HRESULT RegisterTypeLibrary(const std::wstring& module_path);
  static HRESULT UnregisterTypeLibrary(const std::wstring& module_path);
};
