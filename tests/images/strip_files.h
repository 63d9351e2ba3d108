#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Picture strip files as they are, broken or not, written field by field so
// that a test can make any header lie. Platform-free: the checks are tested
// natively, the same files are loaded under Wine and served end to end.
struct StripFileSpec {
  std::uint32_t header_size = 40;  // 12 writes a core header
  std::int32_t width = 32;
  std::int32_t height = 16;
  std::uint16_t planes = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colours_used = 0;
  std::uint32_t image_size = 0;
  // -1: what the rest of the header implies.
  std::int64_t palette_entries = -1;  // written after the header (and masks)
  std::int64_t pixel_offset = -1;     // bfOffBits
  std::int64_t declared_size = -1;    // bfSize
  std::int64_t pixel_bytes = -1;      // bytes of rows written
  std::int64_t cut_at = -1;           // the file ends after this many bytes
};

std::string StripFile(const StripFileSpec& spec);

struct StripFileCase {
  std::string name;
  std::string bytes;
  bool acceptable;
  int width;  // of an acceptable one
  int height;
};

// Sound strips of every supported layout, and broken ones: cut short at
// several places, impossible or huge dimensions, not bitmaps at all, and
// palettes, offsets and sizes that lie.
std::vector<StripFileCase> StripFileCases();
