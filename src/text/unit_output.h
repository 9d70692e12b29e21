// UTF-16 output of the decoders. The text's room (one unit per input byte is
// always enough) is only reserved, not filled: touching fresh memory is what
// costs most on large texts, and most encodings need far fewer units than
// bytes. Units gather in a small buffer that is appended in pieces; the
// decoders write there directly, a stretch of input at a time.
#pragma once

#include <algorithm>
#include <string>
#include <utility>

namespace zk {

class UnitOutput {
 public:
  // Input bytes per stretch: their units (never more than bytes, give or take
  // the last character's) always fit into the room Stretch() hands out.
  static constexpr size_t kStretch = 1024;

  explicit UnitOutput(size_t capacity) { text_.reserve(capacity); }

  // Room for the units of one stretch; Commit(end) keeps those written before end.
  char16_t* Stretch() {
    if (kPiece - used_ < kStretch + kSlack) Flush();
    return piece_ + used_;
  }
  void Commit(const char16_t* end) { used_ = static_cast<size_t>(end - piece_); }

  void Put(char16_t c) {
    if (used_ == kPiece) Flush();
    piece_[used_++] = c;
  }
  std::u16string Take() {
    Flush();
    return std::move(text_);
  }

 private:
  static constexpr size_t kPiece = 4096;
  static constexpr size_t kSlack = 8;  // a character that runs past the stretch's end
  void Flush() {
    text_.append(piece_, used_);
    used_ = 0;
  }

  std::u16string text_;
  size_t used_ = 0;
  char16_t piece_[kPiece];
};

// The end of the stretch that starts at i, of n bytes in all.
inline size_t StretchEnd(size_t i, size_t n) { return std::min(n, i + UnitOutput::kStretch); }

}  // namespace zk
