// Which of the files and folders the commands' enable rules look at exist,
// kept between idle passes: the rules run after every message, and a
// file-system call each time would stall the window on a network path or a
// sleeping disk. The window looks when what it shows changes and once a
// second; its idle passes only read the facts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zk {

// The paths the facts are about.
struct ExistenceKey {
  std::u16string selection;        // SelectedFileName
  std::u16string cache_folder;     // CacheFolder
  std::u16string everything_path;  // EverythingPath
  std::u16string shown_member;     // ShownMemberPath
  bool operator==(const ExistenceKey&) const = default;
};

struct ExistenceFacts {
  bool selection = false;     // the selection is an existing file
  bool cache_image = false;   // the selection's cache picture exists
  bool cache_folder = false;  // the cache folder exists
  bool everything = false;    // Everything's program file exists
  bool shown_member = false;  // the extracted member on view exists
};

class ExistenceCache {
 public:
  static constexpr uint32_t kMaxAgeMs = 1000;
  using Look = std::function<ExistenceFacts(const ExistenceKey&)>;

  // The facts about key; `look` asks the file system only when the key
  // changed, after Forget, or when the facts are kMaxAgeMs old.
  const ExistenceFacts& Get(const ExistenceKey& key, uint32_t now_ms, const Look& look);
  // The facts of the last look, without looking.
  const ExistenceFacts& facts() const { return facts_; }
  // The files may have changed (a cache picture made or deleted, new settings).
  void Forget() { valid_ = false; }

 private:
  ExistenceKey key_;
  ExistenceFacts facts_;
  uint32_t checked_ms_ = 0;
  bool valid_ = false;
};

}  // namespace zk
