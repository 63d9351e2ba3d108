#include "tests/qelhost/test_helper_object.h"

#include <exdispid.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "browser/rebar_search.h"
#include "platform/text_conversion.h"
#include "platform/window_text.h"
#include "tests/qelhost/test_band.h"
#include "tests/qelhost/test_helper_ids.h"
#include "tests/qelhost/test_trace.h"

namespace {

LONG g_live_objects = 0;
LONG g_created_objects = 0;

// The text of a string argument, also one passed by reference.
std::string TextOf(const VARIANT* value) {
  while (value != nullptr && value->vt == (VT_BYREF | VT_VARIANT)) value = value->pvarVal;
  if (value == nullptr || value->vt != VT_BSTR || value->bstrVal == nullptr) return "";
  return ToAnsi(value->bstrVal);
}

}  // namespace

TestHelperObject::TestHelperObject() {
  InterlockedIncrement(&g_live_objects);
  number_ = static_cast<int>(InterlockedIncrement(&g_created_objects));
  Trace("create %d", number_);
}

TestHelperObject::~TestHelperObject() {
  // What the host still had when it let go: the band and the frame.
  Trace("release %d band=%s frame=%s site=%s", number_,
        band_ != nullptr && IsWindow(band_->window()) ? "alive" : "gone",
        top_ != nullptr && IsWindow(top_) ? "alive" : "gone",
        browser_ != nullptr ? "kept" : "none");
  delete band_;
  if (browser_ != nullptr) browser_->Release();
  InterlockedDecrement(&g_live_objects);
}

LONG TestHelperObject::live_objects() { return g_live_objects; }

void TestHelperObject::Trace(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  TestTrace::Write(line);
}

HRESULT STDMETHODCALLTYPE TestHelperObject::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IObjectWithSite)) {
    *object = static_cast<IObjectWithSite*>(this);
  } else if (IsEqualIID(riid, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE TestHelperObject::AddRef() { return InterlockedIncrement(&references_); }

ULONG STDMETHODCALLTYPE TestHelperObject::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

void TestHelperObject::Connect(bool advise) {
  if (browser_ == nullptr) return;
  IConnectionPointContainer* container = nullptr;
  if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(&container)))) {
    Trace("events %d no-container", number_);
    return;
  }
  IConnectionPoint* point = nullptr;
  if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
    HRESULT hr =
        advise ? point->Advise(static_cast<IDispatch*>(this), &cookie_) : point->Unadvise(cookie_);
    if (FAILED(hr)) Trace("events %d %s-failed", number_, advise ? "advise" : "unadvise");
    point->Release();
  } else {
    Trace("events %d no-connection-point", number_);
  }
  container->Release();
}

HRESULT STDMETHODCALLTYPE TestHelperObject::SetSite(IUnknown* site) {
  if (site == nullptr) {
    Trace("setsite %d null", number_);
    Connect(false);
    return S_OK;
  }
  IWebBrowser2* browser = nullptr;
  if (FAILED(site->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser)))) {
    Trace("setsite %d not-a-browser", number_);
    return E_FAIL;
  }
  if (browser_ != nullptr) browser_->Release();
  browser_ = browser;
  SHANDLE_PTR handle = 0;
  browser_->get_HWND(&handle);
  top_ = reinterpret_cast<HWND>(handle);
  int depth = 0;
  HWND rebar = FindRebar(top_, &depth);
  Trace("setsite %d browser top=%s toplevel=%s rebar-depth=%d thread=%lu", number_,
        ClassNameOf(top_).c_str(), GetParent(top_) == nullptr ? "yes" : "no",
        rebar != nullptr ? depth : -1, GetCurrentThreadId());
  Connect(true);
  if (rebar != nullptr && band_ == nullptr) {
    band_ = new TestBand(number_, browser_, rebar);
    band_->Create();
  }
  if (TestTrace::Setting(QELHOST_TEST_ADDRESS_BAR_VARIABLE) == "off") {
    browser_->put_AddressBar(VARIANT_FALSE);
    VARIANT_BOOL shown = VARIANT_TRUE;
    browser_->get_AddressBar(&shown);
    Trace("addressbar %d %s", number_, shown ? "shown" : "hidden");
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestHelperObject::GetSite(REFIID, void** site) {
  if (site == nullptr) return E_POINTER;
  *site = nullptr;
  return E_FAIL;
}

HRESULT STDMETHODCALLTYPE TestHelperObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestHelperObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TestHelperObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TestHelperObject::Invoke(DISPID id, REFIID, LCID, WORD,
                                                   DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                                   UINT*) {
  if (params == nullptr) return E_INVALIDARG;
  switch (id) {
    case DISPID_BEFORENAVIGATE2: {
      std::string url = params->cArgs == 7 ? TextOf(&params->rgvarg[5]) : "?";
      std::string cancel_on = TestTrace::Setting(QELHOST_TEST_CANCEL_VARIABLE);
      bool cancel = !cancel_on.empty() && url.find(cancel_on) != std::string::npos;
      if (cancel && params->rgvarg[0].vt == (VT_BYREF | VT_BOOL)) {
        *params->rgvarg[0].pboolVal = VARIANT_TRUE;
      }
      Trace("event %d BeforeNavigate2 %s%s", number_, url.c_str(), cancel ? " (cancelled)" : "");
      break;
    }
    case DISPID_NAVIGATECOMPLETE2:
      Trace("event %d NavigateComplete2 %s", number_,
            params->cArgs == 2 ? TextOf(&params->rgvarg[0]).c_str() : "?");
      break;
    case DISPID_DOCUMENTCOMPLETE:
      Trace("event %d DocumentComplete %s", number_,
            params->cArgs == 2 ? TextOf(&params->rgvarg[0]).c_str() : "?");
      break;
    case DISPID_ONQUIT:
      Trace("event %d OnQuit", number_);
      break;
    default:
      Trace("event %d %ld", number_, static_cast<long>(id));
      break;
  }
  return S_OK;
}
