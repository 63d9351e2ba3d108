#include "toolbar/text_box_control.h"

#include "toolbar/input_line_height.h"

TextBoxControl::~TextBoxControl() {
  if (window_ != nullptr && IsWindow(window_)) {
    ShowWindow(window_, SW_HIDE);
    DestroyWindow(window_);
  }
  if (font_ != nullptr) DeleteObject(font_);
}

bool TextBoxControl::Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
                            const std::string& name) {
  if (parent == nullptr) return false;
  if (window_ == nullptr) {
    window_ =
        CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", nullptr, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                        x, y, width, height, parent, nullptr, instance, this);
  }
  parent_ = parent;
  instance_ = instance;
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  name_ = name;
  return window_ != nullptr;
}

void TextBoxControl::SetFont(HFONT font) {
  // The window lets go of the old font before it is deleted.
  if (window_ != nullptr) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  if (font_ != nullptr && font_ != font) DeleteObject(font_);
  font_ = font;
}

int TextBoxControl::Recenter(int strip_height) {
  const int line_height = InputLineHeight(window_, font_);
  y_ = (strip_height - line_height) / 2;
  height_ = line_height;
  if (window_ != nullptr) MoveWindow(window_, x_, y_, width_, height_, TRUE);
  return line_height;
}

void TextBoxControl::Show(bool visible) {
  if (window_ != nullptr) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}
