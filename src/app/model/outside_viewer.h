// Opening the shown file in an outside viewer: which program, in which
// folder, with which file and command line. The platform answers the few
// questions through OutViewHost; starting the program is the caller's.
#pragma once

#include <optional>
#include <string>

#include "app/model/view_state.h"

namespace zk {

// The control the user asked from: the text, or the picture (which also
// carries the binary view).
enum class OutViewSource { kTextControl, kPictureControl };

struct OutViewInput {
  OutViewSource source = OutViewSource::kTextControl;
  ViewFileType view = vfTemp;
  std::u16string text_program, text_folder;        // OutTextEditor, OutTextDir
  std::u16string picture_program, picture_folder;  // OutGEditor, OutGDir
  std::u16string member;    // ShownMemberPath
  std::u16string selected;  // SelectedFileName
};

class OutViewHost {
 public:
  virtual ~OutViewHost() = default;
  virtual bool FolderExists(const std::u16string& path) = 0;
  // The target of a shortcut file when it is an existing file; the file
  // itself when it is no shortcut; empty when the target is missing.
  virtual std::u16string ResolveShortcut(const std::u16string& path) = 0;
};

struct OutViewPlan {
  std::u16string program;       // as set, never quoted by us
  std::u16string folder;        // where the program starts; empty: as it is
  std::u16string file;          // what it opens
  std::u16string command_line;  // program, a space, the file in double quotes
  // The file is a shortcut whose target is missing or a folder; nothing
  // should be started.
  bool missing_target = false;
};

// Shortcuts that lead to shortcuts are followed this many steps at most.
inline constexpr int kMaxShortcutSteps = 8;

// Nothing when the source has no program set, or when the picture control
// asks while no picture is shown.
std::optional<OutViewPlan> PlanOutView(const OutViewInput& in, OutViewHost& host);

// The folder a program setting names: the longest leading part that ends at a
// path delimiter and is an existing folder (a leading double quote ignored);
// empty for a bare program name.
std::u16string ProgramFolder(const std::u16string& program, OutViewHost& host);

// Follows a shortcut, and shortcuts it leads to, to the file at the end.
// Empty when a target is missing; the shortcut itself when the chain turns
// back on itself or runs too long.
std::u16string FollowShortcuts(const std::u16string& shortcut, OutViewHost& host);

}  // namespace zk
