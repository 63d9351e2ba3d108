#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Byte-string helpers shared by every part of the toolbar. They carry the
// parsing rules of the definition script, the property strings and the object
// file, so their behaviour at the edges is deliberate. Strings are 8-bit and
// compared byte for byte. None of them throws; a miss yields "".
//
// Outputs other than the result ("rest", lists) go through pointers supplied
// by the caller; a null pointer simply drops that output.

// The text between the first `open` and the next `close` after it; `rest`
// gets what follows `close`. With an empty `open` the search for `close`
// starts at the beginning. A missing `open`, nothing after it, or a missing
// `close` give "" and rest "".
std::string ExtractBetween(const std::string& text, const std::string& open,
                           const std::string& close, std::string* rest);

// The text before the first `separator`, `rest` the text after it. An empty
// or absent separator gives "" and rest "" (the text is in neither output).
std::string SplitFirst(const std::string& text, const std::string& separator, std::string* rest);

// The text before the last byte that belongs to `characters`, `rest` the text
// after it. When there is no such byte, or it is the last byte, the result is
// "" and `rest` the whole text.
std::string SplitAtLastOf(const std::string& text, const std::string& characters,
                          std::string* rest);

// The directory part of `path` before its last backslash; `file_name` gets the
// part after it. SplitAtLastOf with the set "\".
std::string SplitPath(const std::string& path, std::string* file_name);

// Appends the pieces of `text` between separators to `list` (not cleared).
// Empty pieces are kept: "" gives one "", "a;" gives "a" and "".
void Split(const std::string& text, const std::string& separator, std::vector<std::string>* list);

// Splits `text` at `pair_separator` and appends one trimmed key and one
// trimmed value per entry, empty entries included. An entry without the
// key/value separator is a key with the value "".
void ParsePairs(const std::string& text, const std::string& pair_separator,
                const std::string& key_value_separator, std::vector<std::string>* keys,
                std::vector<std::string>* values);

// ParsePairs for one-byte separators, without copies: the trimmed keys and
// values are appended to `pairs` as views into `text`.
void ParsePairs(std::string_view text, char pair_separator, char key_value_separator,
                std::vector<std::pair<std::string_view, std::string_view>>* pairs);

// Replaces the leftmost occurrence of `search` again and again until none is
// left, so occurrences that a replacement forms with its neighbours are
// replaced as well.
std::string ReplaceAll(const std::string& text, const std::string& search,
                       const std::string& replacement);

// The first `count` bytes (the whole text when it is shorter).
std::string Left(const std::string& text, int count);
// The last `count` bytes; "" when `count` exceeds the length.
std::string Right(const std::string& text, int count);

// Remove leading / trailing / both kinds of space characters (0x20 only).
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
std::string Trim(const std::string& text);
// Trim without a copy: the part of `text` it would keep.
std::string_view TrimView(std::string_view text);

// A-Z to a-z; every other byte unchanged.
std::string ToLower(const std::string& text);
// Equal after Trim and ToLower of both.
bool EqualsNoCase(std::string_view a, std::string_view b);

std::string CharToString(char c);
std::string IntToString(int value);
std::string LongToString(long value);
// atoi/atol syntax: leading white space, optional sign, digits up to the first
// non-digit; 0 without digits.
int StringToInt(const std::string& text);
long StringToLong(const std::string& text);

// "true" or "false".
std::string BoolToString(bool value);
// "", "0" and "false" (any case, spaces around) are false; all else is true.
bool StringToBool(const std::string& text);

// The longest line ReadLines stores as one entry.
constexpr std::size_t kMaxLineLength = 65534;

// Appends the lines of a file to `lines`, without their line feeds. In text
// mode a carriage return right before a line feed is dropped too. A file that
// ends with a line end gives a final empty line, an empty file one empty line.
// False, with `lines` unchanged, when the file cannot be opened or read, or
// is larger than `max_bytes`.
bool ReadLines(const std::string& file_name, bool text_mode, std::vector<std::string>* lines,
               std::size_t max_bytes = SIZE_MAX);

// The whole of a file, read without newline translation. False, with `bytes`
// left empty, when it cannot be opened or read, or when it is larger than
// `max_bytes`: no more than that is ever held.
bool ReadFileBytes(const std::string& file_name, std::size_t max_bytes, std::string* bytes);
