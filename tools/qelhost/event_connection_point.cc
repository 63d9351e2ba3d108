#include "tools/qelhost/event_connection_point.h"

#include <exdisp.h>
#include <olectl.h>

EventConnectionPoint::EventConnectionPoint(IConnectionPointContainer* container)
    : container_(container) {}

EventConnectionPoint::~EventConnectionPoint() { DisconnectAll(); }

HRESULT STDMETHODCALLTYPE EventConnectionPoint::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE EventConnectionPoint::AddRef() { return container_->AddRef(); }

ULONG STDMETHODCALLTYPE EventConnectionPoint::Release() { return container_->Release(); }

HRESULT STDMETHODCALLTYPE EventConnectionPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = DIID_DWebBrowserEvents2;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE
EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  *container = container_;
  container_->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE EventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (sink == nullptr) return E_POINTER;
  // The browser calls its event sinks through IDispatch only.
  IDispatch* dispatch = nullptr;
  if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) ||
      dispatch == nullptr) {
    return CONNECT_E_CANNOTCONNECT;
  }
  *cookie = next_cookie_++;
  sinks_.push_back({*cookie, dispatch});
  return S_OK;
}

HRESULT STDMETHODCALLTYPE EventConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->cookie == cookie) {
      IDispatch* sink = it->sink;
      sinks_.erase(it);
      sink->Release();
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE EventConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections != nullptr) *connections = nullptr;
  return E_NOTIMPL;
}

void EventConnectionPoint::Fire(DISPID dispid, DISPPARAMS* params) {
  std::vector<IDispatch*> sinks;
  for (const Connection& connection : sinks_) {
    connection.sink->AddRef();
    sinks.push_back(connection.sink);
  }
  for (IDispatch* sink : sinks) {
    sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params, nullptr, nullptr,
                 nullptr);
    sink->Release();
  }
}

void EventConnectionPoint::DisconnectAll() {
  std::vector<Connection> sinks;
  sinks.swap(sinks_);
  for (const Connection& connection : sinks) connection.sink->Release();
}
