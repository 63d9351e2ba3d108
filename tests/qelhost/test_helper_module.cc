// The exports of the test helper object's DLL.
#include <windows.h>

#include "tests/qelhost/test_class_factory.h"
#include "tests/qelhost/test_helper_ids.h"
#include "tests/qelhost/test_helper_object.h"

HINSTANCE g_test_module = nullptr;

namespace {

TestClassFactory g_factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_test_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  CLSID ours;
  CLSIDFromString(L"" QELHOST_TEST_HELPER_CLSID, &ours);
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, ours)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, object);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return TestHelperObject::live_objects() == 0 && TestClassFactory::locks() == 0 ? S_OK : S_FALSE;
}
