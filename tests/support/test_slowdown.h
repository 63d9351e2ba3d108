#pragma once

#include <cstdlib>

// How many times slower than a build machine the tests run: the 32-bit
// session runs under an emulator and sets QEL_TEST_SLOWDOWN. Bounds on the
// tests' own work scale with it; the system's deadlines do not, since they
// are clocks and not work.
inline double TestSlowdown() {
  const char* text = std::getenv("QEL_TEST_SLOWDOWN");
  const double factor = text == nullptr ? 1.0 : std::atof(text);
  return factor > 1.0 ? factor : 1.0;
}
