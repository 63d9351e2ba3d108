#pragma once

#include <windows.h>
#include <exdisp.h>

// An IWebBrowser2 whose every member answers E_NOTIMPL: a test's browser,
// or the host's, overrides the few members it stands in for and IUnknown,
// which decides the object's life. A test that must know when anything else
// is called overrides Unimplemented.
class WebBrowserStub : public IWebBrowser2 {
 public:
  // The interfaces a browser answers with its IWebBrowser2.
  static bool IsBrowserInterface(REFIID riid) {
    return IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
           IsEqualIID(riid, IID_IWebBrowser) || IsEqualIID(riid, IID_IWebBrowserApp) ||
           IsEqualIID(riid, IID_IWebBrowser2);
  }

  // What every member not overridden answers.
  virtual HRESULT Unimplemented() { return E_NOTIMPL; }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return Unimplemented();
  }
  // IWebBrowser
  HRESULT STDMETHODCALLTYPE GoBack() override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE GoForward() override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE GoHome() override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE GoSearch() override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE Navigate(BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE Refresh() override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE Refresh2(VARIANT*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE Stop() override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Application(IDispatch**) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch**) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Container(IDispatch**) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch**) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL*) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE get_Type(BSTR*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Left(LONG*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_Left(LONG) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Top(LONG*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_Top(LONG) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Width(LONG*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_Width(LONG) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Height(LONG*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_Height(LONG) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL*) override { return Unimplemented(); }
  // IWebBrowserApp
  HRESULT STDMETHODCALLTYPE Quit() override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE ClientToWindow(int*, int*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE PutProperty(BSTR, VARIANT) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE GetProperty(BSTR, VARIANT*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_FullName(BSTR*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_StatusText(BSTR*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_StatusText(BSTR) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_ToolBar(int*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_ToolBar(int) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL) override { return Unimplemented(); }
  // IWebBrowser2
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID, OLECMDF*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL*) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL*) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL) override {
    return Unimplemented();
  }
  HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL*) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL) override { return Unimplemented(); }
};
