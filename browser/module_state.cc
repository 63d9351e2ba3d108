#include "browser/module_state.h"

HINSTANCE ModuleState::instance_ = nullptr;
volatile LONG ModuleState::instances_ = 0;
volatile LONG ModuleState::locks_ = 0;

void ModuleState::Attach(HINSTANCE instance) {
  instance_ = instance;
  InterlockedExchange(&instances_, 0);
}

HINSTANCE ModuleState::Instance() { return instance_; }

LONG ModuleState::AddInstance() { return InterlockedIncrement(&instances_); }

LONG ModuleState::RemoveInstance() { return InterlockedDecrement(&instances_); }

LONG ModuleState::InstanceCount() { return InterlockedCompareExchange(&instances_, 0, 0); }

void ModuleState::Lock() { InterlockedIncrement(&locks_); }

void ModuleState::Unlock() { InterlockedDecrement(&locks_); }

LONG ModuleState::LockCount() { return InterlockedCompareExchange(&locks_, 0, 0); }
