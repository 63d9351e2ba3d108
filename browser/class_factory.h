#pragma once

#include <windows.h>
#include <unknwn.h>

// The class factory that DllGetClassObject hands out. It creates its class
// plainly or aggregated: an outer object may ask only for the inner
// IUnknown, as COM's aggregation rules require. LockServer holds the module
// in the process through the module lock count.
class ClassFactory : public IClassFactory {
 public:
  // Makes one object, aggregated into `outer` when that is not null, and
  // answers `riid` from it.
  using Creator = HRESULT (*)(IUnknown* outer, REFIID riid, void** object);

  explicit ClassFactory(Creator creator) : creator_(creator) {}
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  virtual ~ClassFactory() = default;

  volatile LONG references_ = 1;
  Creator creator_;
};
