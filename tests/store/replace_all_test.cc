#include "store/strings.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

// The rule, run literally: replace the leftmost occurrence and search again
// from the start. False when it has not finished within `max_steps`.
bool ReferenceReplaceAll(std::string text, const std::string& search,
                         const std::string& replacement, int max_steps, std::string* result) {
  for (int step = 0; step <= max_steps; ++step) {
    const std::size_t at = text.find(search);
    if (at == std::string::npos) {
      *result = text;
      return true;
    }
    text = text.substr(0, at) + replacement + text.substr(at + search.size());
  }
  return false;
}

// Each occurrence of the original text once, continuing after the
// replacement: what the system gives where the rule cannot finish.
std::string OnePass(const std::string& text, const std::string& search,
                    const std::string& replacement) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(search, from)) != std::string::npos;) {
    out += text.substr(from, at - from) + replacement;
    from = at + search.size();
  }
  return out + text.substr(from);
}

struct ReplaceCase {
  const char* name;
  std::string text;
  std::string search;
  std::string replacement;
  std::string expected;
};

TEST(ReplaceAllTest, Table) {
  const ReplaceCase cases[] = {
      {"every occurrence", "a<TEXTBOX>b<TEXTBOX>", "<TEXTBOX>", "x", "axbx"},
      {"address template", "http://find/?q=<TEXTBOX>&n=1", "<TEXTBOX>", "two words",
       "http://find/?q=two words&n=1"},
      {"absent", "abc", "<TEXTBOX>", "x", "abc"},
      {"empty text", "", "<TEXTBOX>", "x", ""},
      {"empty search changes nothing", "abc", "", "x", "abc"},
      {"nested occurrence formed by removal", "<TEX<TEXTBOX>TBOX>", "<TEXTBOX>", "", ""},
      {"formed with the left neighbour", "<TEXTBOX<TEXTBOX>", "<TEXTBOX>", ">", ">"},
      {"formed with the right neighbour", "<TEXTBOX>TEXTBOX>", "<TEXTBOX>", "<", "<"},
      {"formed across both", "aabb", "ab", "", ""},
      {"shrinking chain", "aaaa", "aa", "a", "a"},
      {"swap sorts", "abab", "ab", "ba", "bbaa"},
      {"whole text", "<TEXTBOX>", "<TEXTBOX>", "", ""},
      {"longer search than text", "ab", "abc", "", "ab"},
      // The rule never ends here; each original occurrence is replaced once.
      {"replacement holds the search", "a<TEXTBOX>b", "<TEXTBOX>", "x<TEXTBOX>y", "ax<TEXTBOX>yb"},
      {"replacement equals the search", "a<TEXTBOX>b<TEXTBOX>", "<TEXTBOX>", "<TEXTBOX>",
       "a<TEXTBOX>b<TEXTBOX>"},
      {"replacement holds it, nothing to replace", "abc", "<TEXTBOX>", "<TEXTBOX><TEXTBOX>", "abc"},
      // Endless rewriting without the search in the replacement: "aab" ->
      // "abbaa" -> "bbaabaa" -> ... The work budget ends it with one pass.
      {"endless growth", "aab", "ab", "bbaa", "abbaa"},
      {"endless growth, mirrored", "baa", "ba", "aabb", "aabba"},
  };
  for (const ReplaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplaceAll(c.text, c.search, c.replacement), c.expected);
  }
}

TEST(ReplaceAllTest, MatchesTheRuleOnRandomInputs) {
  std::mt19937 random(20240517);
  const auto word = [&random](const std::string& alphabet, int min_length, int max_length) {
    std::uniform_int_distribution<int> length(min_length, max_length);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text(static_cast<std::size_t>(length(random)), ' ');
    for (char& c : text) c = alphabet[pick(random)];
    return text;
  };
  int compared = 0;
  int rewritten_more_than_once = 0;
  for (int i = 0; i < 40000; ++i) {
    const std::string alphabet = i % 2 == 0 ? "ab" : "abc";
    const std::string text = word(alphabet, 0, 20);
    const std::string search = word(alphabet, 1, 4);
    const std::string replacement = word(alphabet, 0, 5);
    if (replacement.find(search) != std::string::npos && text.find(search) != std::string::npos) {
      // The rule never finishes: each original occurrence is replaced once.
      ASSERT_EQ(ReplaceAll(text, search, replacement), OnePass(text, search, replacement))
          << "text '" << text << "' search '" << search << "' replacement '" << replacement << "'";
      continue;
    }
    std::string expected;
    if (!ReferenceReplaceAll(text, search, replacement, 500, &expected)) continue;
    ++compared;
    if (expected != OnePass(text, search, replacement)) ++rewritten_more_than_once;
    ASSERT_EQ(ReplaceAll(text, search, replacement), expected)
        << "text '" << text << "' search '" << search << "' replacement '" << replacement << "'";
  }
  // The draw must exercise occurrences formed by replacements, not only
  // plain ones.
  EXPECT_GT(compared, 1000);
  EXPECT_GT(rewritten_more_than_once, 100);
}

TEST(ReplaceAllTest, LongRewritingIsExact) {
  // 300 * 300 swaps: far more work than the text's length, still exact.
  const std::string sorted = ReplaceAll(std::string(300, 'a') + std::string(300, 'b'), "ab", "ba");
  EXPECT_EQ(sorted, std::string(300, 'b') + std::string(300, 'a'));
}

TEST(ReplaceAllTest, DeepNestingOnLargeText) {
  // "<TEX" * n + "<TEXTBOX>" + "TBOX>" * n collapses completely, one level
  // at a time: each removal forms the next occurrence.
  const int depth = 20000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<TEX";
  text += "<TEXTBOX>";
  for (int i = 0; i < depth; ++i) text += "TBOX>";
  EXPECT_EQ(ReplaceAll(text, "<TEXTBOX>", ""), "");
  EXPECT_EQ(ReplaceAll("[" + text + "]", "<TEXTBOX>", ""), "[]");
}

TEST(ReplaceAllTest, LongSearchText) {
  // Longer than 255 bytes: the matcher keeps wider states.
  const std::string search = std::string(300, 'a') + "b";
  const std::string text = "x" + std::string(300, 'a') + search + "b" + "y";
  EXPECT_EQ(ReplaceAll(text, search, ""), "xy");
  EXPECT_EQ(ReplaceAll(text, search, "-"), "x" + std::string(300, 'a') + "-by");
}

TEST(ReplaceAllTest, BinaryBytes) {
  const std::string text("a\0b\0\0c", 6);
  EXPECT_EQ(ReplaceAll(text, std::string("\0", 1), "\xff"),
            "a\xff"
            "b\xff\xff"
            "c");
}

}  // namespace
