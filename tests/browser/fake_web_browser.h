#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <string>
#include <vector>

// The browser's DWebBrowserEvents2 connection point, recording what the
// toolbar asks of it.
class FakeConnectionPoint : public IConnectionPoint {
 public:
  static constexpr DWORD kCookie = 4242;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  ULONG references = 1;
  // Sinks advised and not yet unadvised (each held by one reference).
  std::vector<IUnknown*> sinks;
  std::vector<DWORD> unadvised;
};

// A browser for the toolbar: its frame window, navigation and address bar
// recorded, everything else E_NOTIMPL. It may be a connection point
// container, whose only point is DWebBrowserEvents2 unless it has none. Not
// deleted by its last Release: the test owns it, and its reference count
// shows whether the toolbar let every reference go.
class FakeWebBrowser : public IWebBrowser2, public IConnectionPointContainer {
 public:
  enum Events { kNoContainer, kNoEventsPoint, kEventsPoint };

  explicit FakeWebBrowser(HWND frame, Events events = kEventsPoint)
      : frame_(frame), events_(events) {}

  // The browser as a site for SetSite.
  IUnknown* site() { return static_cast<IWebBrowser2*>(this); }

  std::vector<std::string> navigations;
  std::vector<VARIANT_BOOL> address_bar_calls;
  ULONG references = 1;
  FakeConnectionPoint events_point;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // What the toolbar uses.
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* window) override;
  HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL visible) override;
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT* target,
                                      VARIANT* post_data, VARIANT* headers) override;

  // The rest of IWebBrowser, IWebBrowserApp and IWebBrowser2.
  HRESULT STDMETHODCALLTYPE GoBack() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GoForward() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GoHome() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GoSearch() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Navigate(BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Refresh2(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Stop() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Application(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Container(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Type(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Left(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Left(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Top(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Top(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Width(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Width(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Height(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Height(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Quit() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ClientToWindow(int*, int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PutProperty(BSTR, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetProperty(BSTR, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_FullName(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_StatusText(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_StatusText(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ToolBar(int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_ToolBar(int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID, OLECMDF*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL) override { return E_NOTIMPL; }

 private:
  HWND frame_;
  Events events_;
};
