#include "toolbar/combo_box_control.h"

#include <vector>

#include "definition/toolbar_definition.h"
#include "store/object_store.h"

bool ComboBoxControl::Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
                             const std::string& name) {
  const bool created =
      CreateWindowOf("COMBOBOX", WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST, instance,
                     parent, x, y, width, height, name);
  if (created) FillEntries();
  return created;
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
