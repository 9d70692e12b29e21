#include "archive/archiver_errors.h"

#include "base/text.h"

namespace zk {

namespace {

std::u16string Join(std::initializer_list<std::u16string_view> parts) {
  std::u16string out;
  for (std::u16string_view part : parts) out += part;
  return out;
}

}  // namespace

EArchiver::EArchiver(const std::u16string& message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(message) {}

ENoArchiverDLL::ENoArchiverDLL(std::u16string_view format_name, std::u16string_view dll_name)
    : EArchiver(Join({format_name, u" を扱うには ", dll_name, u" が 必要です。"})) {}

EEntryNotFound EEntryNotFound::InModule(std::u16string_view module, std::u16string_view entry) {
  return EEntryNotFound(Join({module, u" に ", entry, u" のエントリが見つかりません。"}));
}

EEntryNotFound EEntryNotFound::InZipDlls(std::u16string_view entry) {
  return EEntryNotFound(Join({entry, u" のエントリが DLL に見つかりませんでした。"}));
}

ESfxNoRequiredFile::ESfxNoRequiredFile(std::u16string_view format_name, std::u16string_view file,
                                       std::u16string_view kind)
    : EArchiver(Join({format_name, u" 書庫からの", kind, u"自己解凍書庫の作成には '", file, u"' ファイルが必要です。"})) {}

EArchiverAssertion::EArchiverAssertion(const std::u16string& message, std::string_view source)
    : std::logic_error(Utf16ToUtf8(message)), message_(message), source_(source) {}

std::u16string AbstractMethodMessage(std::u16string_view name) {
  return Join({u"Abstract method 'TArchiver.", name, u"' was called"});
}

std::u16string Yz1DllsMissingMessage() {
  return Join({u"Yz1 形式書庫を扱うには ", u"YYZ32.DLL", u" か ", u"YZ1.DLL", u" が必要です。"});
}

}  // namespace zk
