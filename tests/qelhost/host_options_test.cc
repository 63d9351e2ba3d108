#include "tools/qelhost/host_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct OptionsCase {
  std::vector<std::string> args;
  bool ok;
  const char* error;
  int windows;
  const char* scenario;
  const char* log;
  bool timings;
  int cycles = 0;
};

TEST(HostOptionsTest, ReadsTheCommandLine) {
  const OptionsCase cases[] = {
      {{}, true, "", 1, "", "", false},
      {{"--windows", "3"}, true, "", 3, "", "", false},
      {{"--windows", "16"}, true, "", 16, "", "", false},
      {{"--play", "a.txt", "--log", "b.log", "--timings"}, true, "", 1, "a.txt", "b.log", true},
      {{"--windows", "0"}, false, "--windows takes a number from 1 to 16", 1, "", "", false},
      {{"--windows", "17"}, false, "--windows takes a number from 1 to 16", 1, "", "", false},
      {{"--windows", "2x"}, false, "--windows takes a number from 1 to 16", 1, "", "", false},
      {{"--windows"}, false, "--windows needs a value", 1, "", "", false},
      {{"--play"}, false, "--play needs a value", 1, "", "", false},
      {{"--log"}, false, "--log needs a value", 1, "", "", false},
      {{"--frames", "2"}, false, "unknown argument --frames", 1, "", "", false},
      {{"--cycles", "200", "--log", "b.log"}, true, "", 1, "", "b.log", false, 200},
      {{"--cycles", "0"}, false, "--cycles takes a number from 1 to 100000", 1, "", "", false},
      {{"--cycles", "3", "--play", "a.txt"},
       false,
       "--cycles goes with neither --play nor --windows",
       1,
       "",
       "",
       false},
      {{"--keep-loaded"}, false, "--keep-loaded goes with --cycles", 1, "", "", false},
      {{"--windows", "2", "--cycles", "3"},
       false,
       "--cycles goes with neither --play nor --windows",
       1,
       "",
       "",
       false},
  };
  for (const OptionsCase& c : cases) {
    std::string name;
    for (const std::string& arg : c.args) name += arg + " ";
    SCOPED_TRACE(name);
    HostOptions options;
    std::string error;
    EXPECT_EQ(options.Parse(c.args, &error), c.ok);
    EXPECT_EQ(error, c.error);
    if (!c.ok) continue;
    EXPECT_EQ(options.windows(), c.windows);
    EXPECT_EQ(options.scenario(), c.scenario);
    EXPECT_EQ(options.log(), c.log);
    EXPECT_EQ(options.timings(), c.timings);
    EXPECT_EQ(options.cycles(), c.cycles);
  }
}

}  // namespace
