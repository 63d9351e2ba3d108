#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "platform/com_handles.h"

class BandHost;
struct IWebBrowser2;

// The browser helper object's own work, apart from COM's bookkeeping: it
// owns the band host, takes the browser from the site the browser hands it,
// finds the browser's rebar and lets the band host set the toolbar up, and
// handles the browser's events. Every live one counts in the process-wide
// instance count.
class BrowserHelper {
 public:
  enum ConnectionMode { kAdvise = 0, kUnadvise = 1 };

  // `band_host` has loaded already (its constructor does that).
  explicit BrowserHelper(std::unique_ptr<BandHost> band_host);
  ~BrowserHelper();
  BrowserHelper(const BrowserHelper&) = delete;
  BrowserHelper& operator=(const BrowserHelper&) = delete;

  // IObjectWithSite::SetSite. E_FAIL on every path, also after a good
  // set-up; a null site changes nothing.
  HRESULT SetSite(IUnknown* site);
  // The site is never kept: null and E_FAIL (E_POINTER without `site`).
  HRESULT GetSite(REFIID riid, void** site);
  // The number of live browser helper objects of the process.
  static HRESULT GetRefCount(LONG* value);

  // The event sink's Invoke: E_INVALIDARG without parameters; DISPID_QUIT
  // ends the event connection; S_OK for everything else.
  HRESULT OnEvent(DISPID id, DISPPARAMS* parameters);

  // Connects `sink` to the browser's DWebBrowserEvents2 (Advise), or ends
  // that connection (Unadvise, `sink` unused). True when the connection
  // point took the call.
  bool ManageConnection(ConnectionMode mode, IDispatch* sink);

  IWebBrowser2* browser() const { return browser_.Get(); }
  BandHost* band_host() const { return band_host_.get(); }

 private:
  ComPtr<IWebBrowser2> browser_;
  // The browser the band host was set up with, which it and its dispatcher
  // borrow: held until the band host is gone, even when a later site
  // replaces browser_.
  ComPtr<IWebBrowser2> band_browser_;
  DWORD cookie_ = 0;
  std::unique_ptr<BandHost> band_host_;
};
