#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

// The browser's connection point for DWebBrowserEvents2. It lives inside the
// browser object and shares its reference count; sinks are held as
// IDispatch and called with Invoke, the way the browser delivers events.
class EventConnectionPoint final : public IConnectionPoint {
 public:
  // `container` is the browser object: the owner of this connection point
  // and the target of AddRef and Release.
  explicit EventConnectionPoint(IConnectionPointContainer* container);
  ~EventConnectionPoint();
  EventConnectionPoint(const EventConnectionPoint&) = delete;
  EventConnectionPoint& operator=(const EventConnectionPoint&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IConnectionPoint
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

  // Calls every sink's Invoke with `dispid` and `params`. Sinks may advise
  // or unadvise while this runs; each call goes to the sinks connected when
  // the event began.
  void Fire(DISPID dispid, DISPPARAMS* params);

  // Drops every sink (the browser is going away).
  void DisconnectAll();

  std::size_t connection_count() const { return sinks_.size(); }

 private:
  struct Connection {
    DWORD cookie;
    IDispatch* sink;
  };

  IConnectionPointContainer* container_;
  std::vector<Connection> sinks_;
  DWORD next_cookie_ = 1;
};
