// When each command is enabled, checked and shown: one rule per command over
// a snapshot of the viewer's state, taken once per idle pass from facts the
// window keeps (no file-system call of its own).
#pragma once

#include "app/model/commands.h"
#include "app/model/view_state.h"

namespace zk {

struct ViewContext {
  ViewFileType view = vfTemp;
  bool has_picture = false;          // the image page holds a picture
  bool has_text_selection = false;   // the text view has a selection
  int archive_count = 0;             // lines of the archive list
  bool member_selected = false;      // a line of the archive list is selected
  bool archive_page_active = false;  // the archive list is the page on view
  bool search_window_known = false;  // the search program's window was found
  bool selection_exists = false;     // the selected file exists
  bool everything_exists = false;    // the search program's file exists
  bool cache_image_exists = false;   // the selection's cache picture exists
  bool cache_folder_exists = false;
  bool shown_member_exists = false;  // the extracted member on view exists
  bool clipboard_has_bitmap = false;
  // Settings shown as checked commands.
  bool better = false;
  bool hide_toolbar = false;
  bool not_used_in_tray = false;
};

struct CommandState {
  bool enabled = true;
  bool checked = false;
  bool visible = true;
  bool operator==(const CommandState&) const = default;
};

// The state of `id` in `context`. A command whose own execution flips its
// check mark (always on top, following the search window) keeps `current`'s;
// a command no rule limits stays enabled.
CommandState CommandStateOf(CommandId id, const ViewContext& context, CommandState current);

}  // namespace zk
