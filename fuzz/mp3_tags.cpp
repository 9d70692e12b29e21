// An MP3 file's tag as the viewer reads it for its summary.
#include "text/mp3_tags.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::Latin1Codec ansi;
  SpanByteSource file(std::string_view(reinterpret_cast<const char*>(data), size));
  int frames = 0;
  TMyTagID3 tag(u"C:\\music\\song.mp3", file, ansi, [&frames] { ++frames; });
  Mp3TagSummary(tag);
  return 0;
}
