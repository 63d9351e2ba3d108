#pragma once

#include <string_view>

// The words of the definition language and what the toolbar makes of them:
// every object type with the store that holds its objects and the kind of
// control the strip makes of it, the action types, and the command numbers
// of drop-down menu entries. Everything that reads a type or an action
// type, or makes or decodes a menu command, asks here.

// The store an object type's objects go to.
enum class StoreKind { kControls, kMenuItems, kComboItems };

// What the strip makes of a control object, written as its "Type". Kinds 1
// to 5 are all buttons of one window class.
enum class ControlKind : int {
  kButton = 1,
  kToggleButton = 2,
  kSeparator = 3,
  kLabel = 4,
  kSpace = 5,
  kTextBox = 100,
  kComboBox = 101
};

struct ObjectType {
  std::string_view word;
  StoreKind store;
  // For the items a button: what the strip makes of any word it does not
  // know, should one ever reach the control store.
  ControlKind kind;
};

inline constexpr ObjectType kObjectTypes[] = {
    {"BUTTON", StoreKind::kControls, ControlKind::kButton},
    {"BUTTON_TOGGLE", StoreKind::kControls, ControlKind::kToggleButton},
    {"BUTTON_SEP", StoreKind::kControls, ControlKind::kSeparator},
    {"LABEL", StoreKind::kControls, ControlKind::kLabel},
    {"SPACE", StoreKind::kControls, ControlKind::kSpace},
    {"TEXTBOX", StoreKind::kControls, ControlKind::kTextBox},
    {"COMBOBOX", StoreKind::kControls, ControlKind::kComboBox},
    {"MENUITEM", StoreKind::kMenuItems, ControlKind::kButton},
    {"MENUITEM_SEP", StoreKind::kMenuItems, ControlKind::kButton},
    {"COMBOBOXITEM", StoreKind::kComboItems, ControlKind::kButton},
};

inline constexpr std::string_view kActionTypes[] = {
    "URL", "EXE", "CMD", "CMD_TOGGLE", "CMD_COMBOBOX", "MENU", "CMD_TEXTBOX"};

// The row of exactly this word; nullptr for any other, also one that differs
// only in letter case or spaces.
const ObjectType* FindObjectType(std::string_view word);
// The store of the word's objects: the control store for an unknown word.
StoreKind StoreOfType(std::string_view word);
// The control kind of the word: a button for an unknown word.
ControlKind ControlKindOf(std::string_view word);

// A chosen menu entry reaches the strip as WM_COMMAND with 9000 + the
// entry's index in the menu item store; the strip passes on the numbers from
// 9000 to 9256 only.
inline constexpr int kFirstMenuCommand = 9000;
inline constexpr int kLastMenuCommand = 9256;

constexpr int MenuCommandOf(int index) { return kFirstMenuCommand + index; }
constexpr int MenuIndexOf(int command) { return command - kFirstMenuCommand; }
constexpr bool IsMenuCommand(int command) {
  return command >= kFirstMenuCommand && command <= kLastMenuCommand;
}
