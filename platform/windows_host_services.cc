#include "platform/windows_host_services.h"

#include <shellapi.h>

void WindowsHostServices::OpenThroughShell(const std::string& target) {
  ShellExecuteA(host_window_, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool WindowsHostServices::Confirm(const std::string& question, const std::string& title) {
  return MessageBoxA(host_window_, question.c_str(), title.c_str(), MB_YESNO | MB_DEFBUTTON2) !=
         IDNO;
}

void WindowsHostServices::RequestUninstall() { PostMessageA(host_window_, uninstall_message_, 0, 0); }
