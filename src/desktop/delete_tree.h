// Deleting files and whole folder trees for good, read-only entries included,
// without any window: what the shell's delete does when asked to be silent and
// not to confirm, for where the shell cannot finish the job itself.
#pragma once

#include <string>

namespace zk {

// Deletes what `pattern` names: one file or folder, or with wildcards in its
// last component every match. Folders go with everything inside them; links
// to folders are removed without touching what they point to. With
// `files_only`, folders matched by a wildcard are left alone. Entries that
// cannot be deleted (in use, no rights) are skipped.
void DeleteForGood(const std::u16string& pattern, bool files_only);

}  // namespace zk
