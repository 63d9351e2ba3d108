#include "tests/qelhost/test_class_factory.h"

#include "tests/qelhost/test_helper_object.h"

namespace {

LONG g_locks = 0;

}  // namespace

LONG TestClassFactory::locks() { return g_locks; }

HRESULT STDMETHODCALLTYPE TestClassFactory::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

// One static factory: it lives as long as the module.
ULONG STDMETHODCALLTYPE TestClassFactory::AddRef() { return 2; }
ULONG STDMETHODCALLTYPE TestClassFactory::Release() { return 1; }

HRESULT STDMETHODCALLTYPE TestClassFactory::CreateInstance(IUnknown* outer, REFIID riid,
                                                           void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  auto helper = new TestHelperObject();
  HRESULT hr = helper->QueryInterface(riid, object);
  helper->Release();
  return hr;
}

HRESULT STDMETHODCALLTYPE TestClassFactory::LockServer(BOOL lock) {
  if (lock) {
    InterlockedIncrement(&g_locks);
  } else {
    InterlockedDecrement(&g_locks);
  }
  return S_OK;
}
