#include "japanese_text.h"

#include <random>
#include <vector>

#include "text/jis_tables.h"

namespace zk::bench {

namespace {

// One character: JIS X 0208 row and cell, or an ASCII byte when row is 0.
struct Char {
  int row;
  int cell;
};

class Writer {
 public:
  explicit Writer(Encoding e) : e_(e) {
    if (e == Encoding::kUtf8Bom) out_ = {'\xEF', '\xBB', '\xBF'};
    if (e == Encoding::kUtf16Le) out_ = {'\xFF', '\xFE'};
  }

  void Put(Char c) {
    char16_t u = c.row ? Jis0208Table[(c.row - 1) * kJisCells + c.cell - 1] : static_cast<char16_t>(c.cell);
    switch (e_) {
      case Encoding::kSjis:
        if (!c.row) {
          out_ += static_cast<char>(c.cell);
        } else {
          int lead = (c.row + 1) / 2 + (c.row <= 62 ? 0x80 : 0xC0);
          int trail = c.row % 2 ? c.cell + (c.cell <= 63 ? 0x3F : 0x40) : c.cell + 0x9E;
          out_ += static_cast<char>(lead);
          out_ += static_cast<char>(trail);
        }
        break;
      case Encoding::kEuc:
        if (c.row) out_ += static_cast<char>(c.row + 0xA0);
        out_ += static_cast<char>(c.row ? c.cell + 0xA0 : c.cell);
        break;
      case Encoding::kJis:
        if ((c.row != 0) != in_kanji_) out_ += c.row ? "\x1B$B" : "\x1B(B";
        in_kanji_ = c.row != 0;
        if (c.row) out_ += static_cast<char>(c.row + 0x20);
        out_ += static_cast<char>(c.row ? c.cell + 0x20 : c.cell);
        break;
      case Encoding::kUtf7: PutUtf7(u); break;
      case Encoding::kUtf8:
      case Encoding::kUtf8Bom:
        if (u < 0x80) {
          out_ += static_cast<char>(u);
        } else {  // the characters made here are all below U+10000
          out_ += static_cast<char>(0xE0 | (u >> 12));
          out_ += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
          out_ += static_cast<char>(0x80 | (u & 0x3F));
        }
        break;
      case Encoding::kUtf16Le:
        out_ += static_cast<char>(u & 0xFF);
        out_ += static_cast<char>(u >> 8);
        break;
    }
  }

  std::string Finish() {
    if (e_ == Encoding::kUtf7) EndRun();
    if (e_ == Encoding::kJis && in_kanji_) out_ += "\x1B(B";
    return std::move(out_);
  }

  size_t size() const { return out_.size(); }

 private:
  void PutUtf7(char16_t u) {
    static const char* kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (u < 0x80 && u != '+') {
      EndRun();
      out_ += static_cast<char>(u);
      return;
    }
    if (!in_run_) out_ += '+';
    in_run_ = true;
    bits_ = (bits_ << 16) | u;
    count_ += 16;
    while (count_ >= 6) {
      count_ -= 6;
      out_ += kBase64[(bits_ >> count_) & 0x3F];
    }
  }

  void EndRun() {
    if (!in_run_) return;
    if (count_) out_ += "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[(bits_ << (6 - count_)) & 0x3F];
    out_ += '-';
    in_run_ = false;
    count_ = 0;
  }

  Encoding e_;
  std::string out_;
  bool in_kanji_ = false;
  bool in_run_ = false;
  uint32_t bits_ = 0;
  int count_ = 0;
};

}  // namespace

std::string JapaneseText(Encoding encoding, size_t bytes, bool ascii) {
  std::mt19937 rng(2024);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  static const std::string kWords[] = {"Zarvik ", "2024 ", "OK ", "PDF ", "(1) ", "ID: 42 "};
  Writer w(encoding);
  int column = 0, line_length = pick(20, 60);
  while (w.size() < bytes) {
    int k = pick(0, 99);
    if (k < 55) {
      w.Put({4, pick(1, 83)});  // hiragana
    } else if (k < 70) {
      w.Put({5, pick(1, 86)});  // katakana
    } else if (k < 92) {
      int row = pick(16, 47);   // first-level kanji
      w.Put({row, pick(1, row == 47 ? 51 : 94)});
    } else if (k < 97) {
      w.Put({1, pick(2, 3)});   // 、 。
    } else if (ascii) {
      for (char c : kWords[pick(0, 5)]) w.Put({0, c});
    }
    if (++column >= line_length && ascii) {
      w.Put({0, '\r'});
      w.Put({0, '\n'});
      column = 0;
      line_length = pick(20, 60);
    }
  }
  return w.Finish();
}

}  // namespace zk::bench
