#include "tests/toolbar/host_window.h"

#include "tests/toolbar/gui_driver.h"
#include "toolbar/font_catalog.h"
#include "toolbar/toolbar_messages.h"

namespace {
const char kClassName[] = "QelTestHost";
}

HostWindow::~HostWindow() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  PumpPending();
}

bool HostWindow::Create(int x, int y, int width, int height, bool visible) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (!GetClassInfoA(instance, kClassName, &existing)) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kClassName;
    if (RegisterClassA(&window_class) == 0) return false;
  }
  window_ = CreateWindowExA(visible ? WS_EX_TOPMOST : 0, kClassName, "", WS_POPUP, x, y, width,
                            height, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  if (visible) {
    // Topmost but never activated: Wine hands an activated window to a
    // window manager, and hiding it then waits two seconds for one. The mouse
    // reaches the window under the pointer either way.
    SetWindowPos(window_, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(window_);
  }
  PumpPending();
  return true;
}

LRESULT CALLBACK HostWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    return DefWindowProcA(window, message, wparam, lparam);
  }
  auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case UM_BUTTONCLICKED: {
      auto* record = reinterpret_cast<const ButtonClickRecord*>(lparam);
      self->clicks.push_back(Click{record->window, record->state,
                                   record->name != nullptr ? record->name : "<null>", record});
      return 0;
    }
    case UM_ADDFONT: {
      const char* face = reinterpret_cast<const char*>(lparam);
      self->added_fonts.push_back(AddedFont{wparam, face});
      if (self->catalog_ != nullptr) self->catalog_->AddFont(face, static_cast<int>(wparam & 0xFF));
      return 0;
    }
    case WM_LBUTTONUP:
      ++self->left_button_ups;
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      return DefWindowProcA(window, message, wparam, lparam);
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}
