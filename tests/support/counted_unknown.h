#pragma once

#include <windows.h>
#include <unknwn.h>

// An object that is nothing but IUnknown: an outer object for aggregation,
// a site that is no browser. Not deleted by its last Release: the test owns
// it, and its count shows whether every reference came back.
class CountedUnknown : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (IsEqualIID(riid, IID_IUnknown)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }

  ULONG references = 1;
};
