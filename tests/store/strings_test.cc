#include "store/strings.h"

#include <climits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

struct CutCase {
  const char* name;
  std::string text;
  std::string first;   // open / separator / character set
  std::string second;  // close (ExtractBetween only)
  std::string result;
  std::string rest;
};

TEST(ExtractBetweenTest, Table) {
  const CutCase cases[] = {
      {"object line", "Object \"My Tool\"", "\"", "\"", "My Tool", ""},
      {"object line, trailing text", "Object \"b1\" x", "\"", "\"", "b1", " x"},
      {"no quotes", "Object b1", "\"", "\"", "", ""},
      {"one quote", "Object \"b1", "\"", "\"", "", ""},
      {"empty between quotes", "Object \"\"", "\"", "\"", "", ""},
      {"parentheses", "(a)b", "(", ")", "a", "b"},
      {"nothing after open", "x(", "(", ")", "", ""},
      {"no close", "(a", "(", ")", "", ""},
      {"first open, next close", "x(a)(b)", "(", ")", "a", "(b)"},
      {"close before open is skipped", ")x(a)", "(", ")", "a", ""},
      {"empty open searches from start", "ab|cd", "", "|", "ab", "cd"},
      {"empty open, no close", "abcd", "", "|", "", ""},
      {"type marker", "<type>BUTTON<type>", "<type>", "<type>", "BUTTON", ""},
      {"empty type", "<type><type>", "<type>", "<type>", "", ""},
      {"bare marker", "<type>", "<type>", "<type>", "", ""},
      {"section with properties", "<section>Prop<section>a=1;b=2", "<section>", "<section>", "Prop",
       "a=1;b=2"},
      {"unclosed section", "<section>Prop", "<section>", "<section>", "", ""},
      {"empty text", "", "(", ")", "", ""},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string rest = "stale";
    EXPECT_EQ(ExtractBetween(c.text, c.first, c.second, &rest), c.result);
    EXPECT_EQ(rest, c.rest);
  }
}

TEST(SplitFirstTest, Table) {
  const CutCase cases[] = {
      {"first of several", "a=b=c", "=", "", "a", "b=c"},
      {"absent", "abc", "=", "", "", ""},
      {"at the end", "abc=", "=", "", "abc", ""},
      {"at the start", "=abc", "=", "", "", "abc"},
      {"multi-byte separator", "a::b::c", "::", "", "a", "b::c"},
      {"empty separator", "abc", "", "", "", ""},
      {"empty text", "", "=", "", "", ""},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string rest = "stale";
    EXPECT_EQ(SplitFirst(c.text, c.first, &rest), c.result);
    EXPECT_EQ(rest, c.rest);
  }
}

TEST(SplitAtLastOfTest, Table) {
  const CutCase cases[] = {
      {"address segment", "dir/file.bmp", "/", "", "dir", "file.bmp"},
      {"last of several", "http://host/a/b.bmp", "/", "", "http://host/a", "b.bmp"},
      {"no separator", "file.bmp", "/", "", "", "file.bmp"},
      {"separator last", "dir/", "/", "", "", "dir/"},
      {"separator first", "/file", "/", "", "", "file"},
      {"any byte of the set", "a/b\\c", "/\\", "", "a/b", "c"},
      {"empty set", "a/b", "", "", "", "a/b"},
      {"empty text", "", "/", "", "", ""},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string rest = "stale";
    EXPECT_EQ(SplitAtLastOf(c.text, c.first, &rest), c.result);
    EXPECT_EQ(rest, c.rest);
  }
}

TEST(SplitPathTest, Table) {
  const CutCase cases[] = {
      {"module path", "C:\\Program Files\\Qel\\qel.dll", "", "", "C:\\Program Files\\Qel",
       "qel.dll"},
      {"forward slashes are not separators", "C:/a/b.dll", "", "", "", "C:/a/b.dll"},
      {"trailing backslash", "C:\\dir\\", "", "", "", "C:\\dir\\"},
      {"bare name", "qel.ini", "", "", "", "qel.ini"},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string file_name = "stale";
    EXPECT_EQ(SplitPath(c.text, &file_name), c.result);
    EXPECT_EQ(file_name, c.rest);
  }
}

TEST(SplitTest, Table) {
  const struct {
    const char* name;
    std::string text;
    std::string separator;
    Lines pieces;
  } cases[] = {
      {"two pieces", "a;b", ";", {"a", "b"}},
      {"trailing separator", "a;b;", ";", {"a", "b", ""}},
      {"empty text", "", ";", {""}},
      {"separator only", ";", ";", {"", ""}},
      {"adjacent separators", "a;;b", ";", {"a", "", "b"}},
      {"no separator", "abc", ";", {"abc"}},
      {"multi-byte separator", "a, b, c", ", ", {"a", "b", "c"}},
      // The appended separator overlaps the text's tail: the rule's own result.
      {"self-overlapping separator", "a", "aa", {""}},
      {"empty separator gives the whole text", "a;b", "", {"a;b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Lines list = {"kept"};
    Split(c.text, c.separator, &list);
    Lines expected = {"kept"};
    expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
    EXPECT_EQ(list, expected);
  }
}

TEST(ParsePairsTest, Table) {
  const struct {
    const char* name;
    std::string text;
    Lines keys;
    Lines values;
  } cases[] = {
      {"trimmed pairs", " Text = Hello World ; Width=80", {"Text", "Width"}, {"Hello World", "80"}},
      {"key without value", "Flag", {"Flag"}, {""}},
      {"value without key", "=5", {""}, {"5"}},
      {"empty entry kept", "a=1;;b=2", {"a", "", "b"}, {"1", "", "2"}},
      {"trailing separator", "a=1;", {"a", ""}, {"1", ""}},
      {"empty text", "", {""}, {""}},
      {"value keeps later separators", "url=a=b", {"url"}, {"a=b"}},
      {"tabs are not trimmed", "\tk\t=\tv\t", {"\tk\t"}, {"\tv\t"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Lines keys = {"k0"};
    Lines values = {"v0"};
    ParsePairs(c.text, ";", "=", &keys, &values);
    Lines expected_keys = {"k0"};
    expected_keys.insert(expected_keys.end(), c.keys.begin(), c.keys.end());
    Lines expected_values = {"v0"};
    expected_values.insert(expected_values.end(), c.values.begin(), c.values.end());
    EXPECT_EQ(keys, expected_keys);
    EXPECT_EQ(values, expected_values);

    // The form without copies follows the same rules.
    std::vector<std::pair<std::string_view, std::string_view>> pairs;
    ParsePairs(c.text, ';', '=', &pairs);
    Lines view_keys;
    Lines view_values;
    for (const auto& [key, value] : pairs) {
      view_keys.emplace_back(key);
      view_values.emplace_back(value);
    }
    EXPECT_EQ(view_keys, c.keys);
    EXPECT_EQ(view_values, c.values);
  }
}

TEST(LeftRightTest, Table) {
  const struct {
    std::string text;
    int count;
    std::string left;
    std::string right;
  } cases[] = {
      {"abc", 0, "", ""},    {"abc", 2, "ab", "bc"}, {"abc", 3, "abc", "abc"},
      {"abc", 5, "abc", ""}, {"abc", -1, "", ""},    {"", 1, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " / " + std::to_string(c.count));
    EXPECT_EQ(Left(c.text, c.count), c.left);
    EXPECT_EQ(Right(c.text, c.count), c.right);
  }
}

TEST(TrimTest, Table) {
  const struct {
    std::string text;
    std::string left;
    std::string right;
    std::string both;
  } cases[] = {
      {"  a b  ", "a b  ", "  a b", "a b"},
      {"\ta ", "\ta ", "\ta", "\ta"},
      {"a\r\n", "a\r\n", "a\r\n", "a\r\n"},
      {"   ", "", "", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.text + "'");
    EXPECT_EQ(TrimLeft(c.text), c.left);
    EXPECT_EQ(TrimRight(c.text), c.right);
    EXPECT_EQ(Trim(c.text), c.both);
    EXPECT_EQ(TrimView(c.text), c.both);
  }
}

TEST(ToLowerTest, OnlyAsciiCapitals) {
  EXPECT_EQ(ToLower("AddObject ZZ@[`{09"), "addobject zz@[`{09");
  EXPECT_EQ(ToLower("\xC4\xD6"), "\xC4\xD6");
}

TEST(EqualsNoCaseTest, Table) {
  const struct {
    std::string a;
    std::string b;
    bool equal;
  } cases[] = {
      {" AddObject", "addobject ", true},
      {"Add Object", "AddObject", false},
      {"SETACTION", "setaction", true},
      {"\tx", "x", false},
      {"", "   ", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.a + "' vs '" + c.b + "'");
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal);
  }
}

TEST(NumberTextTest, Formatting) {
  EXPECT_EQ(IntToString(0), "0");
  EXPECT_EQ(IntToString(-42), "-42");
  EXPECT_EQ(IntToString(INT_MAX), "2147483647");
  EXPECT_EQ(IntToString(INT_MIN), "-2147483648");
  EXPECT_EQ(LongToString(1234567L), "1234567");
  EXPECT_EQ(LongToString(-7L), "-7");
  EXPECT_EQ(CharToString('x'), "x");
  EXPECT_EQ(CharToString('\0'), std::string(1, '\0'));
}

TEST(NumberTextTest, Parsing) {
  const struct {
    std::string text;
    int value;
  } cases[] = {
      {"  -42abc", -42},
      {"abc", 0},
      {"", 0},
      {"120px", 120},
      {"+7", 7},
      {"\t\n 15", 15},
      {"- 5", 0},
      {"--5", 0},
      {"007", 7},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      // Beyond 32 bits: saturated, on every build.
      {"2147483648", INT32_MAX},
      {"-2147483649", INT32_MIN},
      {"99999999999999999999999", INT32_MAX},
      {"-99999999999999999999999x", INT32_MIN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.text + "'");
    EXPECT_EQ(StringToInt(c.text), c.value);
    EXPECT_EQ(StringToLong(c.text), static_cast<long>(c.value));
  }
}

TEST(BoolTextTest, Table) {
  EXPECT_EQ(BoolToString(true), "true");
  EXPECT_EQ(BoolToString(false), "false");
  const struct {
    std::string text;
    bool value;
  } cases[] = {
      {"", false},      {"0", false},   {" False ", false}, {"FALSE", false},
      {"false", false}, {"no", true},   {"1", true},        {"   ", true},
      {"true", true},   {" 0 ", false}, {"00", true},       {"\tfalse", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.text + "'");
    EXPECT_EQ(StringToBool(c.text), c.value);
  }
}

}  // namespace
