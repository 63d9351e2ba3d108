#pragma once

#include <string>

// What the commands do on behalf of the toolbar's host window: it owns the
// shell launches and the confirmation question, and receives the uninstall
// request.
class HostServices {
 public:
  virtual ~HostServices() = default;

  // Opens a program, document or address through the shell ("open"). The
  // outcome is not reported: the shell shows its own errors.
  virtual void OpenThroughShell(const std::string& target) = 0;

  // Asks a Yes/No question with No as the default answer. False only when
  // the user answered No.
  virtual bool Confirm(const std::string& question, const std::string& title) = 0;

  // Asks the host window, by a posted message, to remove the toolbar once
  // the current command has returned.
  virtual void RequestUninstall() = 0;
};
