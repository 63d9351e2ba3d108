// libFuzzer target: any bytes through the strip file checks. Whatever they
// accept is then read as the platform's loader reads it, headers, palette
// and every row, each byte through its own offset; libFuzzer hands over
// exactly `size` bytes, so AddressSanitizer stops any read past the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "images/bitmap_file_check.h"

namespace {

// Keeps the reads from being optimised away.
volatile unsigned checksum;

std::uint32_t Read(const uint8_t* data, std::size_t offset, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= std::uint32_t{data[offset + i]} << (8 * i);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!IsAcceptableStripFile(data, size)) return 0;
  const std::uint32_t offset = Read(data, 10, 4);
  const std::uint32_t header = Read(data, 14, 4);
  const bool core = header == 12;
  // Signed in an info header (a negative height is a top-down strip).
  long long width = core ? static_cast<long long>(Read(data, 18, 2))
                         : static_cast<long long>(static_cast<std::int32_t>(Read(data, 18, 4)));
  long long height = core ? static_cast<long long>(Read(data, 20, 2))
                          : static_cast<long long>(static_cast<std::int32_t>(Read(data, 22, 4)));
  const std::uint32_t bits = core ? Read(data, 24, 2) : Read(data, 28, 2);
  height = std::llabs(height);
  if (width < 1 || width > strip_limits::kMaxWidth || height < 1 ||
      height > strip_limits::kMaxHeight) {
    __builtin_trap();
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i < offset; ++i) sum += data[i];  // headers and palette
  const std::size_t row = static_cast<std::size_t>((width * bits + 31) / 32 * 4);
  for (long long y = 0; y < height; ++y) {
    sum += data[offset + static_cast<std::size_t>(y) * row + row - 1];
  }
  checksum = sum;
  return 0;
}
