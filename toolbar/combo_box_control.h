#pragma once

#include <windows.h>

#include <string>

class ObjectStore;

// A combo box of the toolbar: the platform's drop-down list ("COMBOBOX",
// not editable) in the toolbar strip, listing the "COMBOBOXITEM" entries
// whose "Parent" is the combo box, in store order. The strip handles its
// notices and its Enter key.
class ComboBoxControl {
 public:
  ComboBoxControl() = default;
  ~ComboBoxControl();
  ComboBoxControl(const ComboBoxControl&) = delete;
  ComboBoxControl& operator=(const ComboBoxControl&) = delete;

  // The combo item store (not owned); given before Create.
  void SetItemStore(ObjectStore* store) { item_store_ = store; }
  // Creates the window once, `height` including the drop-down list, and
  // fills the entries with the first one selected. False without a parent
  // or when the window could not be made.
  bool Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
              const std::string& name);
  // Takes ownership of `font`, deleting the one held before.
  void SetFont(HFONT font);
  void SetX(int x) { x_ = x; }
  void SetWidth(int width) { width_ = width; }
  // Centres the box vertically in a strip `strip_height` high and returns
  // the line height used; the window keeps its height.
  int Recenter(int strip_height);
  void Show(bool visible);

  HWND window() const { return window_; }
  const std::string& name() const { return name_; }
  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  void FillEntries();

  HWND window_ = nullptr;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::string name_;
  HWND parent_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HFONT font_ = nullptr;
  ObjectStore* item_store_ = nullptr;
};
