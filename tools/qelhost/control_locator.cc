#include "tools/qelhost/control_locator.h"

#include <algorithm>
#include <vector>

#include "definition/vocabulary.h"
#include "platform/window_text.h"
#include "toolbar/toolbar_strip.h"
#include "tools/qelhost/browser_frame.h"
#include "tools/qelhost/registered_module_path.h"

namespace {

struct ClassSearch {
  const std::string* class_name;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM lparam) {
  auto search = reinterpret_cast<ClassSearch*>(lparam);
  if (ClassNameOf(window) == *search->class_name) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The strip's own children of one system class, left to right.
std::vector<HWND> StripChildren(HWND strip, const char* class_name) {
  std::vector<std::pair<LONG, HWND>> found;
  for (HWND child = GetWindow(strip, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiA(ClassNameOf(child).c_str(), class_name) != 0) continue;
    RECT rect;
    GetWindowRect(child, &rect);
    found.emplace_back(rect.left, child);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<HWND> windows;
  for (const auto& entry : found) windows.push_back(entry.second);
  return windows;
}

}  // namespace

HWND ControlLocator::FindByClass(HWND root, const std::string& class_name) {
  if (root == nullptr) return nullptr;
  ClassSearch search = {&class_name, nullptr};
  EnumChildWindows(root, MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ControlLocator::Find(BrowserFrame* frame, const std::string& name, std::string* reason) {
  if (frame == nullptr || !frame->is_open()) {
    *reason = "no open frame";
    return nullptr;
  }
  HWND button = FindByClass(frame->window(), name);
  if (button != nullptr) return button;

  for (const LoadedHelper& helper : frame->helpers()) {
    if (helper.object == nullptr) continue;
    ToolbarDefinition* definition = DefinitionFor(helper.module_file);
    if (definition == nullptr) continue;
    ObjectStore* store = definition->ControlStore();
    if (!store->ObjectExists(name)) continue;
    std::string type = store->GetObjectType(name);
    const ControlKind kind = ControlKindOf(type);
    const char* window_class = nullptr;
    if (kind == ControlKind::kTextBox) {
      window_class = "Edit";
    } else if (kind == ControlKind::kComboBox) {
      window_class = "ComboBox";
    } else {
      *reason = "no window of class " + name + " (a " + type + " in the control store)";
      return nullptr;
    }
    int place = 0;
    int index = store->GetObjectIndex(name);
    for (int i = 0; i < index; ++i) {
      if (store->GetObjectType(store->GetObjectNameAt(i)) == type) ++place;
    }
    HWND strip = FindByClass(frame->window(), ToolbarStrip::kWindowClass);
    if (strip == nullptr) {
      *reason = "no toolbar strip (" + std::string(ToolbarStrip::kWindowClass) + ") in the frame";
      return nullptr;
    }
    std::vector<HWND> windows = StripChildren(strip, window_class);
    if (place >= static_cast<int>(windows.size())) {
      *reason = name + " is " + type + " number " + std::to_string(place + 1) +
                " but the strip has " + std::to_string(windows.size());
      return nullptr;
    }
    return windows[static_cast<std::size_t>(place)];
  }
  *reason = "no control named " + name;
  return nullptr;
}

ToolbarDefinition* ControlLocator::DefinitionFor(const std::string& module_file) {
  if (module_file.empty()) return nullptr;
  auto found = definitions_.find(module_file);
  if (found != definitions_.end()) return found->second.get();
  auto definition = std::make_unique<ToolbarDefinition>();
  if (!definition->LoadAtStartup(RegisteredModulePath(module_file))) definition.reset();
  ToolbarDefinition* result = definition.get();
  definitions_[module_file] = std::move(definition);
  return result;
}
