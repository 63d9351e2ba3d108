#include "browser/browser_helper_object.h"

#include <oleauto.h>

#include <memory>
#include <new>
#include <string>

#include "browser/band_host.h"
#include "browser/module_state.h"
#include "browser/server_registration.h"
#include "platform/module_path.h"

namespace {

// The toolbar's uninstall command removes this module's registration.
HRESULT UnregisterThisModule() { return ServerRegistration::Unregister(ModuleState::Instance()); }

std::unique_ptr<BandHost> LoadBandHost() {
  std::unique_ptr<ModulePath> module = CreateModulePath();
  return std::make_unique<BandHost>(ModuleState::Instance(), *module, &UnregisterThisModule);
}

}  // namespace

HRESULT BrowserHelperObject::Create(IUnknown* outer, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  auto* created = new (std::nothrow) BrowserHelperObject(outer);
  if (created == nullptr) return E_OUTOFMEMORY;
  // The object starts with one reference; a failed query lets it go.
  HRESULT result = created->inner_.QueryInterface(riid, object);
  created->inner_.Release();
  return result;
}

BrowserHelperObject::BrowserHelperObject(IUnknown* outer)
    : inner_(this), controlling_(outer != nullptr ? outer : &inner_), helper_(LoadBandHost()) {
  ModuleState::Lock();
}

BrowserHelperObject::~BrowserHelperObject() {
  type_info_.Reset();
  ModuleState::Unlock();
}

HRESULT BrowserHelperObject::InnerUnknown::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown)) {
    *object = static_cast<IUnknown*>(this);
  } else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IIEHlprObj)) {
    *object = static_cast<IIEHlprObj*>(owner_);
  } else if (IsEqualIID(riid, IID_IObjectWithSite)) {
    *object = static_cast<IObjectWithSite*>(owner_);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*object)->AddRef();
  return S_OK;
}

ULONG BrowserHelperObject::InnerUnknown::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&owner_->references_));
}

ULONG BrowserHelperObject::InnerUnknown::Release() {
  LONG remaining = InterlockedDecrement(&owner_->references_);
  if (remaining == 0) delete owner_;
  return static_cast<ULONG>(remaining);
}

HRESULT BrowserHelperObject::QueryInterface(REFIID riid, void** object) {
  return controlling_->QueryInterface(riid, object);
}

ULONG BrowserHelperObject::AddRef() { return controlling_->AddRef(); }

ULONG BrowserHelperObject::Release() { return controlling_->Release(); }

HRESULT BrowserHelperObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT BrowserHelperObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  ITypeInfo* type_info = TypeInfo();
  if (type_info == nullptr) return TYPE_E_CANTLOADLIBRARY;
  type_info->AddRef();
  *info = type_info;
  return S_OK;
}

HRESULT BrowserHelperObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                           DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* type_info = TypeInfo();
  if (type_info == nullptr) return TYPE_E_CANTLOADLIBRARY;
  return DispGetIDsOfNames(type_info, names, count, ids);
}

HRESULT BrowserHelperObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                    EXCEPINFO*, UINT*) {
  // Unadvising on DISPID_QUIT may drop the browser's last reference to us
  // while we are still inside this call.
  AddRef();
  HRESULT result = helper_.OnEvent(id, parameters);
  Release();
  return result;
}

HRESULT BrowserHelperObject::GetRefCount(LONG* value) { return BrowserHelper::GetRefCount(value); }

HRESULT BrowserHelperObject::SetSite(IUnknown* site) { return helper_.SetSite(site); }

HRESULT BrowserHelperObject::GetSite(REFIID riid, void** site) {
  return helper_.GetSite(riid, site);
}

bool BrowserHelperObject::ManageConnection(BrowserHelper::ConnectionMode mode) {
  return helper_.ManageConnection(mode, static_cast<IIEHlprObj*>(this));
}

ITypeInfo* BrowserHelperObject::TypeInfo() {
  if (type_info_ != nullptr) return type_info_.Get();
  ComPtr<ITypeLib> library;
  if (FAILED(LoadRegTypeLib(LIBID_QELLib, 1, 0, LOCALE_NEUTRAL, &library))) {
    // Not registered (or registered elsewhere and gone): the module carries
    // its own copy.
    library.Reset();
    std::wstring path = ServerRegistration::ModuleFileName(ModuleState::Instance());
    if (path.empty() || FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library))) {
      return nullptr;
    }
  }
  if (library == nullptr) return nullptr;
  ComPtr<ITypeInfo> info;
  if (SUCCEEDED(library->GetTypeInfoOfGuid(IID_IIEHlprObj, &info))) type_info_ = std::move(info);
  return type_info_.Get();
}
