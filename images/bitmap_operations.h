#pragma once

#include <windows.h>

#include <string>

// Stateless bitmap helpers behind the image strip and the button pictures.
// Every bitmap they return belongs to the caller.

// Copies the whole of `bitmap` to (x, y) of `dc`; BitBlt's success.
bool DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y);

// A new bitmap in the colour format of `dc`'s device holding the
// `width` x `height` area of `bitmap` at (x, y). Parts of the area beyond the
// source are left as the new bitmap was created.
HBITMAP CropBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);

// A memory DC compatible with the screen with `bitmap` selected into it.
// Give it back with ReleaseMemoryDc, which leaves the bitmap alive.
HDC MemoryDcHoldingBitmap(HBITMAP bitmap);
void ReleaseMemoryDc(HDC memory_dc);

// Paints `colour` over the area around (x, y) that has the colour of that
// pixel and is connected to it.
void FillBackground(HDC dc, int x, int y, COLORREF colour);

// True when the file can be opened for reading.
bool FileExists(const std::string& path);

// Picture `index` of the strip: `width` x `height` pixels from x = index *
// width, compatible with `window`'s device, its top-left colour region
// turned into the button face. nullptr for a negative index. A strip's
// many pictures are cut faster with one ButtonPictureCutter.
HBITMAP ButtonPicture(HWND window, HBITMAP strip, int width, int height, int index);
