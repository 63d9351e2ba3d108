#include "definition/definition_paths.h"

#include <gtest/gtest.h>

#include "tests/support/fake_module_path.h"

namespace {

TEST(DefinitionPaths, BesideTheModule) {
  struct Case {
    const char* module;
    const char* directory;
    const char* definition_file;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Qel\\qel.dll", "C:\\Program Files\\Qel",
       "C:\\Program Files\\Qel\\qel.ini"},
      {"C:\\qel.dll", "C:", "C:\\qel.ini"},
      {"\\\\server\\share\\qel.dll", "\\\\server\\share", "\\\\server\\share\\qel.ini"},
      // Forward slashes are not directory separators here.
      {"C:/Qel/qel.dll", "", "\\qel.ini"},
      {"qel.dll", "", "\\qel.ini"},
      {"C:\\Qel\\", "", "\\qel.ini"},
      // The platform could not tell.
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.module);
    FakeModulePath module(c.module);
    EXPECT_EQ(ModuleDirectory(module), c.directory);
    EXPECT_EQ(DefinitionFilePath(module), c.definition_file);
  }
}

TEST(DefinitionPaths, ResolveDefinitionSource) {
  FakeModulePath module("C:\\Qel\\qel.dll");
  struct Case {
    const char* value;
    const char* source;
  };
  const Case cases[] = {
      {"", ""},
      {".\\defs.txt", "C:\\Qel\\.\\defs.txt"},
      {".\\defs.txt   ", "C:\\Qel\\.\\defs.txt"},
      {"..\\defs.txt", "C:\\Qel\\..\\defs.txt"},
      {".", "C:\\Qel\\."},
      {" .\\defs.txt", " .\\defs.txt"},
      {"D:\\defs\\toolbar.txt", "D:\\defs\\toolbar.txt"},
      {"http://127.0.0.1/defs.txt", "http://127.0.0.1/defs.txt"},
      {"defs.txt", "defs.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveDefinitionSource(c.value, module), c.source) << "value: " << c.value;
  }
  EXPECT_EQ(ResolveDefinitionSource(".\\defs.txt", FakeModulePath("")), "\\.\\defs.txt");
}

}  // namespace
