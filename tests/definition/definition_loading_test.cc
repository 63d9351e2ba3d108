#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "definition/toolbar_definition.h"
#include "platform/download_limits.h"
#include "tests/definition/store_description.h"
#include "tests/support/drive_letter_dir.h"
#include "tests/support/fake_module_path.h"
#include "tests/support/test_http_server.h"

namespace {

constexpr char kAbout[] = "__Nam_Comm";

// All four stores in one text, the about object left out.
std::string Contents(ToolbarDefinition& definition) {
  return "controls: " + DescribeStore(*definition.ControlStore(), kAbout) +
         "\nmenus: " + DescribeStore(*definition.MenuItemStore()) +
         "\ncombos: " + DescribeStore(*definition.ComboItemStore()) +
         "\nbar: " + DescribeStore(*definition.BarStore());
}

// What a definition holds right after Reset: only the bar and the about
// object.
std::string StartContents() {
  ToolbarDefinition fresh;
  fresh.Reset();
  return Contents(fresh);
}

bool HoldsTheAboutObjectFirst(ToolbarDefinition& definition) {
  return definition.ControlStore()->GetObjectNameAt(0) == kAbout;
}

const char kDefinition[] =
    "' links toolbar\n"
    "Qel.Title = \"Links\"\n"
    "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home\"\n"
    "Qel.AddObject \"mnuNews;btnHome\", \"MENUITEM\", \"Text=News\"\n"
    "Qel.SetAction \"mnuNews\", \"URL\", \"http://news\"\n"
    "Qel.AddObject \"last\", \"LABEL\", \"Text=end\"";

std::string WithLineEnds(const std::string& text, const std::string& line_end) {
  std::string result;
  for (char c : text) {
    if (c == '\n') {
      result += line_end;
    } else {
      result += c;
    }
  }
  return result;
}

std::string ExpectedDefinitionContents() {
  ToolbarDefinition expected;
  expected.Reset();
  expected.RunScriptLines({"Qel.Title = \"Links\"",
                           "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home\"",
                           "Qel.AddObject \"mnuNews;btnHome\", \"MENUITEM\", \"Text=News\"",
                           "Qel.SetAction \"mnuNews\", \"URL\", \"http://news\"",
                           "Qel.AddObject \"last\", \"LABEL\", \"Text=end\""});
  return Contents(expected);
}

TEST(LoadFromFile, LineEndsMakeNoDifference) {
  DriveLetterDir dir;
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"LF, last line without one", WithLineEnds(kDefinition, "\n")},
      {"LF, last line with one", WithLineEnds(kDefinition, "\n") + "\n"},
      {"CR LF, last line without one", WithLineEnds(kDefinition, "\r\n")},
      {"CR LF, last line with one", WithLineEnds(kDefinition, "\r\n") + "\r\n"},
  };
  std::string expected = ExpectedDefinitionContents();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(dir.Write("defs.txt", c.bytes));
    ToolbarDefinition definition;
    EXPECT_TRUE(definition.Load(dir.PathOf("defs.txt")));
    EXPECT_EQ(Contents(definition), expected);
    EXPECT_TRUE(HoldsTheAboutObjectFirst(definition));
  }
}

TEST(LoadFromFile, AnEmptyFileLoads) {
  DriveLetterDir dir;
  ASSERT_TRUE(dir.Write("empty.txt", ""));
  ToolbarDefinition definition;
  EXPECT_TRUE(definition.Load(dir.PathOf("empty.txt")));
  EXPECT_EQ(Contents(definition), StartContents());
}

TEST(Load, FailuresLeaveOnlyTheStartingObjects) {
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  server.SetResponse("/empty", 200, "");
  TestHttpServer gone;
  ASSERT_TRUE(gone.Start());
  std::string unreachable = gone.Url("/defs.txt");
  gone.Stop();
  DriveLetterDir dir;
  struct Case {
    const char* name;
    std::string source;
  };
  const Case cases[] = {
      {"missing local file", dir.PathOf("missing.txt")},
      {"empty download", server.Url("/empty")},
      {"unreachable server", unreachable},
      {"relative path goes to the downloader", "defs.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ToolbarDefinition definition;
    definition.Reset();
    definition.RunScriptLines({"Qel.AddObject \"old\", \"BUTTON\", \"\"", "Qel.Title = x"});
    EXPECT_FALSE(definition.Load(c.source));
    EXPECT_EQ(Contents(definition), StartContents());
  }
}

TEST(Load, SourcesShorterThanTwoCharactersTouchNothing) {
  for (const char* source : {"", "x", "."}) {
    SCOPED_TRACE(source);
    ToolbarDefinition definition;
    definition.Reset();
    definition.RunScriptLines({"Qel.AddObject \"old\", \"BUTTON\", \"\"", "Qel.Title = x"});
    std::string before = Contents(definition);
    EXPECT_FALSE(definition.Load(source));
    EXPECT_EQ(Contents(definition), before);
  }
}

TEST(Load, EachLoadStartsOver) {
  DriveLetterDir dir;
  ASSERT_TRUE(dir.Write("a.txt", "Qel.AddObject \"a\", \"BUTTON\", \"\"\nQel.Title = A\n"));
  ASSERT_TRUE(dir.Write("b.txt", "Qel.AddObject \"b\", \"BUTTON\", \"\"\n"));
  ToolbarDefinition definition;
  ASSERT_TRUE(definition.Load(dir.PathOf("a.txt")));
  ASSERT_TRUE(definition.Load(dir.PathOf("b.txt")));
  EXPECT_EQ(DescribeStore(*definition.ControlStore(), kAbout), "b [BUTTON] Prop{=}");
  EXPECT_EQ(definition.GetBarString("Title"), "");
  EXPECT_TRUE(HoldsTheAboutObjectFirst(definition));
}

TEST(LoadFromUrl, DownloadedDefinitions) {
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  std::string expected = ExpectedDefinitionContents();
  struct Case {
    const char* name;
    std::string body;
    std::string contents;
  };
  const Case cases[] = {
      {"LF line ends", WithLineEnds(kDefinition, "\n") + "\n", expected},
      {"CR LF line ends", WithLineEnds(kDefinition, "\r\n") + "\r\n", expected},
      {"no final line end", WithLineEnds(kDefinition, "\n"), expected},
      {"the definition stops at a zero byte",
       WithLineEnds(kDefinition, "\n") + "\nQel.AddObject \"x\", \"B\", \"\"" + '\0' +
           "\nQel.AddObject \"after\", \"BUTTON\", \"\"\n",
       ""},
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = "/defs" + std::to_string(index++) + ".txt";
    server.SetResponse(path, 200, c.body);
    ToolbarDefinition definition;
    EXPECT_TRUE(definition.Load(server.Url(path)));
    EXPECT_TRUE(HoldsTheAboutObjectFirst(definition));
    if (!c.contents.empty()) {
      EXPECT_EQ(Contents(definition), c.contents);
    } else {
      EXPECT_TRUE(definition.ControlStore()->ObjectExists("last"));
      EXPECT_TRUE(definition.ControlStore()->ObjectExists("x"));
      EXPECT_FALSE(definition.ControlStore()->ObjectExists("after"));
    }
  }
}

TEST(LoadFromUrl, ANotFoundPageCountsAsADefinition) {
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  server.SetResponse("/gone.txt", 404, "Qel.Title = \"Not here\"\n<html>404</html>");
  ToolbarDefinition definition;
  EXPECT_TRUE(definition.Load(server.Url("/gone.txt")));
  EXPECT_EQ(definition.GetBarString("Title"), "Not here");
}

// A definition of exactly the size limit loads, from a file or the network;
// one byte more is refused, leaving only the starting objects.
TEST(Load, DefinitionsLargerThanTheLimitAreRefused) {
  const std::string title = "Qel.Title = \"Large\"\n";
  auto of_size = [&](std::size_t size) {
    std::string text = title;
    text.resize(size, '\'');  // one long comment line after the title
    return text;
  };
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  DriveLetterDir dir;
  for (std::size_t size :
       {download_limits::kMaxDefinitionBytes, download_limits::kMaxDefinitionBytes + 1}) {
    const bool within = size <= download_limits::kMaxDefinitionBytes;
    SCOPED_TRACE(size);
    ASSERT_TRUE(dir.Write("large.txt", of_size(size)));
    server.SetResponse("/large.txt", 200, of_size(size));
    for (const std::string& source : {dir.PathOf("large.txt"), server.Url("/large.txt")}) {
      SCOPED_TRACE(source);
      ToolbarDefinition definition;
      EXPECT_EQ(definition.Load(source), within);
      EXPECT_EQ(definition.GetBarString("Title"), within ? "Large" : "");
    }
  }
}

// The start-up road: "qel.ini" beside the module names the definition in
// "DataURL"; the second load replaces everything the first one put in.
class StartupRoadTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Start()); }

  FakeModulePath Module() const { return FakeModulePath(dir_.PathOf("qel.dll")); }

  DriveLetterDir dir_;
  TestHttpServer server_;
};

TEST_F(StartupRoadTest, DataUrlRelativeToTheModule) {
  ASSERT_TRUE(dir_.Write("qel.ini",
                         "Qel.DataURL = \".\\defs.txt\"\r\n"
                         "Qel.AddObject \"local\", \"BUTTON\", \"\"\r\n"));
  ASSERT_TRUE(dir_.Write(".\\defs.txt", "Qel.AddObject \"remote\", \"BUTTON\", \"\"\n"));
  ToolbarDefinition definition;
  EXPECT_TRUE(definition.LoadAtStartup(Module()));
  EXPECT_EQ(DescribeStore(*definition.ControlStore(), kAbout), "remote [BUTTON] Prop{=}");
  EXPECT_TRUE(HoldsTheAboutObjectFirst(definition));
  EXPECT_EQ(definition.GetBarString("DataURL"), "");
}

TEST_F(StartupRoadTest, DataUrlDownloaded) {
  server_.SetResponse("/defs.txt", 200, "Qel.AddObject \"remote\", \"BUTTON\", \"\"\r\n");
  ASSERT_TRUE(dir_.Write("qel.ini", "Qel.DataURL = " + server_.Url("/defs.txt") + "\n"));
  ToolbarDefinition definition;
  EXPECT_TRUE(definition.LoadAtStartup(Module()));
  EXPECT_EQ(DescribeStore(*definition.ControlStore(), kAbout), "remote [BUTTON] Prop{=}");
  EXPECT_EQ(server_.RequestCount("/defs.txt"), 1);
}

TEST_F(StartupRoadTest, DataUrlWithADriveLetter) {
  ASSERT_TRUE(dir_.Write("elsewhere.txt", "Qel.AddObject \"remote\", \"BUTTON\", \"\"\n"));
  ASSERT_TRUE(dir_.Write("qel.ini", "Qel.DataURL = \"" + dir_.PathOf("elsewhere.txt") + "\"\n"));
  ToolbarDefinition definition;
  EXPECT_TRUE(definition.LoadAtStartup(Module()));
  EXPECT_EQ(DescribeStore(*definition.ControlStore(), kAbout), "remote [BUTTON] Prop{=}");
}

TEST_F(StartupRoadTest, NoDefinitionFileMeansNoToolbar) {
  ToolbarDefinition definition;
  EXPECT_FALSE(definition.LoadAtStartup(Module()));
  EXPECT_EQ(Contents(definition), StartContents());
  EXPECT_FALSE(definition.LoadAtStartup(FakeModulePath("")));
}

// Without a usable "DataURL" the second load fails before it clears
// anything, so the local file's objects are still there, but unused.
TEST_F(StartupRoadTest, AMissingOrTooShortDataUrlFails) {
  for (const char* data_url_line :
       {"", "Qel.DataURL = \"\"\n", "Qel.DataURL = x\n", "Qel.dataurl = http://127.0.0.1/\n"}) {
    SCOPED_TRACE(data_url_line);
    ASSERT_TRUE(dir_.Write(
        "qel.ini", std::string(data_url_line) + "Qel.AddObject \"local\", \"BUTTON\", \"\"\n"));
    ToolbarDefinition definition;
    EXPECT_FALSE(definition.LoadAtStartup(Module()));
    EXPECT_TRUE(definition.ControlStore()->ObjectExists("local"));
  }
}

TEST_F(StartupRoadTest, AFailedDownloadLeavesOnlyTheStartingObjects) {
  server_.SetResponse("/empty.txt", 200, "");
  ASSERT_TRUE(dir_.Write("qel.ini", "Qel.DataURL = " + server_.Url("/empty.txt") +
                                        "\nQel.AddObject \"local\", \"BUTTON\", \"\"\n"));
  ToolbarDefinition definition;
  EXPECT_FALSE(definition.LoadAtStartup(Module()));
  EXPECT_EQ(Contents(definition), StartContents());
}

}  // namespace
