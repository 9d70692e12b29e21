#include "app/model/options_form_rules.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace zk {
namespace {

TEST(OptionsFormRules, DecimalNumbersOnly) {
  EXPECT_EQ(ParseDecimal(u"20000000"), 20000000);
  EXPECT_EQ(ParseDecimal(u"  -42 "), -42);
  EXPECT_EQ(ParseDecimal(u"+7"), 7);
  EXPECT_EQ(ParseDecimal(u"9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseDecimal(u"-9223372036854775808"), INT64_MIN);
  for (const char16_t* bad : {u"", u" ", u"-", u"9223372036854775808", u"-9223372036854775809", u"$10", u"0x10",
                              u"1e3", u"12 3", u"１２"})
    EXPECT_FALSE(ParseDecimal(bad).has_value()) << Utf16ToUtf8(bad);
  EXPECT_EQ(MaxReadByteFromText(u"abc", 123), 123);
  EXPECT_EQ(MaxReadByteFromText(u"-1", 123), -1);
}

TEST(OptionsFormRules, SizeHintInKiloAndMegaBytes) {
  EXPECT_EQ(SizeHintText(u"999"), u"");
  EXPECT_EQ(SizeHintText(u"-5000"), u"");
  EXPECT_EQ(SizeHintText(u"x"), u"");
  EXPECT_EQ(SizeHintText(u"1000"), u"1 K バイト");
  EXPECT_EQ(SizeHintText(u"1500"), u"1 K 500 バイト");
  EXPECT_EQ(SizeHintText(u"20000"), u"20 K バイト");
  EXPECT_EQ(SizeHintText(u"1000000"), u"1000 K バイト");
  EXPECT_EQ(SizeHintText(u"1000001"), u"1 M 0 K 1 バイト");
  EXPECT_EQ(SizeHintText(u"1000500"), u"1 M 0 K 500 バイト");
  EXPECT_EQ(SizeHintText(u"1234567"), u"1 M 234 K 567 バイト");
  EXPECT_EQ(SizeHintText(u"1500000"), u"1 M 500 K ");
  EXPECT_EQ(SizeHintText(u"20000000"), u"20 M ");
  EXPECT_EQ(SizeHintText(u"9223372036854775807"), u"9223372036854 M 775 K 807 バイト");
}

TEST(OptionsFormRules, AddingExtensions) {
  std::vector<std::u16string> list{u".MOV"};
  EXPECT_EQ(AddBinaryExtension(list, u"txt"), AddExtensionResult::kAdded);
  EXPECT_EQ(AddBinaryExtension(list, u".TXT"), AddExtensionResult::kAlreadyListed);
  EXPECT_EQ(AddBinaryExtension(list, u"mov"), AddExtensionResult::kAlreadyListed);
  EXPECT_EQ(AddBinaryExtension(list, u""), AddExtensionResult::kAdded);
  EXPECT_EQ(AddBinaryExtension(list, u"."), AddExtensionResult::kAlreadyListed);
  EXPECT_EQ(AddBinaryExtension(list, u"tar.gz"), AddExtensionResult::kAdded);
  EXPECT_EQ(list, (std::vector<std::u16string>{u".MOV", u".txt", u".", u".tar.gz"}));
  for (char16_t c : kForbiddenExtensionChars)
    EXPECT_EQ(AddBinaryExtension(list, std::u16string(u"x") + c), AddExtensionResult::kForbiddenCharacter);
  EXPECT_EQ(AddBinaryExtension(list, u"***"), AddExtensionResult::kForbiddenCharacter);
  EXPECT_EQ(list.size(), 4u);
  EXPECT_EQ(kForbiddenExtensionChars.size(), 11u);
}

TEST(OptionsFormRules, HotKeyFieldAndShortcutCode) {
  // Ctrl+Alt+V: field modifiers 2|4, code 0x4000|0x8000.
  EXPECT_EQ(ShortcutFromHotKeyField(0x0656), 0xC056);
  EXPECT_EQ(HotKeyFieldFromShortcut(0xC056), 0x0656);
  EXPECT_EQ(ShortcutFromHotKeyField(0x0170), 0x2070);  // Shift+F1
  // The extended-key flag only tells the field how to name the key.
  EXPECT_EQ(HotKeyFieldFromShortcut(0x4024), 0x0A24);  // Ctrl+Home
  EXPECT_EQ(ShortcutFromHotKeyField(0x0A24), 0x4024);
  EXPECT_EQ(ShortcutFromHotKeyField(0x0600), 0);  // modifiers without a key
  EXPECT_EQ(HotKeyFieldFromShortcut(0), 0);
}

}  // namespace
}  // namespace zk
