// The rules of the settings dialog that need no window: the size-limit hint,
// the number typed for the limit, the binary-extension list editor and the
// hot-key field's key code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

// The text as a decimal integer (spaces around it allowed, an optional sign);
// nullopt for anything else, hexadecimal included.
std::optional<int64_t> ParseDecimal(std::u16string_view text);

// The hint of the size-limit field for what it holds: "20 M ", "1 K 500 バイト"...
// Empty below 1000 and for text that is not a number.
std::u16string SizeHintText(std::u16string_view text);

// The limit after OK: the typed number, or the old one when the text is not a number.
int64_t MaxReadByteFromText(std::u16string_view text, int64_t old_value);

// Characters a file extension cannot hold, in the order they are tested.
inline constexpr std::u16string_view kForbiddenExtensionChars = u"\\/:,;*?\"<>|";

enum class AddExtensionResult { kAdded, kAlreadyListed, kForbiddenCharacter };

// Adds an answer of the "add extension" box to the list: a leading "." is
// supplied, a forbidden character refuses it, an entry already listed (in any
// letter case) is not added twice.
AddExtensionResult AddBinaryExtension(std::vector<std::u16string>& list, std::u16string_view answer);

// The hot-key field keeps the key in the low byte and its modifiers in the
// high byte (1 Shift, 2 Ctrl, 4 Alt, 8 extended key); the settings keep the
// shortcut code (0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
uint16_t ShortcutFromHotKeyField(uint16_t field);
uint16_t HotKeyFieldFromShortcut(uint16_t shortcut);

}  // namespace zk
