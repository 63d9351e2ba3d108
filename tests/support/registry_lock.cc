#include "tests/support/registry_lock.h"

RegistryLock::RegistryLock() {
  mutex_ = CreateMutexA(nullptr, FALSE, "QelTestRegistry");
  if (mutex_ == nullptr) return;
  // A process that died holding the lock leaves it abandoned: ours then.
  DWORD result = WaitForSingleObject(mutex_, 100000);
  held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

RegistryLock::~RegistryLock() {
  if (held_) ReleaseMutex(mutex_);
  if (mutex_ != nullptr) CloseHandle(mutex_);
}
