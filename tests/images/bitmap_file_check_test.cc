#include "images/bitmap_file_check.h"

#include <gtest/gtest.h>

#include "tests/images/strip_files.h"

namespace {

bool Acceptable(const std::string& bytes) {
  return IsAcceptableStripFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(BitmapFileCheck, SoundStripsPassBrokenOnesDoNot) {
  for (const StripFileCase& c : StripFileCases()) {
    EXPECT_EQ(Acceptable(c.bytes), c.acceptable) << c.name;
  }
}

// Whatever is cut off the end of a sound file, the rest is refused: no prefix
// of a strip is a strip.
TEST(BitmapFileCheck, EveryPrefixOfASoundStripIsRefused) {
  for (const StripFileCase& c : StripFileCases()) {
    if (!c.acceptable || c.bytes.size() > 20000) continue;
    SCOPED_TRACE(c.name);
    std::string needed = c.bytes;
    // Bytes after the rows are not needed.
    while (!needed.empty() && Acceptable(needed.substr(0, needed.size() - 1))) needed.pop_back();
    for (std::size_t length = 0; length < needed.size(); ++length) {
      ASSERT_FALSE(Acceptable(needed.substr(0, length))) << "prefix of " << length << " bytes";
    }
  }
}

TEST(BitmapFileCheck, NoBytesAtAll) { EXPECT_FALSE(IsAcceptableStripFile(nullptr, 0)); }

}  // namespace
