#pragma once

#include <string>

// Addresses of live objects kept as decimal text in an object store. The
// store's own LongToString and StringToLong are 32 bits wide on 64-bit
// Windows, which would cut an address in half; these keep every bit of a
// pointer on both 32-bit and 64-bit builds.

// Signed decimal text of the address; "0" for null.
std::string PointerToText(const void* address);

// The address written by PointerToText; nullptr for text without leading
// digits.
void* TextToPointer(const std::string& text);
