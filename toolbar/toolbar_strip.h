#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "definition/vocabulary.h"
#include "platform/gdi_handles.h"
#include "platform/toolbar_view.h"
#include "store/property_accessor.h"
#include "toolbar/window_object.h"

class ButtonControl;
class ComboBoxControl;
class DropDownMenu;
class FontCatalog;
class ObjectStore;
class TextBoxControl;
class ToolTipWindow;
class ToolbarDefinition;

// The toolbar strip: the window (class kWindowClass) inside the band host window
// that carries every control of the toolbar. It makes one control per object
// of the control store, lays them out from left to right without gaps and
// takes the width they need. Its controls report to it; it handles menus,
// "CMD_TEXTBOX" buttons and focus itself and posts everything else to its
// parent window as private messages.
//
// A thread message hook, installed at construction, gives the strip's text
// boxes Backspace as a character and turns Enter in them into a submission
// that never reaches the browser.
//
// Each live control's address is kept as decimal text in its object's
// section "secHeap" ("Button", "Edit" or "ComboBox").
class ToolbarStrip : public ToolbarView, public WindowObject<ToolbarStrip> {
 public:
  static constexpr char kWindowClass[] = "OruBar";

  ToolbarStrip();
  ~ToolbarStrip() override;
  ToolbarStrip(const ToolbarStrip&) = delete;
  ToolbarStrip& operator=(const ToolbarStrip&) = delete;

  // Creates the strip window (once) in `parent`, the window that receives
  // the strip's notices, learns the installed fonts and makes the tooltip.
  // False, creating nothing, without a parent.
  bool Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height);
  // The definition (not owned) whose stores the strip is built from.
  void Attach(ToolbarDefinition* definition);
  // Replaces all controls by one per object of the control store.
  void Build();
  // Lays the controls out again, making controls for objects that have none.
  void Relayout() override;
  void Show(bool visible);

  // ToolbarView: the selection of the combo box of object `combo_name`.
  int SelectedComboIndex(const std::string& combo_name) override;

  // Posts the window's text to the parent as UM_TEXTSUBMITTED, unless it is
  // empty. The text stays valid until the next submission.
  void SubmitText(HWND window);

  ButtonControl* FindButton(const std::string& name) const;
  TextBoxControl* FindTextBox(const std::string& name) const;
  ComboBoxControl* FindComboBox(const std::string& name) const;
  // Object name of the strip's text box / combo box with that window; "".
  std::string TextBoxNameOf(HWND window) const;
  std::string ComboBoxNameOf(HWND window) const;

  // A control object's "Prop" value, or `default_value` when it is absent.
  bool GetControlBool(const std::string& name, const std::string& key, bool default_value) const;
  int GetControlInt(const std::string& name, const std::string& key, int default_value) const;
  std::string GetControlString(const std::string& name, const std::string& key,
                               const std::string& default_value) const;

  // The text box or combo box that last had the focus, or that a
  // "CMD_TEXTBOX" button submitted: where submitted text came from.
  const std::string& current_control_name() const { return current_control_name_; }
  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }
  HHOOK hook() const { return hook_; }

  // The hook that the hook procedure passes messages on to: the newest
  // strip's of the process. For tests of the hook registry.
  static HHOOK CurrentHook();

 private:
  friend class WindowObject<ToolbarStrip>;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM wparam, LPARAM lparam);
  static void HandleRetrievedMessage(MSG* message);

  void PrepareObjects();
  void LayoutControls();
  // Places (and first makes) the control of `name` at `x`, measuring
  // through `dc`; yields its width and returns the next control's x.
  int PlaceControl(const std::string& name, int x, HDC dc, int* width);
  void DestroyControls();
  void FreeButtonPictures();
  // The address kept under `key` in the object's "secHeap"; nullptr if none.
  void* HeapAddress(const std::string& name, const char* key) const;
  // TextBoxNameOf or ComboBoxNameOf, as `kind` says.
  std::string InputControlNameOf(ControlKind kind, HWND window) const;
  void Register(const std::string& name, const char* key, const void* control);

  void Paint();
  void OnCommand(WPARAM wparam, LPARAM lparam);
  void OnButtonClicked(LPARAM record);
  void OnMenuClosed(const char* name);

  std::string submitted_text_;
  std::string current_control_name_;
  std::string chosen_entry_name_;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  HHOOK hook_ = nullptr;
  ToolbarDefinition* definition_ = nullptr;
  ObjectStore* control_store_ = nullptr;
  PropertyAccessor controls_;
  std::unique_ptr<FontCatalog> font_catalog_;
  std::unique_ptr<ToolTipWindow> tooltip_;
  std::unique_ptr<DropDownMenu> drop_down_menu_;
  // The button pictures this strip made, which it alone deletes.
  std::vector<GdiObject<HBITMAP>> pictures_;
  // The controls this strip made; the store's "secHeap" leads to them.
  std::vector<std::unique_ptr<ButtonControl>> buttons_;
  std::vector<std::unique_ptr<TextBoxControl>> text_boxes_;
  std::vector<std::unique_ptr<ComboBoxControl>> combo_boxes_;
  HWND parent_ = nullptr;
  HINSTANCE instance_ = nullptr;
};
