#include "toolbar/text_box_control.h"

bool TextBoxControl::Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
                            const std::string& name) {
  return CreateWindowOf("Edit", ES_AUTOHSCROLL, instance, parent, x, y, width, height, name);
}

int TextBoxControl::Recenter(int strip_height, HDC dc) {
  height_ = LineHeight(dc);
  Place(strip_height, height_);
  return height_;
}
