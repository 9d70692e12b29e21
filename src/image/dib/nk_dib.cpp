#include "image/dib/nk_dib.h"

#include <cstdlib>
#include <cstring>

#include "image/dib/dib_error.h"
#include "image/dib/dib_reader.h"
#include "image/dib/true_color_palette.h"

namespace zk {

using namespace dib_messages;

int TNkInternalDIB::Height() const {
  int64_t h = header.biHeight;
  return static_cast<int>(h < 0 ? -h : h);  // the reader keeps INT_MIN away (see ReadDIB)
}

TNkPixelFormat TNkInternalDIB::GetPixelFormat() const {
  const uint32_t c = header.biCompression;
  switch (header.biBitCount) {
    case 1:
      if (c == kBiRgb) return nkPf1Bit;
      throw ENkDIBInvalidDIB(kInvalid1Bit);
    case 4:
      if (c == kBiRgb) return nkPf4Bit;
      if (c == kBiRle4) return nkPf4BitRLE;
      throw ENkDIBInvalidDIB(kInvalid4Bit);
    case 8:
      if (c == kBiRgb) return nkPf8Bit;
      if (c == kBiRle8) return nkPf8BitRLE;
      throw ENkDIBInvalidDIB(kInvalid8Bit);
    case 24:
      if (c == kBiRgb) return nkPf24Bit;
      throw ENkDIBInvalidDIB(kInvalid24Bit);
    default:
      throw ENkDIBInvalidDIB(kIllegalBitCount);
  }
}

void TNkInternalDIB::CreateDIB(int width, int height, int bit_count, int color_count) {
  bool valid_bits = bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 24;
  if (width <= 0 || height == 0 || height == INT32_MIN || color_count < 0 || color_count > 256 || !valid_bits)
    throw ENkDIBInvalidParameters(kCreateInvalidParameters);
  uint64_t size = DibRowBytes(static_cast<uint64_t>(width), bit_count) * static_cast<uint64_t>(std::abs(height));
  BitmapInfoHeader h{};
  h.biSize = sizeof(h);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<uint16_t>(bit_count);
  h.biCompression = kBiRgb;
  h.biSizeImage = static_cast<uint32_t>(size);
  h.biXPelsPerMeter = h.biYPelsPerMeter = kDefaultPelsPerMeter;
  h.biClrUsed = static_cast<uint32_t>(color_count);
  AllocatePixels(*this, size);
  header = h;
  colors.fill(RgbQuad{});
  ColorsChanged();
}

std::shared_ptr<TNkInternalDIB> TNkInternalDIB::Clone() const {
  auto copy = std::make_shared<TNkInternalDIB>();
  copy->header = header;
  copy->colors = colors;
  AllocatePixels(*copy, pixel_size);
  if (pixel_size) std::memcpy(copy->Bits(), Bits(), pixel_size);
  return copy;
}

TNkDIB::TNkDIB() : storage_(std::make_shared<TNkInternalDIB>()) {
  storage_->CreateDIB(1, 1, 8, 256);  // colour entries zero: all black
}

void TNkDIB::Assign(const TNkDIB& source) {
  if (storage_ == source.storage_) return;
  storage_ = source.storage_;
  Changed();
}

void TNkDIB::SetStorage(std::shared_ptr<TNkInternalDIB> storage) {
  storage_ = std::move(storage);
  Changed();
}

TNkInternalDIB& TNkDIB::OwnStorage() {
  if (storage_.use_count() > 1) storage_ = storage_->Clone();
  return *storage_;
}

int64_t TNkDIB::LoadFromStream(ByteSource& stream, int64_t position) {
  int64_t end = position;
  SetStorage(ReadDIB(stream, position, DIBLayout::kFile, &end));
  return end;
}

void TNkDIB::LoadFromBytes(std::string_view bytes) {
  SpanByteSource source(bytes);
  LoadFromStream(source, 0);
}

void TNkDIB::LoadFromPackedDIB(std::span<const uint8_t> block) {
  SpanByteSource source(std::string_view(reinterpret_cast<const char*>(block.data()), block.size()));
  SetStorage(ReadDIB(source, 0, DIBLayout::kPacked));
}

size_t TNkDIB::PackedDIBSize() const {
  return sizeof(BitmapInfoHeader) + Colors().size_bytes() + storage_->pixel_size;
}

void TNkDIB::WritePackedDIB(uint8_t* out) const {
  std::memcpy(out, &storage_->header, sizeof(BitmapInfoHeader));
  out += sizeof(BitmapInfoHeader);
  std::memcpy(out, Colors().data(), Colors().size_bytes());
  out += Colors().size_bytes();
  if (storage_->pixel_size) std::memcpy(out, Bits(), storage_->pixel_size);
}

void TNkDIB::SaveToStream(std::string& out) const {
  const uint32_t off_bits = static_cast<uint32_t>(sizeof(BitmapFileHeader) + sizeof(BitmapInfoHeader) +
                                                  Colors().size_bytes());
  BitmapFileHeader file{};
  file.bfType = kBitmapFileType;
  file.bfSize = off_bits + static_cast<uint32_t>(storage_->pixel_size);
  file.bfOffBits = off_bits;
  size_t at = out.size();
  out.resize(at + sizeof(file) + PackedDIBSize());
  std::memcpy(out.data() + at, &file, sizeof(file));
  WritePackedDIB(reinterpret_cast<uint8_t*>(out.data() + at + sizeof(file)));
}

std::string TNkDIB::SaveToBytes() const {
  std::string out;
  SaveToStream(out);
  return out;
}

void TNkDIB::CreateDIB(int width, int height, int bit_count, int colors) {
  auto storage = std::make_shared<TNkInternalDIB>();
  storage->CreateDIB(width, height, bit_count, colors);
  SetStorage(std::move(storage));
}

void TNkDIB::CreateTrueColorPalette() {
  if (GetBitCount() != 24 || storage_->header.biCompression != kBiRgb)
    throw ENkDIBBadDIBType(kBadTrueColorType);
  Progress(nkPsStarting, 0, u"Create True Color Palette");
  std::vector<RgbQuad> chosen = ChooseTrueColorPalette(*storage_, 256);
  TNkInternalDIB& own = OwnStorage();
  own.colors.fill(RgbQuad{});
  std::copy(chosen.begin(), chosen.end(), own.colors.begin());
  own.header.biClrUsed = static_cast<uint32_t>(chosen.size());
  own.header.biClrImportant = 0;
  own.ColorsChanged();
  Progress(nkPsEnding, 100, u"Create True Color Palette");
  Changed();
}

}  // namespace zk
