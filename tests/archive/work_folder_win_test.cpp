#include "archive/work_folder.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/win_text.h"
#include "desktop/file_operation.h"
#include "support/test_files.h"

namespace zk {
namespace {

using test::CountEntries;
using test::Exists;
using test::MakeFile;
using test::MakeFolder;
using test::TempDir;

// The shell's delete, as the program passes it.
const FolderDeletion kShell{[](const std::u16string& folder) { EmptyFolder(nullptr, folder); },
                            [](const std::u16string& folder) { RemoveFolder(nullptr, folder); }};

struct Messages {
  std::vector<std::u16string> shown;
  std::function<void(const std::u16string&)> sink() {
    return [this](const std::u16string& text) { shown.push_back(text); };
  }
};

TEST(PrepareWorkFolder, CreatesAHiddenFolderInTheTemporaryFolder) {
  TempDir temp;
  Messages messages;
  // Given without a trailing delimiter, one is put in.
  const std::u16string path = PrepareWorkFolder(kShell, messages.sink(), temp.u16());
  EXPECT_EQ(path, temp.u16() + u"\\zk1.tmp");
  const DWORD attributes = GetFileAttributesW(W(path));
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(messages.shown.empty());

  // As the system gives it, with the delimiter.
  EXPECT_EQ(PrepareWorkFolder(kShell, messages.sink(), temp.u16() + u"\\"), path);
}

TEST(PrepareWorkFolder, EmptiesAnExistingFolderAndKeepsIt) {
  TempDir temp;
  const std::u16string work = temp.Child(L"zk1.tmp");
  ASSERT_TRUE(MakeFolder(work));
  ASSERT_TRUE(MakeFile(work + u"\\left over.jpg", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFolder(work + u"\\dir"));
  ASSERT_TRUE(MakeFile(work + u"\\dir\\member.txt"));
  ASSERT_TRUE(MakeFile(temp.Child(L"beside.txt")));
  Messages messages;

  EXPECT_EQ(PrepareWorkFolder(kShell, messages.sink(), temp.u16()), work);
  EXPECT_TRUE(Exists(work));
  EXPECT_EQ(CountEntries(work), 0);
  EXPECT_TRUE(Exists(temp.Child(L"beside.txt")));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(PrepareWorkFolder, FailureToCreateIsShownWithThePath) {
  TempDir temp;
  // A file where the temporary folder should be: nothing can be made below it.
  const std::u16string blocker = temp.Child(L"not a folder");
  ASSERT_TRUE(MakeFile(blocker));
  Messages messages;

  const std::u16string path = PrepareWorkFolder(kShell, messages.sink(), blocker);
  EXPECT_EQ(path, blocker + u"\\zk1.tmp");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], u"作業フォルダ<" + blocker + u"\\zk1.tmp>\rの作成に失敗しました");
  EXPECT_FALSE(Exists(path));
}

TEST(CleanUpWorkFolder, RemovesTheFolderAndWhatIsInIt) {
  TempDir temp;
  Messages messages;
  const std::u16string work = PrepareWorkFolder(kShell, messages.sink(), temp.u16());
  ASSERT_TRUE(MakeFile(work + u"\\member.png", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFolder(work + u"\\folder in archive"));
  ASSERT_TRUE(MakeFile(work + u"\\folder in archive\\x.txt", FILE_ATTRIBUTE_READONLY));

  CleanUpWorkFolder(kShell, work);
  EXPECT_FALSE(Exists(work));
  EXPECT_EQ(CountEntries(temp.u16()), 0);
  CleanUpWorkFolder(kShell, work);  // gone already: nothing happens
}

}  // namespace
}  // namespace zk
