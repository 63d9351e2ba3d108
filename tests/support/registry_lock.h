#pragma once

#include <windows.h>

// Held by every test that registers or unregisters qel.dll. The registry of
// the Wine prefix is shared by every test process of a session; the named
// mutex is the one the registration tests of tests/browser take, so the
// two never change the same keys at once.
class RegistryLock {
 public:
  RegistryLock();
  ~RegistryLock();
  RegistryLock(const RegistryLock&) = delete;
  RegistryLock& operator=(const RegistryLock&) = delete;

  bool held() const { return held_; }

 private:
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};
