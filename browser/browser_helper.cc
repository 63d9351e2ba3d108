#include "browser/browser_helper.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>

#include "browser/band_host.h"
#include "browser/module_state.h"
#include "browser/rebar_search.h"

BrowserHelper::BrowserHelper(std::unique_ptr<BandHost> band_host)
    : band_host_(std::move(band_host)) {
  ModuleState::AddInstance();
}

BrowserHelper::~BrowserHelper() {
  ModuleState::RemoveInstance();
  band_host_.reset();
  if (band_browser_ != nullptr) band_browser_->Release();
  if (browser_ != nullptr) browser_->Release();
}

HRESULT BrowserHelper::SetSite(IUnknown* site) {
  // The browser calls this with null when its window closes: the toolbar
  // stays until the object is released.
  if (site == nullptr) return E_FAIL;
  IWebBrowser2* browser = nullptr;
  if (FAILED(site->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser))) ||
      browser == nullptr) {
    return E_FAIL;
  }
  if (browser_ != nullptr) browser_->Release();
  browser_ = browser;

  SHANDLE_PTR top = 0;
  if (FAILED(browser_->get_HWND(&top))) top = 0;
  HWND rebar = FindRebar(reinterpret_cast<HWND>(top));
  if (rebar != nullptr && band_host_ != nullptr && band_host_->SetUp(browser_, rebar)) {
    band_browser_ = browser_;
    band_browser_->AddRef();
  }
  return E_FAIL;
}

HRESULT BrowserHelper::GetSite(REFIID, void** site) {
  if (site == nullptr) return E_POINTER;
  *site = nullptr;
  return E_FAIL;
}

HRESULT BrowserHelper::GetRefCount(LONG* value) {
  if (value == nullptr) return E_POINTER;
  *value = ModuleState::InstanceCount();
  return S_OK;
}

HRESULT BrowserHelper::OnEvent(DISPID id, DISPPARAMS* parameters) {
  if (parameters == nullptr) return E_INVALIDARG;
  // Status text, navigation starts and ends and everything else pass
  // without effect.
  if (id == DISPID_QUIT) ManageConnection(kUnadvise, nullptr);
  return S_OK;
}

bool BrowserHelper::ManageConnection(ConnectionMode mode, IDispatch* sink) {
  if (browser_ == nullptr) return false;
  IConnectionPointContainer* container = nullptr;
  if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(&container))) ||
      container == nullptr) {
    return false;
  }
  IConnectionPoint* point = nullptr;
  HRESULT found = container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point);
  container->Release();
  if (FAILED(found) || point == nullptr) return false;
  HRESULT result = E_FAIL;
  if (mode == kAdvise) {
    if (sink != nullptr) result = point->Advise(sink, &cookie_);
  } else {
    result = point->Unadvise(cookie_);
  }
  point->Release();
  return SUCCEEDED(result);
}
