#pragma once

#include <windows.h>

#include <string>

#include "toolbar/input_control.h"

class ObjectStore;

// A combo box of the toolbar: the platform's drop-down list ("COMBOBOX",
// not editable) in the toolbar strip, listing the "COMBOBOXITEM" entries
// whose "Parent" is the combo box, in store order. The strip handles its
// notices and its Enter key.
class ComboBoxControl : public InputControl {
 public:
  ComboBoxControl() = default;

  // The combo item store (not owned); given before Create.
  void SetItemStore(ObjectStore* store) { item_store_ = store; }
  // Creates the window once, `height` including the drop-down list, and
  // fills the entries with the first one selected. False without a parent
  // or when the window could not be made.
  bool Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
              const std::string& name);

 private:
  void FillEntries();

  ObjectStore* item_store_ = nullptr;
};
