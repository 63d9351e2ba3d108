#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Takes every entry out of the browser's list of helper objects
// (HKLM\...\Explorer\Browser Helper Objects) while it lives and puts them
// back, values and all, when it goes. Another helper object in the list
// (one left behind by a test that died, say) would be created in every
// frame of the host and add its own lines to the event log. An entry named
// `discard` (the caller's own class, left by a run that died) goes for good.
class HelperObjectsAside {
 public:
  explicit HelperObjectsAside(const std::string& discard = "");
  ~HelperObjectsAside();
  HelperObjectsAside(const HelperObjectsAside&) = delete;
  HelperObjectsAside& operator=(const HelperObjectsAside&) = delete;

 private:
  struct Value {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
  };
  struct Entry {
    std::string name;
    std::vector<Value> values;
  };

  std::vector<Entry> entries_;
};
