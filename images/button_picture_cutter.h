#pragma once

#include <windows.h>

#include "platform/gdi_handles.h"

// Cuts the button pictures of one build from the image strip: picture
// `index` of the strip in the colour format of the window's device with its
// top-left colour region turned into the button face. The window's DC, the
// memory DCs and the brush are taken once, on the first picture, and kept
// until the cutter goes; under Wine each costs a round trip to the server.
class ButtonPictureCutter {
 public:
  ButtonPictureCutter(HWND window, HBITMAP strip, int width, int height);
  ButtonPictureCutter(const ButtonPictureCutter&) = delete;
  ButtonPictureCutter& operator=(const ButtonPictureCutter&) = delete;

  // A new bitmap, owned by the caller; nullptr for a negative index or when
  // none could be made.
  HBITMAP Cut(int index);

 private:
  void Begin();

  HWND window_;
  HBITMAP strip_;
  int width_;
  int height_;
  // Taken on the first picture, given back in the reverse order.
  WindowDc window_dc_;
  MemoryDc source_dc_;
  MemoryDc target_dc_;
  GdiObject<HBRUSH> face_brush_;
  SelectedObject strip_selected_;
  SelectedObject brush_selected_;
};
