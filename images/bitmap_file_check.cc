#include "images/bitmap_file_check.h"

#include <cstdint>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kBitFields = 3;     // BI_BITFIELDS

std::uint32_t U16(const unsigned char* p) { return p[0] | (std::uint32_t{p[1]} << 8); }
std::uint32_t U32(const unsigned char* p) {
  return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}
std::int64_t S32(const unsigned char* p) { return static_cast<std::int32_t>(U32(p)); }

bool IsKnownHeaderSize(std::uint32_t size) {
  switch (size) {
    case kCoreHeaderSize:
    case kInfoHeaderSize:
    case 52:   // with the colour masks
    case 56:   // with the alpha mask too
    case 108:  // BITMAPV4HEADER
    case 124:  // BITMAPV5HEADER
      return true;
    default:
      return false;
  }
}

}  // namespace

bool IsAcceptableStripFile(const unsigned char* bytes, std::size_t size) {
  if (bytes == nullptr || size < kFileHeaderSize + kCoreHeaderSize) return false;
  if (bytes[0] != 'B' || bytes[1] != 'M') return false;
  // All sizes are worked out in 64 bits: no field can overflow them.
  const std::uint64_t file_size = size;
  const std::uint64_t declared_size = U32(bytes + 2);
  const std::uint64_t pixel_offset = U32(bytes + 10);
  if (declared_size > file_size) return false;  // cut short

  const unsigned char* header = bytes + kFileHeaderSize;
  const std::uint32_t header_size = U32(header);
  if (!IsKnownHeaderSize(header_size) || kFileHeaderSize + header_size > file_size) return false;

  std::int64_t width, height;
  std::uint32_t planes, bits, compression = kUncompressed, colours_used = 0, image_size = 0;
  std::uint64_t palette_entry;
  if (header_size == kCoreHeaderSize) {
    width = U16(header + 4);
    height = U16(header + 6);
    planes = U16(header + 8);
    bits = U16(header + 10);
    palette_entry = 3;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return false;
  } else {
    width = S32(header + 4);
    height = S32(header + 8);
    planes = U16(header + 12);
    bits = U16(header + 14);
    compression = U32(header + 16);
    image_size = U32(header + 20);
    colours_used = U32(header + 32);
    palette_entry = 4;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
      return false;
    }
  }
  if (planes != 1) return false;
  if (compression != kUncompressed && !(compression == kBitFields && (bits == 16 || bits == 32))) {
    return false;
  }
  if (height < 0) height = -height;  // top-down rows
  if (width < 1 || width > strip_limits::kMaxWidth || height < 1 ||
      height > strip_limits::kMaxHeight) {
    return false;
  }

  // Bit fields follow a plain info header; the larger headers hold them.
  const std::uint64_t masks = compression == kBitFields && header_size == kInfoHeaderSize ? 12 : 0;
  const std::uint64_t full_palette = bits <= 8 ? std::uint64_t{1} << bits : 0;
  std::uint64_t colours = colours_used != 0 ? colours_used : full_palette;
  // A palette larger than the pixels can address is a lie; at 16 bits and
  // more an optional palette of at most 256 colours may follow.
  if (colours > (bits <= 8 ? full_palette : 256)) return false;
  const std::uint64_t palette_end = kFileHeaderSize + header_size + masks + colours * palette_entry;
  if (palette_end > pixel_offset) return false;

  const std::uint64_t row_bytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t pixel_bytes = row_bytes * static_cast<std::uint64_t>(height);
  if (pixel_offset > file_size || pixel_bytes > file_size - pixel_offset) return false;
  if (image_size > file_size - pixel_offset) return false;
  return true;
}
