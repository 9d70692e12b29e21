#include "image/plugins/spi_graphic.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "base/win_text.h"
#include "image/dib/dib_error.h"
#include "image/plugins/spi_host.h"

namespace zk {
namespace {

constexpr char kCouldNotDecode[] = "Susie Plugins could not decode";

std::optional<std::string> ToAnsiWhole(std::u16string_view text) {
  if (text.empty()) return std::string();
  const std::wstring wide = ToWide(text);
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, &lossy);
  if (n <= 0 || lossy) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                      &lossy);
  if (lossy) return std::nullopt;
  return out;
}

int DisplayBits() {
  static const int bits = [] {
    WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), PLANES) * GetDeviceCaps(screen.get(), BITSPIXEL);
  }();
  return bits;
}

bool IsBitmapName(const std::u16string& name) { return EqualsIgnoreCase(ExtractFileExt(name), u".BMP"); }

}  // namespace

std::optional<std::string> NarrowPath(const std::u16string& path) {
  if (std::optional<std::string> narrow = ToAnsiWhole(path); narrow && narrow->size() < MAX_PATH) return narrow;
  wchar_t short_path[MAX_PATH + 1];
  const DWORD n = GetShortPathNameW(W(path), short_path, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return std::nullopt;
  std::optional<std::string> narrow = ToAnsiWhole(FromWide(std::wstring_view(short_path, n)));
  if (narrow && narrow->size() > MAX_PATH) return std::nullopt;
  return narrow;
}

// ---- data sources ----

bool TInSPIAbleData::Notify(TNkProgressStage stage, int percent, std::u16string_view message) {
  return OnProgress && OnProgress(stage, percent, message);
}

int WINAPI TInSPIAbleData::ProgressCallback(int numerator, int denominator, SpiLength data) {
  // Nothing may be thrown back into the plug-in.
  try {
    auto* source = reinterpret_cast<TInSPIAbleData*>(data);
    if (!source || !source->OnProgress) return 0;
    return source->Notify(nkPsRunning, SpiProgressPercent(numerator, denominator), u"") ? 1 : 0;
  } catch (...) {
    return 1;
  }
}

void TInSPIAbleData::Release() {
  facts_.reset();
  info_span_ = {};
  bits_span_ = {};
  for (auto [block, locked] : {std::pair{&info_, &info_locked_}, std::pair{&bits_, &bits_locked_}}) {
    if (*locked) LocalUnlock(*block);
    if (*block) LocalFree(*block);
    *block = nullptr;
    *locked = false;
  }
  if (record_.info_text) LocalFree(reinterpret_cast<HLOCAL>(static_cast<uintptr_t>(record_.info_text)));
  record_ = {};
}

bool TInSPIAbleData::Accept(HLOCAL info, HLOCAL bits) {
  info_ = info;
  bits_ = bits;
  if (!info || !bits) return false;
  const SIZE_T info_size = LocalSize(info);
  const SIZE_T bits_size = LocalSize(bits);
  const auto* info_bytes = static_cast<const uint8_t*>(LocalLock(info));
  info_locked_ = info_bytes != nullptr;
  const auto* bits_bytes = static_cast<const uint8_t*>(LocalLock(bits));
  bits_locked_ = bits_bytes != nullptr;
  if (!info_bytes || !bits_bytes) return false;
  facts_ = CheckSpiBitmap({info_bytes, info_size}, bits_size);
  if (!facts_) return false;
  info_span_ = {info_bytes, info_size};
  bits_span_ = {bits_bytes, bits_size};
  return true;
}

bool TInSPIAbleData::TryPlugin(const TSPI& spi, const std::optional<std::string>& narrow, const uint8_t* head,
                               size_t offset) {
  if (!narrow) return false;
  if (!spi.IsSupported(narrow->c_str(), head + offset)) return false;
  // Only a record the plug-in answered for carries a text handle worth freeing.
  if (GetInfo(spi, *narrow, offset, &record_) != 0) record_ = {};
  HLOCAL info = nullptr, bits = nullptr;
  int result = 1;
  if (TSPIs::Instance() && TSPIs::Instance()->GraphicPreview) {
    try {
      result = GetPreview(spi, *narrow, offset, &info, &bits);
    } catch (const ESPIInvalidAPI&) {
      result = 1;  // no preview entry: no preview
    }
    if (result != 0 || !info || !bits) {
      if (info) LocalFree(info);
      if (bits) LocalFree(bits);
      info = bits = nullptr;
      result = GetPicture(spi, *narrow, offset, &info, &bits);
    }
  } else {
    result = GetPicture(spi, *narrow, offset, &info, &bits);
  }
  if (result != 0) {
    // A failed call leaves no picture; blocks it made anyway are freed.
    if (info) LocalFree(info);
    if (bits) LocalFree(bits);
    return false;
  }
  return Accept(info, bits);
}

void TInSPIAbleData::Decode() {
  Notify(nkPsStarting, 0, u"Loading Graphic by Susie Plugin");
  struct End {
    TInSPIAbleData& self;
    ~End() {
      try {
        self.Notify(nkPsEnding, 100, u"Loaded Graphic by Susie Plugin");
      } catch (...) {
      }
    }
  } end{*this};
  Release();
  Notify(nkPsRunning, 1, u"Seeking enabled Susie Plugins");
  TSPIs* host = TSPIs::Instance();
  if (!host) return;
  const std::vector<TSPI*> candidates = host->CollectCandidates(SpiKind::kImport, FileName);
  if (candidates.empty()) return;
  std::vector<uint8_t> head(kSpiHeadSize, 0);
  ReadHead(head.data(), head.size());
  const std::optional<std::string> narrow = FileName.empty() ? std::optional<std::string>("") : NarrowPath(FileName);
  std::vector<size_t> offsets{0};
  if (host->MacBinary) offsets.push_back(kMacBinaryOffset);
  for (TSPI* spi : candidates) {
    for (size_t offset : offsets) {
      Notify(nkPsRunning, 1, u"Loading by [" + ExtractFileName(spi->FileName) + u"]");
      if (TryPlugin(*spi, narrow, head.data(), offset)) return;
      Release();
    }
  }
}

void TInSPIAbleFromFile::ReadHead(uint8_t* buffer, size_t size) {
  UniqueHandle file(CreateFileW(W(FileName), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  std::vector<uint8_t> read(size);
  DWORD got = 0;
  if (ReadFile(file.get(), read.data(), static_cast<DWORD>(size), &got, nullptr))
    std::memcpy(buffer, read.data(), std::min<size_t>(got, size));
}

int TInSPIAbleFromFile::GetInfo(const TSPI& spi, const std::string& narrow, size_t offset, SpiPictureInfo* info) {
  return spi.GetPictureInfo(narrow.c_str(), static_cast<SpiLength>(offset), kSpiFromFile, info);
}

int TInSPIAbleFromFile::GetPreview(const TSPI& spi, const std::string& narrow, size_t offset, HLOCAL* info,
                                   HLOCAL* bits) {
  return spi.GetPreview(narrow.c_str(), static_cast<SpiLength>(offset), kSpiFromFile, info, bits, ProgressCallback,
                        CallbackData());
}

int TInSPIAbleFromFile::GetPicture(const TSPI& spi, const std::string& narrow, size_t offset, HLOCAL* info,
                                   HLOCAL* bits) {
  return spi.GetPicture(narrow.c_str(), static_cast<SpiLength>(offset), kSpiFromFile, info, bits, ProgressCallback,
                        CallbackData());
}

void TInSPIAbleFromStream::ReadHead(uint8_t* buffer, size_t size) {
  std::memcpy(buffer, data_.data(), std::min(size, data_.size()));
}

int TInSPIAbleFromStream::GetInfo(const TSPI& spi, const std::string&, size_t offset, SpiPictureInfo* info) {
  if (offset > data_.size()) return 1;
  return spi.GetPictureInfo(reinterpret_cast<LPCSTR>(data_.data() + offset), static_cast<SpiLength>(data_.size() - offset),
                     kSpiFromMemory, info);
}

int TInSPIAbleFromStream::GetPreview(const TSPI& spi, const std::string&, size_t offset, HLOCAL* info, HLOCAL* bits) {
  if (offset > data_.size()) return 1;
  return spi.GetPreview(reinterpret_cast<LPCSTR>(data_.data() + offset),
                        static_cast<SpiLength>(data_.size() - offset), kSpiFromMemory, info, bits, ProgressCallback,
                        CallbackData());
}

int TInSPIAbleFromStream::GetPicture(const TSPI& spi, const std::string&, size_t offset, HLOCAL* info, HLOCAL* bits) {
  if (offset > data_.size()) return 1;
  return spi.GetPicture(reinterpret_cast<LPCSTR>(data_.data() + offset),
                        static_cast<SpiLength>(data_.size() - offset), kSpiFromMemory, info, bits, ProgressCallback,
                        CallbackData());
}

// ---- TSPIGraphic ----

void TSPIGraphic::Load(std::unique_ptr<TInSPIAbleData> source) {
  source_.reset();
  source->OnProgress = OnProgress;
  source->Decode();
  if (source->Empty()) throw EInvalidGraphic(kCouldNotDecode);
  source_ = std::move(source);
}

void TSPIGraphic::LoadFromFile(const std::u16string& path) { Load(std::make_unique<TInSPIAbleFromFile>(path)); }

void TSPIGraphic::LoadFromStream(std::span<const uint8_t> data, const std::u16string& name_hint) {
  Load(std::make_unique<TInSPIAbleFromStream>(name_hint, data));
}

void TSPIGraphic::Draw(HDC dc, const RECT& rect) const {
  if (Empty()) return;
  const SpiBitmapFacts& f = source_->Facts();
  const std::string file = SaveToBitmapFile();
  const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + 14);
  UniqueResource<HPALETTE, GdiTraits<HPALETTE>> palette;
  HPALETTE old_palette = nullptr;
  if (f.colors > 0) {
    std::vector<uint8_t> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(f.colors));
    auto* log = reinterpret_cast<LOGPALETTE*>(storage.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(f.colors);
    for (int i = 0; i < f.colors; ++i)
      log->palPalEntry[i] = {info->bmiColors[i].rgbRed, info->bmiColors[i].rgbGreen, info->bmiColors[i].rgbBlue, 0};
    palette.reset(CreatePalette(log));
    if (palette) {
      old_palette = SelectPalette(dc, palette.get(), TRUE);
      RealizePalette(dc);
    }
  }
  const int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, f.width,
                std::abs(f.height), file.data() + 14 + f.info_size, info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, old_mode);
  if (old_palette) SelectPalette(dc, old_palette, TRUE);
}

std::string TSPIGraphic::SaveToBitmapFile() const {
  if (Empty()) return {};
  return SpiBitmapFile(source_->InfoBlock(), source_->Bits(), source_->Facts());
}

TNkDIB TSPIGraphic::ToNkDIB(bool release) {
  const std::string file = SaveToBitmapFile();
  if (release) source_.reset();
  TNkDIB dib;
  dib.LoadFromBytes(file);
  return dib;
}

// ---- TSPINkDIB and TSPIBitmap ----

template <typename LoadGraphic, typename LoadBase>
void TSPINkDIB::LoadWith(const std::u16string& name, LoadGraphic load_graphic, LoadBase load_base) {
  struct End {
    TSPINkDIB& self;
    ~End() {
      try {
        if (self.OnProgress) self.OnProgress(nkPsEnding, 100, u"Loaded Graphic");
      } catch (...) {
      }
    }
  } end{*this};
  // The parts' progress is relayed, all but their end.
  const SpiProgressHandler relay = [this](TNkProgressStage stage, int percent, std::u16string_view message) {
    return stage != nkPsEnding && OnProgress && OnProgress(stage, percent, message);
  };
  auto try_graphic = [&]() -> std::optional<TNkDIB> {
    TSPIGraphic graphic;
    graphic.OnProgress = relay;
    try {
      load_graphic(graphic);
    } catch (const std::exception&) {
      return std::nullopt;
    }
    return graphic.ToNkDIB(true);
  };
  auto try_base = [&]() -> std::optional<TNkDIB> {
    TNkDIB dib;
    try {
      load_base(dib);
    } catch (const std::exception&) {
      return std::nullopt;
    }
    return dib;
  };
  std::optional<TNkDIB> loaded;
  if (IsBitmapName(name)) {
    loaded = try_base();
    if (!loaded) loaded = try_graphic();
  } else {
    loaded = try_graphic();
    if (!loaded) loaded = try_base();
  }
  if (!loaded) throw EInvalidGraphic(kCouldNotDecode);
  SetPicture(std::move(*loaded));
}

void TSPINkDIB::LoadFromFile(const std::u16string& path) {
  LoadWith(
      path, [&](TSPIGraphic& g) { g.LoadFromFile(path); }, [&](TNkDIB& dib) { LoadDIBFromFile(dib, path); });
}

void TSPINkDIB::LoadFromStream(std::span<const uint8_t> data, const std::u16string& name_hint) {
  LoadWith(
      name_hint, [&](TSPIGraphic& g) { g.LoadFromStream(data, name_hint); },
      [&](TNkDIB& dib) { dib.LoadFromBytes({reinterpret_cast<const char*>(data.data()), data.size()}); });
}

void TSPINkDIB::SetPicture(TNkDIB dib) {
  dib_ = std::move(dib);
  const int bits = dib_.GetBitCount();
  const bool true_color = bits == 16 || bits == 24 || bits == 32;
  if (true_color && !dib_.HasPalette() && (PaletteMode == 2 || (PaletteMode == 1 && DisplayBits() < 9))) {
    try {
      dib_.CreateTrueColorPalette();
    } catch (const ENkDIBError&) {
      // Only 24-bit pictures get one; the others are drawn as they are.
    }
  }
}

void TSPIBitmap::Take(const TSPINkDIB& loaded) {
  DIBBitmap made = AssignDIBToBitmap(loaded.DIB());
  if (!made.bitmap) throw EInvalidGraphic(kCouldNotDecode);
  bitmap_ = std::move(made);
  size_ = {loaded.DIB().Width(), loaded.DIB().Height()};
}

void TSPIBitmap::LoadFromFile(const std::u16string& path) {
  TSPINkDIB loaded;
  loaded.PaletteMode = 0;
  loaded.OnProgress = OnProgress;
  loaded.LoadFromFile(path);
  Take(loaded);
}

void TSPIBitmap::LoadFromStream(std::span<const uint8_t> data, const std::u16string& name_hint) {
  TSPINkDIB loaded;
  loaded.PaletteMode = 0;
  loaded.OnProgress = OnProgress;
  loaded.LoadFromStream(data, name_hint);
  Take(loaded);
}

}  // namespace zk
