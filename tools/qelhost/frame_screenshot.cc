#include "tools/qelhost/frame_screenshot.h"

#include <wincodec.h>

#include <cstdio>
#include <vector>

#include "platform/com_handles.h"
#include "platform/gdi_handles.h"
#include "platform/text_conversion.h"

namespace {

std::string Failed(const char* what, HRESULT hr) {
  char text[96];
  std::snprintf(text, sizeof(text), "%s failed (0x%08lX)", what, static_cast<unsigned long>(hr));
  return text;
}

// The client area as rows of 24-bit blue-green-red pixels, top row first,
// each row padded to four bytes. The caption and borders are left out: who
// draws them (a window manager or none) differs from screen to screen.
bool CaptureWindow(HWND window, int* width, int* height, std::vector<BYTE>* pixels) {
  RECT rect;
  if (!GetClientRect(window, &rect)) return false;
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  if (*width <= 0 || *height <= 0) return false;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = *width;
  info.bmiHeader.biHeight = -*height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const WindowDc window_dc = GetWindowDc(window);
  if (window_dc == nullptr) return false;
  const GdiObject<HBITMAP> bitmap(
      CreateDIBSection(window_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const MemoryDc memory_dc = MakeMemoryDc(window_dc.get());
  bool copied = false;
  if (bitmap != nullptr && memory_dc != nullptr) {
    const SelectedObject selected = Select(memory_dc.get(), bitmap.get());
    copied =
        BitBlt(memory_dc.get(), 0, 0, *width, *height, window_dc.get(), 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
  }
  if (copied) {
    std::size_t stride =
        ((static_cast<std::size_t>(*width) * 3) + 3) & ~static_cast<std::size_t>(3);
    const BYTE* start = static_cast<const BYTE*>(bits);
    pixels->assign(start, start + stride * static_cast<std::size_t>(*height));
  }
  return copied;
}

// Writes the pixels to `path` as a PNG; `opened` tells whether the file was
// made. The imaging objects are all let go when this returns.
HRESULT WritePng(const std::string& path, int width, int height, const std::vector<BYTE>& pixels,
                 bool* opened, std::string* reason) {
  UINT stride = (static_cast<UINT>(width) * 3 + 3) & ~3u;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  HRESULT hr =
      CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                       IID_IWICImagingFactory, reinterpret_cast<void**>(factory.GetAddressOf()));
  if (FAILED(hr)) *reason = Failed("creating the imaging factory", hr);
  if (SUCCEEDED(hr)) {
    hr = factory->CreateStream(&stream);
    if (FAILED(hr)) *reason = Failed("creating a stream", hr);
  }
  if (SUCCEEDED(hr)) {
    hr = stream->InitializeFromFilename(ToWide(path).c_str(), GENERIC_WRITE);
    if (FAILED(hr)) *reason = Failed(("opening " + path).c_str(), hr);
    *opened = SUCCEEDED(hr);
  }
  if (SUCCEEDED(hr)) {
    hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    if (FAILED(hr)) *reason = Failed("creating the PNG encoder", hr);
  }
  if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
  if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, &options);
  if (SUCCEEDED(hr)) hr = frame->Initialize(options.Get());
  if (SUCCEEDED(hr)) hr = frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
  if (SUCCEEDED(hr)) {
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) hr = E_FAIL;
  }
  if (SUCCEEDED(hr)) {
    // WritePixels only reads the pixels it is handed.
    hr = frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(pixels.size()),
                            const_cast<BYTE*>(pixels.data()));
  }
  if (SUCCEEDED(hr)) hr = frame->Commit();
  if (SUCCEEDED(hr)) hr = encoder->Commit();
  if (FAILED(hr) && reason->empty()) *reason = Failed("writing the PNG", hr);
  return hr;
}

}  // namespace

bool FrameScreenshot::Save(HWND window, const std::string& path, std::string* reason) {
  // Whatever is still to be painted is painted now.
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  int width = 0;
  int height = 0;
  std::vector<BYTE> pixels;
  if (!CaptureWindow(window, &width, &height, &pixels)) {
    *reason = "the frame cannot be captured";
    return false;
  }
  bool opened = false;
  const HRESULT hr = WritePng(path, width, height, pixels, &opened, reason);
  // No half-written picture stays behind.
  if (FAILED(hr) && opened) DeleteFileA(path.c_str());
  return SUCCEEDED(hr);
}
