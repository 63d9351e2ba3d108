#include "browser/refused_host.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(RefusedHost, AnyPathContainingExplorerExeInAnyCase) {
  struct Case {
    std::string path;
    bool refused;
  };
  const std::vector<Case> cases = {
      {"C:\\Windows\\explorer.exe", true},
      {"C:\\WINDOWS\\Explorer.EXE", true},
      {"D:\\tools\\explorer.exe\\iexplore.exe", true},
      {"C:\\explorer.exe.old\\host.exe", true},
      {"C:\\Program Files\\Internet Explorer\\iexplore.exe", false},
      {"C:\\tools\\explorer.ex", false},
      {"C:\\tools\\explorer exe", false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsRefusedHostPath(c.path), c.refused) << c.path;
  }
}

TEST(RefusedHost, ThisTestIsNotTheShell) {
  std::string path = HostExecutablePath();
  EXPECT_NE(path.find("qel_browser_test"), std::string::npos) << path;
  EXPECT_FALSE(IsRefusedHostPath(path));
}

}  // namespace
