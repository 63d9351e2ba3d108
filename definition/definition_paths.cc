#include "definition/definition_paths.h"

#include "store/strings.h"

namespace {

constexpr char kDefinitionFileName[] = "qel.ini";

}  // namespace

std::string ModuleDirectory(const ModulePath& module) {
  std::string file_name = module.FileName();
  if (file_name.empty()) return "";
  return SplitPath(file_name, nullptr);
}

std::string DefinitionFilePath(const ModulePath& module) {
  if (module.FileName().empty()) return "";
  return ModuleDirectory(module) + "\\" + kDefinitionFileName;
}

std::string ResolveDefinitionSource(const std::string& value, const ModulePath& module) {
  if (value.empty()) return "";
  if (value[0] == '.') return ModuleDirectory(module) + "\\" + Trim(value);
  return value;
}
