#pragma once

#include <windows.h>

// The window classes the module registers: the band host's, the strip's, the
// tooltip's and one per button name. Windows does not unregister a DLL's
// classes when it unloads, and these are global classes: a later load at
// another address would find them and send its windows to code that is gone.
// So every class goes through here, and the module unregisters them all when
// it is unloaded while the process goes on.

// RegisterClassA, remembering the class name. True when the class is
// registered now (also when it already was).
bool RegisterModuleClass(const WNDCLASSA& window_class);

// Unregisters every class registered through RegisterModuleClass.
void UnregisterModuleClasses(HINSTANCE instance);
