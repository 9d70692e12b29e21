#include "zip_reader.h"

#include <zlib.h>

#include <algorithm>

namespace xdoc {
namespace {

constexpr uint32_t kLocalSig = 0x04034b50;
constexpr uint32_t kCentralSig = 0x02014b50;
constexpr uint32_t kEndSig = 0x06054b50;
constexpr size_t kLocalSize = 30;
constexpr size_t kCentralSize = 46;
constexpr size_t kEndSize = 22;
constexpr uint16_t kEncrypted = 1;
constexpr uint16_t kSizesAfterData = 8;

uint16_t Le16(std::string_view d, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(d[at]) | static_cast<uint8_t>(d[at + 1]) << 8);
}
uint32_t Le32(std::string_view d, size_t at) { return Le16(d, at) | static_cast<uint32_t>(Le16(d, at + 2)) << 16; }

}  // namespace

ZipReader::ZipReader(std::string_view data) : data_(data) {
  if (!ReadCentralDirectory()) {
    entries_.clear();
    ScanLocalHeaders();
  }
}

bool ZipReader::ReadCentralDirectory() {
  if (data_.size() < kEndSize) return false;
  // The end record sits in the last 22 bytes plus at most a 64 KB comment.
  size_t lowest = data_.size() > kEndSize + 0xFFFF ? data_.size() - kEndSize - 0xFFFF : 0;
  size_t end = data_.size() - kEndSize;
  while (Le32(data_, end) != kEndSig) {
    if (end == lowest) return false;
    --end;
  }
  uint64_t dir_size = Le32(data_, end + 12);
  uint64_t dir_offset = Le32(data_, end + 16);
  if (dir_offset > end || dir_size > end - dir_offset) return false;

  size_t at = static_cast<size_t>(dir_offset);
  size_t dir_end = static_cast<size_t>(dir_offset + dir_size);
  while (at + kCentralSize <= dir_end) {
    if (Le32(data_, at) != kCentralSig) return false;
    size_t name_len = Le16(data_, at + 28);
    size_t record = kCentralSize + name_len + Le16(data_, at + 30) + Le16(data_, at + 32);
    if (record > dir_end - at) return false;
    ZipEntry e;
    e.flags = Le16(data_, at + 8);
    e.method = Le16(data_, at + 10);
    e.packed_size = Le32(data_, at + 20);
    e.local_offset = Le32(data_, at + 42);
    e.name.assign(data_.substr(at + kCentralSize, name_len));
    entries_.push_back(std::move(e));
    at += record;
  }
  return !entries_.empty();
}

void ZipReader::ScanLocalHeaders() {
  size_t at = 0;
  while (data_.size() - at >= kLocalSize && Le32(data_, at) == kLocalSig) {
    size_t name_len = Le16(data_, at + 26);
    size_t header = kLocalSize + name_len + Le16(data_, at + 28);
    if (header > data_.size() - at) return;
    ZipEntry e;
    e.flags = Le16(data_, at + 6);
    e.method = Le16(data_, at + 8);
    e.packed_size = Le32(data_, at + 18);
    e.local_offset = at;
    e.name.assign(data_.substr(at + kLocalSize, name_len));
    size_t left = data_.size() - at - header;
    // Sizes written after the data are unknown here: inflate runs to the end
    // of its stream, but where the next member starts cannot be told.
    bool last = (e.flags & kSizesAfterData) != 0 || e.packed_size >= left;
    if (last) e.packed_size = left;
    at += header + static_cast<size_t>(e.packed_size);
    entries_.push_back(std::move(e));
    if (last) return;
  }
}

const ZipEntry* ZipReader::Find(std::string_view name) const {
  for (const auto& e : entries_)
    if (e.name == name) return &e;
  return nullptr;
}

std::string ZipReader::Read(const ZipEntry& entry, size_t limit) const {
  if (entry.flags & kEncrypted) return {};
  if (entry.local_offset > data_.size() || data_.size() - entry.local_offset < kLocalSize) return {};
  size_t at = static_cast<size_t>(entry.local_offset);
  if (Le32(data_, at) != kLocalSig) return {};
  size_t start = at + kLocalSize + Le16(data_, at + 26) + Le16(data_, at + 28);
  if (start > data_.size()) return {};
  // A stated size that runs past the end of the file is cut to what is there.
  size_t packed = static_cast<size_t>(std::min<uint64_t>(entry.packed_size, data_.size() - start));
  std::string_view in = data_.substr(start, packed);
  if (entry.method == 0) return std::string(in.substr(0, std::min(in.size(), limit)));
  if (entry.method == Z_DEFLATED) return Inflate(in, limit);
  return {};
}

std::string Inflate(std::string_view packed, size_t limit) {
  z_stream zs{};
  if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return {};
  std::string out;
  char buf[65536];
  size_t fed = 0;
  while (out.size() < limit) {
    if (zs.avail_in == 0 && fed < packed.size()) {
      size_t n = std::min<size_t>(packed.size() - fed, 1u << 30);
      zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data() + fed));
      zs.avail_in = static_cast<uInt>(n);
      fed += n;
    }
    zs.next_out = reinterpret_cast<Bytef*>(buf);
    zs.avail_out = sizeof(buf);
    int rc = inflate(&zs, Z_NO_FLUSH);
    size_t got = sizeof(buf) - zs.avail_out;
    out.append(buf, std::min(got, limit - out.size()));
    // Z_BUF_ERROR: no progress possible, the data ended early.
    if (rc != Z_OK) break;
  }
  inflateEnd(&zs);
  return out;
}

}  // namespace xdoc
