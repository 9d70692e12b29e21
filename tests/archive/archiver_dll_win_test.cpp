#include "archive/archiver_dll.h"

#include <gtest/gtest.h>

#include "archive/archive_samples.h"
#include "archive/archiver_classes.h"
#include "archive/archiver_errors.h"
#include "support/test_files.h"
#include "watcher/search_peer.h"

#include <utility>

namespace zk {
namespace {

using test::SampleFormat;
using test::TempDir;

class ArchiverDllTest : public testing::Test {
  test::StandInArchivers dlls_;
};

std::string Ansi(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST_F(ArchiverDllTest, ZipMembersComeWithTheirSizesAndTimes) {
  TempDir temp;
  const std::u16string zip = temp.Child(L"a.zip");
  ASSERT_TRUE(test::WriteSampleArchive(zip, SampleFormat::kZip, {{"one.txt", "12345"}, {"sub/two.txt", "ab"}}));
  TZipDll dll;
  dll.LoadDll();
  HARC arc = dll.OpenArchive(nullptr, Ansi(zip), 0);
  ASSERT_NE(arc, nullptr);
  TArchiveMemberInfo info{};
  ASSERT_EQ(dll.FindFirst(arc, "*", info), 0);
  EXPECT_STREQ(info.szFileName, "one.txt");
  EXPECT_EQ(info.dwOriginalSize, 5u);
  // The write time the DLL gives: 1700000000 seconds after 1970 as FILETIME.
  const uint64_t ticks = (uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime;
  EXPECT_EQ(ticks, (1700000000ULL + 11644473600ULL) * 10000000ULL);
  EXPECT_NE(info.wDate, 0);
  ASSERT_EQ(dll.FindNext(arc, info), 0);
  EXPECT_STREQ(info.szFileName, "sub\\two.txt");
  EXPECT_NE(dll.FindNext(arc, info), 0);
  dll.CloseArchive(arc);
}

// Names stored as Unicode come in the ANSI code page, as real archivers give
// them: a ZIP from 7-Zip with the UTF-8 flag, a 7z archive.
TEST_F(ArchiverDllTest, UnicodeNamesComeInTheAnsiCodePage) {
  const std::string sjis_name = "\x89\xe6\x91\x9c" "1.png";  // 画像1.png
  for (auto [file, dll_class] : {std::pair{L"7zip.zip", DriverClass::kZip}, {L"7zip.7z", DriverClass::kSevenZip}}) {
    TCustomArchiverDll& dll = LoadDLL(dll_class);
    const std::string path = Ansi(FromWide(test::BinFolder() + L"\\real-archives\\" + file));
    HARC arc = dll.OpenArchive(nullptr, path, 0);
    ASSERT_NE(arc, nullptr);
    TArchiveMemberInfo info{};
    ASSERT_EQ(dll.FindFirst(arc, "*", info), 0);
    EXPECT_EQ(std::string(info.szFileName), sjis_name);
    dll.CloseArchive(arc);
  }
  FreeArchiverDlls();
}

TEST_F(ArchiverDllTest, AMissingDllNamesFormatAndFile) {
  TArchiverDll dll(u"LHA 形式書庫", "Unlha", u"NOSUCH32.DLL");
  try {
    dll.CheckArchive("x.lzh", 0);
    FAIL() << "no error";
  } catch (const ENoArchiverDLL& e) {
    EXPECT_EQ(e.Message(), u"LHA 形式書庫 を扱うには NOSUCH32.DLL が 必要です。");
  }
}

TEST_F(ArchiverDllTest, AMissingRequiredEntryNamesLibraryAndEntry) {
  TArchiverDll dll(u"CAB 形式書庫", "Nope", u"CAB32.DLL");
  try {
    dll.CheckArchive("x.cab", 0);
    FAIL() << "no error";
  } catch (const EEntryNotFound& e) {
    const std::u16string& m = e.Message();
    EXPECT_NE(m.find(u"CAB32.DLL に NopeCheckArchive のエントリが見つかりません。"), std::u16string::npos) << Ansi(m);
  }
  // Optional entries answer 0 without a call.
  FILETIME ft{};
  EXPECT_FALSE(dll.GetWriteTimeEx(nullptr, ft));
}

TEST_F(ArchiverDllTest, ForgettingEntriesUnloadsTheLibrary) {
  {
    TArchiverDll dll(u"CAB 形式書庫", "Cab", u"CAB32.DLL");
    dll.LoadDll();
    EXPECT_NE(GetModuleHandleW(L"CAB32.DLL"), nullptr);
  }
  EXPECT_EQ(GetModuleHandleW(L"CAB32.DLL"), nullptr);
}

}  // namespace
}  // namespace zk
