#pragma once

#include <string>

// The host speaks the ANSI code page like the toolbar does; COM and the
// imaging component want UTF-16.
std::wstring ToWide(const std::string& text);
std::string ToAnsi(const std::wstring& text);
