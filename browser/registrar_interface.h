#pragma once

#include <windows.h>
#include <objbase.h>

// The system's registry script interpreter, the "ATL Registrar" class that
// atl.dll provides. The MinGW headers do not declare it; this is its
// documented interface, IRegistrarBase's two methods first.
struct IRegistrar : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AddReplacement(LPCOLESTR key, LPCOLESTR item) = 0;
  virtual HRESULT STDMETHODCALLTYPE ClearReplacements() = 0;
  virtual HRESULT STDMETHODCALLTYPE ResourceRegisterSz(LPCOLESTR resource_file, LPCOLESTR id,
                                                       LPCOLESTR type) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResourceUnregisterSz(LPCOLESTR resource_file, LPCOLESTR id,
                                                         LPCOLESTR type) = 0;
  virtual HRESULT STDMETHODCALLTYPE FileRegister(LPCOLESTR file_name) = 0;
  virtual HRESULT STDMETHODCALLTYPE FileUnregister(LPCOLESTR file_name) = 0;
  virtual HRESULT STDMETHODCALLTYPE StringRegister(LPCOLESTR data) = 0;
  virtual HRESULT STDMETHODCALLTYPE StringUnregister(LPCOLESTR data) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResourceRegister(LPCOLESTR resource_file, UINT id,
                                                     LPCOLESTR type) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResourceUnregister(LPCOLESTR resource_file, UINT id,
                                                       LPCOLESTR type) = 0;
};

// CLSID_Registrar and IID_IRegistrar.
inline constexpr CLSID kRegistrarClassId = {
    0x44EC053A, 0x400F, 0x11D0, {0x9D, 0xCD, 0x00, 0xA0, 0xC9, 0x03, 0x91, 0xD3}};
inline constexpr IID kRegistrarInterfaceId = {
    0x44EC053B, 0x400F, 0x11D0, {0x9D, 0xCD, 0x00, 0xA0, 0xC9, 0x03, 0x91, 0xD3}};
