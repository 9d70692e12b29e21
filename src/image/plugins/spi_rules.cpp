#include "image/plugins/spi_rules.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/text.h"

namespace zk {

SpiKind ClassifySpiVersion(std::string_view api_version) {
  if (api_version == "00IN") return SpiKind::kImport;
  if (api_version == "00AM") return SpiKind::kArchive;
  if (api_version == "00XN") return SpiKind::kExport;
  return SpiKind::kPlain;
}

std::string SpiInfoString(std::span<const char> buffer) {
  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  return std::string(buffer.begin(), end);
}

std::vector<std::u16string> SpiPatternExtensions(std::u16string_view pattern) {
  std::vector<std::u16string> out;
  while (!pattern.empty()) {
    const size_t semicolon = pattern.rfind(u';');
    std::u16string_view item = semicolon == std::u16string_view::npos ? pattern : pattern.substr(semicolon + 1);
    pattern = semicolon == std::u16string_view::npos ? std::u16string_view() : pattern.substr(0, semicolon);
    const size_t dot = item.find(u'.');
    if (dot != std::u16string_view::npos) item.remove_prefix(dot + 1);
    if (!item.empty()) out.emplace_back(item);
  }
  return out;
}

void RegisterSpiPatterns(const std::vector<std::u16string>& patterns, const std::vector<std::u16string>& descriptions,
                         std::optional<PictureDecoderKind> default_kind, const SpiRegisterHandler& handler,
                         PictureFormatRegistry& registry) {
  for (size_t n = 0; n < patterns.size(); ++n) {
    std::optional<PictureDecoderKind> kind = default_kind;
    const std::u16string description = n < descriptions.size() ? descriptions[n] : std::u16string();
    for (const std::u16string& extension : SpiPatternExtensions(patterns[n])) {
      if (handler) handler(extension, description, kind);
      if (kind) registry.RegisterPictureFormat(extension, description, *kind);
    }
  }
}

bool SpiPatternMatches(std::u16string_view pattern, std::u16string_view dotted_extension) {
  const size_t dot = pattern.rfind(u'.');
  const std::u16string_view tail = dot == std::u16string_view::npos ? std::u16string_view() : pattern.substr(dot);
  return EqualsIgnoreCase(tail, dotted_extension);
}

std::vector<size_t> SpiCandidateOrder(const std::vector<std::vector<std::u16string>>& patterns_per_plugin,
                                      std::u16string_view file_name) {
  const size_t slash = file_name.find_last_of(u"\\/:");
  const std::u16string_view name = slash == std::u16string_view::npos ? file_name : file_name.substr(slash + 1);
  const size_t dot = name.rfind(u'.');
  const std::u16string_view extension = dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot);
  std::vector<size_t> front, back;
  for (size_t i = 0; i < patterns_per_plugin.size(); ++i) {
    const auto& patterns = patterns_per_plugin[i];
    const bool matches = std::any_of(patterns.begin(), patterns.end(),
                                     [&](const std::u16string& p) { return SpiPatternMatches(p, extension); });
    (matches ? front : back).push_back(i);
  }
  std::reverse(front.begin(), front.end());
  front.insert(front.end(), back.begin(), back.end());
  return front;
}

bool IsRefusedPluginFile(std::u16string_view file_name) {
  const size_t slash = file_name.find_last_of(u"\\/:");
  if (slash != std::u16string_view::npos) file_name.remove_prefix(slash + 1);
  const size_t dot = file_name.rfind(u'.');
  const std::u16string_view base = dot == std::u16string_view::npos ? file_name : file_name.substr(0, dot);
  for (std::u16string_view refused : {u"IFHG", u"IFBMP", u"IFGIF", u"ifply", u"if3ds", u"IFMM"})
    if (EqualsIgnoreCase(base, refused)) return true;
  return false;
}

bool IsRefusedPluginExtension(std::u16string_view extension) {
  for (std::u16string_view refused : {u"JPG", u"JPEG", u"ICO", u"BMP", u"PNG", u"GIF"})
    if (EqualsIgnoreCase(extension, refused)) return true;
  return false;
}

int SpiProgressPercent(int64_t numerator, int64_t denominator) {
  if (denominator == 0) return 1;
  const double percent = std::round(2.0 + static_cast<double>(numerator) * 97.0 / static_cast<double>(denominator));
  return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

}  // namespace zk
