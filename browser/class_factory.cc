#include "browser/class_factory.h"

#include "browser/module_state.h"

HRESULT ClassFactory::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ClassFactory::Release() {
  LONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  // An aggregated object can only hand its outer object the inner IUnknown.
  if (outer != nullptr && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  return creator_(outer, riid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    ModuleState::Lock();
  } else {
    ModuleState::Unlock();
  }
  return S_OK;
}
