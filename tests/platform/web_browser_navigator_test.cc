#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text_conversion.h"
#include "platform/web_browser_navigator.h"
#include "tests/support/web_browser_stub.h"

namespace {

struct Request {
  VARTYPE type = VT_EMPTY;
  std::wstring address;
  bool others_null = false;
};

// A stand-in for the browser of which only Navigate2 answers, which is all
// the navigator may call: anything else fails the test.
class NavigateOnlyBrowser : public WebBrowserStub {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    ADD_FAILURE() << "QueryInterface called";
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT Unimplemented() override {
    ADD_FAILURE() << "a member other than Navigate2 called";
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT* target,
                                      VARIANT* post_data, VARIANT* headers) override {
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

  std::vector<Request> requests;
  bool throws = false;
};

TEST(WebBrowserNavigator, NavigatesWithTheAddressAsBstr) {
  NavigateOnlyBrowser browser;
  WebBrowserNavigator navigator(&browser);

  const std::string addresses[] = {"http://www.example.com/?q=big cats&x=1#top", "",
                                   "file:///c:/caf\xE9.html"};
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    browser.requests.clear();
    browser.throws = false;
    EXPECT_TRUE(navigator.Navigate(address)) << "the browser's answer is not examined";
    ASSERT_EQ(browser.requests.size(), 1u);
    EXPECT_EQ(browser.requests[0].type, VT_BSTR);
    EXPECT_TRUE(browser.requests[0].address == ToWide(address));
    EXPECT_TRUE(browser.requests[0].others_null);
  }

  browser.requests.clear();
  browser.throws = true;
  EXPECT_FALSE(navigator.Navigate("http://a/")) << "a browser that throws";
  browser.throws = false;
}

TEST(WebBrowserNavigator, WithoutABrowserNothingIsRequested) {
  WebBrowserNavigator navigator(nullptr);
  EXPECT_FALSE(navigator.Navigate("http://127.0.0.1/"));
}

}  // namespace
