#pragma once

#include <windows.h>

// A named mutex held for the owner's life. The test processes of one Wine
// session run side by side and share its registry and its single desktop,
// pointer and foreground; they take turns through these.
class SessionLock {
 public:
  explicit SessionLock(const char* name);
  ~SessionLock();
  SessionLock(const SessionLock&) = delete;
  SessionLock& operator=(const SessionLock&) = delete;

  bool held() const { return held_; }

 private:
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};

// Held by every test that registers or unregisters qel.dll: the registration
// tests of tests/browser and the end-to-end tests never change the same keys
// at once.
class RegistryLock : public SessionLock {
 public:
  RegistryLock() : SessionLock("QelTestRegistry") {}
};

// Held by every test that moves the pointer, presses mouse buttons or reads
// pixels back from the screen.
class DesktopLock : public SessionLock {
 public:
  DesktopLock() : SessionLock("QelTestDesktop") {}
};
