// Pictures decoded by the plug-ins. A data source (a file, or bytes in
// memory) shows its head to the candidate import plug-ins and keeps the
// bitmap blocks the first successful one hands back; `TSPIGraphic` is a
// picture backed by such a source; `TSPINkDIB` and `TSPIBitmap` try the
// plug-ins and their own bitmap reader in turn and end up holding an
// ordinary picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/win_handles.h"
#include "image/dib/nk_dib.h"
#include "image/dib/nk_dib_win.h"
#include "image/plugins/spi.h"
#include "image/plugins/spi_bitmap.h"

namespace zk {

// "Susie Plugins could not decode" and the like.
class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Progress of a decoding; true asks the plug-in to stop.
using SpiProgressHandler = std::function<bool(TNkProgressStage stage, int percent, std::u16string_view message)>;

// The path as the plug-ins take it: in the system code page when it converts
// whole and stays under 260 bytes, else its short form; nothing when neither.
std::optional<std::string> NarrowPath(const std::u16string& path);

class TInSPIAbleData {
 public:
  explicit TInSPIAbleData(std::u16string file_name) : FileName(std::move(file_name)) {}
  virtual ~TInSPIAbleData() { Release(); }
  TInSPIAbleData(const TInSPIAbleData&) = delete;
  TInSPIAbleData& operator=(const TInSPIAbleData&) = delete;

  // Asks the candidate plug-ins at offset 0 (and 128 for MacBinary) until one
  // hands back a sound picture; the result stays empty when none does.
  void Decode();
  void Release();
  bool Empty() const { return !facts_; }
  std::span<const uint8_t> InfoBlock() const { return info_span_; }
  std::span<const uint8_t> Bits() const { return bits_span_; }
  const SpiBitmapFacts& Facts() const { return *facts_; }

  std::u16string FileName;  // the file, or a stream's name hint
  SpiProgressHandler OnProgress;

 protected:
  virtual void ReadHead(uint8_t* buffer, size_t size) = 0;
  virtual int GetInfo(const TSPI& spi, const std::string& narrow, size_t offset, SpiPictureInfo* info) = 0;
  virtual int GetPreview(const TSPI& spi, const std::string& narrow, size_t offset, HLOCAL* info, HLOCAL* bits) = 0;
  virtual int GetPicture(const TSPI& spi, const std::string& narrow, size_t offset, HLOCAL* info, HLOCAL* bits) = 0;

  static int WINAPI ProgressCallback(int numerator, int denominator, SpiLength data);
  SpiLength CallbackData() { return reinterpret_cast<SpiLength>(this); }

 private:
  bool Notify(TNkProgressStage stage, int percent, std::u16string_view message);
  bool TryPlugin(const TSPI& spi, const std::optional<std::string>& narrow, const uint8_t* head, size_t offset);
  // Takes the blocks of a successful call: locked and checked, or freed.
  bool Accept(HLOCAL info, HLOCAL bits);

  HLOCAL info_ = nullptr;
  HLOCAL bits_ = nullptr;
  bool info_locked_ = false;
  bool bits_locked_ = false;
  SpiPictureInfo record_{};
  std::span<const uint8_t> info_span_, bits_span_;
  std::optional<SpiBitmapFacts> facts_;
};

class TInSPIAbleFromFile final : public TInSPIAbleData {
 public:
  using TInSPIAbleData::TInSPIAbleData;

 protected:
  void ReadHead(uint8_t* buffer, size_t size) override;
  int GetInfo(const TSPI& spi, const std::string& narrow, size_t offset, SpiPictureInfo* info) override;
  int GetPreview(const TSPI& spi, const std::string& narrow, size_t offset, HLOCAL* info, HLOCAL* bits) override;
  int GetPicture(const TSPI& spi, const std::string& narrow, size_t offset, HLOCAL* info, HLOCAL* bits) override;
};

// The bytes are used where they are; they must outlive the source.
class TInSPIAbleFromStream final : public TInSPIAbleData {
 public:
  TInSPIAbleFromStream(std::u16string name_hint, std::span<const uint8_t> data)
      : TInSPIAbleData(std::move(name_hint)), data_(data) {}

 protected:
  void ReadHead(uint8_t* buffer, size_t size) override;
  int GetInfo(const TSPI& spi, const std::string& narrow, size_t offset, SpiPictureInfo* info) override;
  int GetPreview(const TSPI& spi, const std::string& narrow, size_t offset, HLOCAL* info, HLOCAL* bits) override;
  int GetPicture(const TSPI& spi, const std::string& narrow, size_t offset, HLOCAL* info, HLOCAL* bits) override;

 private:
  std::span<const uint8_t> data_;
};

class TSPIGraphic {
 public:
  // Throw EInvalidGraphic when no plug-in decodes the data.
  void LoadFromFile(const std::u16string& path);
  void LoadFromStream(std::span<const uint8_t> data, const std::u16string& name_hint = {});

  bool Empty() const { return !source_ || source_->Empty(); }
  int Width() const { return Empty() ? 0 : source_->Facts().width; }
  int Height() const { return Empty() ? 0 : source_->Facts().height; }
  bool FourBits() const { return !Empty() && source_->Facts().bit_count == 4; }
  void Draw(HDC dc, const RECT& rect) const;
  // A Windows bitmap file of the picture; empty when there is none.
  std::string SaveToBitmapFile() const;
  // The picture as a DIB container; `release` frees the plug-in's blocks
  // right after they were written out.
  TNkDIB ToNkDIB(bool release);

  SpiProgressHandler OnProgress;

 private:
  void Load(std::unique_ptr<TInSPIAbleData> source);
  std::unique_ptr<TInSPIAbleData> source_;
};

class TSPINkDIB {
 public:
  // Plug-ins and the DIB reader in turn (the reader first for ".bmp");
  // throw EInvalidGraphic when neither decodes, keeping the previous picture.
  void LoadFromFile(const std::u16string& path);
  void LoadFromStream(std::span<const uint8_t> data, const std::u16string& name_hint = {});
  void Assign(TSPIGraphic& graphic) { SetPicture(graphic.ToNkDIB(false)); }

  const TNkDIB& DIB() const { return dib_; }
  int PaletteMode = 1;  // 1 automatic, 2 always, else never an optimised palette for true colour
  SpiProgressHandler OnProgress;

 private:
  template <typename LoadGraphic, typename LoadBase>
  void LoadWith(const std::u16string& name, LoadGraphic load_graphic, LoadBase load_base);
  void SetPicture(TNkDIB dib);
  TNkDIB dib_;
};

// The same on an ordinary bitmap; the plug-in host's default picture kind.
class TSPIBitmap {
 public:
  void LoadFromFile(const std::u16string& path);
  void LoadFromStream(std::span<const uint8_t> data, const std::u16string& name_hint = {});
  UniqueBitmap TakeBitmap() { return std::move(bitmap_.bitmap); }
  SIZE Size() const { return size_; }
  SpiProgressHandler OnProgress;

 private:
  void Take(const TSPINkDIB& loaded);
  DIBBitmap bitmap_;
  SIZE size_{0, 0};
};

}  // namespace zk
