#include "desktop/file_operation.h"

#include "base/paths.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "desktop/delete_tree.h"

namespace zk {
namespace {

static_assert(shell_fof::kMultiDestFiles == FOF_MULTIDESTFILES);
static_assert(shell_fof::kConfirmMouse == FOF_CONFIRMMOUSE);
static_assert(shell_fof::kSilent == FOF_SILENT);
static_assert(shell_fof::kRenameOnCollision == FOF_RENAMEONCOLLISION);
static_assert(shell_fof::kNoConfirmation == FOF_NOCONFIRMATION);
static_assert(shell_fof::kAllowUndo == FOF_ALLOWUNDO);
static_assert(shell_fof::kFilesOnly == FOF_FILESONLY);
static_assert(shell_fof::kSimpleProgress == FOF_SIMPLEPROGRESS);
static_assert(shell_fof::kNoConfirmMkdir == FOF_NOCONFIRMMKDIR);
static_assert(shell_fof::kNoErrorUI == FOF_NOERRORUI);

// The shell reads a list up to a double NUL; one more NUL past the text's
// own end guarantees that, however the caller ended it.
std::u16string Terminated(const std::u16string& list) {
  std::u16string out = list;
  out += u'\0';
  return out;
}

// Some shells stop at the first read-only entry of a silent, unconfirmed
// delete (Wine's does) and leave the rest. Such a delete is meant to leave
// nothing behind and asks the user nothing, so finishing it here changes
// nothing the user sees. Deletes into the recycle bin are left to the shell.
void FinishUnconfirmedDelete(const std::u16string& from, FILEOP_FLAGS flags) {
  for (const std::u16string& pattern : SplitShellFileList(from))
    DeleteForGood(pattern, (flags & FOF_FILESONLY) != 0);
}

}  // namespace

bool TFileOperation::Execute(UINT operation, const std::u16string& from, const std::u16string& to) {
  const std::u16string source = Terminated(from);
  if (source.front() == u'\0') return false;  // nothing named
  const std::u16string destination = Terminated(to);

  SHFILEOPSTRUCTW op{};
  op.hwnd = owner_;
  op.wFunc = operation;
  op.pFrom = W(source);
  op.pTo = W(destination);
  op.fFlags = ShellFileOpFlags(Options);
  op.hNameMappings = nullptr;
  op.lpszProgressTitle = Options.Contains(fofSimpleProgress) ? W(Title) : nullptr;
  const int result = SHFileOperationW(&op);

  if (result != 0 && !op.fAnyOperationsAborted && operation == FO_DELETE &&
      (op.fFlags & FOF_NOCONFIRMATION) && !(op.fFlags & FOF_ALLOWUNDO))
    FinishUnconfirmedDelete(source, op.fFlags);
  return op.fAnyOperationsAborted != FALSE;
}

bool TFileOperation::DeleteFiles() {
  return Execute(FO_DELETE, BuildShellFileList(FromFiles), std::u16string());
}

void EmptyFolder(HWND owner, const std::u16string& folder) {
  if (!FolderExists(folder)) return;
  TFileOperation op(owner);
  op.FromFiles = {FolderContentsPattern(folder)};
  op.Options = {fofSilent, fofNoConfirmation};
  op.DeleteFiles();
}

void RemoveFolder(HWND owner, const std::u16string& folder) {
  // A missing folder would make the shell report an error in a window.
  if (!FolderExists(folder)) return;
  TFileOperation op(owner);
  op.FromFiles = {ExcludeTrailingDelimiter(folder)};
  op.Options = {fofNoConfirmation};
  op.DeleteFiles();
}

}  // namespace zk
