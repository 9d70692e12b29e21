// What the plug-in host reads from a plug-in before any picture: its
// information strings (version, name, patterns and descriptions), the
// extensions registered from them, the order in which plug-ins are asked about
// a file, the refused names and the progress scale.
#include <cstring>

#include "image/picture_format_registry.h"
#include "image/plugins/spi_rules.h"
#include "fuzz_input.h"

using namespace zk;

namespace {

// One information string as GetPluginInfo leaves it in the host's buffer.
std::string InfoString(fuzz::FuzzInput& in) {
  char buffer[kSpiInfoBufferSize] = {};
  const std::string written = in.Text(kSpiInfoBufferSize);
  std::memcpy(buffer, written.data(), written.size());
  const std::string s = SpiInfoString({buffer, kSpiInfoBufferSize});
  fuzz::Require(s.size() <= kSpiInfoBufferSize && s.find('\0') == std::string::npos, "information string");
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::Latin1Codec ansi;
  fuzz::FuzzInput in(data, size);
  ClassifySpiVersion(InfoString(in));
  std::vector<std::vector<std::u16string>> per_plugin(1 + in.Pick(3));
  PictureFormatRegistry registry;
  registry.RegisterBuiltInFormats();
  for (std::vector<std::u16string>& patterns : per_plugin) {
    std::vector<std::u16string> descriptions;
    for (unsigned k = in.Pick(4); k > 0; --k) {
      patterns.push_back(ansi.Decode(InfoString(in)));
      descriptions.push_back(ansi.Decode(InfoString(in)));
      for (const std::u16string& ext : SpiPatternExtensions(patterns.back()))
        fuzz::Require(!ext.empty(), "an empty extension registered");
    }
    RegisterSpiPatterns(patterns, descriptions, PictureDecoderKind::kPluginBitmap,
                        [](const std::u16string& extension, const std::u16string&,
                           std::optional<PictureDecoderKind>& kind) {
                          kind = IsRefusedPluginExtension(extension) ? std::nullopt
                                                                     : std::optional(PictureDecoderKind::kPlugin);
                        },
                        registry);
  }
  const std::u16string file_name = ansi.Decode(in.Text(64));
  const std::vector<size_t> order = SpiCandidateOrder(per_plugin, file_name);
  std::vector<bool> seen(per_plugin.size());
  for (size_t i : order) {
    fuzz::Require(i < per_plugin.size() && !seen[i], "candidate order");
    seen[i] = true;
  }
  fuzz::Require(order.size() == per_plugin.size(), "a plug-in left out of the candidates");
  IsRefusedPluginFile(file_name);
  registry.FindPictureFormat(PictureExtension(file_name));

  const int64_t numerator = static_cast<int64_t>(in.U64()), denominator = static_cast<int64_t>(in.U64());
  const int percent = SpiProgressPercent(numerator, denominator);
  fuzz::Require(percent >= 0 && percent <= 100, "progress out of range");
  return 0;
}
