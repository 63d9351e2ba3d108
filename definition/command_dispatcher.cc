#include "definition/command_dispatcher.h"

#include <vector>

#include "definition/toolbar_definition.h"
#include "platform/browser_navigator.h"
#include "platform/host_services.h"
#include "platform/toolbar_view.h"
#include "store/object_store.h"
#include "store/strings.h"

namespace {

const char kSection[] = "Prop";
const char kActionTypeKey[] = "ActionType";
const char kActionKey[] = "Action";

}  // namespace

CommandDispatcher::CommandDispatcher() {
  controls_.SetCurrentSection(kSection);
  menu_items_.SetCurrentSection(kSection);
  combo_items_.SetCurrentSection(kSection);
}

void CommandDispatcher::Attach(BrowserNavigator* browser, ToolbarDefinition* definition,
                               ToolbarView* strip, HostServices* host) {
  browser_ = browser;
  definition_ = definition;
  strip_ = strip;
  host_ = host;
  controls_.SetStore(definition != nullptr ? definition->ControlStore() : nullptr);
  menu_items_.SetStore(definition != nullptr ? definition->MenuItemStore() : nullptr);
  combo_items_.SetStore(definition != nullptr ? definition->ComboItemStore() : nullptr);
}

bool CommandDispatcher::ReadAction(const PropertyAccessor& objects, const std::string& name,
                                   std::string* action_type, std::string* action) {
  if (!objects.ObjectExists(name)) return false;
  // Only an absent type counts as "URL"; a present but empty one stays empty.
  *action_type = objects.GetString(name, kActionTypeKey, "URL");
  *action = objects.GetString(name, kActionKey, "");
  return true;
}

void CommandDispatcher::OnTextSubmitted(const std::string& name, const std::string& text) {
  std::string action_type;
  std::string action;
  if (!ReadAction(controls_, name, &action_type, &action)) return;
  const std::string typed = Trim(text);
  action = Trim(action);
  // ReplaceAll makes a single pass when the typed text itself holds the
  // marker, so such text is inserted as it stands and the substitution ends.
  if (action_type == "URL") {
    NavigateBrowser(ReplaceAll(action, kTextBoxMarker, typed));
  } else if (action_type == "CMD_COMBOBOX") {
    const std::string entry = SelectedComboItemName(action);
    const std::string entry_action = combo_items_.GetString(entry, kActionKey, "");
    NavigateBrowser(ReplaceAll(entry_action, kTextBoxMarker, typed));
  }
}

void CommandDispatcher::OnButtonClicked(const std::string& name, bool pressed) {
  std::string action_type;
  std::string action;
  if (!ReadAction(controls_, name, &action_type, &action)) return;
  ExecuteAction(name, pressed, action_type, action);
}

void CommandDispatcher::OnMenuItemChosen(const std::string& name) {
  std::string action_type;
  std::string action;
  if (!ReadAction(menu_items_, name, &action_type, &action)) return;
  ExecuteAction(name, false, action_type, action);
}

void CommandDispatcher::OnComboItemChosen(const std::string& name) {
  std::string action_type;
  std::string action;
  if (!ReadAction(combo_items_, name, &action_type, &action)) return;
  // An entry with the marker only says where the next text submitted
  // through a "CMD_COMBOBOX" text box goes.
  if (action.empty() || action.find(kTextBoxMarker) != std::string::npos) return;
  ExecuteAction(name, false, action_type, action);
}

void CommandDispatcher::ExecuteAction(const std::string& name, bool pressed,
                                      const std::string& action_type, const std::string& action) {
  if (action_type == "URL") {
    NavigateBrowser(action);
  } else if (action_type == "EXE") {
    if (host_ != nullptr) host_->OpenThroughShell(action);
  } else if (action_type == "CMD") {
    RunBuiltInCommand(action, pressed);
  } else if (action_type == "CMD_TOGGLE") {
    ToggleCommand(name, pressed, action);
  }
}

void CommandDispatcher::NavigateBrowser(const std::string& address) {
  if (browser_ != nullptr && browser_->Navigate(address)) return;
  if (host_ != nullptr) host_->OpenThroughShell(address);
}

void CommandDispatcher::RunBuiltInCommand(const std::string& action, bool pressed) {
  std::string message;
  if (FindPropertyKey(action, "ShowButtonText", nullptr)) {
    SetButtonTextVisible(pressed);
  } else if (FindPropertyKey(action, "Uninstall", &message)) {
    ConfirmAndUninstall(message);
  }
}

void CommandDispatcher::SetButtonTextVisible(bool visible) {
  if (definition_ == nullptr) return;
  ObjectStore* store = definition_->ControlStore();
  const int count = store->GetObjectCount();
  for (int i = 0; i < count; ++i) {
    store->SetProperty(store->GetObjectNameAt(i), kSection, "TextVisible", BoolToString(visible));
  }
  if (strip_ != nullptr) strip_->Relayout();
}

void CommandDispatcher::ToggleCommand(const std::string& name, bool pressed,
                                      const std::string& action) {
  std::string off_command;
  // Without a "|" both halves are empty.
  const std::string on_command = Trim(SplitFirst(action, "|", &off_command));
  off_command = Trim(off_command);
  controls_.SetString(name, "On", BoolToString(pressed));
  const std::string& chosen = pressed ? on_command : off_command;
  if (FindPropertyKey(chosen, "ShowButtonText", nullptr)) SetButtonTextVisible(pressed);
}

void CommandDispatcher::ConfirmAndUninstall(const std::string& message) {
  if (host_ == nullptr) return;
  if (!message.empty()) {
    const std::string title = definition_ != nullptr ? definition_->GetBarString("Title") : "";
    if (!host_->Confirm(message, title)) return;
  }
  host_->RequestUninstall();
}

std::string CommandDispatcher::SelectedComboItemName(const std::string& combo_name) {
  if (strip_ == nullptr || definition_ == nullptr) return "";
  const int index = strip_->SelectedComboIndex(combo_name);
  if (index < 0) return "";
  const std::vector<std::string> entries =
      ToolbarDefinition::ListChildren(*definition_->ComboItemStore(), combo_name);
  return static_cast<std::size_t>(index) < entries.size() ? entries[index] : "";
}

bool CommandDispatcher::FindPropertyKey(const std::string& text, const std::string& key,
                                        std::string* value) {
  std::vector<std::string> keys;
  std::vector<std::string> values;
  ParsePairs(text, ";", "=", &keys, &values);
  const std::string wanted = ToLower(Trim(key));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (ToLower(Trim(keys[i])) == wanted) {
      if (value != nullptr) *value = values[i];
      return true;
    }
  }
  return false;
}
