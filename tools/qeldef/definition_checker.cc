#include "tools/qeldef/definition_checker.h"

#include <algorithm>
#include <string_view>

#include "definition/script_line.h"
#include "definition/toolbar_definition.h"
#include "definition/vocabulary.h"
#include "store/strings.h"

namespace {

// The keys the strip, the menus, the combo boxes and the dispatcher read;
// the object and action types are the vocabulary's.
const char* const kPropertyKeys[] = {
    "Action",   "ActionType",        "Enabled",     "FontBold",   "FontItalic", "FontName",
    "FontSize", "FontUnderline",     "Height",      "ImageIndex", "On",         "Parent",
    "Text",     "TextAlwaysVisible", "TextVisible", "ToolTip",    "Type",       "Width",
    "Y"};
const char* const kBarKeys[] = {"AddressBarVisible", "BarBitmap",       "BarBitmapHeight",
                                "BarHeight",         "ButtonImageList", "ButtonImageListRefresh",
                                "ButtonImageWidth",  "DataURL",         "Title"};

std::string_view WordOf(std::string_view word) { return word; }
std::string_view WordOf(const ObjectType& type) { return type.word; }

template <typename Words>
bool Contains(const Words& words, const std::string& word) {
  for (const auto& known : words) {
    if (WordOf(known) == word) return true;
  }
  return false;
}

// The known word that `word` matches only when letter case is ignored; ""
// when it matches one exactly or none at all.
template <typename Words>
std::string CaseOnlyMatch(const Words& words, const std::string& word) {
  if (Contains(words, word)) return "";
  for (const auto& known : words) {
    const std::string text(WordOf(known));
    if (ToLower(text) == ToLower(word)) return text;
  }
  return "";
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::size_t CountQuotes(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '"'));
}

}  // namespace

std::vector<DefinitionChecker::Diagnostic> DefinitionChecker::Check(
    const std::vector<std::string>& lines, ToolbarDefinition* definition) {
  diagnostics_.clear();
  line_number_ = 0;
  for (const std::string& line : lines) {
    ++line_number_;
    CheckLine(line, definition);
  }
  return diagnostics_;
}

void DefinitionChecker::CheckLine(const std::string& raw, ToolbarDefinition* definition) {
  ScriptLine line = ParseScriptLine(NormalizeScriptLine(raw));
  switch (line.kind) {
    case ScriptLine::Kind::kBlank:
    case ScriptLine::Kind::kComment:
      return;
    case ScriptLine::Kind::kNoDot:
      Error("no \".\" on the line, so it is neither a command nor an assignment");
      return;
    case ScriptLine::Kind::kNothingAfterDot:
      Error("nothing after the \".\"");
      return;
    case ScriptLine::Kind::kAssignment:
      CheckAssignment(line.key, line.value);
      break;
    case ScriptLine::Kind::kCommand:
      CheckCommand(line.command, line.arguments, definition);
      break;
  }
  if (CountQuotes(line.text) % 2 != 0) {
    if (CountQuotes(line.comment) > 0) {
      Warning(
          "unclosed double quote; the text from \" '\" on was cut off as a comment"
          " (double the apostrophe to keep it)");
    } else {
      Warning("unclosed double quote");
    }
  }
  // The checker's definition follows the script, so later lines see what
  // earlier ones created.
  definition->RunScriptLines({raw});
}

void DefinitionChecker::CheckAssignment(const std::string& key, const std::string& value) {
  (void)value;
  std::string first_word = SplitFirst(key + " ", " ", nullptr);
  if (EqualsNoCase(first_word, "AddObject") || EqualsNoCase(first_word, "SetAction")) {
    Warning(Quoted(Trim(first_word)) + " without double quotes became an assignment to the key " +
            Quoted(key));
    return;
  }
  if (key.empty()) {
    Warning("assignment to an empty key");
    return;
  }
  std::string known = CaseOnlyMatch(kBarKeys, key);
  if (!known.empty()) {
    Warning("setting key " + Quoted(key) + " differs from " + Quoted(known) +
            " only in letter case; the toolbar reads " + Quoted(known));
  }
}

void DefinitionChecker::CheckCommand(const std::string& command, const std::string& arguments,
                                     ToolbarDefinition* definition) {
  if (command.empty()) {
    Error("empty command word (a space after the \".\"?)");
    return;
  }
  bool add_object = EqualsNoCase(command, "AddObject");
  if (!add_object && !EqualsNoCase(command, "SetAction")) {
    Error("unknown command " + Quoted(command) + "; the commands are AddObject and SetAction");
    return;
  }
  std::vector<std::string> args = SplitArguments(arguments);
  if (args.size() != 3) {
    Error(std::string(add_object ? "AddObject" : "SetAction") + " takes 3 arguments, found " +
          std::to_string(args.size()));
    return;
  }
  if (add_object) {
    CheckAddObject(args, definition);
  } else {
    CheckSetAction(args, definition);
  }
}

void DefinitionChecker::CheckAddObject(const std::vector<std::string>& args,
                                       ToolbarDefinition* definition) {
  std::string name = args[0];
  if (name.find(';') != std::string::npos) name = SplitFirst(name, ";", nullptr);
  name = Trim(name);
  const std::string& type = args[1];
  if (name.empty()) {
    Error("AddObject with an empty object name");
    return;
  }
  if (!Contains(kObjectTypes, type)) {
    std::string known = CaseOnlyMatch(kObjectTypes, Trim(type));
    if (known.empty() && Contains(kObjectTypes, Trim(type))) known = Trim(type);
    Warning("unknown object type " + Quoted(type) +
            (known.empty() ? "" : " (did you mean " + Quoted(known) + "?)"));
  }
  ObjectStore* store = definition->Store(StoreOfType(type));
  if (store->ObjectExists(name) && store->GetObjectType(name) != type) {
    Warning(Quoted(name) + " was added before as " + Quoted(store->GetObjectType(name)) +
            "; the type " + Quoted(type) + " is ignored");
  }
  CheckPropertyKeys(args[2]);
}

void DefinitionChecker::CheckPropertyKeys(const std::string& properties) {
  // An empty property string is the usual way to write "no properties"; its
  // one empty pair is harmless.
  if (Trim(properties).empty()) return;
  std::vector<std::string> keys;
  std::vector<std::string> values;
  ParsePairs(properties, ";", "=", &keys, &values);
  bool empty_key_reported = false;
  for (const std::string& key : keys) {
    if (key.empty()) {
      if (!empty_key_reported) Warning("empty property key (a stray \";\"?)");
      empty_key_reported = true;
      continue;
    }
    std::string known = CaseOnlyMatch(kPropertyKeys, key);
    if (!known.empty()) {
      Warning("property key " + Quoted(key) + " differs from " + Quoted(known) +
              " only in letter case; the toolbar reads " + Quoted(known));
    }
  }
}

void DefinitionChecker::CheckSetAction(const std::vector<std::string>& args,
                                       ToolbarDefinition* definition) {
  const std::string& name = args[0];
  if (!definition->ControlStore()->ObjectExists(name) &&
      !definition->MenuItemStore()->ObjectExists(name) &&
      !definition->ComboItemStore()->ObjectExists(name)) {
    Error("SetAction for " + Quoted(name) + ", which no store holds yet");
    return;
  }
  const std::string& action_type = args[1];
  if (!Contains(kActionTypes, action_type)) {
    std::string known = CaseOnlyMatch(kActionTypes, Trim(action_type));
    if (known.empty() && Contains(kActionTypes, Trim(action_type))) known = Trim(action_type);
    Warning("unknown action type " + Quoted(action_type) +
            (known.empty() ? "" : " (did you mean " + Quoted(known) + "?)"));
  }
}

void DefinitionChecker::Error(const std::string& message) {
  diagnostics_.push_back(Diagnostic{line_number_, true, message});
}

void DefinitionChecker::Warning(const std::string& message) {
  diagnostics_.push_back(Diagnostic{line_number_, false, message});
}
