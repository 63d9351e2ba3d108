#include "browser/server_registration.h"

#include <oleauto.h>

#include <vector>

#include "browser/registrar_interface.h"
#include "platform/com_handles.h"

namespace {

// COM for the length of one registration call. regsvr32 and the browser
// have it already (the call then only balances its own count); a caller in
// the multithreaded apartment is used as it is.
struct ComScope {
  ComScope() : initialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialized) CoUninitialize();
  }
  bool initialized;
};

using UnRegisterTypeLibFunction = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

HRESULT FirstFailure(HRESULT first, HRESULT second) { return FAILED(first) ? first : second; }

}  // namespace

HRESULT ServerRegistration::Register(HMODULE module) {
  std::wstring path = ModuleFileName(module);
  if (path.empty()) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  ComScope com;
  HRESULT result = RunScript(path, true);
  if (FAILED(result)) return result;
  return RegisterTypeLibrary(path);
}

HRESULT ServerRegistration::Unregister(HMODULE module) {
  std::wstring path = ModuleFileName(module);
  if (path.empty()) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  ComScope com;
  HRESULT script = RunScript(path, false);
  return FirstFailure(script, UnregisterTypeLibrary(path));
}

std::wstring ServerRegistration::EscapeForScript(const std::wstring& text) {
  std::wstring escaped;
  escaped.reserve(text.size());
  for (wchar_t c : text) {
    escaped += c;
    if (c == L'\'') escaped += c;
  }
  return escaped;
}

std::wstring ServerRegistration::ModuleFileName(HMODULE module) {
  std::vector<wchar_t> buffer(MAX_PATH);
  while (buffer.size() <= 32768) {
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD length = GetModuleFileNameW(module, buffer.data(), size);
    if (length == 0) return L"";
    if (length < size) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
  return L"";
}

HRESULT ServerRegistration::RunScript(const std::wstring& module_path, bool register_mode) {
  ComPtr<IRegistrar> registrar;
  HRESULT result =
      CoCreateInstance(kRegistrarClassId, nullptr, CLSCTX_INPROC_SERVER, kRegistrarInterfaceId,
                       reinterpret_cast<void**>(registrar.GetAddressOf()));
  if (FAILED(result)) return result;
  if (registrar == nullptr) return E_NOINTERFACE;
  result = registrar->AddReplacement(L"MODULE", EscapeForScript(module_path).c_str());
  if (SUCCEEDED(result)) {
    result =
        register_mode
            ? registrar->ResourceRegister(module_path.c_str(), kScriptResourceId, L"REGISTRY")
            : registrar->ResourceUnregister(module_path.c_str(), kScriptResourceId, L"REGISTRY");
  }
  return result;
}

HRESULT ServerRegistration::RegisterTypeLibrary(const std::wstring& module_path) {
  ComPtr<ITypeLib> library;
  HRESULT result = LoadTypeLibEx(module_path.c_str(), REGKIND_NONE, &library);
  if (FAILED(result)) return result;
  // RegisterTypeLib takes non-const strings; it does not write to them.
  std::vector<wchar_t> path(module_path.begin(), module_path.end());
  path.push_back(L'\0');
  return RegisterTypeLib(library.Get(), path.data(), nullptr);
}

HRESULT ServerRegistration::UnregisterTypeLibrary(const std::wstring& module_path) {
  ComPtr<ITypeLib> library;
  HRESULT result = LoadTypeLibEx(module_path.c_str(), REGKIND_NONE, &library);
  if (FAILED(result)) return result;
  TLIBATTR* attributes = nullptr;
  result = library->GetLibAttr(&attributes);
  if (SUCCEEDED(result)) {
    HMODULE automation = LoadLibraryA("oleaut32.dll");
    auto unregister = automation == nullptr
                          ? nullptr
                          : reinterpret_cast<UnRegisterTypeLibFunction>(reinterpret_cast<void*>(
                                GetProcAddress(automation, "UnRegisterTypeLib")));
    result = unregister == nullptr
                 ? HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND)
                 : unregister(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                              attributes->lcid, attributes->syskind);
    if (automation != nullptr) FreeLibrary(automation);
    library->ReleaseTLibAttr(attributes);
  }
  return result;
}
