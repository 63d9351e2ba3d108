#pragma once

#include <windows.h>
#include <ocidl.h>

#include "browser/browser_helper.h"
#include "browser/qel_idl.h"
#include "platform/com_handles.h"

// COM class IEHlprObj: the browser helper object as the browser sees it. A
// thin shell over BrowserHelper that adds reference counting, aggregation
// (a non-delegating inner IUnknown and, when aggregated, everything else
// delegated to the outer object), IDispatch answered from the type library,
// and the module lock that keeps the server loaded while the object lives.
class BrowserHelperObject : public IIEHlprObj, public IObjectWithSite {
 public:
  // The class factory's creator: a new object, aggregated into `outer` when
  // that is given (then `riid` must be IID_IUnknown), asked for `riid`.
  static HRESULT Create(IUnknown* outer, REFIID riid, void** object);

  BrowserHelperObject(const BrowserHelperObject&) = delete;
  BrowserHelperObject& operator=(const BrowserHelperObject&) = delete;

  // IUnknown: the controlling object's.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: type information from the type library; Invoke is the sink
  // of the browser's DWebBrowserEvents2.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override;

  // IIEHlprObj
  HRESULT STDMETHODCALLTYPE GetRefCount(LONG* value) override;

  // IObjectWithSite
  HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
  HRESULT STDMETHODCALLTYPE GetSite(REFIID riid, void** site) override;

  // Advises or unadvises this object's IIEHlprObj as the browser's event
  // sink.
  bool ManageConnection(BrowserHelper::ConnectionMode mode);

 private:
  // The object's own identity, never delegated.
  class InnerUnknown : public IUnknown {
   public:
    explicit InnerUnknown(BrowserHelperObject* owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

   private:
    BrowserHelperObject* owner_;
  };

  explicit BrowserHelperObject(IUnknown* outer);
  virtual ~BrowserHelperObject();

  // The IIEHlprObj type information, from the registered type library or,
  // failing that, from the module's own; null when neither loads.
  ITypeInfo* TypeInfo();

  InnerUnknown inner_;
  IUnknown* controlling_;
  volatile LONG references_ = 1;
  ComPtr<ITypeInfo> type_info_;
  BrowserHelper helper_;
};
