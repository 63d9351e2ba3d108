#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <string>

#include "tests/support/event_connection_point.h"
#include "tests/support/web_browser_stub.h"

class BrowserFrame;

// The browser object that the host hands to every browser helper object as
// its site: IWebBrowser2 with the few members a toolbar needs (get_HWND,
// the address bar, Navigate2; every other member answers E_NOTIMPL) and a
// connection point for DWebBrowserEvents2.
class WebBrowser final : public WebBrowserStub, public IConnectionPointContainer {
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

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: the host offers no late binding.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;

  // The members a toolbar uses; everything else is outside what a toolbar
  // may rely on and answers E_NOTIMPL.
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* value) override;
  HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT* target,
                                      VARIANT* post_data, VARIANT* headers) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

 private:
  ~WebBrowser();

  LONG references_ = 1;
  BrowserFrame* frame_;
  EventConnectionPoint events_;
};
