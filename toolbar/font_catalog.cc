#include "toolbar/font_catalog.h"

#include "platform/gdi_handles.h"
#include "store/strings.h"
#include "toolbar/toolbar_messages.h"

namespace {

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  if (font->lfFaceName[0] != '\0') {
    SendMessageA(reinterpret_cast<HWND>(data), UM_ADDFONT, 0x1E00 + font->lfCharSet,
                 reinterpret_cast<LPARAM>(font->lfFaceName));
  }
  return 1;
}

}  // namespace

void FontCatalog::EnumerateFonts(HWND window) {
  EnumFontFamiliesA(GetWindowDc(window).get(), nullptr, AddFamily,
                    reinterpret_cast<LPARAM>(window));
}

void FontCatalog::AddFont(const std::string& face, int charset) {
  faces_.push_back(face);
  charsets_.push_back(LongToString(charset));
}

int FontCatalog::CharsetOf(const std::string& face) const {
  for (std::size_t i = 0; i < faces_.size(); ++i) {
    if (faces_[i] == face) return static_cast<int>(StringToLong(charsets_[i]));
  }
  return DEFAULT_CHARSET;
}

HFONT FontCatalog::CreateFont(const std::string& face, int size, bool bold, bool italic,
                              bool underline) const {
  return CreateFontA(-size, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? 1 : 0, underline ? 1 : 0,
                     0, static_cast<DWORD>(CharsetOf(face)), OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     face.c_str());
}

HFONT FontCatalog::CreatePlainFont(const std::string& face, int size) const {
  return CreateFont(face, size, false, false, false);
}
