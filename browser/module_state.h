#pragma once

#include <windows.h>

// What the module keeps for the whole process: its instance handle, the
// number of live browser helper objects, and the COM lock count (live
// objects plus server locks) behind DllCanUnloadNow. Browser windows of one
// process may run on different threads, so both counts change only through
// interlocked operations.
class ModuleState {
 public:
  // Process attach: keeps the instance handle and starts the instance count
  // at 0.
  static void Attach(HINSTANCE instance);
  static HINSTANCE Instance();

  // The live browser helper objects; each call returns the new count.
  static LONG AddInstance();
  static LONG RemoveInstance();
  static LONG InstanceCount();

  static void Lock();
  static void Unlock();
  static LONG LockCount();

 private:
  static HINSTANCE instance_;
  static volatile LONG instances_;
  static volatile LONG locks_;
};
