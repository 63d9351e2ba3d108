#include "platform/windows_module_path.h"

#include <windows.h>

namespace {

// GetModuleFileNameA's classic buffer: MAX_PATH characters with the zero.
constexpr DWORD kPathBufferSize = 260;

}  // namespace

std::string WindowsModulePath::FileName() const {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&CreateModulePath), &module)) {
    return "";
  }
  char buffer[kPathBufferSize];
  DWORD length = GetModuleFileNameA(module, buffer, kPathBufferSize);
  // A full buffer means the name was cut short; a cut name would point at
  // the wrong directory, so it counts as a failure.
  if (length == 0 || length >= kPathBufferSize) return "";
  return std::string(buffer, length);
}

std::unique_ptr<ModulePath> CreateModulePath() { return std::make_unique<WindowsModulePath>(); }
