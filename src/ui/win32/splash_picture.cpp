#include "ui/win32/splash_picture.h"

#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/files.h"
#include "ui/alpha_blend.h"
#include "ui/win32/gdi_selection.h"
#include "ui/win32/ole_functions.h"
#include "ui/win32/ole_picture.h"
#include "ui/win32/wic_picture.h"

namespace launcher::ui::win32 {
namespace {

using platform::win32::ComReference;
using platform::win32::GdiObject;
using platform::win32::MemoryDc;
using platform::win32::ScreenDc;

// A stream over a copy of the bytes, in a block of its own that it frees.
platform::win32::ComReference<IStream> StreamOver(const OleFunctions& ole, std::string_view bytes) {
  platform::win32::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size()));
  if (!block) return {};
  void* memory = ::GlobalLock(block.Get());
  if (memory == nullptr) return {};
  std::memcpy(memory, bytes.data(), bytes.size());
  ::GlobalUnlock(block.Get());
  IStream* stream = nullptr;
  if (FAILED(ole.createStreamOnHGlobal(block.Get(), TRUE, &stream)) || stream == nullptr) return {};
  block.Release();
  return platform::win32::ComReference<IStream>(stream);
}

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1A\n", 8);

bool Rewind(IStream* stream) {
  LARGE_INTEGER start{};
  return SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr));
}

// Draws into a new screen-compatible bitmap of the size, filled with the
// background first; no bitmap when one cannot be made or drawing fails.
template <typename Drawing>
SplashBitmap DrawBitmap(SIZE size, COLORREF background, Drawing draw) {
  platform::win32::ScreenDc screen(::GetDC(nullptr));
  if (!screen) return {};
  platform::win32::GdiObject bitmap(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
  platform::win32::MemoryDc memory(::CreateCompatibleDC(screen.Get()));
  if (!bitmap || !memory) return {};
  {
    GdiSelection selection(memory.Get(), bitmap.Get());
    platform::win32::GdiObject brush(::CreateSolidBrush(background));
    const RECT all{0, 0, size.cx, size.cy};
    ::FillRect(memory.Get(), &all, static_cast<HBRUSH>(brush.Get()));
    if (!draw(memory.Get())) return {};
  }
  return {std::move(bitmap), size};
}

SplashBitmap FromOle(const OlePicture& picture, COLORREF background) {
  if (picture.pixels.cx <= 0 || picture.pixels.cy <= 0) return {};
  return DrawBitmap(picture.pixels, background, [&](HDC dc) { return DrawOlePicture(picture, dc); });
}

BITMAPINFO TopDownBgraInfo(SIZE size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The pixels with their alpha, premultiplied, in a bitmap of their own.
SplashBitmap WithAlpha(PixelPicture& picture) {
  PremultiplyAlpha(picture.bgra);
  const BITMAPINFO info = TopDownBgraInfo(picture.size);
  void* bits = nullptr;
  platform::win32::GdiObject bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return {};
  std::memcpy(bits, picture.bgra.data(), picture.bgra.size());
  return {std::move(bitmap), picture.size, SplashSurface::PerPixelAlpha};
}

SplashBitmap FromPixels(PixelPicture& picture, COLORREF background) {
  if (HasTransparentPixels(picture.bgra)) return WithAlpha(picture);
  const BITMAPINFO info = TopDownBgraInfo(picture.size);
  return DrawBitmap(picture.size, background, [&](HDC dc) {
    return ::StretchDIBits(dc, 0, 0, picture.size.cx, picture.size.cy, 0, 0, picture.size.cx, picture.size.cy,
                           picture.bgra.data(), &info, DIB_RGB_COLORS, SRCCOPY) == picture.size.cy;
  });
}

}  // namespace

SplashBitmap RenderSplashPicture(const WideString& path, COLORREF background) {
  const OleFunctions* ole = LoadOleFunctions();
  if (ole == nullptr) return {};
  LONG size = 0;
  bool png = false;
  platform::win32::ComReference<IStream> stream;
  {
    // The stream holds a copy: the file is unmapped before the picture is decoded.
    const platform::SystemResult<platform::MappedFile> file = platform::MappedFile::Open(path);
    if (!file || file->Bytes().size() > static_cast<size_t>(std::numeric_limits<LONG>::max())) return {};
    size = static_cast<LONG>(file->Bytes().size());
    png = file->Bytes().starts_with(kPngSignature);
    stream = StreamOver(*ole, file->Bytes());
  }
  if (!stream) return {};

  // Windows's OLE refuses PNG; Wine's reads it and may call a picture with an
  // alpha channel opaque. PNG goes to the Imaging Component on both.
  std::optional<OlePicture> olePicture;
  if (!png) olePicture = LoadOlePicture(*ole, stream.Get(), size);
  if (olePicture && !olePicture->transparent) return FromOle(*olePicture, background);
  if (Rewind(stream.Get())) {
    if (std::optional<PixelPicture> pixels = DecodeWithWic(*ole, stream.Get())) return FromPixels(*pixels, background);
  }
  if (olePicture) return FromOle(*olePicture, background);
  return {};
}

}  // namespace launcher::ui::win32
