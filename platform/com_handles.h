#pragma once

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

// COM interface pointers are held in the platform's ComPtr: one reference,
// released when it goes.
using Microsoft::WRL::ComPtr;

// A VARIANT that is cleared (its string freed, its interface released) when
// it goes. It is a VARIANT, so it goes wherever a VARIANT* is asked for.
class ScopedVariant : public VARIANT {
 public:
  ScopedVariant() { VariantInit(this); }
  // A string variant with a copy of `text`; its bstrVal is null when the
  // copy could not be made.
  explicit ScopedVariant(const wchar_t* text) : ScopedVariant() {
    vt = VT_BSTR;
    bstrVal = SysAllocString(text);
  }
  ~ScopedVariant() { VariantClear(this); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
};
