#include "store/strings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/store/temp_dir_test.h"

namespace {

using Lines = std::vector<std::string>;
using ReadLinesTest = TempDirTest;

const std::size_t kMax = kMaxLineLength;

TEST_F(ReadLinesTest, Table) {
  const std::string x(kMax, 'x');
  const struct {
    const char* name;
    std::string bytes;
    bool text_mode;
    Lines lines;
  } cases[] = {
      {"two ended lines give a final empty line", "a\nb\n", true, {"a", "b", ""}},
      {"last line without line end", "a\nb", true, {"a", "b"}},
      {"empty file", "", true, {""}},
      {"only a line end", "\n", true, {"", ""}},
      {"empty lines kept", "a\n\n\nb", true, {"a", "", "", "b"}},
      {"CR LF in text mode", "a\r\nb\r\n", true, {"a", "b", ""}},
      {"CR LF in binary mode", "a\r\nb\r\n", false, {"a\r", "b\r", ""}},
      {"lone CR stays in text mode", "a\rb\n\r", true, {"a\rb", "\r"}},
      {"CR CR LF drops one CR", "a\r\r\n", true, {"a\r", ""}},
      {"Ctrl-Z is a byte like others",
       "a\x1A"
       "b\n",
       true,
       {"a\x1A"
        "b",
        ""}},
      {"NUL bytes kept", std::string("a\0b", 3), false, {std::string("a\0b", 3)}},
      {"longest line is one line", x + "\n", false, {x, ""}},
      {"longest line with CR LF in text mode", x + "\r\n", true, {x, ""}},
      {"longest line with CR LF in binary mode", x + "\r\n", false, {x, "\r", ""}},
      {"one byte short, CR LF in binary mode",
       x.substr(1) + "\r\n",
       false,
       {x.substr(1) + "\r", ""}},
      {"longest line at the end of the file", x, true, {x}},
      {"one byte over the limit", x + "y\n", true, {x, "y", ""}},
      {"two full pieces", x + x + "\nz", true, {x, x, "z"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes("lines.txt", c.bytes);
    Lines lines;
    ASSERT_TRUE(ReadLines(PathOf("lines.txt"), c.text_mode, &lines));
    EXPECT_EQ(lines, c.lines);
  }
}

TEST_F(ReadLinesTest, LongLineContinuesInPieces) {
  // 200,000 bytes: three full pieces and the remainder, in both modes.
  std::string line;
  for (int i = 0; i < 200000; ++i) line += static_cast<char>('a' + i % 26);
  WriteBytes("long.txt", line + "\r\nnext\r\n");
  for (const bool text_mode : {true, false}) {
    SCOPED_TRACE(text_mode ? "text mode" : "binary mode");
    const std::string cr = text_mode ? "" : "\r";
    Lines lines;
    ASSERT_TRUE(ReadLines(PathOf("long.txt"), text_mode, &lines));
    const Lines expected = {line.substr(0, kMax),
                            line.substr(kMax, kMax),
                            line.substr(2 * kMax, kMax),
                            line.substr(3 * kMax) + cr,
                            "next" + cr,
                            ""};
    EXPECT_EQ(lines, expected);
  }
}

TEST_F(ReadLinesTest, AppendsToTheList) {
  WriteBytes("lines.txt", "b\n");
  Lines lines = {"a"};
  ASSERT_TRUE(ReadLines(PathOf("lines.txt"), true, &lines));
  EXPECT_EQ(lines, (Lines{"a", "b", ""}));
}

TEST_F(ReadLinesTest, UnopenableFileLeavesListUnchanged) {
  const struct {
    const char* name;
    std::string path;
  } cases[] = {
      {"missing file", PathOf("missing.txt")},
      {"missing directory", PathOf("missing/lines.txt")},
      {"a directory", dir_.string()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Lines lines = {"kept"};
    EXPECT_FALSE(ReadLines(c.path, true, &lines));
    EXPECT_EQ(lines, Lines{"kept"});
  }
}

}  // namespace
