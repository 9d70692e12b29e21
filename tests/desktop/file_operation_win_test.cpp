#include "desktop/file_operation.h"

#include <gtest/gtest.h>

#include "desktop/delete_tree.h"
#include "desktop/test_folder.h"

namespace zk {
namespace {

using test::CountEntries;
using test::Exists;
using test::MakeFile;
using test::MakeFolder;
using test::TestFolder;

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
  TestFolder dir;
  FillWithAwkwardEntries(dir.path());
  ASSERT_EQ(CountEntries(dir.path()), 4);

  EmptyFolder(nullptr, dir.path());
  EXPECT_TRUE(Exists(dir.path()));
  EXPECT_EQ(CountEntries(dir.path()), 0);

  // Named with a trailing delimiter, the folder is still the same folder.
  FillWithAwkwardEntries(dir.path());
  EmptyFolder(nullptr, dir.path() + u"\\");
  EXPECT_EQ(CountEntries(dir.path()), 0);
}

TEST(EmptyFolder, RemovesEntriesWithJapaneseNames) {
  TestFolder dir;
  // Wine maps names to the host's file names through the host locale; without
  // a UTF-8 locale there, such names cannot exist at all.
  if (!MakeFile(dir / u"画像.jpg", FILE_ATTRIBUTE_READONLY))
    GTEST_SKIP() << "this file system takes no Japanese names (host locale?)";
  ASSERT_TRUE(MakeFolder(dir / u"書庫の中"));
  ASSERT_TRUE(MakeFile(dir / u"書庫の中\\説明.txt", FILE_ATTRIBUTE_READONLY));
  EmptyFolder(nullptr, dir.path());
  EXPECT_EQ(CountEntries(dir.path()), 0);
}

TEST(EmptyFolder, MissingFolderIsNeitherCreatedNorAnythingBesideItTouched) {
  TestFolder dir;
  ASSERT_TRUE(MakeFile(dir / u"keep.txt"));
  EmptyFolder(nullptr, dir / u"missing");
  EmptyFolder(nullptr, u"");
  EXPECT_FALSE(Exists(dir / u"missing"));
  EXPECT_TRUE(Exists(dir / u"keep.txt"));
}

TEST(DeleteFiles, NoNamesDeletesNothing) {
  TestFolder dir;
  ASSERT_TRUE(MakeFile(dir / u"keep.txt"));
  // Relative names would be taken from the current folder: make that ours.
  wchar_t old_dir[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, old_dir);
  ASSERT_TRUE(SetCurrentDirectoryW(W(dir.path())));

  TFileOperation op;
  op.Options = {fofSilent, fofNoConfirmation};
  EXPECT_FALSE(op.DeleteFiles());
  op.FromFiles = {u"", u""};
  EXPECT_FALSE(op.DeleteFiles());
  EXPECT_FALSE(op.Execute(FO_DELETE, u"", u""));

  SetCurrentDirectoryW(old_dir);
  EXPECT_TRUE(Exists(dir / u"keep.txt"));
}

TEST(DeleteFiles, DeletesExactlyTheListedNames) {
  TestFolder dir;
  ASSERT_TRUE(MakeFile(dir / u"a.txt", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(dir / u"b.txt"));
  ASSERT_TRUE(MakeFolder(dir / u"c"));
  ASSERT_TRUE(MakeFile(dir / u"c\\in.txt", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(dir / u"d.txt"));

  TFileOperation op;
  op.Options = {fofSilent, fofNoConfirmation};
  op.FromFiles = {dir / u"a.txt", dir / u"c", dir / u"d.txt"};
  EXPECT_FALSE(op.DeleteFiles());
  EXPECT_FALSE(Exists(dir / u"a.txt"));
  EXPECT_FALSE(Exists(dir / u"c"));
  EXPECT_FALSE(Exists(dir / u"d.txt"));
  EXPECT_TRUE(Exists(dir / u"b.txt"));
}

TEST(DeleteFiles, FilesOnlyLeavesFoldersMatchedByWildcards) {
  TestFolder dir;
  ASSERT_TRUE(MakeFile(dir / u"a.txt", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(dir / u"b"));
  ASSERT_TRUE(MakeFolder(dir / u"sub"));
  ASSERT_TRUE(MakeFile(dir / u"sub\\in.txt"));

  TFileOperation op;
  op.Options = {fofSilent, fofNoConfirmation, fofFilesOnly};
  op.FromFiles = {FolderContentsPattern(dir.path())};
  op.DeleteFiles();
  EXPECT_FALSE(Exists(dir / u"a.txt"));
  EXPECT_FALSE(Exists(dir / u"b"));
  EXPECT_TRUE(Exists(dir / u"sub\\in.txt"));
}

TEST(RemoveFolder, RemovesTheFolderWithEverythingInIt) {
  TestFolder dir;
  const std::u16string work = dir / u"zk1.tmp";
  ASSERT_TRUE(MakeFolder(work, FILE_ATTRIBUTE_HIDDEN));
  FillWithAwkwardEntries(work);
  ASSERT_TRUE(MakeFile(dir / u"zk1.tmp.keep"));

  RemoveFolder(nullptr, work);
  EXPECT_FALSE(Exists(work));
  EXPECT_TRUE(Exists(dir / u"zk1.tmp.keep"));

  RemoveFolder(nullptr, work);  // already gone: nothing to do, nothing shown
  EXPECT_TRUE(Exists(dir / u"zk1.tmp.keep"));
}

TEST(DeleteForGood, GoesOnPastWhatCannotBeDeleted) {
  TestFolder dir;
  ASSERT_TRUE(MakeFile(dir / u"busy.txt"));
  ASSERT_TRUE(MakeFolder(dir / u"tree", FILE_ATTRIBUTE_READONLY));
  FillWithAwkwardEntries(dir / u"tree");
  HANDLE busy = CreateFileW(W(dir / u"busy.txt"), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(busy, INVALID_HANDLE_VALUE);
  DeleteForGood(FolderContentsPattern(dir.path()), false);
  CloseHandle(busy);
  EXPECT_TRUE(Exists(dir / u"busy.txt"));
  EXPECT_FALSE(Exists(dir / u"tree"));
}

TEST(DeleteForGood, RemovesALinkToAFolderButNotWhatItPointsTo) {
  TestFolder dir;
  ASSERT_TRUE(MakeFolder(dir / u"target"));
  ASSERT_TRUE(MakeFile(dir / u"target\\precious.txt"));
  ASSERT_TRUE(MakeFolder(dir / u"work"));
  if (!CreateSymbolicLinkW(W(dir / u"work\\link"), W(dir / u"target"), SYMBOLIC_LINK_FLAG_DIRECTORY))
    GTEST_SKIP() << "no folder links here (error " << GetLastError() << ")";

  DeleteForGood(FolderContentsPattern(dir / u"work"), false);
  EXPECT_FALSE(Exists(dir / u"work\\link"));
  EXPECT_TRUE(Exists(dir / u"target\\precious.txt"));
}

}  // namespace
}  // namespace zk
