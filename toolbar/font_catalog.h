#pragma once

#include <windows.h>

#include <string>
#include <vector>

// windows.h maps CreateFont to CreateFontA/W; this class has its own.
#undef CreateFont

// The installed font families with their character sets, so that every
// control's font is made with the character set of its face. Fonts handed
// out belong to the caller.
class FontCatalog {
 public:
  // Sends UM_ADDFONT to `window` once per installed family with a face name
  // (wParam 0x1E00 + character set, lParam the face, valid during the call).
  // The window answers by calling AddFont.
  void EnumerateFonts(HWND window);
  // Appends without looking for duplicates: CharsetOf answers the first.
  void AddFont(const std::string& face, int charset);
  // The character set of the first entry with exactly this face; 1
  // (DEFAULT_CHARSET) when none matches.
  int CharsetOf(const std::string& face) const;
  // A new font `size` pixels high (not points) with the face's character
  // set; the caller owns it.
  HFONT CreateFont(const std::string& face, int size, bool bold, bool italic, bool underline) const;
  // CreateFont, neither bold nor italic nor underlined.
  HFONT CreatePlainFont(const std::string& face, int size) const;

  int font_count() const { return static_cast<int>(faces_.size()); }

 private:
  std::vector<std::string> faces_;
  std::vector<std::string> charsets_;
};
