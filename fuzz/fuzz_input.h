// What the fuzz harnesses share: typed values taken off the front of the
// fuzzer's bytes, the stand-in ANSI code page, and the check that stops a run.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "app/latin1_codec.h"
#include "image/decoders/pixel_sink.h"

namespace zk::fuzz {

using test::Latin1Codec;

// An invariant of the code under test; a broken one ends the run as a crash
// so that the fuzzer keeps the input.
inline void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// Reads past the end give zeros and empty texts, so every input is usable.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t left() const { return size_ - at_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint16_t U16() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
  uint32_t U32() { return U16() | static_cast<uint32_t>(U16()) << 16; }
  uint64_t U64() { return U32() | static_cast<uint64_t>(U32()) << 32; }
  // A value in [0, count).
  unsigned Pick(unsigned count) { return count ? Byte() % count : 0; }
  // Up to max bytes, the length given by one byte.
  std::string Text(size_t max = 255) {
    const size_t n = std::min<size_t>({Byte(), max, left()});
    std::string s(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return s;
  }
  std::string Rest() {
    std::string s(reinterpret_cast<const char*>(data_ + at_), left());
    at_ = size_;
    return s;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// Rows for pictures of up to a few million pixels: larger ones are legal but
// would only slow the run, so they end the decode as a refused allocation would.
class CappedPixelSink final : public PixelSink {
 public:
  struct TooLarge {};
  PixelTarget Allocate(int width, int height) override {
    if (int64_t{width} * height > (int64_t{1} << 22)) throw TooLarge{};
    return inner_.Allocate(width, height);
  }
  const PixelBuffer& buffer() const { return inner_.buffer; }

 private:
  BufferPixelSink inner_;
};

inline std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

}  // namespace zk::fuzz
