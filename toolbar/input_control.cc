#include "toolbar/input_control.h"

#include "platform/gdi_handles.h"
#include "toolbar/caption_extent.h"
#include "toolbar/window_placement.h"

namespace {
const char kSample[] = "World Wide Web";
}

InputControl::~InputControl() {
  if (window_ != nullptr && IsWindow(window_)) {
    ShowWindow(window_, SW_HIDE);
    DestroyWindow(window_);
  }
}

bool InputControl::CreateWindowOf(const char* window_class, DWORD style, HINSTANCE instance,
                                  HWND parent, int x, int y, int width, int height,
                                  const std::string& name) {
  if (parent == nullptr) return false;
  if (window_ == nullptr) {
    window_ =
        CreateWindowExA(WS_EX_CLIENTEDGE, window_class, nullptr, WS_CHILD | WS_VISIBLE | style, x,
                        y, width, height, parent, nullptr, instance, this);
  }
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  name_ = name;
  return window_ != nullptr;
}

void InputControl::SetFont(HFONT font) {
  // The window lets go of the old font before it is deleted.
  if (window_ != nullptr) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  if (font != font_.get()) font_.reset(font);
}

int InputControl::LineHeightOf(HDC dc, HFONT font) {
  const int measured = CaptionExtent(dc, font, kSample).cy;
  // Single precision on purpose: the second factor is the float 1.2.
  return static_cast<int>(static_cast<float>(measured) * 1.2f);
}

int InputControl::CenteredTop(int strip_height, int line_height) {
  return (strip_height - line_height) / 2;
}

int InputControl::LineHeight(HDC dc) const {
  if (dc != nullptr || font_ == nullptr) return LineHeightOf(dc, font_.get());
  return LineHeightOf(GetWindowDc(window_).get(), font_.get());
}

int InputControl::Recenter(int strip_height, HDC dc) {
  const int line_height = LineHeight(dc);
  Place(strip_height, line_height);
  return line_height;
}

void InputControl::Place(int strip_height, int line_height) {
  y_ = CenteredTop(strip_height, line_height);
  PlaceWindow(window_, x_, y_, width_, height_);
}

void InputControl::Show(bool visible) {
  if (window_ != nullptr) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}
