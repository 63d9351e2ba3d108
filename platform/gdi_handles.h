#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owners of GDI handles: each gives its handle back the one way that handle
// must go (DeleteObject, DeleteDC, ReleaseDC, the previous object selected
// again, EndPaint) when it goes out of scope or is reset. An empty owner
// gives back nothing.

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A font, pen, brush or bitmap of one's own. Reset it with the handle it
// holds and it deletes that handle: reset only with another one.
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteGdiObject>;

struct DeleteMemoryDc {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DeleteMemoryDc>;

// A memory DC compatible with `dc` (the screen for null).
inline MemoryDc MakeMemoryDc(HDC dc) { return MemoryDc(CreateCompatibleDC(dc)); }

struct ReleaseWindowDc {
  HWND window = nullptr;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};

using WindowDc = std::unique_ptr<std::remove_pointer_t<HDC>, ReleaseWindowDc>;

// The DC of `window`, released when the owner goes.
inline WindowDc GetWindowDc(HWND window) {
  return WindowDc(GetDC(window), ReleaseWindowDc{window});
}

struct RestoreSelection {
  HGDIOBJ previous = nullptr;
  void operator()(HDC dc) const { SelectObject(dc, previous); }
};

// An object selected into a DC for the owner's life; the object it replaced
// comes back when the owner goes.
using SelectedObject = std::unique_ptr<std::remove_pointer_t<HDC>, RestoreSelection>;

// Selects `object` into `dc`; a null object selects nothing.
inline SelectedObject Select(HDC dc, HGDIOBJ object) {
  if (object == nullptr) return SelectedObject();
  HGDIOBJ previous = SelectObject(dc, object);
  return SelectedObject(dc, RestoreSelection{previous});
}

// BeginPaint and EndPaint for one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

// Fills `rect` with a solid brush of `colour`, made for this fill alone.
inline void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}
