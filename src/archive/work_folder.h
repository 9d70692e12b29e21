// The work folder "zk1.tmp" in the user's temporary folder, into which archive
// members are extracted for viewing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace zk {

// The user's temporary folder with a trailing delimiter; empty when the
// system cannot give one within 512 characters.
std::u16string UserTempFolder();

// How folders are deleted. The program passes the shell's file operation, so
// that its windows belong to the main window.
struct FolderDeletion {
  // Deletes everything inside the folder, without asking or showing progress.
  std::function<void(const std::u16string& folder)> empty;
  // Deletes the folder with everything in it, without asking.
  std::function<void(const std::u16string& folder)> remove;
};

// Makes the work folder ready at start-up and returns its path: emptied when
// it exists, else created and hidden. When it cannot be created, a warning
// beep sounds and show_message gets the text to show the user; every other
// failure is silent. temp_folder is where the work folder lives.
std::u16string PrepareWorkFolder(const FolderDeletion& deletion,
                                 const std::function<void(const std::u16string&)>& show_message,
                                 const std::u16string& temp_folder = UserTempFolder());

// At exit: empties the work folder, then removes it.
void CleanUpWorkFolder(const FolderDeletion& deletion, const std::u16string& work_folder);

}  // namespace zk
