#include "browser/rebar_search.h"

#include "platform/window_text.h"

HWND FindRebar(HWND top, int* depth) {
  int steps = 0;
  if (depth != nullptr) *depth = 0;
  if (top == nullptr) return nullptr;
  for (HWND window = GetWindow(top, GW_CHILD); window != nullptr;
       window = GetWindow(window, GW_CHILD)) {
    ++steps;
    if (ClassNameOf(window).find("ReBarWindow32") != std::string::npos) {
      if (depth != nullptr) *depth = steps;
      return window;
    }
  }
  return nullptr;
}
