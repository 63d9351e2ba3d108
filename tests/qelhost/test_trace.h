#pragma once

#include <string>

// The test helper object's account of what the host did to it: one line per
// call, appended to the file named by QELHOST_TEST_TRACE (nothing when the
// variable is not set).
class TestTrace {
 public:
  static void Write(const std::string& line);
  // The variable's value; "" when it is not set.
  static std::string Setting(const char* variable);
};
