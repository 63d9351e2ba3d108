#include "tests/images/strip_files.h"

#include <cstdlib>

namespace {

void Put(std::string* out, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::int64_t RowBytes(const StripFileSpec& spec) {
  return (static_cast<std::int64_t>(std::llabs(spec.width)) * spec.bits + 31) / 32 * 4;
}

}  // namespace

std::string StripFile(const StripFileSpec& spec) {
  const bool core = spec.header_size == 12;
  const bool masks = spec.compression == 3 && spec.header_size == 40;
  std::int64_t palette = spec.palette_entries;
  if (palette < 0) {
    palette = spec.colours_used != 0 ? spec.colours_used : spec.bits <= 8 ? 1 << spec.bits : 0;
  }
  const std::int64_t entry = core ? 3 : 4;
  const std::int64_t true_offset = 14 + spec.header_size + (masks ? 12 : 0) + palette * entry;
  const std::int64_t pixels =
      spec.pixel_bytes >= 0 ? spec.pixel_bytes
                            : RowBytes(spec) * std::llabs(static_cast<std::int64_t>(spec.height));
  const std::int64_t true_size = true_offset + pixels;

  std::string out = "BM";
  Put(&out, static_cast<std::uint64_t>(spec.declared_size >= 0 ? spec.declared_size : true_size),
      4);
  Put(&out, 0, 4);
  Put(&out, static_cast<std::uint64_t>(spec.pixel_offset >= 0 ? spec.pixel_offset : true_offset),
      4);
  Put(&out, spec.header_size, 4);
  if (core) {
    Put(&out, static_cast<std::uint32_t>(spec.width), 2);
    Put(&out, static_cast<std::uint32_t>(spec.height), 2);
    Put(&out, spec.planes, 2);
    Put(&out, spec.bits, 2);
  } else {
    Put(&out, static_cast<std::uint32_t>(spec.width), 4);
    Put(&out, static_cast<std::uint32_t>(spec.height), 4);
    Put(&out, spec.planes, 2);
    Put(&out, spec.bits, 2);
    Put(&out, spec.compression, 4);
    Put(&out, spec.image_size, 4);
    Put(&out, 2835, 4);
    Put(&out, 2835, 4);
    Put(&out, spec.colours_used, 4);
    Put(&out, 0, 4);
    // The larger headers: colour masks first, the rest left zero.
    if (spec.header_size > 40) {
      std::string rest;
      Put(&rest, spec.bits == 16 ? 0xF800 : 0xFF0000, 4);
      Put(&rest, spec.bits == 16 ? 0x07E0 : 0x00FF00, 4);
      Put(&rest, spec.bits == 16 ? 0x001F : 0x0000FF, 4);
      rest.resize(spec.header_size - 40, '\0');
      out += rest;
    }
  }
  if (masks) {
    Put(&out, spec.bits == 16 ? 0xF800 : 0xFF0000, 4);
    Put(&out, spec.bits == 16 ? 0x07E0 : 0x00FF00, 4);
    Put(&out, spec.bits == 16 ? 0x001F : 0x0000FF, 4);
  }
  for (std::int64_t i = 0; i < palette; ++i) {
    // Grey levels; entry 0 white, so pictures have a background.
    int level = 255 - static_cast<int>(i % 256);
    for (int c = 0; c < entry; ++c) out.push_back(static_cast<char>(c < 3 ? level : 0));
  }
  if (spec.pixel_offset > static_cast<std::int64_t>(out.size()) && spec.pixel_offset < (1 << 20)) {
    out.resize(static_cast<std::size_t>(spec.pixel_offset), '\0');
  }
  for (std::int64_t i = 0; i < pixels; ++i) out.push_back(static_cast<char>(i % 7 == 0 ? 0x10 : 0));
  if (spec.cut_at >= 0 && spec.cut_at < static_cast<std::int64_t>(out.size())) {
    out.resize(static_cast<std::size_t>(spec.cut_at));
  }
  return out;
}

std::vector<StripFileCase> StripFileCases() {
  std::vector<StripFileCase> cases;
  auto sound = [&](const std::string& name, StripFileSpec spec) {
    cases.push_back({name, StripFile(spec), true, spec.width, std::abs(spec.height)});
  };
  auto broken = [&](const std::string& name, StripFileSpec spec) {
    cases.push_back({name, StripFile(spec), false, 0, 0});
  };
  auto with = [](auto change) {
    StripFileSpec spec;
    change(spec);
    return spec;
  };

  sound("24 bits", StripFileSpec());
  sound("24 bits, top-down", with([](StripFileSpec& s) { s.height = -16; }));
  sound("1 bit", with([](StripFileSpec& s) { s.bits = 1; }));
  sound("4 bits", with([](StripFileSpec& s) { s.bits = 4; }));
  sound("8 bits", with([](StripFileSpec& s) { s.bits = 8; }));
  sound("8 bits, 16 colours used", with([](StripFileSpec& s) {
          s.bits = 8;
          s.colours_used = 16;
        }));
  sound("16 bits, bit fields", with([](StripFileSpec& s) {
          s.bits = 16;
          s.compression = 3;
        }));
  sound("32 bits", with([](StripFileSpec& s) { s.bits = 32; }));
  sound("core header, 24 bits", with([](StripFileSpec& s) { s.header_size = 12; }));
  sound("core header, 8 bits", with([](StripFileSpec& s) {
          s.header_size = 12;
          s.bits = 8;
        }));
  sound("V5 header, 32 bits", with([](StripFileSpec& s) {
          s.header_size = 124;
          s.bits = 32;
          s.compression = 3;
        }));
  sound("odd width, rows padded", with([](StripFileSpec& s) { s.width = 33; }));
  sound("largest strip", with([](StripFileSpec& s) {
          s.width = 8192;
          s.height = 256;
          s.bits = 8;
        }));
  sound("true image size", with([](StripFileSpec& s) { s.image_size = 96 * 16; }));
  sound("bytes after the rows", with([](StripFileSpec& s) { s.pixel_bytes = 96 * 16 + 100; }));

  // Cut short: in the file header, in the info header, in the palette, in
  // the rows, and one byte short of the end.
  const std::string whole = StripFile(StripFileSpec());
  for (std::int64_t cut :
       {0, 1, 2, 13, 14, 17, 30, 53, 54, 200, static_cast<int>(whole.size()) - 1}) {
    broken("cut after " + std::to_string(cut) + " bytes",
           with([cut](StripFileSpec& s) { s.cut_at = cut; }));
  }
  broken("8 bits, cut in the palette", with([](StripFileSpec& s) {
           s.bits = 8;
           s.cut_at = 54 + 500;
         }));
  broken("cut, but bfSize says it all", with([](StripFileSpec& s) {
           s.cut_at = 54 + 100;
           s.declared_size = 54 + 96 * 16;
         }));

  // Dimensions.
  broken("16,000 pixels high", with([](StripFileSpec& s) { s.height = 16000; }));
  broken("one pixel too high", with([](StripFileSpec& s) { s.height = 257; }));
  broken("one pixel too wide", with([](StripFileSpec& s) {
           s.width = 8193;
           s.bits = 1;
         }));
  broken("huge width claimed, rows missing", with([](StripFileSpec& s) {
           s.width = 0x7FFFFFFF;
           s.pixel_bytes = 64;
         }));
  broken("huge height claimed, rows missing", with([](StripFileSpec& s) {
           s.height = 0x7FFFFFFF;
           s.pixel_bytes = 64;
         }));
  broken("lowest height", with([](StripFileSpec& s) {
           s.height = INT32_MIN;
           s.pixel_bytes = 64;
         }));
  broken("zero width", with([](StripFileSpec& s) { s.width = 0; }));
  broken("zero height", with([](StripFileSpec& s) { s.height = 0; }));
  broken("negative width", with([](StripFileSpec& s) {
           s.width = -32;
           s.pixel_bytes = 96 * 16;
         }));
  broken("rows missing", with([](StripFileSpec& s) { s.pixel_bytes = 96 * 15; }));

  // Not bitmaps, or not ones the loader may see.
  cases.push_back({"text", "not a bitmap", false, 0, 0});
  cases.push_back({"empty", "", false, 0, 0});
  cases.push_back(
      {"a PNG file", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, '\0'), false, 0, 0});
  std::string wrong_magic = whole;
  wrong_magic[1] = 'A';
  cases.push_back({"BA instead of BM", wrong_magic, false, 0, 0});
  broken("header size 0", with([](StripFileSpec& s) { s.header_size = 0; }));
  broken("header size 64 (OS/2)", with([](StripFileSpec& s) { s.header_size = 64; }));
  broken("header larger than the file", with([](StripFileSpec& s) {
           s.header_size = 124;
           s.cut_at = 100;
         }));
  broken("two planes", with([](StripFileSpec& s) { s.planes = 2; }));
  broken("7 bits", with([](StripFileSpec& s) { s.bits = 7; }));
  broken("0 bits", with([](StripFileSpec& s) { s.bits = 0; }));
  broken("16 bits in a core header", with([](StripFileSpec& s) {
           s.header_size = 12;
           s.bits = 16;
         }));
  broken("run-length coded", with([](StripFileSpec& s) {
           s.bits = 8;
           s.compression = 1;
         }));
  broken("JPEG inside", with([](StripFileSpec& s) { s.compression = 4; }));
  broken("PNG inside", with([](StripFileSpec& s) { s.compression = 5; }));
  broken("bit fields at 24 bits", with([](StripFileSpec& s) { s.compression = 3; }));

  // Palettes, offsets and sizes that lie.
  broken("8 bits, 1000 colours claimed", with([](StripFileSpec& s) {
           s.bits = 8;
           s.colours_used = 1000;
         }));
  broken("4 bits, 17 colours claimed", with([](StripFileSpec& s) {
           s.bits = 4;
           s.colours_used = 17;
         }));
  broken("8 bits, palette missing", with([](StripFileSpec& s) {
           s.bits = 8;
           s.palette_entries = 0;
         }));
  broken("24 bits, 4 billion colours claimed", with([](StripFileSpec& s) {
           s.colours_used = 0xFFFFFFFF;
           s.palette_entries = 0;
         }));
  broken("pixel offset 0", with([](StripFileSpec& s) { s.pixel_offset = 0; }));
  broken("pixel offset inside the header", with([](StripFileSpec& s) { s.pixel_offset = 30; }));
  broken("pixel offset beyond the end",
         with([](StripFileSpec& s) { s.pixel_offset = 0xFFFFFFF0; }));
  broken("bfSize beyond the end", with([](StripFileSpec& s) { s.declared_size = 0x7FFFFFFF; }));
  broken("image size beyond the end", with([](StripFileSpec& s) { s.image_size = 0x7FFFFFFF; }));
  return cases;
}
