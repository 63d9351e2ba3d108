// The browser here is a stand-in built on the C form of IWebBrowser2: a
// table of methods of which only Navigate2 is filled in, which is all the
// navigator may call.
#define CINTERFACE
#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/web_browser_navigator.h"

namespace {

struct Request {
  VARTYPE type = VT_EMPTY;
  std::wstring address;
  bool others_null = false;
};

std::vector<Request> requests;
bool throws = false;

HRESULT STDMETHODCALLTYPE FakeNavigate2(IWebBrowser2*, VARIANT* url, VARIANT* flags,
                                        VARIANT* target, VARIANT* post_data, VARIANT* headers) {
  if (throws) throw std::runtime_error("browser gone");
  Request request;
  if (url != nullptr) request.type = url->vt;
  if (url != nullptr && url->vt == VT_BSTR && url->bstrVal != nullptr) {
    request.address.assign(url->bstrVal, SysStringLen(url->bstrVal));
  }
  request.others_null =
      flags == nullptr && target == nullptr && post_data == nullptr && headers == nullptr;
  requests.push_back(request);
  return E_FAIL;  // not examined
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         &wide[0], static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return wide;
}

TEST(WebBrowserNavigator, NavigatesWithTheAddressAsBstr) {
  IWebBrowser2Vtbl methods = {};
  methods.Navigate2 = FakeNavigate2;
  IWebBrowser2 browser = {&methods};
  WebBrowserNavigator navigator(&browser);

  const std::string addresses[] = {"http://www.example.com/?q=big cats&x=1#top", "",
                                   "file:///c:/caf\xE9.html"};
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    requests.clear();
    throws = false;
    EXPECT_TRUE(navigator.Navigate(address)) << "the browser's answer is not examined";
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].type, VT_BSTR);
    EXPECT_TRUE(requests[0].address == Wide(address));
    EXPECT_TRUE(requests[0].others_null);
  }

  requests.clear();
  throws = true;
  EXPECT_FALSE(navigator.Navigate("http://a/")) << "a browser that throws";
  throws = false;
}

TEST(WebBrowserNavigator, WithoutABrowserNothingIsRequested) {
  WebBrowserNavigator navigator(nullptr);
  EXPECT_FALSE(navigator.Navigate("http://127.0.0.1/"));
}

}  // namespace
