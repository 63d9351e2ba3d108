#include "toolbar/caption_extent.h"

#include "platform/gdi_handles.h"

SIZE CaptionExtent(HDC dc, HFONT font, const std::string& text) {
  SIZE extent = {0, 0};
  if (font == nullptr) return extent;
  const SelectedObject selected = Select(dc, font);
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()) + 1, &extent);
  extent.cy = static_cast<int>(extent.cy * 1.2);
  return extent;
}
