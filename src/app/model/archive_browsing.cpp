#include "app/model/archive_browsing.h"

#include "base/text.h"

namespace zk {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, with or without an
// extension: opening such a name anywhere opens the device.
bool IsDeviceName(std::u16string_view name) {
  std::u16string_view base = name.substr(0, name.find(u'.'));
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"})
    if (EqualsIgnoreCase(base, device)) return true;
  if (base.size() == 4 && (StartsWithIgnoreCase(base, u"COM") || StartsWithIgnoreCase(base, u"LPT")))
    return base[3] >= u'1' && base[3] <= u'9';
  return false;
}

}  // namespace

std::u16string ArchiveListLine(std::u16string_view name, std::u16string_view size, std::u16string_view date,
                               std::u16string_view time) {
  std::u16string line;
  line.reserve(name.size() + size.size() + date.size() + time.size() + 6);
  line.append(name).append(u"\t   ").append(size).append(u" ").append(date).append(u" ").append(time);
  return line;
}

std::u16string MemberNameOfLine(std::u16string_view line) { return std::u16string(line.substr(0, line.find(u'\t'))); }

bool ExtractsWholeArchive(std::u16string_view name) {
  return name.find(u'同') != std::u16string_view::npos && name.find(u'[') != std::u16string_view::npos;
}

bool IsPlainMemberPath(std::u16string_view name) {
  if (name.empty() || IsSeparator(name.front()) || name.find(u':') != std::u16string_view::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (name.substr(start, end - start) == u"..") return false;
    start = end + 1;
  }
  return true;
}

std::u16string MemberViewFile(std::u16string_view work_folder, std::u16string_view name) {
  const size_t cut = name.find_last_of(u"/\\:");
  const std::u16string_view last = cut == std::u16string_view::npos ? name : name.substr(cut + 1);
  if (last.empty() || last == u"." || last == u".." || IsDeviceName(last)) return {};
  std::u16string file(work_folder);
  if (file.empty() || !IsSeparator(file.back())) file += u'\\';
  return file.append(last);
}

int StepMemberIndex(int tag, int current, int count, bool wrap) {
  if (count <= 0) return -1;
  const int last = count - 1;
  if (tag == -999) return last;
  if (tag == 999) return 0;
  if (current < 0 || current > last) return tag < 0 ? 0 : last;  // no line selected yet
  if (tag < 0) return current < last ? current + 1 : (wrap ? 0 : current);
  return current > 0 ? current - 1 : (wrap ? last : current);
}

std::u16string ArchiverFailureStatus(std::u16string_view what, int code, std::u16string_view output) {
  // Archivers write their progress first and the error last.
  std::u16string_view last;
  while (!output.empty()) {
    const size_t end = output.find_first_of(u"\r\n");
    const std::u16string_view line = output.substr(0, end);
    if (line.find_first_not_of(u" \t") != std::u16string_view::npos) last = line;
    if (end == std::u16string_view::npos) break;
    output.remove_prefix(end + 1);
  }
  if (!last.empty()) return std::u16string(what) + u": " + std::u16string(last);
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string hex;
  for (unsigned v = static_cast<unsigned>(code); hex.empty() || v != 0; v >>= 4) hex.insert(hex.begin(), kDigits[v & 15]);
  return std::u16string(what) + u": 0x" + hex;
}

std::optional<ArcLink> ReadArcLink(const std::vector<std::u16string>& lines) {
  if (lines.size() < 3) return std::nullopt;
  return ArcLink{lines[0], lines[1], lines[2]};
}

std::optional<uint32_t> ArcLinkSize(std::u16string_view text) {
  const std::optional<int64_t> size = ParseInt64(text);
  // The buffer holds the member and 1024 bytes more.
  constexpr int64_t kLargest = 0x7FFFFFFF - 1024;
  if (!size || *size < 0 || *size > kLargest) return std::nullopt;
  return static_cast<uint32_t>(*size);
}

}  // namespace zk
