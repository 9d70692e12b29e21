// An outline document (".nna") as the text page shows it, and the plain line
// reader beneath it.
#include "text/outline_document.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::Latin1Codec ansi;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadTextLines(bytes, ansi);
  const OutlineChapter chapter = ReadOutlineDocument(bytes, ansi);
  fuzz::Require(chapter.showed || chapter.rich_text.empty(), "a body without a chapter");
  return 0;
}
