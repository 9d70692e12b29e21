// The toolbar layout file as the window loads it (UTF-8, byte-order mark
// optional), and as it saves and loads it again: the same layout comes back.
#include "app/model/toolbar_layout.h"
#include "base/text.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::optional<ToolbarLayout> layout = ParseToolbarLayout(Utf8ToUtf16(text));
  if (!layout) return 0;
  const std::string saved = Utf16ToUtf8(SerializeToolbarLayout(*layout));
  const std::optional<ToolbarLayout> again = ParseToolbarLayout(Utf8ToUtf16(saved));
  fuzz::Require(again && *again == *layout, "saved toolbar layout reads back differently");
  return 0;
}
