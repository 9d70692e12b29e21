#include "app/model/options_form_rules.h"

#include <limits>

#include "base/text.h"

namespace zk {
namespace {

constexpr uint16_t kFieldShift = 0x01;
constexpr uint16_t kFieldCtrl = 0x02;
constexpr uint16_t kFieldAlt = 0x04;
constexpr uint16_t kFieldExtended = 0x08;
constexpr uint16_t kCodeShift = 0x2000;
constexpr uint16_t kCodeCtrl = 0x4000;
constexpr uint16_t kCodeAlt = 0x8000;

}  // namespace

std::optional<int64_t> ParseDecimal(std::u16string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // Accumulated as a negative number, so that the smallest value fits as well.
  int64_t v = 0;
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    int d = c - u'0';
    if (v < (kMin + d) / 10) return std::nullopt;
    v = v * 10 - d;
  }
  if (!negative) {
    if (v == kMin) return std::nullopt;
    v = -v;
  }
  return v;
}

std::u16string SizeHintText(std::u16string_view text) {
  int64_t n = ParseDecimal(text).value_or(-1);
  if (n < 1000) return {};
  if (n <= 1000000) {
    std::u16string hint = IntToText(n / 1000) + u" K ";
    if (n % 1000 != 0) hint += IntToText(n % 1000) + u" ";
    return hint + u"バイト";
  }
  std::u16string hint = IntToText(n / 1000000) + u" M ";
  if (n % 1000000 > 0) hint += IntToText(n % 1000000 / 1000) + u" K ";
  if (n % 1000 != 0) hint += IntToText(n % 1000) + u" バイト";
  return hint;
}

int64_t MaxReadByteFromText(std::u16string_view text, int64_t old_value) {
  return ParseDecimal(text).value_or(old_value);
}

AddExtensionResult AddBinaryExtension(std::vector<std::u16string>& list, std::u16string_view answer) {
  if (answer.find_first_of(kForbiddenExtensionChars) != std::u16string_view::npos)
    return AddExtensionResult::kForbiddenCharacter;
  std::u16string ext(answer);
  if (ext.empty() || ext[0] != u'.') ext.insert(ext.begin(), u'.');
  for (const auto& item : list)
    if (EqualsIgnoreCase(item, ext)) return AddExtensionResult::kAlreadyListed;
  list.push_back(std::move(ext));
  return AddExtensionResult::kAdded;
}

uint16_t ShortcutFromHotKeyField(uint16_t field) {
  uint16_t key = field & 0xFF;
  if (key == 0) return 0;  // modifiers alone are no key
  uint16_t mods = field >> 8;
  uint16_t code = key;
  if (mods & kFieldShift) code |= kCodeShift;
  if (mods & kFieldCtrl) code |= kCodeCtrl;
  if (mods & kFieldAlt) code |= kCodeAlt;
  return code;
}

uint16_t HotKeyFieldFromShortcut(uint16_t shortcut) {
  uint16_t key = shortcut & 0xFF;
  if (key == 0) return 0;
  uint16_t mods = 0;
  if (shortcut & kCodeShift) mods |= kFieldShift;
  if (shortcut & kCodeCtrl) mods |= kFieldCtrl;
  if (shortcut & kCodeAlt) mods |= kFieldAlt;
  // The field names these keys by their extended scan codes ("Home", not "Num 7").
  bool extended = (key >= 0x21 && key <= 0x28) || key == 0x2D || key == 0x2E || key == 0x6F || key == 0x90;
  if (extended) mods |= kFieldExtended;
  return static_cast<uint16_t>(key | (mods << 8));
}

}  // namespace zk
