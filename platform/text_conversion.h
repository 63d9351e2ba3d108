#pragma once

#include <string>

// The toolbar and its host speak the ANSI code page; COM, the shell and the
// imaging component want UTF-16. The whole text is converted, zero
// characters included.
std::wstring ToWide(const std::string& text);
std::string ToAnsi(const std::wstring& text);
