#pragma once

#include <string>

// The module stays out of the Windows shell: a host whose executable path,
// lower-cased, contains "explorer.exe" anywhere (directory or file name) is
// refused at process attach.
bool IsRefusedHostPath(const std::string& executable_path);

// The full path of the running process's executable, however long; "" when
// the system cannot tell.
std::string HostExecutablePath();
