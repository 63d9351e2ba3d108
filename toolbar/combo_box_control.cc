#include "toolbar/combo_box_control.h"

#include <vector>

#include "definition/toolbar_definition.h"
#include "store/object_store.h"
#include "toolbar/input_line_height.h"

ComboBoxControl::~ComboBoxControl() {
  if (window_ != nullptr && IsWindow(window_)) {
    ShowWindow(window_, SW_HIDE);
    DestroyWindow(window_);
  }
  if (font_ != nullptr) DeleteObject(font_);
}

bool ComboBoxControl::Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
                             const std::string& name) {
  if (parent == nullptr) return false;
  if (window_ == nullptr) {
    window_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, "COMBOBOX", nullptr,
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST, x, y, width,
        height, parent, nullptr, instance, this);
  }
  parent_ = parent;
  instance_ = instance;
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  name_ = name;
  if (window_ == nullptr) return false;
  FillEntries();
  return true;
}

void ComboBoxControl::FillEntries() {
  if (item_store_ == nullptr) return;
  const std::vector<std::string> entries = ToolbarDefinition::ListChildren(*item_store_, name_);
  if (entries.empty()) return;
  for (const std::string& entry : entries) {
    if (item_store_->GetObjectType(entry) != "COMBOBOXITEM") continue;
    const std::string text = item_store_->GetProperty(entry, "Prop", "Text");
    SendMessageA(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageA(window_, CB_SETCURSEL, 0, 0);
}

void ComboBoxControl::SetFont(HFONT font) {
  // The window lets go of the old font before it is deleted.
  if (window_ != nullptr) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  if (font_ != nullptr && font_ != font) DeleteObject(font_);
  font_ = font;
}

int ComboBoxControl::Recenter(int strip_height) {
  const int line_height = InputLineHeight(window_, font_);
  y_ = (strip_height - line_height) / 2;
  if (window_ != nullptr) MoveWindow(window_, x_, y_, width_, height_, TRUE);
  return line_height;
}

void ComboBoxControl::Show(bool visible) {
  if (window_ != nullptr) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}
