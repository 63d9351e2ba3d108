#include "tools/qeldef/qeldef_tool.h"

#include <fstream>
#include <iterator>

#include "definition/script_source.h"
#include "definition/toolbar_definition.h"
#include "store/object_store.h"
#include "store/strings.h"
#include "tools/qeldef/definition_checker.h"
#include "tools/qeldef/temp_file.h"

namespace {

constexpr char kUsage[] =
    "usage: qeldef dump [--store controls|menus|combos|bar] SOURCE\n"
    "       qeldef check SOURCE\n"
    "       qeldef objects FILE\n"
    "       qeldef --help\n";

constexpr char kHelp[] =
    "\n"
    "SOURCE is a definition script: a local file, or an http:// or https://\n"
    "address. Both are read as the toolbar reads them, after the bar object\n"
    "and the about object that every definition starts from.\n"
    "\n"
    "  dump     print the stores the definition fills, in the object file\n"
    "           format; all four (controls, menus, combos, bar) or one\n"
    "  check    list every line without effect (error) and every line that\n"
    "           is likely a mistake (warning) as SOURCE:LINE: error: MESSAGE\n"
    "  objects  read an object file and write the store back out\n"
    "\n"
    "Exit status: 0 done, 1 the source could not be read or check found\n"
    "errors, 2 usage error.\n";

bool IsAddress(const std::string& source) {
  std::string lower = ToLower(source);
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

std::string Plural(std::size_t count, const std::string& word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

int QeldefTool::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError("no command given", err);
  const std::string& command = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage << kHelp;
    return kExitOk;
  }
  if (command == "dump") return Dump(rest, out, err);
  if (command == "check") return Check(rest, out, err);
  if (command == "objects") return Objects(rest, out, err);
  return UsageError("unknown command \"" + command + "\"", err);
}

int QeldefTool::UsageError(const std::string& reason, std::ostream& err) {
  err << "qeldef: " << reason << "\n" << kUsage;
  return kExitUsage;
}

bool QeldefTool::ReadSource(const std::string& source, std::vector<std::string>* lines,
                            std::ostream& err) {
  if (IsAddress(source)) {
    if (DownloadScript(source, lines)) return true;
    err << "qeldef: nothing received from " << source << "\n";
    return false;
  }
  if (ReadScriptFile(source, lines)) return true;
  err << "qeldef: cannot read " << source << "\n";
  return false;
}

bool QeldefTool::WriteStore(const ObjectStore& store, std::ostream& out, std::ostream& err) {
  // Through a file, so that what appears is byte for byte what the store
  // itself writes.
  TempFile file;
  if (file.path().empty() || !store.SaveObjectFile(file.path())) {
    err << "qeldef: cannot write a temporary file\n";
    return false;
  }
  std::ifstream in(file.path(), std::ios::in | std::ios::binary);
  if (!in.is_open()) {
    err << "qeldef: cannot read back " << file.path() << "\n";
    return false;
  }
  out << in.rdbuf();
  // An empty store writes an empty file, which leaves the stream's fail bit
  // set without anything having gone wrong.
  out.clear();
  out.flush();
  return true;
}

int QeldefTool::Dump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string store_name;
  std::string source;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--store") {
      if (i + 1 >= args.size()) return UsageError("--store needs a store name", err);
      store_name = args[++i];
      if (store_name != "controls" && store_name != "menus" && store_name != "combos" &&
          store_name != "bar") {
        return UsageError("unknown store \"" + store_name + "\"", err);
      }
    } else if (source.empty() && (args[i].empty() || args[i][0] != '-' || args[i] == "-")) {
      source = args[i];
    } else {
      return UsageError("unexpected argument \"" + args[i] + "\"", err);
    }
  }
  if (source.empty()) return UsageError("dump needs a SOURCE", err);

  std::vector<std::string> lines;
  if (!ReadSource(source, &lines, err)) return kExitFailed;
  ToolbarDefinition definition;
  definition.Reset();
  definition.RunScriptLines(lines);

  struct Named {
    const char* name;
    ObjectStore* store;
  };
  const Named stores[] = {{"controls", definition.ControlStore()},
                          {"menus", definition.MenuItemStore()},
                          {"combos", definition.ComboItemStore()},
                          {"bar", definition.BarStore()}};
  for (const Named& named : stores) {
    if (!store_name.empty() && store_name != named.name) continue;
    if (store_name.empty()) out << "'" << named.name << "\r\n";
    if (!WriteStore(*named.store, out, err)) return kExitFailed;
  }
  return kExitOk;
}

int QeldefTool::Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) return UsageError("check needs exactly one SOURCE", err);
  const std::string& source = args[0];
  std::vector<std::string> lines;
  if (!ReadSource(source, &lines, err)) return kExitFailed;
  ToolbarDefinition definition;
  definition.Reset();
  DefinitionChecker checker;
  std::size_t errors = 0;
  std::size_t warnings = 0;
  for (const DefinitionChecker::Diagnostic& d : checker.Check(lines, &definition)) {
    out << source << ":" << d.line << ": " << (d.error ? "error" : "warning") << ": " << d.message
        << "\n";
    ++(d.error ? errors : warnings);
  }
  out << Plural(errors, "error") << ", " << Plural(warnings, "warning") << " in " << source << "\n";
  return errors > 0 ? kExitFailed : kExitOk;
}

int QeldefTool::Objects(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
  if (args.size() != 1) return UsageError("objects needs exactly one FILE", err);
  std::vector<std::string> lines;
  if (!ReadLines(args[0], true, &lines)) {
    err << "qeldef: cannot read " << args[0] << "\n";
    return kExitFailed;
  }
  ObjectStore store;
  store.LoadObjectLines(lines);
  return WriteStore(store, out, err) ? kExitOk : kExitFailed;
}
