#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "definition/toolbar_definition.h"

class BrowserFrame;

// Finds a toolbar control's window by its object name. A button's window
// class is its object name. Text boxes and combo boxes are "Edit" and
// "ComboBox" windows, children of the toolbar strip, laid out left to right
// in control store order; the host reads the control store the way the
// module does (its "qel.ini", then the definition "DataURL" names) and picks
// the window by the control's place among those of its type.
class ControlLocator {
 public:
  ControlLocator() = default;
  ControlLocator(const ControlLocator&) = delete;
  ControlLocator& operator=(const ControlLocator&) = delete;

  // The window, or null with the reason in `reason`.
  HWND Find(BrowserFrame* frame, const std::string& name, std::string* reason);

  // The first window under `root` (at any depth) whose class is `class_name`.
  static HWND FindByClass(HWND root, const std::string& class_name);

 private:
  // The definition the module at `module_file` loads; null when it cannot be
  // loaded. Loaded once per module.
  ToolbarDefinition* DefinitionFor(const std::string& module_file);

  std::map<std::string, std::unique_ptr<ToolbarDefinition>> definitions_;
};
