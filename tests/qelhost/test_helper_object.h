#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

class TestBand;

// A browser helper object for the host's tests. SetSite with a browser
// finds the rebar down the chain of first children, puts a TestBand in it
// and listens to DWebBrowserEvents2; every call is written to the trace
// (TestTrace), numbered by object, so a test can read what the host did and
// in what order.
class TestHelperObject final : public IObjectWithSite, public IDispatch {
 public:
  TestHelperObject();
  TestHelperObject(const TestHelperObject&) = delete;
  TestHelperObject& operator=(const TestHelperObject&) = delete;

  static LONG live_objects();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IObjectWithSite
  HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
  HRESULT STDMETHODCALLTYPE GetSite(REFIID riid, void** site) override;

  // IDispatch: the event sink.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* arg_error) override;

 private:
  ~TestHelperObject();
  void Trace(const char* format, ...);
  void Connect(bool advise);

  LONG references_ = 1;
  int number_;
  IWebBrowser2* browser_ = nullptr;
  DWORD cookie_ = 0;
  TestBand* band_ = nullptr;
  HWND top_ = nullptr;
};
