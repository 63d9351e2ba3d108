#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "definition/script_line.h"
#include "definition/vocabulary.h"
#include "platform/module_path.h"
#include "store/object_store.h"

// The toolbar's definition: four object stores filled by the definition
// script. The control store holds the controls in definition order, the menu
// item store the drop-down menu entries, the combo item store the combo box
// entries, and the bar settings store the single object "namBar" whose
// section "Prop" holds the toolbar-wide settings.
class ToolbarDefinition {
 public:
  // The leftmost control of every toolbar and the page its action opens.
  static constexpr char kAboutObjectName[] = "__Nam_Comm";
  static constexpr char kAboutPageAddress[] = "https://www.qel-toolbar.org/about/";
  static constexpr char kBarObjectName[] = "namBar";
  static constexpr char kBarObjectType[] = "typBar";
  static constexpr char kPropertySection[] = "Prop";

  ToolbarDefinition() = default;
  ToolbarDefinition(const ToolbarDefinition&) = delete;
  ToolbarDefinition& operator=(const ToolbarDefinition&) = delete;

  ObjectStore* ControlStore() { return &controls_; }
  ObjectStore* MenuItemStore() { return &menu_items_; }
  ObjectStore* ComboItemStore() { return &combo_items_; }
  ObjectStore* BarStore() { return &bar_; }
  const ObjectStore* ControlStore() const { return &controls_; }
  const ObjectStore* MenuItemStore() const { return &menu_items_; }
  const ObjectStore* ComboItemStore() const { return &combo_items_; }
  const ObjectStore* BarStore() const { return &bar_; }
  // The store of the control, menu item or combo item objects.
  ObjectStore* Store(StoreKind store) {
    if (store == StoreKind::kMenuItems) return &menu_items_;
    if (store == StoreKind::kComboItems) return &combo_items_;
    return &controls_;
  }

  // Runs script lines in order; lines that do not parse or name nothing are
  // skipped without a word.
  void RunScriptLines(const std::vector<std::string>& lines);

  // Runs one command with its argument text. True when it took effect: an
  // AddObject or SetAction with exactly three arguments whose object is
  // there (SetAction) or could be written to (AddObject).
  bool ExecuteScriptCommand(std::string_view command, std::string_view arguments);

  // The about object and its action, as every definition starts.
  void AddAboutObject();

  // Empties the four stores and lays down what every definition starts
  // from: "namBar" and then the about object.
  void Reset();

  // Reset, then the definition from `source`: a drive-letter path is read as
  // a file, anything else is downloaded. A source shorter than two
  // characters is refused before anything is touched.
  bool Load(const std::string& source);
  // Runs the lines of a local file (text mode). False when it cannot be read.
  bool LoadFromFile(const std::string& path);
  // Runs the downloaded text up to its first zero byte. False when nothing
  // arrived.
  bool LoadFromUrl(const std::string& address);

  // The start-up road: "qel.ini" beside the module, then, replacing it, the
  // definition its "DataURL" names. True when the second load succeeds.
  bool LoadAtStartup(const ModulePath& module);

  // Toolbar-wide settings (section "Prop" of "namBar").
  std::string GetBarString(const std::string& key) const;
  bool GetBarBool(const std::string& key, bool default_value) const;
  int GetBarInt(const std::string& key, int default_value) const;

  // Names of the objects of `store` whose "Parent" is `parent`, in store
  // order; none for an empty parent.
  static std::vector<std::string> ListChildren(const ObjectStore& store, const std::string& parent);
  // The same for a store held by pointer; none for a null store.
  static std::vector<std::string> ListChildren(const ObjectStore* store, const std::string& parent);

 private:
  ObjectStore* StoreForType(std::string_view type);
  bool AddObject(std::string_view name_and_parent, std::string_view type,
                 std::string_view properties);
  bool SetAction(std::string_view name, std::string_view action_type, std::string_view action);
  void RunLine(std::string_view line);

  ObjectStore controls_;
  ObjectStore menu_items_;
  ObjectStore combo_items_;
  ObjectStore bar_;

  // Reused from line to line, so that running a line allocates nothing
  // beyond what the stores keep.
  ScriptLineBuffers line_buffers_;
  std::vector<std::pair<std::string_view, std::string_view>> pairs_;
  // The object the last AddObject wrote to, while RunScriptLines runs (no
  // one else touches the stores then): the SetAction that follows it looks
  // only in the stores that would win over it.
  struct {
    bool running = false;
    ObjectStore* store = nullptr;
    StoreObject* object = nullptr;
  } last_added_;
};
