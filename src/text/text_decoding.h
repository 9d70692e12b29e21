// A text file's bytes to UTF-16 text: byte-order marks, UTF-16 guessing,
// NUL handling, encoding detection and decoding.
#pragma once

#include <string>

#include "text/char_code.h"
#include "text/code_page_decoder.h"

namespace zk {

struct TextFile {
  CharCode id = CharCode::kNone;
  std::u16string text;
  bool HasNull = false;    // a NUL byte (a U+0000 unit in UTF-16) was found
  bool ReadError = false;  // the file could not be opened
};

// Decodes a whole file's bytes (never a read error). `decoder` serves code
// pages 932, 65000 and 65001.
TextFile DecodeTextBytes(std::string bytes, const CodePageDecoder& decoder);

}  // namespace zk
