#include "tests/browser/fake_web_browser.h"

#include <exdispid.h>
#include <olectl.h>

namespace {

std::string Narrow(const wchar_t* text) {
  if (text == nullptr) return "";
  int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return "";
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  narrow.pop_back();
  return narrow;
}

}  // namespace

HRESULT FakeConnectionPoint::QueryInterface(REFIID riid, void** object) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT FakeConnectionPoint::GetConnectionInterface(IID* iid) {
  *iid = DIID_DWebBrowserEvents2;
  return S_OK;
}

HRESULT FakeConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  IDispatch* dispatch = nullptr;
  if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  sinks.push_back(dispatch);
  *cookie = kCookie;
  return S_OK;
}

HRESULT FakeConnectionPoint::Unadvise(DWORD cookie) {
  unadvised.push_back(cookie);
  if (cookie != kCookie || sinks.empty()) return CONNECT_E_NOCONNECTION;
  IUnknown* sink = sinks.back();
  sinks.pop_back();
  sink->Release();
  return S_OK;
}

HRESULT FakeWebBrowser::QueryInterface(REFIID riid, void** object) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, IID_IWebBrowser) || IsEqualIID(riid, IID_IWebBrowserApp) ||
      IsEqualIID(riid, IID_IWebBrowser2)) {
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
  navigations.push_back(Narrow(url->bstrVal));
  return S_OK;
}
