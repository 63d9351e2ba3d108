#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <string>

#include "tools/qelhost/event_connection_point.h"

class BrowserFrame;

// The browser object that the host hands to every browser helper object as
// its site: IWebBrowser2 with the few members a toolbar needs (get_HWND,
// put_AddressBar, Navigate2; every other member answers E_NOTIMPL) and a
// connection point for DWebBrowserEvents2.
class WebBrowser final : public IWebBrowser2, public IConnectionPointContainer {
 public:
  // Starts with one reference, owned by the caller.
  explicit WebBrowser(BrowserFrame* frame);
  WebBrowser(const WebBrowser&) = delete;
  WebBrowser& operator=(const WebBrowser&) = delete;

  // The frame is going away: events stop and the members that need the
  // frame fail from now on (a helper object might keep its pointer).
  void Detach();

  // DWebBrowserEvents2, fired by the frame.
  // BeforeNavigate2; false when a sink cancelled the navigation.
  bool FireBeforeNavigate2(const std::string& address);
  // NavigateComplete2, then DocumentComplete.
  void FireNavigationComplete(const std::string& address);
  void FireQuit();

  std::size_t connection_count() const { return events_.connection_count(); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* arg_error) override;

  // IWebBrowser
  HRESULT STDMETHODCALLTYPE GoBack() override;
  HRESULT STDMETHODCALLTYPE GoForward() override;
  HRESULT STDMETHODCALLTYPE GoHome() override;
  HRESULT STDMETHODCALLTYPE GoSearch() override;
  HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* post_data,
                                     VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE Refresh() override;
  HRESULT STDMETHODCALLTYPE Refresh2(VARIANT* level) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE get_Application(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Container(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE get_Type(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_Left(LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_Left(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Top(LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_Top(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Width(LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_Width(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Height(LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_Height(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* value) override;

  // IWebBrowserApp
  HRESULT STDMETHODCALLTYPE Quit() override;
  HRESULT STDMETHODCALLTYPE ClientToWindow(int* cx, int* cy) override;
  HRESULT STDMETHODCALLTYPE PutProperty(BSTR name, VARIANT value) override;
  HRESULT STDMETHODCALLTYPE GetProperty(BSTR name, VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* value) override;
  HRESULT STDMETHODCALLTYPE get_FullName(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_Path(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_StatusText(BSTR* value) override;
  HRESULT STDMETHODCALLTYPE put_StatusText(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_ToolBar(int* value) override;
  HRESULT STDMETHODCALLTYPE put_ToolBar(int value) override;
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL value) override;

  // IWebBrowser2
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT* target,
                                      VARIANT* post_data, VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID command, OLECMDF* status) override;
  HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* in,
                                   VARIANT* out) override;
  HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT* clsid, VARIANT* show, VARIANT* size) override;
  HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* value) override;
  HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL value) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

 private:
  ~WebBrowser();

  LONG references_ = 1;
  BrowserFrame* frame_;
  EventConnectionPoint events_;
};
