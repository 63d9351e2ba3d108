// qeldef end to end: the built program runs as a child process (qeldef.exe
// under Wine in the Windows build) on files and on addresses of a test
// server.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "definition/toolbar_definition.h"
#include "store/object_store.h"
#include "tests/support/drive_letter_dir.h"
#include "tests/support/program_run.h"
#include "tests/support/test_http_server.h"

namespace {

std::string QeldefPath() {
  std::string path = QELDEF_PATH;
#ifdef _WIN32
  // CMake hands over the build's own path; on the Windows side of Wine it
  // is the same path on the current drive.
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
#endif
  return path;
}

ProgramRun Qeldef(const std::vector<std::string>& args) { return RunProgram(QeldefPath(), args); }

const char kDefinition[] =
    "' links toolbar\r\n"
    "Qel.Title = \"Links\"\r\n"
    "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ToolTip=Start page\"\r\n"
    "Qel.SetAction \"btnHome\", \"URL\", \"http://home\"\r\n"
    "Qel.AddObject \"btnMenu\", \"BUTTON\", \"Text=Menu\"\r\n"
    "Qel.AddObject \"mnuNews;btnMenu\", \"MENUITEM\", \"Text=News, sports\"\r\n"
    "Qel.AddObject \"c1;cbo\", \"COMBOBOXITEM\", \"Text=Web\"\r\n";

// What the store writes itself, read back byte for byte.
std::string SavedBytes(const ObjectStore& store, DriveLetterDir& dir) {
  EXPECT_TRUE(store.SaveObjectFile(dir.PathOf("saved.txt")));
  return dir.Read("saved.txt");
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class QeldefTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Start()); }

  DriveLetterDir dir_;
  TestHttpServer server_;
};

TEST_F(QeldefTest, DumpPrintsEveryStoreAsTheObjectFileHasIt) {
  ASSERT_TRUE(dir_.Write("defs.txt", kDefinition));
  ToolbarDefinition expected;
  ASSERT_TRUE(expected.Load(dir_.PathOf("defs.txt")));
  std::string all = "'controls\r\n" + SavedBytes(*expected.ControlStore(), dir_) + "'menus\r\n" +
                    SavedBytes(*expected.MenuItemStore(), dir_) + "'combos\r\n" +
                    SavedBytes(*expected.ComboItemStore(), dir_) + "'bar\r\n" +
                    SavedBytes(*expected.BarStore(), dir_);

  ProgramRun run = Qeldef({"dump", dir_.PathOf("defs.txt")});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, all);
  EXPECT_EQ(run.err, "");
}

TEST_F(QeldefTest, DumpOneStore) {
  ASSERT_TRUE(dir_.Write("defs.txt", kDefinition));
  struct Case {
    const char* store;
    std::string out;
  };
  const Case cases[] = {
      {"menus", Lines({"Object \"mnuNews\"", "<type>MENUITEM<type>",
                       "<section>Prop<section>Parent=btnMenu;Text=News, sports", "EndObject", ""})},
      {"combos", Lines({"Object \"c1\"", "<type>COMBOBOXITEM<type>",
                        "<section>Prop<section>Parent=cbo;Text=Web", "EndObject", ""})},
      {"bar", Lines({"Object \"namBar\"", "<type>typBar<type>", "<section>Prop<section>Title=Links",
                     "EndObject", ""})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.store);
    ProgramRun run = Qeldef({"dump", "--store", c.store, dir_.PathOf("defs.txt")});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, c.out);
  }
  ProgramRun controls = Qeldef({"dump", dir_.PathOf("defs.txt"), "--store", "controls"});
  EXPECT_EQ(controls.exit_code, 0);
  EXPECT_EQ(controls.out.rfind("Object \"__Nam_Comm\"\r\n", 0), 0u) << controls.out;
  EXPECT_NE(controls.out.find("Object \"btnHome\"\r\n<type>BUTTON<type>\r\n<section>Prop<section>"
                              "Text=Home;ToolTip=Start page;ActionType=URL;Action=http://home\r\n"),
            std::string::npos)
      << controls.out;
}

TEST_F(QeldefTest, DumpReadsAddressesAsTheToolbarDoes) {
  std::string body = kDefinition;
  body += std::string(1, '\0') + "Qel.Title = \"after the zero byte\"\n";
  server_.SetResponse("/defs.txt", 200, body);
  ProgramRun run = Qeldef({"dump", "--store", "bar", server_.Url("/defs.txt")});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, Lines({"Object \"namBar\"", "<type>typBar<type>",
                            "<section>Prop<section>Title=Links", "EndObject", ""}));
  EXPECT_EQ(server_.RequestCount("/defs.txt"), 1);
}

TEST_F(QeldefTest, DumpFailsWithOneLineOfReason) {
  server_.SetResponse("/empty.txt", 200, "");
  TestHttpServer gone;
  ASSERT_TRUE(gone.Start());
  std::string unreachable = gone.Url("/defs.txt");
  gone.Stop();
  for (const std::string& source :
       {dir_.PathOf("missing.txt"), server_.Url("/empty.txt"), unreachable}) {
    SCOPED_TRACE(source);
    ProgramRun run = Qeldef({"dump", source});
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_NE(run.err.find(source), std::string::npos) << run.err;
  }
}

TEST_F(QeldefTest, CheckReportsInTheGnuForm) {
  ASSERT_TRUE(dir_.Write("defs.txt",
                         "' toolbar\n"
                         "Qel.AddObject \"b1\", \"button\", \"Text=Go\"\n"
                         "Qel.SetAction \"b2\", \"URL\", \"http://a\"\n"
                         "\n"
                         "Qel.Title = \"Links\"\n"));
  std::string source = dir_.PathOf("defs.txt");
  ProgramRun run = Qeldef({"check", source});
  EXPECT_EQ(run.exit_code, 1) << run.err;
  EXPECT_EQ(run.out,
            source + ":2: warning: unknown object type \"button\" (did you mean \"BUTTON\"?)\n" +
                source + ":3: error: SetAction for \"b2\", which no store holds yet\n" +
                "1 error, 1 warning in " + source + "\n");
}

TEST_F(QeldefTest, CheckPassesWithWarningsOnly) {
  server_.SetResponse("/defs.txt", 200,
                      "Qel.dataurl = x\r\nQel.AddObject \"b\", \"BUTTON\", \"Text=Go\"\r\n");
  std::string source = server_.Url("/defs.txt");
  ProgramRun run = Qeldef({"check", source});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, source +
                         ":1: warning: setting key \"dataurl\" differs from \"DataURL\" only in "
                         "letter case; the toolbar reads \"DataURL\"\n" +
                         "0 errors, 1 warning in " + source + "\n");
}

TEST_F(QeldefTest, CheckOfACleanDefinition) {
  ASSERT_TRUE(dir_.Write("defs.txt", kDefinition));
  ProgramRun run = Qeldef({"check", dir_.PathOf("defs.txt")});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "0 errors, 0 warnings in " + dir_.PathOf("defs.txt") + "\n");
}

TEST_F(QeldefTest, ObjectsWritesTheStoreBack) {
  struct Case {
    const char* name;
    std::string file;
    std::string out;
  };
  const Case cases[] = {
      {"LF line ends and loose spacing",
       "' saved by hand\nObject \"b1\"\n<type>BUTTON<type>\n"
       "<section>Prop<section>Text = Go ; Width=40\nEndObject\n",
       Lines({"Object \"b1\"", "<type>BUTTON<type>", "<section>Prop<section>Text=Go;Width=40",
              "EndObject", ""})},
      {"CR LF line ends",
       "Object \"b1\"\r\n<type>BUTTON<type>\r\n<section>Prop<section>Text=Go\r\nEndObject\r\n",
       Lines({"Object \"b1\"", "<type>BUTTON<type>", "<section>Prop<section>Text=Go", "EndObject",
              ""})},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(dir_.Write("objects.txt", c.file));
    ProgramRun run = Qeldef({"objects", dir_.PathOf("objects.txt")});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, c.out);
  }
  ProgramRun missing = Qeldef({"objects", dir_.PathOf("missing.txt")});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err, "");
}

TEST_F(QeldefTest, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"dump"},
      {"dump", "--store"},
      {"dump", "--store", "widgets", "defs.txt"},
      {"dump", "a.txt", "b.txt"},
      {"dump", "--verbose", "a.txt"},
      {"check"},
      {"check", "a.txt", "b.txt"},
      {"objects"},
  };
  for (const std::vector<std::string>& args : cases) {
    std::string joined;
    for (const std::string& arg : args) joined += arg + " ";
    SCOPED_TRACE(joined);
    ProgramRun run = Qeldef(args);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("qeldef: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("usage: qeldef dump"), std::string::npos) << run.err;
  }
}

TEST_F(QeldefTest, HelpGoesToStandardOutput) {
  ProgramRun run = Qeldef({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out.rfind("usage: qeldef dump [--store controls|menus|combos|bar] SOURCE\n", 0), 0u)
      << run.out;
  EXPECT_EQ(run.err, "");
}

}  // namespace
