#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "tests/support/event_connection_point.h"
#include "tests/support/web_browser_stub.h"

// A browser for the toolbar: its frame window, navigation and address bar
// recorded, everything else E_NOTIMPL. It may be a connection point
// container, whose only point is DWebBrowserEvents2 unless it has none. Not
// deleted by its last Release: the test owns it, and its reference count
// shows whether the toolbar let every reference go.
class FakeWebBrowser : public WebBrowserStub, public IConnectionPointContainer {
 public:
  enum Events { kNoContainer, kNoEventsPoint, kEventsPoint };

  explicit FakeWebBrowser(HWND frame, Events events = kEventsPoint)
      : frame_(frame), events_(events) {}

  // The browser as a site for SetSite.
  IUnknown* site() { return static_cast<IWebBrowser2*>(this); }

  std::vector<std::string> navigations;
  std::vector<VARIANT_BOOL> address_bar_calls;
  ULONG references = 1;
  // Counts its own references, as the browser's count should not move.
  EventConnectionPoint events_point;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

  // What the toolbar uses.
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* window) override;
  HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL visible) override;
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT* target,
                                      VARIANT* post_data, VARIANT* headers) override;

 private:
  HWND frame_;
  Events events_;
};
