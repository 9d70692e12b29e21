#include "desktop/file_operation.h"

#include <gtest/gtest.h>

#include "base/win_text.h"
#include "desktop/delete_tree.h"
#include "support/test_files.h"

namespace zk {
namespace {

using test::CountEntries;
using test::Exists;
using test::MakeFile;
using test::MakeFolder;
using test::TempDir;

// What the viewer's work folder may hold after an archive was extracted into it.
void FillWithAwkwardEntries(const std::u16string& folder) {
  ASSERT_TRUE(MakeFile(folder + u"\\plain.txt"));
  ASSERT_TRUE(MakeFile(folder + u"\\readonly.jpg", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(folder + u"\\hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFolder(folder + u"\\sub"));
  ASSERT_TRUE(MakeFile(folder + u"\\sub\\inner.txt", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFolder(folder + u"\\sub\\deeper", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(folder + u"\\sub\\deeper\\x", FILE_ATTRIBUTE_READONLY));
}

TEST(EmptyFolder, RemovesReadOnlyFilesAndSubfoldersButKeepsTheFolder) {
  TempDir dir;
  FillWithAwkwardEntries(dir.u16());
  ASSERT_EQ(CountEntries(dir.u16()), 4);

  EmptyFolder(nullptr, dir.u16());
  EXPECT_TRUE(Exists(dir.u16()));
  EXPECT_EQ(CountEntries(dir.u16()), 0);

  // Named with a trailing delimiter, the folder is still the same folder.
  FillWithAwkwardEntries(dir.u16());
  EmptyFolder(nullptr, dir.u16() + u"\\");
  EXPECT_EQ(CountEntries(dir.u16()), 0);
}

TEST(EmptyFolder, RemovesEntriesWithJapaneseNames) {
  TempDir dir;
  // Wine maps names to the host's file names through the host locale; without
  // a UTF-8 locale there, such names cannot exist at all.
  if (!MakeFile(dir.Child(L"画像.jpg"), FILE_ATTRIBUTE_READONLY))
    GTEST_SKIP() << "this file system takes no Japanese names (host locale?)";
  ASSERT_TRUE(MakeFolder(dir.Child(L"書庫の中")));
  ASSERT_TRUE(MakeFile(dir.Child(L"書庫の中\\説明.txt"), FILE_ATTRIBUTE_READONLY));
  EmptyFolder(nullptr, dir.u16());
  EXPECT_EQ(CountEntries(dir.u16()), 0);
}

TEST(EmptyFolder, MissingFolderIsNeitherCreatedNorAnythingBesideItTouched) {
  TempDir dir;
  ASSERT_TRUE(MakeFile(dir.Child(L"keep.txt")));
  EmptyFolder(nullptr, dir.Child(L"missing"));
  EmptyFolder(nullptr, u"");
  EXPECT_FALSE(Exists(dir.Child(L"missing")));
  EXPECT_TRUE(Exists(dir.Child(L"keep.txt")));
}

TEST(DeleteFiles, NoNamesDeletesNothing) {
  TempDir dir;
  ASSERT_TRUE(MakeFile(dir.Child(L"keep.txt")));
  // Relative names would be taken from the current folder: make that ours.
  wchar_t old_dir[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, old_dir);
  ASSERT_TRUE(SetCurrentDirectoryW(W(dir.u16())));

  TFileOperation op;
  op.Options = {fofSilent, fofNoConfirmation};
  EXPECT_FALSE(op.DeleteFiles());
  op.FromFiles = {u"", u""};
  EXPECT_FALSE(op.DeleteFiles());
  EXPECT_FALSE(op.Execute(FO_DELETE, u"", u""));

  SetCurrentDirectoryW(old_dir);
  EXPECT_TRUE(Exists(dir.Child(L"keep.txt")));
}

TEST(DeleteFiles, DeletesExactlyTheListedNames) {
  TempDir dir;
  ASSERT_TRUE(MakeFile(dir.Child(L"a.txt"), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(dir.Child(L"b.txt")));
  ASSERT_TRUE(MakeFolder(dir.Child(L"c")));
  ASSERT_TRUE(MakeFile(dir.Child(L"c\\in.txt"), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(dir.Child(L"d.txt")));

  TFileOperation op;
  op.Options = {fofSilent, fofNoConfirmation};
  op.FromFiles = {dir.Child(L"a.txt"), dir.Child(L"c"), dir.Child(L"d.txt")};
  EXPECT_FALSE(op.DeleteFiles());
  EXPECT_FALSE(Exists(dir.Child(L"a.txt")));
  EXPECT_FALSE(Exists(dir.Child(L"c")));
  EXPECT_FALSE(Exists(dir.Child(L"d.txt")));
  EXPECT_TRUE(Exists(dir.Child(L"b.txt")));
}

TEST(DeleteFiles, FilesOnlyLeavesFoldersMatchedByWildcards) {
  TempDir dir;
  ASSERT_TRUE(MakeFile(dir.Child(L"a.txt"), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(dir.Child(L"b")));
  ASSERT_TRUE(MakeFolder(dir.Child(L"sub")));
  ASSERT_TRUE(MakeFile(dir.Child(L"sub\\in.txt")));

  TFileOperation op;
  op.Options = {fofSilent, fofNoConfirmation, fofFilesOnly};
  op.FromFiles = {FolderContentsPattern(dir.u16())};
  op.DeleteFiles();
  EXPECT_FALSE(Exists(dir.Child(L"a.txt")));
  EXPECT_FALSE(Exists(dir.Child(L"b")));
  EXPECT_TRUE(Exists(dir.Child(L"sub\\in.txt")));
}

TEST(RemoveFolder, RemovesTheFolderWithEverythingInIt) {
  TempDir dir;
  const std::u16string work = dir.Child(L"zk1.tmp");
  ASSERT_TRUE(MakeFolder(work, FILE_ATTRIBUTE_HIDDEN));
  FillWithAwkwardEntries(work);
  ASSERT_TRUE(MakeFile(dir.Child(L"zk1.tmp.keep")));

  RemoveFolder(nullptr, work);
  EXPECT_FALSE(Exists(work));
  EXPECT_TRUE(Exists(dir.Child(L"zk1.tmp.keep")));

  RemoveFolder(nullptr, work);  // already gone: nothing to do, nothing shown
  EXPECT_TRUE(Exists(dir.Child(L"zk1.tmp.keep")));
}

TEST(DeleteForGood, GoesOnPastWhatCannotBeDeleted) {
  TempDir dir;
  ASSERT_TRUE(MakeFile(dir.Child(L"busy.txt")));
  ASSERT_TRUE(MakeFolder(dir.Child(L"tree"), FILE_ATTRIBUTE_READONLY));
  FillWithAwkwardEntries(dir.Child(L"tree"));
  HANDLE busy = CreateFileW(W(dir.Child(L"busy.txt")), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(busy, INVALID_HANDLE_VALUE);
  DeleteForGood(FolderContentsPattern(dir.u16()), false);
  CloseHandle(busy);
  EXPECT_TRUE(Exists(dir.Child(L"busy.txt")));
  EXPECT_FALSE(Exists(dir.Child(L"tree")));
}

TEST(DeleteForGood, RemovesALinkToAFolderButNotWhatItPointsTo) {
  TempDir dir;
  ASSERT_TRUE(MakeFolder(dir.Child(L"target")));
  ASSERT_TRUE(MakeFile(dir.Child(L"target\\precious.txt")));
  ASSERT_TRUE(MakeFolder(dir.Child(L"work")));
  if (!CreateSymbolicLinkW(W(dir.Child(L"work\\link")), W(dir.Child(L"target")), SYMBOLIC_LINK_FLAG_DIRECTORY))
    GTEST_SKIP() << "no folder links here (error " << GetLastError() << ")";

  DeleteForGood(FolderContentsPattern(dir.Child(L"work")), false);
  EXPECT_FALSE(Exists(dir.Child(L"work\\link")));
  EXPECT_TRUE(Exists(dir.Child(L"target\\precious.txt")));
}

}  // namespace
}  // namespace zk
