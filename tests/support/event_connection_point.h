#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>
#include <olectl.h>

#include <vector>

// A browser's connection point for DWebBrowserEvents2: sinks are held as
// IDispatch and called with Invoke, the way the browser delivers events.
// Inside a browser object it shares that object's reference count; on its
// own (a test's) it counts its references itself and is never deleted by
// them, so that the count shows whether every reference came back.
class EventConnectionPoint final : public IConnectionPoint {
 public:
  struct Connection {
    DWORD cookie;
    IDispatch* sink;  // one reference, held until unadvised
  };

  // Cookies count up from here.
  static constexpr DWORD kFirstCookie = 4242;

  // `container` owns this point and answers AddRef and Release for it;
  // without one the point counts for itself.
  explicit EventConnectionPoint(IConnectionPointContainer* container = nullptr)
      : container_(container) {}
  ~EventConnectionPoint() { DisconnectAll(); }
  EventConnectionPoint(const EventConnectionPoint&) = delete;
  EventConnectionPoint& operator=(const EventConnectionPoint&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
      *object = static_cast<IConnectionPoint*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return container_ != nullptr ? container_->AddRef() : ++references;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    return container_ != nullptr ? container_->Release() : --references;
  }

  // IConnectionPoint
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (iid == nullptr) return E_POINTER;
    *iid = DIID_DWebBrowserEvents2;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override {
    if (container == nullptr) return E_POINTER;
    *container = container_;
    if (container_ == nullptr) return E_NOTIMPL;
    container_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
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
    sinks.push_back({*cookie, dispatch});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    unadvised.push_back(cookie);
    for (auto it = sinks.begin(); it != sinks.end(); ++it) {
      if (it->cookie == cookie) {
        IDispatch* sink = it->sink;
        sinks.erase(it);
        sink->Release();
        return S_OK;
      }
    }
    return CONNECT_E_NOCONNECTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
    if (connections != nullptr) *connections = nullptr;
    return E_NOTIMPL;
  }

  // Calls every sink's Invoke with `dispid` and `params`. Sinks may advise
  // or unadvise while this runs; each call goes to the sinks connected when
  // the event began.
  void Fire(DISPID dispid, DISPPARAMS* params) {
    std::vector<IDispatch*> called;
    for (const Connection& connection : sinks) {
      connection.sink->AddRef();
      called.push_back(connection.sink);
    }
    for (IDispatch* sink : called) {
      sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params, nullptr, nullptr,
                   nullptr);
      sink->Release();
    }
  }

  // Drops every sink (the browser is going away).
  void DisconnectAll() {
    std::vector<Connection> dropped;
    dropped.swap(sinks);
    for (const Connection& connection : dropped) connection.sink->Release();
  }

  // The sinks advised and not unadvised, and every cookie Unadvise was
  // called with, in order.
  std::vector<Connection> sinks;
  std::vector<DWORD> unadvised;
  // The point's own count, when it has no container.
  ULONG references = 1;

 private:
  IConnectionPointContainer* container_;
  DWORD next_cookie_ = kFirstCookie;
};
