#pragma once

#include <windows.h>

#include "toolbar/toolbar_messages.h"
#include "toolbar/window_class_registry.h"

// The base of every class whose object owns a window of a class of its own
// (T derives from WindowObject<T>). The window's GWLP_USERDATA holds the
// object's address, taken from the creation parameter on WM_NCCREATE, when
// the object also learns its handle; WM_NCDESTROY lets go of both, as the
// window may go before its object does (with its parent). In between the
// window answers UM_GETOBJECT with the address and hands every other
// message, WM_NCCREATE and WM_NCDESTROY included, to T::HandleMessage, a
// switch that passes what it does not handle to DefaultHandling.
//
// Each T has a window procedure of its own, so a class registered for one T
// is told apart from the classes of the others.
template <typename T>
class WindowObject {
 public:
  HWND window() const { return window_; }

 protected:
  WindowObject() = default;
  ~WindowObject() = default;
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;

  // Registers `class_name` with T's window procedure and the arrow cursor
  // through the module's class registry, unless a class of that name exists.
  // True when the class that now has the name is T's.
  static bool RegisterWindowClass(HINSTANCE instance, const char* class_name, UINT style,
                                  HBRUSH background = nullptr) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, class_name, &existing)) return existing.lpfnWndProc == WindowProc;
    WNDCLASSA window_class = {};
    window_class.style = style;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = background;
    window_class.lpszClassName = class_name;
    return RegisterModuleClass(window_class);
  }

  LRESULT DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window_, message, wparam, lparam);
  }

  // Null until WM_NCCREATE and again from WM_NCDESTROY on.
  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
      if (object != nullptr) object->window_ = window;
    }
    auto* object = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (object == nullptr) return DefWindowProcA(window, message, wparam, lparam);
    if (message == UM_GETOBJECT) return reinterpret_cast<LRESULT>(object);
    const LRESULT result = object->HandleMessage(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      object->window_ = nullptr;
    }
    return result;
  }
};
