#include "toolbar/pointer_text.h"

#include <cstdint>
#include <cstdlib>

std::string PointerToText(const void* address) {
  return std::to_string(static_cast<long long>(reinterpret_cast<std::intptr_t>(address)));
}

void* TextToPointer(const std::string& text) {
  const char* start = text.c_str();
  char* end = nullptr;
  long long value = std::strtoll(start, &end, 10);
  if (end == start) return nullptr;
  return reinterpret_cast<void*>(static_cast<std::intptr_t>(value));
}
