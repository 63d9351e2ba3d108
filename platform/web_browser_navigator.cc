#include "platform/web_browser_navigator.h"

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>

#include <vector>

#include "platform/com_handles.h"

namespace {

// The address in the ANSI code page as UTF-16, for the BSTR.
std::vector<wchar_t> Widen(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  return wide;
}

}  // namespace

bool WebBrowserNavigator::Navigate(const std::string& address) {
  if (browser_ == nullptr) return false;
  ScopedVariant target(Widen(address).data());
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
