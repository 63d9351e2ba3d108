#include "store/strings.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

void SetRest(std::string* rest, std::string value) {
  if (rest != nullptr) *rest = std::move(value);
}

bool IsAsciiSpace(char c) {
  // The C locale's isspace set, as atoi skips it.
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Shared by StringToInt and StringToLong. Values beyond the 32-bit range
// saturate to INT32_MIN / INT32_MAX on every build, so the stored text of a
// number reads the same whether long has 32 or 64 bits.
std::int32_t ParseDecimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsAsciiSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) magnitude = limit;  // keeps consuming digits, stays saturated
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

// One pass, left to right: each occurrence of the original text is replaced
// and the search continues after the inserted replacement, so nothing inside
// or formed with a replacement is replaced again.
std::string ReplaceOnePass(const std::string& text, const std::string& search,
                           const std::string& replacement) {
  std::string out;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = text.find(search, from);
    if (at == std::string::npos) break;
    out.append(text, from, at - from);
    out += replacement;
    from = at + search.size();
  }
  out.append(text, from, std::string::npos);
  return out;
}

// The repeated leftmost replacement in one forward sweep. The output never
// holds an occurrence of `search`; every output byte stores the matcher
// state (length of the longest prefix of `search` that ends there), so after
// an occurrence is cut off the end the matcher resumes exactly where it was.
// The replacement is pushed back in front of the unread input and read again,
// which finds the occurrences it forms with what precedes and follows it. All
// occurrences have the same length, so the first one completed is the
// leftmost of the working text: the result equals the rule's.
//
// Rewriting can go on for ever (or for far too long) even when the
// replacement does not contain `search`, e.g. "ab" -> "bbaa" on "aab". The
// work (bytes read plus bytes reinserted) is therefore bounded; past the
// bound the result is the one-pass replacement, as when the rule cannot
// finish at all.
template <typename State>
bool ReplaceRescanning(const std::string& text, const std::string& search,
                       const std::string& replacement, std::string* result) {
  const std::size_t m = search.size();
  std::vector<State> failure(m, 0);  // KMP prefix function
  for (std::size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && search[i] != search[k]) k = failure[k - 1];
    if (search[i] == search[k]) ++k;
    failure[i] = static_cast<State>(k);
  }

  const std::uint64_t n = text.size();
  const std::uint64_t one_pass_size = n + (n / m + 1) * replacement.size();
  const std::uint64_t budget = 8 * one_pass_size + (std::uint64_t{1} << 20);
  std::uint64_t work = 0;

  std::string out;
  out.reserve(text.size());
  std::vector<State> states;
  states.reserve(text.size());
  std::string pending;  // reinserted text, reversed: back() is read next
  std::size_t in = 0;
  std::size_t state = 0;
  const char first = search[0];

  for (;;) {
    char c;
    if (!pending.empty()) {
      c = pending.back();
      pending.pop_back();
    } else {
      if (in == text.size()) break;
      if (state == 0) {
        // From state 0 a byte other than the first of `search` keeps state 0:
        // copy such runs of the original text in bulk.
        const void* hit = std::memchr(text.data() + in, first, text.size() - in);
        const std::size_t stop =
            hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
                           : text.size();
        if (stop > in) {
          out.append(text, in, stop - in);
          states.resize(states.size() + (stop - in), 0);
          work += stop - in;
          in = stop;
          continue;
        }
      }
      c = text[in++];
    }

    while (state > 0 && search[state] != c) state = failure[state - 1];
    if (search[state] == c) ++state;
    out.push_back(c);
    states.push_back(static_cast<State>(state));
    ++work;

    if (state == m) {
      out.resize(out.size() - m);
      states.resize(states.size() - m);
      state = states.empty() ? 0 : states.back();
      pending.append(replacement.rbegin(), replacement.rend());
      work += replacement.size();
      if (work > budget) return false;
    }
  }
  *result = std::move(out);
  return true;
}

}  // namespace

std::string ExtractBetween(const std::string& text, const std::string& open,
                           const std::string& close, std::string* rest) {
  SetRest(rest, "");
  std::size_t start = 0;
  if (!open.empty()) {
    const std::size_t at = text.find(open);
    if (at == std::string::npos || at + open.size() >= text.size()) return "";
    start = at + open.size();
  }
  const std::size_t end = text.find(close, start);
  if (end == std::string::npos) return "";
  SetRest(rest, text.substr(end + close.size()));
  return text.substr(start, end - start);
}

std::string SplitFirst(const std::string& text, const std::string& separator, std::string* rest) {
  SetRest(rest, "");
  if (separator.empty()) return "";
  const std::size_t at = text.find(separator);
  if (at == std::string::npos) return "";
  SetRest(rest, text.substr(at + separator.size()));
  return text.substr(0, at);
}

std::string SplitAtLastOf(const std::string& text, const std::string& characters,
                          std::string* rest) {
  const std::size_t at = text.find_last_of(characters);
  if (at == std::string::npos || at + 1 >= text.size()) {
    SetRest(rest, text);
    return "";
  }
  SetRest(rest, text.substr(at + 1));
  return text.substr(0, at);
}

std::string SplitPath(const std::string& path, std::string* file_name) {
  return SplitAtLastOf(path, "\\", file_name);
}

void Split(const std::string& text, const std::string& separator, std::vector<std::string>* list) {
  if (list == nullptr) return;
  // An empty separator would never end the rule below: the whole text is the
  // one piece.
  if (separator.empty()) {
    list->push_back(text);
    return;
  }
  // One separator is appended and pieces are taken while the working text
  // still holds one. Scanning the extended text (not the text plus a final
  // piece) keeps the rule exact for separators that overlap themselves.
  const std::string working = text + separator;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = working.find(separator, from);
    if (at == std::string::npos) break;
    list->push_back(working.substr(from, at - from));
    from = at + separator.size();
  }
}

void ParsePairs(const std::string& text, const std::string& pair_separator,
                const std::string& key_value_separator, std::vector<std::string>* keys,
                std::vector<std::string>* values) {
  std::vector<std::string> entries;
  Split(text, pair_separator, &entries);
  for (const std::string& entry : entries) {
    // An empty key/value separator is never found: the entry is the key.
    const std::size_t at =
        key_value_separator.empty() ? std::string::npos : entry.find(key_value_separator);
    std::string key = entry;
    std::string value;
    if (at != std::string::npos) {
      key = entry.substr(0, at);
      value = entry.substr(at + key_value_separator.size());
    }
    if (keys != nullptr) keys->push_back(Trim(key));
    if (values != nullptr) values->push_back(Trim(value));
  }
}

void ParsePairs(std::string_view text, char pair_separator, char key_value_separator,
                std::vector<std::pair<std::string_view, std::string_view>>* pairs) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(text.find(pair_separator, start), text.size());
    const std::string_view entry = text.substr(start, end - start);
    const std::size_t at = entry.find(key_value_separator);
    if (at == std::string_view::npos) {
      pairs->emplace_back(TrimView(entry), std::string_view());
    } else {
      pairs->emplace_back(TrimView(entry.substr(0, at)), TrimView(entry.substr(at + 1)));
    }
    if (end == text.size()) return;
    start = end + 1;
  }
}

// Results are those of the repeated leftmost replacement wherever that rule
// finishes, in time linear in the work it does (never rescanning from the
// start). When the rule cannot finish, because the replacement contains the
// search text or the rewriting exceeds its work budget (eight times the size
// of the one-pass result plus 1 MiB), each occurrence of the original text
// is replaced once and the search continues after the inserted replacement.
// An empty search text changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& search,
                       const std::string& replacement) {
  if (search.empty() || text.find(search) == std::string::npos) return text;
  if (replacement.find(search) != std::string::npos) {
    return ReplaceOnePass(text, search, replacement);
  }
  std::string result;
  const bool finished = search.size() <= UINT8_MAX
                            ? ReplaceRescanning<std::uint8_t>(text, search, replacement, &result)
                            : ReplaceRescanning<std::uint32_t>(text, search, replacement, &result);
  return finished ? result : ReplaceOnePass(text, search, replacement);
}

// Negative counts give "".
std::string Left(const std::string& text, int count) {
  if (count <= 0) return "";
  return text.substr(0, static_cast<std::size_t>(count));
}

// Negative counts give "", as do counts beyond the length.
std::string Right(const std::string& text, int count) {
  if (count < 0 || static_cast<std::size_t>(count) > text.size()) return "";
  return text.substr(text.size() - static_cast<std::size_t>(count));
}

std::string TrimLeft(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first);
}

std::string TrimRight(const std::string& text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string::npos ? "" : text.substr(0, last + 1);
}

std::string Trim(const std::string& text) { return TrimRight(TrimLeft(text)); }

std::string_view TrimView(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ToLower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  a = TrimView(a);
  b = TrimView(b);
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string CharToString(char c) { return std::string(1, c); }

std::string IntToString(int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d", value);
  return buffer;
}

std::string LongToString(long value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%ld", value);
  return buffer;
}

int StringToInt(const std::string& text) { return ParseDecimal(text); }

long StringToLong(const std::string& text) { return ParseDecimal(text); }

std::string BoolToString(bool value) { return value ? "true" : "false"; }

bool StringToBool(const std::string& text) {
  if (text.empty()) return false;
  const std::string word = ToLower(Trim(text));
  return word != "0" && word != "false";
}

bool ReadFileBytes(const std::string& file_name, std::size_t max_bytes, std::string* bytes) {
  bytes->clear();
  // C streams, not iostreams: the DLL's first iostream sets up the C++
  // locale, and the threads library behind that set-up leaks a thread record
  // each time the browser loads the module anew.
  std::FILE* file = std::fopen(file_name.c_str(), "rb");
  if (file == nullptr) return false;
  char buffer[65536];
  bool ok = true;
  for (;;) {
    std::size_t count = std::fread(buffer, 1, sizeof(buffer), file);
    if (count > max_bytes - bytes->size()) {
      ok = false;
      break;
    }
    bytes->append(buffer, count);
    if (count < sizeof(buffer)) {
      // A directory opens on some systems and fails its first read.
      ok = std::ferror(file) == 0;
      break;
    }
  }
  std::fclose(file);
  if (!ok) bytes->clear();
  return ok;
}

// The file is always read in binary, so both builds see the same bytes; text
// mode then drops a carriage return that comes right before a line feed
// (a lone carriage return stays, and Ctrl-Z means nothing). A line longer than
// kMaxLineLength continues as further lines of at most that length; a line of
// exactly that length followed by its line end is one line.
bool ReadLines(const std::string& file_name, bool text_mode, std::vector<std::string>* lines,
               std::size_t max_bytes) {
  std::string data;
  if (!ReadFileBytes(file_name, max_bytes, &data)) return false;
  if (lines == nullptr) return true;

  // Each read takes up to the next line end or kMaxLineLength bytes. The end
  // of the file is only noticed by a read that reaches it, so a file that
  // ends with a line end gives a final empty line.
  const std::size_t size = data.size();
  std::size_t pos = 0;
  for (;;) {
    const std::size_t limit = std::min(size, pos + kMaxLineLength);
    std::size_t end = data.find('\n', pos);
    if (end == std::string::npos) end = size;
    std::size_t stored_end = std::min(end, limit);
    std::size_t next = stored_end;
    bool at_line_end = false;
    if (end <= limit) {
      // The line feed (or the end of the file) comes within the limit.
      at_line_end = end < size;
      next = at_line_end ? end + 1 : end;
      if (at_line_end && text_mode && stored_end > pos && data[stored_end - 1] == '\r') {
        --stored_end;
      }
    } else if (text_mode && end == limit + 1 && data[limit] == '\r') {
      // The line's own bytes fit exactly; only its CR LF lies beyond.
      at_line_end = true;
      next = end + 1;
    }
    lines->push_back(data.substr(pos, stored_end - pos));
    pos = next;
    if (!at_line_end && pos >= size) break;
  }
  return true;
}
