#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Plays the user of the next modal popup menu that this thread shows. A
// timer watches for the menu window ("#32768"); once it is visible the
// driver records the menu's entries and the window's place, then posts the
// given keys to it. Under Wine keys from SendInput do not reach a modal
// menu, posted ones do.
class MenuDriver {
 public:
  struct Key {
    UINT message;  // WM_KEYDOWN or WM_CHAR
    WPARAM wparam;
  };
  struct Entry {
    std::string text;
    UINT id = 0;
    bool separator = false;
    bool grayed = false;
    HMENU submenu = nullptr;
    std::vector<Entry> entries;  // the submenu's
  };

  // Keys that choose the entry `downs` steps down from the top (separators
  // are skipped by the menu) with Enter as a character.
  static std::vector<Key> Choose(int downs);
  // Keys that close the menu without a choice.
  static std::vector<Key> Dismiss();

  explicit MenuDriver(std::vector<Key> keys);
  ~MenuDriver();
  MenuDriver(const MenuDriver&) = delete;
  MenuDriver& operator=(const MenuDriver&) = delete;

  bool shown() const { return shown_; }
  // The top popup's window rectangle, in screen coordinates.
  const RECT& place() const { return place_; }
  const std::vector<Entry>& entries() const { return entries_; }
  // Every menu handle of the shown tree, the top one first.
  const std::vector<HMENU>& menus() const { return menus_; }
  // How many menus deep the tree goes, the top one counting 1.
  int Depth() const;

 private:
  static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
  std::vector<Entry> Read(HMENU menu, int level);

  std::vector<Key> keys_;
  UINT_PTR timer_ = 0;
  bool shown_ = false;
  RECT place_ = {0, 0, 0, 0};
  std::vector<Entry> entries_;
  std::vector<HMENU> menus_;
};
