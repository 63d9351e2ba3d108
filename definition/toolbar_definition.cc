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
// The bytes an object's action typically takes: both keys, a type and an
// address.
constexpr std::size_t kActionRoom = 64;

}  // namespace

void ToolbarDefinition::RunScriptLines(const std::vector<std::string>& lines) {
  last_added_.running = true;
  for (const std::string& line : lines) RunLine(line);
  last_added_ = {};
}

void ToolbarDefinition::RunLine(std::string_view raw) {
  const ScriptLineView line =
      ParseScriptLine(NormalizeScriptLine(raw, &line_buffers_), &line_buffers_);
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

bool ToolbarDefinition::ExecuteScriptCommand(std::string_view command, std::string_view arguments) {
  const bool add_object = EqualsNoCase(command, "AddObject");
  const bool set_action = EqualsNoCase(command, "SetAction");
  if (!add_object && !set_action) return false;
  SplitArguments(arguments, &line_buffers_);
  const std::vector<std::string_view>& args = line_buffers_.pieces;
  if (args.size() != 3) return false;
  if (add_object) return AddObject(args[0], args[1], args[2]);
  return SetAction(args[0], args[1], args[2]);
}

ObjectStore* ToolbarDefinition::StoreForType(std::string_view type) {
  return Store(StoreOfType(type));
}

bool ToolbarDefinition::AddObject(std::string_view name_and_parent, std::string_view type,
                                  std::string_view properties) {
  std::string_view name = name_and_parent;
  std::string_view parent;
  const std::size_t semicolon = name_and_parent.find(';');
  if (semicolon != std::string_view::npos) {
    name = name_and_parent.substr(0, semicolon);
    parent = name_and_parent.substr(semicolon + 1);
  }
  // An existing object keeps its type and place; the properties below then
  // extend or overwrite its own.
  ObjectStore* store = StoreForType(type);
  StoreObject* object = store->FindOrCreateObject(TrimView(name), type);
  if (object == nullptr) return false;
  PropertyList& list = object->FindOrAddSection(kPropertySection)->properties();
  parent = TrimView(parent);
  pairs_.clear();
  ParsePairs(properties, ';', '=', &pairs_);
  // Most objects get an action too: its two properties are made room for.
  list.Reserve((parent.empty() ? 0 : 1) + pairs_.size() + 2,
               parent.size() + properties.size() + kActionRoom);
  if (!parent.empty()) list.Set(kParentKey, parent);
  for (const auto& [key, value] : pairs_) list.Set(key, value);
  if (last_added_.running) {
    last_added_.store = store;
    last_added_.object = object;
  }
  return true;
}

bool ToolbarDefinition::SetAction(std::string_view name, std::string_view action_type,
                                  std::string_view action) {
  // A name in several stores: combo items win over menu items, menu items
  // over controls.
  const bool just_added = last_added_.object != nullptr && last_added_.object->name() == name;
  StoreObject* object = nullptr;
  for (ObjectStore* store : {&combo_items_, &menu_items_, &controls_}) {
    object =
        just_added && store == last_added_.store ? last_added_.object : store->FindObject(name);
    if (object != nullptr) break;
  }
  if (object == nullptr) return false;
  PropertyList& list = object->FindOrAddSection(kPropertySection)->properties();
  list.Set(kActionTypeKey, action_type);
  list.Set(kActionKey, action);
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
