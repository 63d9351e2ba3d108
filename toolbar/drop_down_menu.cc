#include "toolbar/drop_down_menu.h"

#include <algorithm>

#include "definition/toolbar_definition.h"
#include "definition/vocabulary.h"
#include "store/object_store.h"
#include "toolbar/toolbar_messages.h"

DropDownMenu::~DropDownMenu() { DestroyMenus(); }

void DropDownMenu::ShowMenu(int x, int y, HWND owner, const std::string& button_name) {
  if (store_ == nullptr) return;
  HMENU menu = BuildPopup(ToolbarDefinition::ListChildren(*store_, button_name));
  if (menu == nullptr) return;
  // A chosen entry has been sent to the owner as WM_COMMAND when this returns.
  TrackPopupMenu(menu, 0, x, y, 0, owner, nullptr);
  DestroyMenus();
  SendMessageA(owner, UM_MENUCLOSED, 0, reinterpret_cast<LPARAM>(button_name.c_str()));
}

HMENU DropDownMenu::BuildPopup(const std::vector<std::string>& entries) {
  std::vector<std::string> path;
  return BuildPopup(entries, &path);
}

HMENU DropDownMenu::BuildPopup(const std::vector<std::string>& entries,
                               std::vector<std::string>* path) {
  if (entries.empty() || store_ == nullptr) return nullptr;
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return nullptr;
  created_menus_.push_back(menu);
  for (const std::string& entry : entries) {
    const std::string text = store_->GetProperty(entry, "Prop", "Text");
    UINT flags = MF_STRING;
    if (store_->GetObjectType(entry) == "MENUITEM_SEP") flags |= MF_SEPARATOR;
    UINT_PTR item = static_cast<UINT_PTR>(MenuCommandOf(store_->GetObjectIndex(entry)));
    if (store_->GetProperty(entry, "Prop", "ActionType") == "MENU") {
      // The submenu of an entry is built at most once along one path and
      // never below the deepest level, so that a "Parent" chain leading back
      // to an open entry, or an endless one, still ends.
      HMENU submenu = nullptr;
      const bool open_above = std::find(path->begin(), path->end(), entry) != path->end();
      if (!open_above && static_cast<int>(path->size()) + 1 < kMaxLevels) {
        path->push_back(entry);
        submenu = BuildPopup(ToolbarDefinition::ListChildren(*store_, entry), path);
        path->pop_back();
      }
      if (submenu != nullptr) {
        flags |= MF_POPUP;
        item = reinterpret_cast<UINT_PTR>(submenu);
      } else {
        flags |= MF_GRAYED;
      }
    }
    AppendMenuA(menu, flags, item, text.c_str());
  }
  return menu;
}

void DropDownMenu::DestroyMenus() {
  // Submenus are destroyed with the menus that hold them; a handle that is
  // gone already is skipped.
  for (HMENU menu : created_menus_) {
    if (IsMenu(menu)) DestroyMenu(menu);
  }
  created_menus_.clear();
}
