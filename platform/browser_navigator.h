#pragma once

#include <string>

// The web browser window that hosts the toolbar, as far as the commands need
// it: going to an address.
class BrowserNavigator {
 public:
  virtual ~BrowserNavigator() = default;

  // Asks the browser window to go to `address`, as typed (ANSI). True when
  // the request was made, whatever the browser then does with it; false when
  // there is no browser to ask or the request failed outright, so that the
  // caller can hand the address to the shell instead.
  virtual bool Navigate(const std::string& address) = 0;
};
