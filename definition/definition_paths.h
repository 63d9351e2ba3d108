#pragma once

#include <string>

#include "platform/module_path.h"

// Paths beside the toolbar's module, in Windows form.

// The module's directory: the text before the last backslash of its file
// name; "" when the name is unknown, has no backslash, or ends in one.
std::string ModuleDirectory(const ModulePath& module);

// "qel.ini" in the module's directory; "" when the module's name is unknown.
std::string DefinitionFilePath(const ModulePath& module);

// The source a "DataURL" value names: "" for "", a value starting with "."
// is taken relative to the module's directory (trimmed, its "." kept), any
// other value stands as it is.
std::string ResolveDefinitionSource(const std::string& value, const ModulePath& module);
