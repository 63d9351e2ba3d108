#include "browser/rebar_search.h"

#include <cstring>

namespace {

constexpr int kClassNameSize = 256;

}  // namespace

HWND FindRebar(HWND top) {
  if (top == nullptr) return nullptr;
  for (HWND window = GetWindow(top, GW_CHILD); window != nullptr;
       window = GetWindow(window, GW_CHILD)) {
    char class_name[kClassNameSize] = {};
    if (GetClassNameA(window, class_name, kClassNameSize) > 0 &&
        std::strstr(class_name, "ReBarWindow32") != nullptr) {
      return window;
    }
  }
  return nullptr;
}
