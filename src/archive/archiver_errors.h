// The archive component's errors. Each carries the message the user sees.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zk {

class EArchiver : public std::runtime_error {
 public:
  explicit EArchiver(const std::u16string& message);
  const std::u16string& Message() const { return message_; }

 private:
  std::u16string message_;
};

// A format's archiver DLL cannot be loaded.
class ENoArchiverDLL : public EArchiver {
 public:
  ENoArchiverDLL(std::u16string_view format_name, std::u16string_view dll_name);
};

// A required entry point is missing from an archiver DLL.
class EEntryNotFound : public EArchiver {
 public:
  using EArchiver::EArchiver;
  // module: the library's full path as the loader reports it.
  static EEntryNotFound InModule(std::u16string_view module, std::u16string_view entry);
  // An entry of the ZIP archivers found in none of their libraries.
  static EEntryNotFound InZipDlls(std::u16string_view entry);
};

// A self-extractor's support file is missing. kind names the self-extractor
// ("DOS", "Win32") and may be empty.
class ESfxNoRequiredFile : public EArchiver {
 public:
  ESfxNoRequiredFile(std::u16string_view format_name, std::u16string_view file, std::u16string_view kind);
};

// A driver's precondition on its options does not hold. source names the
// module that checks it.
class EArchiverAssertion : public std::logic_error {
 public:
  EArchiverAssertion(const std::u16string& message, std::string_view source);
  const std::u16string& Message() const { return message_; }
  const std::string& Source() const { return source_; }

 private:
  std::u16string message_;
  std::string source_;
};

inline constexpr std::u16string_view kMsgFormatUnknown = u"書庫の形式を判別できません。";
inline constexpr std::u16string_view kMsgFormatWithoutDriver = u"書庫の形式を特定できませんでした。";
inline constexpr std::u16string_view kMsgNoPack = u"この形式では書庫ファイルの作成をサポートしておりません。";
inline constexpr std::u16string_view kMsgNoDelete = u"この形式の書庫ではファイルの削除をサポートしておりません。";
inline constexpr std::u16string_view kMsgNoUpdate = u"この形式の書庫では書庫の更新をサポートしておりません。";
inline constexpr std::u16string_view kMsgNoSfx = u"この形式では自己解凍書庫の作成をサポートしておりません。";
inline constexpr std::u16string_view kMsgNoExtractMem = u"この形式ではメモリ展開をサポートしておりません。";
inline constexpr std::u16string_view kMsgZipNoUnpacker =
    u"ZIP 形式書庫の解凍には UNZIP32.DLL または LMZIP32.DLL が必要です。";
inline constexpr std::u16string_view kMsgZipNoPacker = u"ZIP 形式書庫の作成には ZIP32J.DLL または LMZIP32.DLL が必要です。";
inline constexpr std::u16string_view kMsgBz2NoSfx = u"BZ2 形式書庫は自己解凍形式にできません。";
inline constexpr std::u16string_view kMsgNo16BitSfx = u"16bit SFX を作成することはできません。";
inline constexpr std::u16string_view kMsgYz1NoDosSfx = u"yz1 書庫からのDOS自己解凍書庫の作成には yzdos16.sfx が必要です。";
inline constexpr std::u16string_view kMsgYz1NoWin32Sfx =
    u"yz1 書庫からのWin32自己解凍書庫の作成には yzw32cui.sfx か yzdec.exe が必要です。";
inline constexpr std::u16string_view kMsgLhaJseUnset = u"jse オプションが設定されていません。";
inline constexpr std::u16string_view kMsgLhaJsoUnset = u"jso オプションが設定されていません。";

// "Abstract method 'TArchiver.<name>' was called", for the driver base's class operations.
std::u16string AbstractMethodMessage(std::u16string_view name);
// The YZ1 driver's message when neither of its DLLs loads.
std::u16string Yz1DllsMissingMessage();

}  // namespace zk
