#pragma once

#include <windows.h>

#include <string>

#include "platform/host_services.h"

// The host services of the band host window: the shell and the message box
// are owned by it, the uninstall request is posted to it as the message the
// host names (the toolbar's private messages are not the platform's business).
class WindowsHostServices : public HostServices {
 public:
  WindowsHostServices(HWND host_window, UINT uninstall_message)
      : host_window_(host_window), uninstall_message_(uninstall_message) {}

  // ShellExecuteA "open" with no parameters or directory, shown normally.
  void OpenThroughShell(const std::string& target) override;
  // MessageBoxA with Yes and No, No the default button.
  bool Confirm(const std::string& question, const std::string& title) override;
  // Posts the uninstall message to the host window.
  void RequestUninstall() override;

 private:
  HWND host_window_;
  UINT uninstall_message_;
};
