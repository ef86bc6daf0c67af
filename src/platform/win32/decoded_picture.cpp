// The donation picture is a GIF: the platform's imaging component decodes it (its palette and its
// transparent colour) into 32-bit pixels with alpha, made into an icon.
#include <windows.h>

#include <wincodec.h>

#include <cstring>
#include <vector>

#include "platform/win32/pictures.h"

namespace tassefiche {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T** Out() { return &pointer_; }
  T* operator->() const { return pointer_; }
  T* Get() const { return pointer_; }

 private:
  T* pointer_ = nullptr;
};

struct Resource {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

Resource RawResource(int id) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RCDATA
  if (found == nullptr) return {};
  const HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return {};
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

// The pixels, top row first, 4 bytes each (blue, green, red, alpha), straight (not premultiplied)
// alpha, as an icon's colour bitmap wants them.
HICON IconFromPixels(const BYTE* pixels, UINT width, UINT height) {
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = static_cast<LONG>(width);
  header.bV5Height = -static_cast<LONG>(height);
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  const HDC screen = GetDC(nullptr);
  const HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&header),
                                          DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (colour == nullptr) return nullptr;
  std::memcpy(bits, pixels, static_cast<std::size_t>(width) * height * 4);
  // With a 32-bit colour bitmap the alpha decides; the mask is only for the old drawing paths.
  const HBITMAP mask =
      CreateBitmap(static_cast<int>(width), static_cast<int>(height), 1, 1, nullptr);
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = mask;
  const HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

}  // namespace

HICON DecodedPicture(int resource) {
  const Resource raw = RawResource(resource);
  if (raw.data == nullptr) return nullptr;
  Com<IWICImagingFactory> factory;
  Com<IWICStream> stream;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICFormatConverter> converter;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(factory.Out()))) ||
      FAILED(factory->CreateStream(stream.Out())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(raw.data), raw.size)) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                              decoder.Out())) ||
      FAILED(decoder->GetFrame(0, frame.Out())) ||
      FAILED(factory->CreateFormatConverter(converter.Out())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height))) {
    return nullptr;
  }
  std::vector<BYTE> pixels(static_cast<std::size_t>(width) * height * 4);
  if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()),
                                   pixels.data()))) {
    return nullptr;
  }
  return IconFromPixels(pixels.data(), width, height);
}

}  // namespace tassefiche
