#include "archive/archive_file.h"

#include <gtest/gtest.h>

#include "archive/archive_samples.h"
#include "archive/archiver_errors.h"
#include "support/test_files.h"

namespace zk {
namespace {

using test::SampleFormat;
using test::TempDir;

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

// No archiver library may stay loaded once the DLLs are released.
void ExpectNoArchiverLoaded() {
  for (const wchar_t* name : {L"UNLHA32.DLL", L"UNZIP32.DLL", L"ZIP32J.DLL", L"LMZIP32.DLL", L"CAB32.DLL", L"TAR32.DLL",
                              L"UNRAR32.DLL", L"BGA32.DLL", L"YYZ32.DLL", L"YZ1.DLL", L"7-zip32.dll"})
    EXPECT_EQ(GetModuleHandleW(name), nullptr) << Narrow(std::u16string(name, name + wcslen(name)));
}

struct ListCase {
  const char* label;
  const wchar_t* file;
  const wchar_t* sample;  // libarchive's test archive, or null to write one
  SampleFormat format;
  const char* member;
  uint32_t size;
};

class ArchiveListing : public testing::TestWithParam<ListCase> {
  test::StandInArchivers dlls_;
};

class ArchiveFileTest : public testing::Test {
  test::StandInArchivers dlls_;
};

TEST_P(ArchiveListing, ListsMembersWithSizesAndDosStamps) {
  const ListCase& c = GetParam();
  TempDir temp;
  const std::u16string path = temp.Child(c.file);
  if (c.sample)
    ASSERT_TRUE(test::DecodeSample(c.sample, path));
  else
    ASSERT_TRUE(test::WriteSampleArchive(path, c.format, {{"docs/read.txt", std::string(1234, 'r')}, {"b.bin", "xy"}}));
  {
    TArchiveFile arc;
    arc.SetFileName(path);
    ASSERT_TRUE(arc.OpenArchive(nullptr, 0));
    bool found = false;
    TArchiveMemberInfo info{};
    for (int r = arc.FindFirst("*.*", info); r == 0; r = arc.FindNext(info)) {
      if (FixedText(info.szFileName) != c.member) continue;
      found = true;
      EXPECT_EQ(info.dwOriginalSize, c.size);
      EXPECT_NE(info.wDate, 0);
      EXPECT_GE(SplitDosDate(info.wDate).year, 1990);
      EXPECT_NE(info.ftLastWriteTime.dwHighDateTime, 0u);
    }
    EXPECT_TRUE(found) << c.member;
    arc.CloseArchive();
  }
  FreeArchiverDlls();
  ExpectNoArchiverLoaded();
}

const ListCase kListCases[] = {
    {"zip", L"a.zip", nullptr, SampleFormat::kZip, "docs\\read.txt", 1234},
    {"tar", L"a.tar", nullptr, SampleFormat::kTar, "docs\\read.txt", 1234},
    {"tgz", L"a.tar.gz", nullptr, SampleFormat::kTarGz, "docs\\read.txt", 1234},
    {"tbz2", L"a.tar.bz2", nullptr, SampleFormat::kTarBz2, "docs\\read.txt", 1234},
    {"sevenzip", L"a.7z", nullptr, SampleFormat::k7z, "docs\\read.txt", 1234},
    {"lha", L"a.lzh", L"test_read_format_lha_bugfix_0.lzh.uu", SampleFormat::kZip, "f", 776},
    {"cab", L"a.cab", L"test_read_format_cab_1.cab.uu", SampleFormat::kZip, "dir1\\file1", 60},
    {"rar", L"a.rar", L"test_read_format_rar.rar.uu", SampleFormat::kZip, "test.txt", 20},
};
INSTANTIATE_TEST_SUITE_P(Formats, ArchiveListing, testing::ValuesIn(kListCases),
                         [](const testing::TestParamInfo<ListCase>& i) { return std::string(i.param.label); });

TEST_F(ArchiveFileTest, ExtractsAMemberToAFolderAndToMemory) {
  TempDir temp;
  const std::u16string zip = temp.Child(L"m.zip");
  const std::string data = "member bytes\r\n\x01\x02\xff";
  ASSERT_TRUE(test::WriteSampleArchive(zip, SampleFormat::kZip, {{"in/pic.dat", data}, {"other.txt", "o"}}));
  const std::u16string dest = temp.Child(L"work");
  ASSERT_TRUE(CreateDirectoryW(reinterpret_cast<const wchar_t*>(dest.c_str()), nullptr));
  {
    // The member view's options: folders dropped.
    TArchiveFile arc;
    arc.SetFileName(zip);
    arc.SetOutputSize(8192);
    arc.Options().x = 0;
    arc.Options().n = 1;
    arc.Options().jse = 1;
    arc.Options().jso = 1;
    arc.Extract(nullptr, nullptr, {std::string("in\\pic.dat")}, dest);
    EXPECT_EQ(test::ReadFileBytes(dest + u"\\pic.dat"), data) << arc.LastCommandLine();
    EXPECT_FALSE(test::Exists(dest + u"\\other.txt"));

    TArchiverOptions mem;
    mem.jso = 1;
    mem.n = 1;
    std::string buffer(data.size(), '\0');
    DWORD written = 0;
    arc.ExtractMem(nullptr, &mem, "in\\pic.dat", reinterpret_cast<BYTE*>(buffer.data()),
                   static_cast<DWORD>(buffer.size()), written);
    EXPECT_EQ(written, data.size());
    EXPECT_EQ(buffer, data);
  }
  FreeArchiverDlls();
  ExpectNoArchiverLoaded();
}

TEST_F(ArchiveFileTest, AHostileArchiveWritesNothingOutsideTheDestination) {
  TempDir temp;
  const std::u16string zip = temp.Child(L"h.zip");
  ASSERT_TRUE(test::WriteSampleArchive(zip, SampleFormat::kZip,
                                       {{"../../escaped.txt", "x"}, {"C:/escaped-abs.txt", "x"}, {"CON", "x"},
                                        {"/rooted.txt", "x"}, {std::string(600, 'n'), "x"}, {"ok.txt", "fine"}}));
  const std::u16string dest = temp.Child(L"out\\inner");
  ASSERT_TRUE(CreateDirectoryW(reinterpret_cast<const wchar_t*>(temp.Child(L"out").c_str()), nullptr));
  ASSERT_TRUE(CreateDirectoryW(reinterpret_cast<const wchar_t*>(dest.c_str()), nullptr));
  {
    TArchiveFile arc;
    arc.SetFileName(zip);
    arc.Options().x = 1;
    arc.Options().jse = 1;
    arc.Options().jso = 1;
    arc.Extract(nullptr, nullptr, {}, dest);
  }
  FreeArchiverDlls();
  EXPECT_EQ(test::ReadFileBytes(dest + u"\\ok.txt"), "fine");
  EXPECT_EQ(test::CountEntries(temp.u16()), 2);  // h.zip and out
  EXPECT_EQ(test::CountEntries(temp.Child(L"out")), 1);
  EXPECT_FALSE(test::Exists(u"C:\\escaped-abs.txt"));
  EXPECT_FALSE(test::Exists(u"C:\\rooted.txt"));
}

TEST_F(ArchiveFileTest, ProgressReachesOnProgressAndStreamMembersAreCollected) {
  TempDir temp;
  const std::u16string zip = temp.Child(L"s.zip");
  ASSERT_TRUE(test::WriteSampleArchive(zip, SampleFormat::kZip, {{"a.txt", "main"}, {"a.txt;#meta", "side"}}));
  std::vector<std::string> sources;
  bool window_existed = false;
  {
    TArchiveFile arc;
    arc.SetFileName(zip);
    arc.Options().x = 1;
    arc.Options().jse = 1;
    arc.Options().jso = 1;
    arc.OnProgress = [&](int state, const TExtractingInfo* info, bool&) {
      EXPECT_EQ(state, 1);
      sources.push_back(FixedText(info->szSourceFileName));
    };
    arc.Extract(nullptr, nullptr, {}, temp.u16());
    window_existed = arc.NotificationWindow() != nullptr;
  }
  FreeArchiverDlls();
  EXPECT_TRUE(window_existed);
  EXPECT_EQ(sources, (std::vector<std::string>{"a.txt", "a.txt;#meta"}));
  EXPECT_EQ(test::ReadFileBytes(temp.Child(L"a.txt")), "main");
  // The stream member is gone as a file where the volume has streams.
  DWORD flags = 0;
  const std::u16string root = temp.u16().substr(0, 3);
  GetVolumeInformationW(reinterpret_cast<const wchar_t*>(root.c_str()), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0);
  EXPECT_EQ(test::Exists(temp.Child(L"a.txt;#meta")), !(flags & FILE_NAMED_STREAMS));
}

TEST_F(ArchiveFileTest, AMissingDllGivesItsMessage) {
  const std::u16string dll = test::StandInArchivers::Folder() + u"\\CAB32.DLL", away = dll + u".away";
  ASSERT_TRUE(MoveFileW(reinterpret_cast<const wchar_t*>(dll.c_str()), reinterpret_cast<const wchar_t*>(away.c_str())));
  std::u16string message;
  try {
    TArchiveFile arc;
    arc.SetFileName(u"x.cab");
  } catch (const ENoArchiverDLL& e) {
    message = e.Message();
  }
  FreeArchiverDlls();
  MoveFileW(reinterpret_cast<const wchar_t*>(away.c_str()), reinterpret_cast<const wchar_t*>(dll.c_str()));
  EXPECT_EQ(message, u"CAB 形式書庫 を扱うには CAB32.DLL が 必要です。");
}

TEST_F(ArchiveFileTest, AFileNoDllTakesCannotBeOpened) {
  TempDir temp;
  const std::u16string notes = temp.Child(L"notes.txt");
  ASSERT_TRUE(test::WriteFileBytes(notes, "just text, no archive"));
  std::u16string message;
  {
    TArchiveFile arc;
    arc.SetFileName(notes);
    EXPECT_EQ(arc.ArchiverType(), atAutoDetect);
    try {
      arc.OpenArchive(nullptr, 0);
    } catch (const EArchiver& e) {
      message = e.Message();
    }
  }
  FreeArchiverDlls();
  EXPECT_EQ(message, u"書庫の形式を判別できません。");
  ExpectNoArchiverLoaded();
}

}  // namespace
}  // namespace zk
