#include "tests/toolbar/window_spy.h"

namespace {
const char kSpyProperty[] = "QelWindowSpy";
}

WindowSpy::WindowSpy(HWND window) : window_(window) {
  SetPropA(window_, kSpyProperty, this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc)));
}

WindowSpy::~WindowSpy() {
  if (IsWindow(window_)) {
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropA(window_, kSpyProperty);
  }
}

int WindowSpy::Count(UINT message, WPARAM wparam) const {
  int count = 0;
  for (const MSG& m : received) {
    if (m.message == message && (wparam == 0 || m.wParam == wparam)) ++count;
  }
  return count;
}

LRESULT CALLBACK WindowSpy::SpyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* spy = static_cast<WindowSpy*>(GetPropA(window, kSpyProperty));
  if (spy == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  MSG received = {window, message, wparam, lparam, 0, {0, 0}};
  spy->received.push_back(received);
  WNDPROC original = spy->original_;
  if (message == WM_NCDESTROY) RemovePropA(window, kSpyProperty);
  return CallWindowProcA(original, window, message, wparam, lparam);
}

bool PumpUntranslatedUntil(const std::function<bool()>& done) {
  const ULONGLONG end = GetTickCount64() + 5000;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}
