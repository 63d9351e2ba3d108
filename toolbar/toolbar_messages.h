#pragma once

#include <windows.h>

#include <cstddef>

// Private window messages between the toolbar's windows. Every window of the
// toolbar answers UM_GETOBJECT with the address of its object.
constexpr UINT UM_GETOBJECT = WM_USER + 1;        // 1025
constexpr UINT UM_TEXTSUBMITTED = WM_USER + 100;  // 1124: lParam = the text
constexpr UINT UM_ADDFONT = WM_USER + 101;        // 1125: wParam = 0x1E00 + charset, lParam = face
constexpr UINT UM_BUTTONCLICKED = WM_USER + 102;  // 1126: lParam = ButtonClickRecord*
constexpr UINT UM_MENUCHOSEN = WM_USER + 103;     // 1127: wParam = command identifier
constexpr UINT UM_MENUCLOSED = WM_USER + 104;     // 1128: lParam = the menu button's name
constexpr UINT UM_UNINSTALL = WM_USER + 105;      // 1129
constexpr UINT UM_COMBOCHOSEN = WM_USER + 106;    // 1130: lParam = the chosen entry's name

// What a button hands its parent with UM_BUTTONCLICKED. Owned by the button
// and valid as long as it lives. Every field is one machine word wide.
struct ButtonClickRecord {
  HWND window;  // the button's window
  LONG_PTR spare1;
  LONG_PTR state;    // 1 when the button is checked after the click, else 0
  const char* name;  // the button's object name, zero-terminated
  LONG_PTR spare2;
  LONG_PTR spare3;
  LONG_PTR spare4;
};

static_assert(offsetof(ButtonClickRecord, state) == 2 * sizeof(void*), "state is the third word");
static_assert(offsetof(ButtonClickRecord, name) == 3 * sizeof(void*), "name is the fourth word");
static_assert(sizeof(ButtonClickRecord) == 7 * sizeof(void*), "seven words");
