#include "tests/qelhost/png_picture.h"

#include <wincodec.h>

bool PngPicture::Load(const std::string& path) {
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool loaded = Decode(path);
  if (SUCCEEDED(com)) CoUninitialize();
  return loaded;
}

bool PngPicture::Decode(const std::string& path) {
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  std::wstring wide(path.begin(), path.end());
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
  if (SUCCEEDED(hr)) {
    hr = factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                            WICDecodeMetadataCacheOnDemand, &decoder);
  }
  GUID container = {};
  if (SUCCEEDED(hr)) hr = decoder->GetContainerFormat(&container);
  if (SUCCEEDED(hr) && !IsEqualGUID(container, GUID_ContainerFormatPng)) hr = E_FAIL;
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
  if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(&converter);
  if (SUCCEEDED(hr)) {
    hr = converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr,
                               0.0, WICBitmapPaletteTypeCustom);
  }
  UINT width = 0;
  UINT height = 0;
  if (SUCCEEDED(hr)) hr = converter->GetSize(&width, &height);
  if (SUCCEEDED(hr)) {
    pixels_.assign(static_cast<std::size_t>(width) * height * 3, 0);
    hr = converter->CopyPixels(nullptr, width * 3, static_cast<UINT>(pixels_.size()),
                               pixels_.data());
  }
  if (converter != nullptr) converter->Release();
  if (frame != nullptr) frame->Release();
  if (decoder != nullptr) decoder->Release();
  if (factory != nullptr) factory->Release();
  if (FAILED(hr)) {
    pixels_.clear();
    return false;
  }
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  return true;
}

COLORREF PngPicture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const BYTE* pixel = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 3];
  return RGB(pixel[2], pixel[1], pixel[0]);
}

int PngPicture::FirstRowWith(COLORREF colour) const {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (At(x, y) == colour) return y;
    }
  }
  return -1;
}

int PngPicture::Count(COLORREF colour) const {
  int count = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (At(x, y) == colour) ++count;
    }
  }
  return count;
}
