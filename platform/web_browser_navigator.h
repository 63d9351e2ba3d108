#pragma once

#include <string>

#include "platform/browser_navigator.h"

struct IWebBrowser2;

// Navigation through the browser's IWebBrowser2, which is borrowed: the
// browser helper object holds the reference.
class WebBrowserNavigator : public BrowserNavigator {
 public:
  // `browser` may be null: every request then fails and goes to the shell.
  explicit WebBrowserNavigator(IWebBrowser2* browser) : browser_(browser) {}

  // Navigate2 with the address as a BSTR VARIANT and nothing else, so that
  // the window hosting the toolbar goes there. Its HRESULT is not examined;
  // false without a browser or when the call throws.
  bool Navigate(const std::string& address) override;

 private:
  IWebBrowser2* browser_;
};
