// Archives for the archive tests: written with libarchive in the formats it
// writes, or decoded from libarchive's own small test archives (kept
// uuencoded in the bin folder) for the formats it only reads.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace zk::test {

struct SampleMember {
  std::string name;  // as stored, '/' separated
  std::string data;
  time_t mtime = 1700000000;  // 2023-11-14 22:13:20 UTC
};

enum class SampleFormat { kZip, kTar, kTarGz, kTarBz2, k7z };

bool WriteSampleArchive(const std::u16string& path, SampleFormat format, const std::vector<SampleMember>& members);

// Decodes bin/archive-samples/<uu_name> into path.
bool DecodeSample(const wchar_t* uu_name, const std::u16string& path);

// The stand-in archiver DLLs' folder (bin\archivers), searched for DLLs while
// this lives.
class StandInArchivers {
 public:
  StandInArchivers();
  ~StandInArchivers();
  StandInArchivers(const StandInArchivers&) = delete;
  StandInArchivers& operator=(const StandInArchivers&) = delete;
  static std::u16string Folder();
};

}  // namespace zk::test
