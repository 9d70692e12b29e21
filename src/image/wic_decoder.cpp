#include "image/wic_decoder.h"

#include <wincodec.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "base/win_com.h"
#include "image/decoders/pixel_sink.h"
#include "image/dib_section.h"
#include "image/picture_loader.h"

namespace zk {
namespace {

// COM for this thread while it lives, unless the thread has it already.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

bool MakeFactory(ComPtr<IWICImagingFactory>& factory) {
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    factory.put_void()));
}

[[noreturn]] void Fail(const char* what) { throw PictureLoadError(what); }

// The EXIF orientation the system's photo metadata reports for the frame
// (HEIC's turn and mirror, a TIFF's or a camera file's tag); 1 without one.
int FrameOrientation(IWICBitmapFrameDecode* frame) {
  ComPtr<IWICMetadataQueryReader> reader;
  if (FAILED(frame->GetMetadataQueryReader(reader.put()))) return 1;
  PROPVARIANT value;
  PropVariantInit(&value);
  int orientation = 1;
  if (SUCCEEDED(reader->GetMetadataByName(L"System.Photo.Orientation", &value)) && value.vt == VT_UI2 &&
      value.uiVal >= 1 && value.uiVal <= 8)
    orientation = value.uiVal;
  PropVariantClear(&value);
  return orientation;
}

}  // namespace

void RegisterWicFormats(PictureFormatRegistry& registry) {
  static bool done = false;
  if (done) return;
  done = true;
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IEnumUnknown> decoders;
  if (!MakeFactory(factory) || FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, decoders.put())))
    return;
  for (;;) {
    ComPtr<IUnknown> item;
    ULONG got = 0;
    if (decoders->Next(1, item.put(), &got) != S_OK || got != 1) break;
    ComPtr<IWICBitmapCodecInfo> info;
    if (FAILED(item->QueryInterface(IID_IWICBitmapCodecInfo, info.put_void()))) continue;
    UINT length = 0;
    if (FAILED(info->GetFileExtensions(0, nullptr, &length)) || length == 0) continue;
    std::wstring extensions(length, L'\0');
    if (FAILED(info->GetFileExtensions(length, extensions.data(), &length))) continue;
    std::wstring name(256, L'\0');
    UINT name_length = 0;
    if (FAILED(info->GetFriendlyName(256, name.data(), &name_length))) name_length = 1;
    name.resize(name_length > 0 ? name_length - 1 : 0);
    // ".tiff,.tif": each one that no decoder has yet.
    size_t start = 0;
    while (start < extensions.size()) {
      size_t end = extensions.find_first_of(L",;", start);
      if (end == std::wstring::npos) end = extensions.size();
      std::u16string ext(extensions.begin() + static_cast<ptrdiff_t>(start), extensions.begin() + static_cast<ptrdiff_t>(end));
      while (!ext.empty() && (ext.back() == u'\0' || ext.back() == u' ')) ext.pop_back();
      if (!ext.empty() && ext.front() == u'.') ext.erase(0, 1);
      if (!ext.empty() && !registry.FindPictureFormat(ext))
        registry.RegisterPictureFormat(ext, std::u16string(name.begin(), name.end()), PictureDecoderKind::kWic);
      start = end + 1;
    }
  }
}

std::unique_ptr<Picture> LoadWicPicture(std::span<const uint8_t> bytes, COLORREF background) {
  if (bytes.empty() || bytes.size() > 0xFFFFFFFFu) Fail("no picture for WIC");
  ComScope com;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (!MakeFactory(factory) || FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())))
    Fail("WIC knows no decoder for the data");
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0)
    Fail("WIC gives no picture size");
  // The same plausibility as the built-in decoders: checked before any pixel memory is taken.
  if (!PictureSizeJustified(width, height, static_cast<int64_t>(bytes.size()))) Fail("picture too large for its file");
  ComPtr<IWICBitmapSource> bgra;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), bgra.put())))
    Fail("WIC cannot convert the picture");

  DibSection24 dib = CreateDibSection24(static_cast<int>(width), static_cast<int>(height));
  std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
  const unsigned bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
  for (UINT y = 0; y < height; ++y) {
    const WICRect line{0, static_cast<INT>(y), static_cast<INT>(width), 1};
    if (FAILED(bgra->CopyPixels(&line, width * 4, static_cast<UINT>(row.size()), row.data())))
      Fail("WIC could not decode the pixels");
    uint8_t* out = dib.bits + static_cast<ptrdiff_t>(y) * dib.stride;
    for (UINT x = 0; x < width; ++x, out += 3) {
      const uint8_t* in = &row[static_cast<size_t>(x) * 4];
      const unsigned a = in[3];
      for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>((in[c] * a + bg[c] * (255 - a) + 127) / 255);
    }
  }
  return MakeBitmapPicture(TurnUpright(std::move(dib), FrameOrientation(frame.get())));
}

}  // namespace zk
