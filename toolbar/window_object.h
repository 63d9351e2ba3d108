#pragma once

#include <windows.h>

// Every window class of ours keeps the address of its object in the window's
// GWLP_USERDATA, taken from the creation parameter on WM_NCCREATE, when the
// object also learns its window handle (`handle`). Returns the window's
// object, or null on WM_NCCREATE and for a window made without one: the
// window procedure then leaves the message to DefWindowProcA.
template <typename T>
T* WindowObject(HWND window, UINT message, LPARAM lparam, HWND T::*handle) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self != nullptr) self->*handle = window;
    return nullptr;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
