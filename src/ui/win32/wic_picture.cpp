#include "ui/win32/wic_picture.h"

#include <wincodec.h>

#include "platform/windows_api.h"

namespace launcher::ui::win32 {
namespace {

using platform::win32::ComReference;

// More would not fit CopyPixels's 32-bit buffer size.
constexpr uint64_t kMaximumBytes = 0x7FFFFFFF;

template <typename Interface>
ComReference<Interface> Adopt(HRESULT result, Interface* object) {
  ComReference<Interface> reference(object);
  if (FAILED(result)) reference.Reset();
  return reference;
}

ComReference<IWICImagingFactory> CreateFactory(const OleFunctions& ole) {
  IWICImagingFactory* factory = nullptr;
  const HRESULT result = ole.coCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              __uuidof(IWICImagingFactory), reinterpret_cast<void**>(&factory));
  return Adopt(result, factory);
}

// The stream's first frame, converted to 32-bit BGRA.
ComReference<IWICFormatConverter> FirstFrameAsBgra(IWICImagingFactory* factory, IStream* stream) {
  IWICBitmapDecoder* decoder = nullptr;
  HRESULT result = factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder);
  const ComReference<IWICBitmapDecoder> ownedDecoder = Adopt(result, decoder);
  if (!ownedDecoder) return {};
  IWICBitmapFrameDecode* frame = nullptr;
  result = decoder->GetFrame(0, &frame);
  const ComReference<IWICBitmapFrameDecode> ownedFrame = Adopt(result, frame);
  if (!ownedFrame) return {};
  IWICFormatConverter* converter = nullptr;
  result = factory->CreateFormatConverter(&converter);
  ComReference<IWICFormatConverter> ownedConverter = Adopt(result, converter);
  if (!ownedConverter || FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                                      nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return {};
  }
  return ownedConverter;
}

}  // namespace

std::optional<PixelPicture> DecodeWithWic(const OleFunctions& ole, IStream* stream) {
  ComReference<IWICImagingFactory> factory = CreateFactory(ole);
  if (!factory) return std::nullopt;
  ComReference<IWICFormatConverter> converter = FirstFrameAsBgra(factory.Get(), stream);
  if (!converter) return std::nullopt;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter.Get()->GetSize(&width, &height)) || width == 0 || height == 0) return std::nullopt;
  const uint64_t bytes = uint64_t{width} * height * 4;
  if (bytes > kMaximumBytes) return std::nullopt;
  PixelPicture picture{{static_cast<LONG>(width), static_cast<LONG>(height)}, std::vector<uint8_t>(bytes)};
  if (FAILED(converter.Get()->CopyPixels(nullptr, width * 4, static_cast<UINT>(bytes), picture.bgra.data()))) {
    return std::nullopt;
  }
  return picture;
}

}  // namespace launcher::ui::win32
