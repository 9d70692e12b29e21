#include "archive/drivers/file_list.h"

namespace zk {

std::vector<std::string> FlattenFileList(const FileList& list) {
  std::vector<std::string> names;
  auto add = [&names](const std::string& name) {
    if (!name.empty()) names.push_back(name);
  };
  for (const FileListEntry& entry : list) {
    if (const auto* text = std::get_if<std::string>(&entry)) add(*text);
    if (const auto* array = std::get_if<std::vector<std::string>>(&entry))
      for (const std::string& name : *array) add(name);
    if (const auto* lines = std::get_if<TextList>(&entry))
      for (const std::string& name : lines->lines) add(name);
  }
  return names;
}

}  // namespace zk
