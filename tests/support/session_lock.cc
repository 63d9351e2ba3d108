#include "tests/support/session_lock.h"

SessionLock::SessionLock(const char* name) {
  mutex_ = CreateMutexA(nullptr, FALSE, name);
  if (mutex_ == nullptr) return;
  // A process that died holding the lock leaves it abandoned: ours then.
  DWORD result = WaitForSingleObject(mutex_, 100000);
  held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

SessionLock::~SessionLock() {
  if (held_) ReleaseMutex(mutex_);
  if (mutex_ != nullptr) CloseHandle(mutex_);
}
