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
  // Before the browsers it borrows.
  band_host_.reset();
}

HRESULT BrowserHelper::SetSite(IUnknown* site) {
  // The browser calls this with null when its window closes: the toolbar
  // stays until the object is released.
  if (site == nullptr) return E_FAIL;
  ComPtr<IWebBrowser2> browser;
  if (FAILED(site->QueryInterface(IID_PPV_ARGS(&browser))) || browser == nullptr) return E_FAIL;
  browser_ = std::move(browser);

  SHANDLE_PTR top = 0;
  if (FAILED(browser_->get_HWND(&top))) top = 0;
  HWND rebar = FindRebar(reinterpret_cast<HWND>(top));
  if (rebar != nullptr && band_host_ != nullptr && band_host_->SetUp(browser_.Get(), rebar)) {
    band_browser_ = browser_;
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
  ComPtr<IConnectionPointContainer> container;
  if (FAILED(browser_.As(&container)) || container == nullptr) return false;
  ComPtr<IConnectionPoint> point;
  HRESULT found = container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point);
  container.Reset();
  if (FAILED(found) || point == nullptr) return false;
  HRESULT result = E_FAIL;
  if (mode == kAdvise) {
    if (sink != nullptr) result = point->Advise(sink, &cookie_);
  } else {
    result = point->Unadvise(cookie_);
  }
  return SUCCEEDED(result);
}
