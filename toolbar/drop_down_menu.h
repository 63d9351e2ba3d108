#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ObjectStore;

// The drop-down menus of "MENU" buttons, built on the spot from the menu
// item store: a button's entries are the objects whose "Parent" is the
// button, an entry of action type "MENU" holds the objects whose "Parent" is
// that entry. A chosen entry reaches the owner window as WM_COMMAND with
// the entry's menu command (MenuCommandOf its position in the store).
class DropDownMenu {
 public:
  // Menus nest at most this deep, the button's own menu counting as the
  // first level: no real menu needs more, a deeper or cyclic chain of
  // "Parent" names must still give a finite menu, and the platform itself
  // refuses to nest popups much beyond about 30 levels.
  static constexpr int kMaxLevels = 16;

  DropDownMenu() = default;
  // Destroys whatever BuildPopup made that ShowMenu did not destroy.
  ~DropDownMenu();
  DropDownMenu(const DropDownMenu&) = delete;
  DropDownMenu& operator=(const DropDownMenu&) = delete;

  // The menu item store (not owned).
  void SetStore(ObjectStore* store) { store_ = store; }

  // Shows the menu of `button_name` modally with its top-left corner at
  // screen point (x, y), owned by `owner`; returns when it has closed, with
  // every menu destroyed, and then sends UM_MENUCLOSED with the button name
  // to the owner. A button without entries shows nothing and sends nothing.
  void ShowMenu(int x, int y, HWND owner, const std::string& button_name);

  // A popup holding `entries` in order, with their submenus; nullptr for no
  // entries. The menus made are kept until ShowMenu or destruction destroys
  // them. An entry of action type "MENU" that cannot have a submenu (no
  // entries of its own, already open further up, or at the deepest level)
  // is shown greyed.
  HMENU BuildPopup(const std::vector<std::string>& entries);

 private:
  // `path` holds the "MENU" entries whose submenus enclose this one.
  HMENU BuildPopup(const std::vector<std::string>& entries, std::vector<std::string>* path);
  void DestroyMenus();

  ObjectStore* store_ = nullptr;
  std::vector<HMENU> created_menus_;
};
