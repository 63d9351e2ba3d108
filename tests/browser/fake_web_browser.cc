#include "tests/browser/fake_web_browser.h"

#include <exdispid.h>
#include <olectl.h>

#include "platform/text_conversion.h"

HRESULT FakeWebBrowser::QueryInterface(REFIID riid, void** object) {
  if (IsBrowserInterface(riid)) {
    *object = static_cast<IWebBrowser2*>(this);
  } else if (events_ != kNoContainer && IsEqualIID(riid, IID_IConnectionPointContainer)) {
    *object = static_cast<IConnectionPointContainer*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

HRESULT FakeWebBrowser::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  if (events_ != kEventsPoint || !IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
    return CONNECT_E_NOCONNECTION;
  }
  events_point.AddRef();
  *point = &events_point;
  return S_OK;
}

HRESULT FakeWebBrowser::get_HWND(SHANDLE_PTR* window) {
  if (window == nullptr) return E_POINTER;
  *window = reinterpret_cast<SHANDLE_PTR>(frame_);
  return S_OK;
}

HRESULT FakeWebBrowser::put_AddressBar(VARIANT_BOOL visible) {
  address_bar_calls.push_back(visible);
  return S_OK;
}

HRESULT FakeWebBrowser::Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
  if (url == nullptr || url->vt != VT_BSTR) return E_INVALIDARG;
  navigations.push_back(ToAnsi(url->bstrVal != nullptr ? url->bstrVal : L""));
  return S_OK;
}
