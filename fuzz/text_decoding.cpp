// A text file's bytes as the text view takes them: detection and decoding in
// one, then every decoder on the same bytes, then the first screen's piece.
#include "text/char_code.h"
#include "text/code_page_decoder.h"
#include "text/detect_char_code.h"
#include "text/jis_decoders.h"
#include "text/text_decoding.h"
#include "text/text_pieces.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const PortableCodePageDecoder decoder;
  const TextFile file = DecodeTextBytes(bytes, decoder);
  fuzz::Require(file.id != CharCode::kNone && !CharCodeName(file.id).empty(), "no encoding decided");
  PieceLength(file.text, 40, 4096);

  const DetectResult detected = DetectCharCode(bytes, size / 2);
  fuzz::Require(static_cast<int>(detected) <= static_cast<int>(DetectResult::kHighBytes), "detection out of range");
  DetectCharCode(bytes);
  for (unsigned page : {kCodePageSjis, kCodePageUtf7, kCodePageUtf8, 1252u}) decoder.Decode(page, bytes);
  // The decoders give at most one unit per byte (the platform's buffer size).
  fuzz::Require(DecodeCp932(bytes).size() <= size, "code page 932 grew");
  fuzz::Require(DecodeUtf8(bytes).size() <= size, "UTF-8 grew");
  DecodeUtf7(bytes);
  EucToUnicode(bytes);
  JisToUnicode(bytes);
  return 0;
}
