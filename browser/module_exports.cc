// The five exports of qel.dll (named without decoration in qel.def).
#include <windows.h>
#include <objbase.h>

#include "browser/band_host.h"
#include "browser/browser_helper_object.h"
#include "browser/class_factory.h"
#include "browser/module_state.h"
#include "browser/refused_host.h"
#include "browser/server_registration.h"
#include "toolbar/window_class_registry.h"

// libstdc++'s own release of what it keeps for the life of a program (the
// emergency pool that exceptions fall back on when memory runs out), for
// memory checkers to call at exit; defined there, declared in no header.
namespace __gnu_cxx {
void __freeres() noexcept;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    ModuleState::Attach(instance);
    // Never inside the Windows shell, whatever registered us there.
    if (IsRefusedHostPath(HostExecutablePath())) return FALSE;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded while the process goes on: a later load may sit at another
    // address, and a class left registered would send its windows to code
    // that is gone. No window of ours is left once COM lets the module go.
    UnregisterModuleClasses(instance);
    // Nothing of ours that could throw runs any more either, so the
    // exceptions' emergency pool goes too: libstdc++ allocates it at each
    // load and never frees it (18.5 KiB in the 32-bit module, 73 KiB in the
    // 64-bit one).
    __gnu_cxx::__freeres();
  }
  return TRUE;
}

STDAPI DllCanUnloadNow() { return ModuleState::LockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_IEHlprObj)) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) ClassFactory(&BrowserHelperObject::Create);
  if (factory == nullptr) return E_OUTOFMEMORY;
  HRESULT result = factory->QueryInterface(riid, object);
  factory->Release();
  return result;
}

STDAPI DllRegisterServer() { return ServerRegistration::Register(ModuleState::Instance()); }

STDAPI DllUnregisterServer() { return ServerRegistration::Unregister(ModuleState::Instance()); }
