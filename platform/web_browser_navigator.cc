#include "platform/web_browser_navigator.h"

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>

#include "platform/com_handles.h"
#include "platform/text_conversion.h"

bool WebBrowserNavigator::Navigate(const std::string& address) {
  if (browser_ == nullptr) return false;
  ScopedVariant target(ToWide(address).c_str());
  if (target.bstrVal == nullptr) return false;
  try {
    browser_->Navigate2(&target, nullptr, nullptr, nullptr, nullptr);
  } catch (...) {
    // A browser that throws instead of answering: the shell opens the
    // address instead.
    return false;
  }
  return true;
}
