#include "platform/text_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every character is converted, the last one and zero characters too.
TEST(TextConversion, ConvertsTheWholeTextBothWays) {
  struct Case {
    const char* name;
    std::string ansi;
    std::wstring wide;
  } cases[] = {
      {"empty", "", L""},
      {"one character", "a", L"a"},
      {"an address", "http://www.example.com/?q=big cats&x=1#top",
       L"http://www.example.com/?q=big cats&x=1#top"},
      {"a zero inside", std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(ToWide(c.ansi) == c.wide);
    EXPECT_EQ(ToAnsi(c.wide), c.ansi);
  }
}

}  // namespace
