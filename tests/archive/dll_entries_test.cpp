// Entry names of the archiver DLLs, the YZ1 password passes and the errors' messages.
#include <gtest/gtest.h>

#include "archive/archiver_errors.h"
#include "archive/dll_entries.h"

namespace zk {
namespace {

TEST(DllEntries, NamesArePrefixPlusSuffix) {
  EXPECT_EQ(DllEntryName("Unlha", DllEntry::kCommand), "Unlha");
  EXPECT_EQ(DllEntryName("Unlha", DllEntry::kOpenArchive), "UnlhaOpenArchive");
  EXPECT_EQ(DllEntryName("SevenZip", DllEntry::kClearEnumMembersProc64), "SevenZipClearEnumMembersProc64");
  int required = 0;
  for (const DllEntryInfo& e : kDllEntries) required += e.required;
  EXPECT_EQ(required, 8);
  EXPECT_FALSE(kDllEntries[static_cast<size_t>(DllEntry::kGetWriteTimeEx)].required);
  EXPECT_TRUE(kDllEntries[static_cast<size_t>(DllEntry::kGetArchiveType)].required);
}

TEST(DllEntries, ZipEntriesAndTheLowerCaseZ) {
  EXPECT_EQ(ZipEntryNameIn(kLmzip32, ZipEntryOf(ZipEntry::kOpenArchive).name), "UnzipOpenArchive");
  EXPECT_EQ(ZipEntryNameIn(kUnzip32, ZipEntryOf(ZipEntry::kOpenArchive).name), "UnZipOpenArchive");
  EXPECT_EQ(ZipEntryNameIn(kLmzip32, ZipEntryOf(ZipEntry::kUnpackCommand).name), "Unzip");
  EXPECT_EQ(ZipEntryNameIn(kLmzip32, ZipEntryOf(ZipEntry::kPackCommand).name), "Zip");
  EXPECT_EQ(ZipEntryOf(ZipEntry::kGetWriteTimeEx).name, "UnzipGetWriteTimeEx");
  EXPECT_EQ(ZipEntryOf(ZipEntry::kOpenArchive).libraries, (std::vector<ZipLibrary>{kLmzip32, kZip32j, kUnzip32}));
  EXPECT_EQ(ZipEntryOf(ZipEntry::kSetOwnerWindowEx).libraries, std::vector<ZipLibrary>{kUnzip32});
  EXPECT_TRUE(ZipEntryOf(ZipEntry::kKillOwnerWindowEx).general_message);
  EXPECT_FALSE(ZipEntryOf(ZipEntry::kGetAccessTimeEx).required);
  for (size_t i = 0; i < ZipEntries().size(); ++i) EXPECT_EQ(static_cast<size_t>(ZipEntries()[i].entry), i);
}

TEST(DllEntries, Yz1PasswordPasses) {
  const struct {
    std::vector<int> find_first;  // successive answers
    std::vector<int> dialog;
    int result, finds, dialogs, passwords_set;
  } kCases[] = {
      {{0}, {}, 0, 1, 0, 0},
      {{kYz1PasswordRequest, kYz1PasswordRequest, kYz1PasswordRequest, kYz1PasswordRequest}, {0, 0, 0, 0},
       kYz1PasswordRequest, 4, 4, 4},
      {{kYz1PasswordRequest}, {-1}, kYz1PasswordRequest, 1, 1, 0},
      {{kYz1PasswordRequest, 0}, {1}, 0, 2, 1, 1},
      {{kYz1PasswordRequest, 5}, {0}, 5, 2, 1, 1},
  };
  for (const auto& c : kCases) {
    int finds = 0, dialogs = 0, set = 0;
    const int result = Yz1FindFirst({[&] { return c.find_first.at(finds++); }, [&] { return c.dialog.at(dialogs++); },
                                     [&] { ++set; }});
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(finds, c.finds);
    EXPECT_EQ(dialogs, c.dialogs);
    EXPECT_EQ(set, c.passwords_set);
  }
}

TEST(ArchiverErrors, Messages) {
  EXPECT_EQ(ENoArchiverDLL(u"LHA 形式書庫", u"UNLHA32.DLL").Message(), u"LHA 形式書庫 を扱うには UNLHA32.DLL が 必要です。");
  EXPECT_EQ(EEntryNotFound::InModule(u"C:\\x\\UNLHA32.DLL", u"UnlhaFindFirst").Message(),
            u"C:\\x\\UNLHA32.DLL に UnlhaFindFirst のエントリが見つかりません。");
  EXPECT_EQ(EEntryNotFound::InZipDlls(u"UnZipOpenArchive").Message(),
            u"UnZipOpenArchive のエントリが DLL に見つかりませんでした。");
  EXPECT_EQ(ESfxNoRequiredFile(u"zip", u"sfx16.dat", u"DOS").Message(),
            u"zip 書庫からのDOS自己解凍書庫の作成には 'sfx16.dat' ファイルが必要です。");
  EXPECT_EQ(AbstractMethodMessage(u"LoadDLL"), u"Abstract method 'TArchiver.LoadDLL' was called");
  EXPECT_EQ(Yz1DllsMissingMessage(), u"Yz1 形式書庫を扱うには YYZ32.DLL か YZ1.DLL が必要です。");
  const ENoArchiverDLL e(u"a", u"b");
  EXPECT_NE(dynamic_cast<const EArchiver*>(&e), nullptr);
}

}  // namespace
}  // namespace zk
