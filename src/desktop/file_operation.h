// The shell's file operation (copy, move, delete, rename) as a small
// component: source and destination lists, options and a progress title.
#pragma once

#include <windows.h>
#include <shellapi.h>  // FO_COPY, FO_MOVE, FO_DELETE, FO_RENAME

#include <string>
#include <vector>

#include "desktop/file_op_flags.h"

namespace zk {

class TFileOperation {
 public:
  // owner: the window the shell's own windows (progress, questions) belong to.
  explicit TFileOperation(HWND owner = nullptr) : owner_(owner) {}

  HWND OwnerWindow() const { return owner_; }
  void SetOwnerWindow(HWND owner) { owner_ = owner; }

  std::vector<std::u16string> FromFiles;  // wildcards allowed in the last component
  std::vector<std::u16string> ToFiles;    // not read by DeleteFiles
  TFileOpFlags Options = kDefaultFileOpOptions;
  std::u16string Title;  // progress title, used with fofSimpleProgress

  // Runs one shell operation (FO_COPY, FO_MOVE, FO_DELETE, FO_RENAME) on
  // lists in the shell's form (see BuildShellFileList). Returns whether the
  // user aborted any part of it; the shell's own result is not reported.
  // An empty source list does nothing.
  bool Execute(UINT operation, const std::u16string& from, const std::u16string& to);

  // Deletes FromFiles; returns whether the user aborted any part of it.
  bool DeleteFiles();

 private:
  HWND owner_;
};

// Deletes everything inside `folder`, silently and for good; nothing happens
// when the folder does not exist.
void EmptyFolder(HWND owner, const std::u16string& folder);
// Deletes `folder` with everything in it, for good, without asking (the shell
// may show its progress window); nothing happens when it does not exist.
void RemoveFolder(HWND owner, const std::u16string& folder);

}  // namespace zk
