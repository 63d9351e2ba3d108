#include "platform/module_path.h"

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

// The test program is the module that contains the code here.
TEST(ModulePath, NamesTheFileOfTheModuleThatHoldsTheCode) {
  std::unique_ptr<ModulePath> module = CreateModulePath();
  ASSERT_NE(module, nullptr);
  std::string file_name = module->FileName();
  ASSERT_FALSE(file_name.empty());
  EXPECT_TRUE(std::filesystem::exists(file_name)) << file_name;
  std::string stem = std::filesystem::path(file_name).stem().string();
  EXPECT_EQ(stem, "platform_test") << file_name;
#ifdef _WIN32
  // The definition loader relies on the Windows form: a drive letter and
  // backslashes.
  ASSERT_GE(file_name.size(), 3u);
  EXPECT_EQ(file_name[1], ':') << file_name;
  EXPECT_NE(file_name.find('\\'), std::string::npos) << file_name;
  EXPECT_EQ(std::filesystem::path(file_name).extension().string(), ".exe");
#endif
}

}  // namespace
