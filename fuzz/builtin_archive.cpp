// Any bytes as an archive for the built-in engine: every member the listing
// names is taken out to memory under a limit, which it never passes.
#include "archive/builtin_archive.h"
#include "fuzz_input.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  SpanByteSource source(bytes);
  fuzz::Latin1Codec ansi;
  BuiltinArchiveReader reader(source, ansi, 1252);
  if (!reader.Recognised()) return 0;
  const BuiltinListing listing = reader.List();
  constexpr int64_t kLimit = 1 << 20;
  for (size_t i = 0; i < listing.members.size() && i < 16; ++i) {
    int64_t taken = 0;
    const BuiltinExtraction got = reader.Extract(listing.members[i].name, kLimit, [&](const void*, size_t n) {
      taken += static_cast<int64_t>(n);
      return true;
    });
    fuzz::Require(taken <= kLimit, "more than the limit was taken");
    fuzz::Require(got.written == taken, "the count differs from what came");
    fuzz::Require(got.ok || !got.error.empty(), "a failure without a reason");
  }
  return 0;
}
