// UTF-16 output of the decoders. The text's room (one unit per input byte is
// always enough) is only reserved, not filled: touching fresh memory is what
// costs most on large texts, and most encodings need far fewer units than
// bytes. Units gather in a small buffer that is appended in pieces.
#pragma once

#include <string>
#include <utility>

namespace zk {

class UnitOutput {
 public:
  explicit UnitOutput(size_t capacity) { text_.reserve(capacity); }
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
  void Flush() {
    text_.append(piece_, used_);
    used_ = 0;
  }

  std::u16string text_;
  size_t used_ = 0;
  char16_t piece_[kPiece];
};

}  // namespace zk
