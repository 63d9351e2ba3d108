#pragma once

#include <windows.h>

// A lock for what the browser windows of one process share, each window on
// a thread of its own. Win32's slim lock rather than std::mutex: the threads
// library behind std::mutex keeps a record (a thread handle, an event) of
// each thread that locks, and the record is lost whenever the module
// unloads, which the browser does whenever the toolbar's last window closes.
class SlimLock {
 public:
  SlimLock() = default;
  SlimLock(const SlimLock&) = delete;
  SlimLock& operator=(const SlimLock&) = delete;

  void Lock() { AcquireSRWLockExclusive(&lock_); }
  void Unlock() { ReleaseSRWLockExclusive(&lock_); }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
};

// Holds a SlimLock for its scope.
class SlimLockHold {
 public:
  explicit SlimLockHold(SlimLock* lock) : lock_(lock) { lock_->Lock(); }
  ~SlimLockHold() { lock_->Unlock(); }
  SlimLockHold(const SlimLockHold&) = delete;
  SlimLockHold& operator=(const SlimLockHold&) = delete;

 private:
  SlimLock* lock_;
};
