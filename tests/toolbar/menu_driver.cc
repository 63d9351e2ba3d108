#include "tests/toolbar/menu_driver.h"

#include <cstring>
#include <utility>

namespace {

MenuDriver* active_driver = nullptr;

struct Search {
  HWND found = nullptr;
};

BOOL CALLBACK FindShownMenu(HWND window, LPARAM lparam) {
  char class_name[16] = {};
  GetClassNameA(window, class_name, sizeof(class_name));
  if (std::strcmp(class_name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  reinterpret_cast<Search*>(lparam)->found = window;
  return FALSE;
}

int DepthOf(const std::vector<MenuDriver::Entry>& entries) {
  int deepest = 0;
  for (const MenuDriver::Entry& entry : entries) {
    if (entry.submenu == nullptr) continue;
    int depth = DepthOf(entry.entries);
    if (depth > deepest) deepest = depth;
  }
  return deepest + 1;
}

}  // namespace

std::vector<MenuDriver::Key> MenuDriver::Choose(int downs) {
  std::vector<Key> keys(static_cast<std::size_t>(downs), Key{WM_KEYDOWN, VK_DOWN});
  keys.push_back(Key{WM_CHAR, '\r'});
  return keys;
}

std::vector<MenuDriver::Key> MenuDriver::Dismiss() { return {Key{WM_KEYDOWN, VK_ESCAPE}}; }

MenuDriver::MenuDriver(std::vector<Key> keys) : keys_(std::move(keys)) {
  active_driver = this;
  timer_ = SetTimer(nullptr, 0, 50, OnTimer);
}

MenuDriver::~MenuDriver() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  active_driver = nullptr;
}

int MenuDriver::Depth() const { return entries_.empty() ? 0 : DepthOf(entries_); }

std::vector<MenuDriver::Entry> MenuDriver::Read(HMENU menu, int level) {
  std::vector<Entry> entries;
  menus_.push_back(menu);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text) - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    Entry entry;
    entry.text = text;
    entry.id = info.wID;
    entry.separator = (info.fType & MFT_SEPARATOR) != 0;
    entry.grayed = (info.fState & MFS_GRAYED) != 0;
    entry.submenu = info.hSubMenu;
    // A bound far beyond anything the toolbar builds, so that a fault shows
    // as a failed depth check, not a hang.
    if (info.hSubMenu != nullptr && level < 100) entry.entries = Read(info.hSubMenu, level + 1);
    entries.push_back(entry);
  }
  return entries;
}

void CALLBACK MenuDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  MenuDriver* driver = active_driver;
  if (driver == nullptr || driver->shown_) return;
  Search search;
  EnumThreadWindows(GetCurrentThreadId(), FindShownMenu, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return;
  driver->shown_ = true;
  KillTimer(nullptr, driver->timer_);
  driver->timer_ = 0;
  GetWindowRect(search.found, &driver->place_);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(search.found, MN_GETHMENU, 0, 0));
  if (menu != nullptr) driver->entries_ = driver->Read(menu, 1);
  for (const Key& key : driver->keys_) PostMessageA(search.found, key.message, key.wparam, 1);
}
