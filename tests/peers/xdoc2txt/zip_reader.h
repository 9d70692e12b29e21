// Members of a ZIP archive held in memory: enough of the format for office
// documents (stored and deflated members), and wary of archives that lie
// about their sizes and offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xdoc {

struct ZipEntry {
  std::string name;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint64_t packed_size = 0;
  uint64_t local_offset = 0;
};

class ZipReader {
 public:
  // `data` is not copied and must outlive the reader. The member list comes
  // from the central directory; when that is missing or damaged (a truncated
  // download), from the local headers read front to back.
  explicit ZipReader(std::string_view data);

  const std::vector<ZipEntry>& entries() const { return entries_; }
  const ZipEntry* Find(std::string_view name) const;

  // The member's content, at most `limit` bytes. A damaged member gives what
  // could be recovered before the damage; encrypted or unknown methods give
  // nothing.
  std::string Read(const ZipEntry& entry, size_t limit) const;

 private:
  bool ReadCentralDirectory();
  void ScanLocalHeaders();

  std::string_view data_;
  std::vector<ZipEntry> entries_;
};

// Raw deflate data inflated to at most `limit` bytes; stops quietly at the
// first error or when the input runs out.
std::string Inflate(std::string_view packed, size_t limit);

}  // namespace xdoc
