#include "tools/qelhost/web_browser.h"

#include <exdispid.h>
#include <olectl.h>

#include "platform/com_handles.h"
#include "platform/text_conversion.h"
#include "tools/qelhost/browser_frame.h"

namespace {

// A VARIANT* argument of an event, passed by reference as the browser does.
VARIANT ByRef(VARIANT* target) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | VT_VARIANT;
  v.pvarVal = target;
  return v;
}

}  // namespace

WebBrowser::WebBrowser(BrowserFrame* frame)
    : frame_(frame), events_(static_cast<IConnectionPointContainer*>(this)) {}

WebBrowser::~WebBrowser() = default;

void WebBrowser::Detach() {
  frame_ = nullptr;
  events_.DisconnectAll();
}

bool WebBrowser::FireBeforeNavigate2(const std::string& address) {
  ScopedVariant url(ToWide(address).c_str());
  ScopedVariant flags;
  flags.vt = VT_I4;
  flags.lVal = 0;
  ScopedVariant target;
  ScopedVariant post_data;
  ScopedVariant headers;
  VARIANT_BOOL cancel = VARIANT_FALSE;

  // Arguments go in reverse order: pDisp, URL, Flags, TargetFrameName,
  // PostData, Headers, Cancel.
  VARIANT args[7];
  VariantInit(&args[0]);
  args[0].vt = VT_BYREF | VT_BOOL;
  args[0].pboolVal = &cancel;
  args[1] = ByRef(&headers);
  args[2] = ByRef(&post_data);
  args[3] = ByRef(&target);
  args[4] = ByRef(&flags);
  args[5] = ByRef(&url);
  VariantInit(&args[6]);
  args[6].vt = VT_DISPATCH;
  args[6].pdispVal = static_cast<IWebBrowser2*>(this);
  DISPPARAMS params = {args, nullptr, 7, 0};
  AddRef();
  events_.Fire(DISPID_BEFORENAVIGATE2, &params);
  Release();
  return cancel == VARIANT_FALSE;
}

void WebBrowser::FireNavigationComplete(const std::string& address) {
  ScopedVariant url(ToWide(address).c_str());
  VARIANT args[2];
  args[0] = ByRef(&url);
  VariantInit(&args[1]);
  args[1].vt = VT_DISPATCH;
  args[1].pdispVal = static_cast<IWebBrowser2*>(this);
  DISPPARAMS params = {args, nullptr, 2, 0};
  AddRef();
  events_.Fire(DISPID_NAVIGATECOMPLETE2, &params);
  events_.Fire(DISPID_DOCUMENTCOMPLETE, &params);
  Release();
}

void WebBrowser::FireQuit() {
  DISPPARAMS params = {nullptr, nullptr, 0, 0};
  AddRef();
  events_.Fire(DISPID_ONQUIT, &params);
  Release();
}

// IUnknown

HRESULT STDMETHODCALLTYPE WebBrowser::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsBrowserInterface(riid)) {
    *object = static_cast<IWebBrowser2*>(this);
  } else if (IsEqualIID(riid, IID_IConnectionPointContainer)) {
    *object = static_cast<IConnectionPointContainer*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE WebBrowser::AddRef() { return InterlockedIncrement(&references_); }

ULONG STDMETHODCALLTYPE WebBrowser::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

// IDispatch: the host offers no late binding.

HRESULT STDMETHODCALLTYPE WebBrowser::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE WebBrowser::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

// The members a toolbar uses.

HRESULT STDMETHODCALLTYPE WebBrowser::get_HWND(SHANDLE_PTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = 0;
  if (frame_ == nullptr) return E_FAIL;
  *value = reinterpret_cast<SHANDLE_PTR>(frame_->window());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE WebBrowser::get_AddressBar(VARIANT_BOOL* value) {
  if (value == nullptr) return E_POINTER;
  if (frame_ == nullptr) return E_FAIL;
  *value = frame_->address_bar_visible() ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE WebBrowser::put_AddressBar(VARIANT_BOOL value) {
  if (frame_ == nullptr) return E_FAIL;
  frame_->SetAddressBarVisible(value != VARIANT_FALSE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE WebBrowser::Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*,
                                                VARIANT*) {
  if (url == nullptr) return E_INVALIDARG;
  if (frame_ == nullptr) return E_FAIL;
  ScopedVariant text;
  if (FAILED(VariantChangeType(&text, url, 0, VT_BSTR))) return E_INVALIDARG;
  frame_->Navigate(ToAnsi(text.bstrVal != nullptr ? text.bstrVal : L""));
  return S_OK;
}

// IConnectionPointContainer

HRESULT STDMETHODCALLTYPE WebBrowser::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE WebBrowser::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  if (!IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
    *point = nullptr;
    return CONNECT_E_NOCONNECTION;
  }
  *point = &events_;
  events_.AddRef();
  return S_OK;
}
