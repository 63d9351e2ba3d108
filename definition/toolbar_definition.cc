#include "definition/toolbar_definition.h"

#include "definition/definition_paths.h"
#include "definition/script_line.h"
#include "definition/script_source.h"
#include "store/strings.h"

namespace {

constexpr char kAboutObjectType[] = "BUTTON";
constexpr char kAboutObjectProperties[] =
    "Text=Tarvelin; FontBold=True; TextAlwaysVisible= True; "
    "ToolTip=About Tarvelin (tm) Individual-Use Version";
constexpr char kAboutActionType[] = "URL";
constexpr char kDataUrlKey[] = "DataURL";
constexpr char kParentKey[] = "Parent";
constexpr char kActionTypeKey[] = "ActionType";
constexpr char kActionKey[] = "Action";

}  // namespace

void ToolbarDefinition::RunScriptLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) RunLine(line);
}

void ToolbarDefinition::RunLine(const std::string& raw) {
  ScriptLine line = ParseScriptLine(NormalizeScriptLine(raw));
  switch (line.kind) {
    case ScriptLine::Kind::kAssignment:
      bar_.SetProperty(kBarObjectName, kPropertySection, line.key, UnquoteArgument(line.value));
      break;
    case ScriptLine::Kind::kCommand:
      ExecuteScriptCommand(line.command, line.arguments);
      break;
    default:
      break;
  }
}

bool ToolbarDefinition::ExecuteScriptCommand(const std::string& command,
                                             const std::string& arguments) {
  bool add_object = EqualsNoCase(command, "AddObject");
  bool set_action = EqualsNoCase(command, "SetAction");
  if (!add_object && !set_action) return false;
  std::vector<std::string> args = SplitArguments(arguments);
  if (args.size() != 3) return false;
  if (add_object) return AddObject(args[0], args[1], args[2]);
  return SetAction(args[0], args[1], args[2]);
}

ObjectStore* ToolbarDefinition::StoreForType(const std::string& type) {
  if (type == "MENUITEM" || type == "MENUITEM_SEP") return &menu_items_;
  if (type == "COMBOBOXITEM") return &combo_items_;
  return &controls_;
}

bool ToolbarDefinition::AddObject(const std::string& name_and_parent, const std::string& type,
                                  const std::string& properties) {
  ObjectStore* store = StoreForType(type);
  std::string name = name_and_parent;
  std::string parent;
  if (name_and_parent.find(';') != std::string::npos) {
    name = SplitFirst(name_and_parent, ";", &parent);
  }
  name = Trim(name);
  parent = Trim(parent);
  // An existing object keeps its type and place; the properties below then
  // extend or overwrite its own.
  store->CreateObject(name, type);
  if (!store->ObjectExists(name)) return false;
  if (!parent.empty()) store->SetProperty(name, kPropertySection, kParentKey, parent);
  std::vector<std::string> keys;
  std::vector<std::string> values;
  ParsePairs(properties, ";", "=", &keys, &values);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    store->SetProperty(name, kPropertySection, keys[i], values[i]);
  }
  return true;
}

bool ToolbarDefinition::SetAction(const std::string& name, const std::string& action_type,
                                  const std::string& action) {
  // A name in several stores: combo items win over menu items, menu items
  // over controls.
  ObjectStore* store = nullptr;
  if (combo_items_.ObjectExists(name)) {
    store = &combo_items_;
  } else if (menu_items_.ObjectExists(name)) {
    store = &menu_items_;
  } else if (controls_.ObjectExists(name)) {
    store = &controls_;
  } else {
    return false;
  }
  store->SetProperty(name, kPropertySection, kActionTypeKey, action_type);
  store->SetProperty(name, kPropertySection, kActionKey, action);
  return true;
}

void ToolbarDefinition::AddAboutObject() {
  AddObject(kAboutObjectName, kAboutObjectType, kAboutObjectProperties);
  SetAction(kAboutObjectName, kAboutActionType, kAboutPageAddress);
}

void ToolbarDefinition::Reset() {
  controls_.ClearStore();
  menu_items_.ClearStore();
  combo_items_.ClearStore();
  bar_.ClearStore();
  bar_.CreateObject(kBarObjectName, kBarObjectType);
  AddAboutObject();
}

bool ToolbarDefinition::Load(const std::string& source) {
  if (source.size() < 2) return false;
  Reset();
  if (source[1] == ':') return LoadFromFile(source);
  return LoadFromUrl(source);
}

bool ToolbarDefinition::LoadFromFile(const std::string& path) {
  std::vector<std::string> lines;
  if (!ReadScriptFile(path, &lines)) return false;
  RunScriptLines(lines);
  return true;
}

bool ToolbarDefinition::LoadFromUrl(const std::string& address) {
  std::vector<std::string> lines;
  if (!DownloadScript(address, &lines)) return false;
  RunScriptLines(lines);
  return true;
}

bool ToolbarDefinition::LoadAtStartup(const ModulePath& module) {
  if (!Load(DefinitionFilePath(module))) return false;
  return Load(ResolveDefinitionSource(GetBarString(kDataUrlKey), module));
}

std::string ToolbarDefinition::GetBarString(const std::string& key) const {
  return bar_.GetProperty(kBarObjectName, kPropertySection, key);
}

bool ToolbarDefinition::GetBarBool(const std::string& key, bool default_value) const {
  if (!bar_.PropertyExists(kBarObjectName, kPropertySection, key)) return default_value;
  return StringToBool(GetBarString(key));
}

int ToolbarDefinition::GetBarInt(const std::string& key, int default_value) const {
  if (!bar_.PropertyExists(kBarObjectName, kPropertySection, key)) return default_value;
  return StringToInt(GetBarString(key));
}

std::vector<std::string> ToolbarDefinition::ListChildren(const ObjectStore& store,
                                                         const std::string& parent) {
  std::vector<std::string> children;
  if (parent.empty()) return children;
  int count = store.GetObjectCount();
  for (int i = 0; i < count; ++i) {
    std::string name = store.GetObjectNameAt(i);
    if (store.GetProperty(name, kPropertySection, kParentKey) == parent) children.push_back(name);
  }
  return children;
}

std::vector<std::string> ToolbarDefinition::ListChildren(const ObjectStore* store,
                                                         const std::string& parent) {
  if (store == nullptr) return {};
  return ListChildren(*store, parent);
}
