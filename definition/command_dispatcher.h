#pragma once

#include <string>

#include "store/property_accessor.h"

class BrowserNavigator;
class HostServices;
class ToolbarDefinition;
class ToolbarView;

// Runs the action of the control, menu entry or combo box entry that the
// user used. An object's action is its "ActionType" (absent: "URL") and its
// "Action" (absent: ""); the dispatcher reads them from the stores at the
// time of the event and keeps no state between events. It reaches the
// browser, the shell, the question box, the host window and the strip only
// through the interfaces it is attached to, none of which it owns.
class CommandDispatcher {
 public:
  static constexpr char kTextBoxMarker[] = "<TEXTBOX>";

  CommandDispatcher();
  CommandDispatcher(const CommandDispatcher&) = delete;
  CommandDispatcher& operator=(const CommandDispatcher&) = delete;

  // `browser` may be null: addresses then go to the shell. Until attached,
  // and without a definition, every event is dropped.
  void Attach(BrowserNavigator* browser, ToolbarDefinition* definition, ToolbarView* strip,
              HostServices* host);

  // Text submitted from text box (or combo box) `name`.
  void OnTextSubmitted(const std::string& name, const std::string& text);
  // `pressed` is the button's state after the click (a toggle's new state).
  void OnButtonClicked(const std::string& name, bool pressed);
  void OnMenuItemChosen(const std::string& name);
  void OnComboItemChosen(const std::string& name);

  void ExecuteAction(const std::string& name, bool pressed, const std::string& action_type,
                     const std::string& action);
  // The browser goes to `address`; without a browser, or when the browser
  // refuses the request outright, the shell opens it.
  void NavigateBrowser(const std::string& address);
  // "ShowButtonText" switches the captions to `pressed`; otherwise
  // "Uninstall" asks its value as a question (none when empty) and removes
  // the toolbar.
  void RunBuiltInCommand(const std::string& action, bool pressed);
  // Writes "TextVisible" to every control object and lays the strip out.
  void SetButtonTextVisible(bool visible);
  // Records "On" and runs the half of "on-command|off-command" that `pressed`
  // chooses; only "ShowButtonText" has an effect there.
  void ToggleCommand(const std::string& name, bool pressed, const std::string& action);
  void ConfirmAndUninstall(const std::string& message);
  // Name of the selected entry of combo box `combo_name`; "" when there is
  // none.
  std::string SelectedComboItemName(const std::string& combo_name);

  // Looks `key` up in a "key=value;key=value" text; keys compare trimmed and
  // in any letter case. The first match wins; `value` may be null.
  static bool FindPropertyKey(const std::string& text, const std::string& key, std::string* value);

 private:
  // False when `name` is not in the accessor's store.
  static bool ReadAction(const PropertyAccessor& objects, const std::string& name,
                         std::string* action_type, std::string* action);

  BrowserNavigator* browser_ = nullptr;
  ToolbarDefinition* definition_ = nullptr;
  ToolbarView* strip_ = nullptr;
  HostServices* host_ = nullptr;
  PropertyAccessor controls_;
  PropertyAccessor menu_items_;
  PropertyAccessor combo_items_;
};
