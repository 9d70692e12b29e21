// The DIB container: one device-independent bitmap held in the layout the
// platform draws from (info header, colour table, pixel rows). Reading and
// writing Windows bitmap data, the clipboard layout and the true-colour
// palette live here; drawing and the exchange with ordinary bitmaps are in
// nk_dib_win.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/byte_source.h"
#include "image/dib/dib_format.h"
#include "image/dib/pixel_memory.h"

namespace zk {

enum TNkPixelFormat : uint8_t {
  nkPf1Bit,
  nkPf4Bit,
  nkPf4BitRLE,
  nkPf8Bit,
  nkPf8BitRLE,
  nkPf24Bit,
};

enum TNkProgressStage : uint8_t { nkPsStarting, nkPsRunning, nkPsEnding };

// A platform object made from the colour table (the Win32 side keeps its
// palette handle in one); dropped whenever the colour table changes.
class DIBPaletteObject {
 public:
  virtual ~DIBPaletteObject() = default;
};

// The storage, shared between TNkDIB objects assigned from one another.
struct TNkInternalDIB {
  BitmapInfoHeader header{};                // always the 40-byte form
  std::array<RgbQuad, 256> colors{};        // header.biClrUsed of them are valid
  std::unique_ptr<PixelBlock> pixels;       // from CurrentPixelMemory()
  size_t pixel_size = 0;                    // bytes of pixel data (RLE: the compressed data)
  mutable std::unique_ptr<DIBPaletteObject> palette;

  int Width() const { return header.biWidth; }
  int Height() const;  // absolute
  bool TopDown() const { return header.biHeight < 0; }
  int ColorCount() const { return static_cast<int>(header.biClrUsed); }
  const uint8_t* Bits() const { return pixels ? pixels->data() : nullptr; }
  uint8_t* Bits() { return pixels ? pixels->data() : nullptr; }

  // Throws ENkDIBInvalidDIB for any other combination of bit count and
  // compression.
  TNkPixelFormat GetPixelFormat() const;

  // New zeroed pixels and colour table; resolution 3780 pixels per metre.
  // width > 0, height != 0, colors 0..256, bit_count 1, 4, 8 or 24, else
  // ENkDIBInvalidParameters.
  void CreateDIB(int width, int height, int bit_count, int colors);

  // A deep copy with pixel memory of its own (no palette object).
  std::shared_ptr<TNkInternalDIB> Clone() const;

  void ColorsChanged() { palette.reset(); }
};

class TNkDIB {
 public:
  // A 1 x 1, 8-bit picture with 256 black colour entries.
  TNkDIB();
  // Copies share the storage; handlers stay with their object.
  TNkDIB(const TNkDIB& other) : storage_(other.storage_) {}
  TNkDIB& operator=(const TNkDIB& other) {
    Assign(other);
    return *this;
  }
  void Assign(const TNkDIB& source);

  int Width() const { return storage_->Width(); }
  int Height() const { return storage_->Height(); }
  int GetBitCount() const { return storage_->header.biBitCount; }
  bool Empty() const { return storage_->pixel_size == 0; }
  bool TopDown() const { return storage_->TopDown(); }
  TNkPixelFormat GetPixelFormat() const { return storage_->GetPixelFormat(); }
  const BitmapInfoHeader& InfoHeader() const { return storage_->header; }
  std::span<const RgbQuad> Colors() const {
    return {storage_->colors.data(), static_cast<size_t>(storage_->ColorCount())};
  }
  // A palette is made for every picture that has colour entries.
  bool HasPalette() const { return storage_->ColorCount() > 0; }
  const uint8_t* Bits() const { return storage_->Bits(); }
  size_t BitsSize() const { return storage_->pixel_size; }

  // Windows bitmap data (file header first) from position on; gives the
  // position behind the pixel data. On any error the picture keeps what it
  // held and the ENkDIBError is passed on.
  int64_t LoadFromStream(ByteSource& stream, int64_t position = 0);
  void LoadFromBytes(std::string_view bytes);
  // Appends the picture as a Windows bitmap file.
  void SaveToStream(std::string& out) const;
  std::string SaveToBytes() const;

  // The clipboard's DIB layout: info header, used colour entries, pixels.
  // Reading also takes the 12-byte header and colour masks.
  void LoadFromPackedDIB(std::span<const uint8_t> block);
  size_t PackedDIBSize() const;
  void WritePackedDIB(uint8_t* out) const;  // PackedDIBSize() bytes

  // New storage of its own, see TNkInternalDIB::CreateDIB.
  void CreateDIB(int width, int height, int bit_count, int colors);

  // Up to 256 representative colours of a 24-bit picture as its colour table;
  // the pixels stay 24-bit. Other formats: ENkDIBBadDIBType.
  void CreateTrueColorPalette();

  // Takes over storage built elsewhere (the Win32 side's bitmap reading).
  void SetStorage(std::shared_ptr<TNkInternalDIB> storage);
  const std::shared_ptr<TNkInternalDIB>& Storage() const { return storage_; }
  // The storage for a change of pixels or colours: copied first while shared.
  TNkInternalDIB& OwnStorage();

  std::function<void(TNkProgressStage stage, int percent, std::u16string_view message)> OnProgress;
  std::function<void()> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  void Progress(TNkProgressStage stage, int percent, std::u16string_view message) {
    if (OnProgress) OnProgress(stage, percent, message);
  }

  std::shared_ptr<TNkInternalDIB> storage_;
};

}  // namespace zk
