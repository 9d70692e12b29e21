// The names an archive command works on. An entry is a byte text (ANSI code
// page), an array of byte texts, a text list (one name per line) or a UTF-16
// text; the archivers take byte texts only, so a UTF-16 text, like an entry
// of no kind at all, names nothing.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace zk {

struct TextList {
  std::vector<std::string> lines;
};

using FileListEntry = std::variant<std::monostate, std::string, std::vector<std::string>, TextList, std::u16string>;
using FileList = std::vector<FileListEntry>;

// The names in order, empty ones left out.
std::vector<std::string> FlattenFileList(const FileList& list);

}  // namespace zk
