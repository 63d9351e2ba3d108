#pragma once

#include <cstddef>
#include <string>

// Writes exactly `size` bytes to `path`, without newline translation,
// creating or truncating the file. False when the file cannot be opened or
// the bytes cannot all be written, so that a failed save is not mistaken for
// a good one.
bool WriteFileBytes(const std::string& path, const char* data, std::size_t size);
