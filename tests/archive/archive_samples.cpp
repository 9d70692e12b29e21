#include "archive/archive_samples.h"

#include <windows.h>

#include <archive.h>
#include <archive_entry.h>

#include <sstream>

#include "support/test_files.h"

namespace zk::test {

namespace {

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

}  // namespace

bool WriteSampleArchive(const std::u16string& path, SampleFormat format, const std::vector<SampleMember>& members) {
  archive* a = archive_write_new();
  switch (format) {
    case SampleFormat::kZip: archive_write_set_format_zip(a); break;
    case SampleFormat::k7z: archive_write_set_format_7zip(a); break;
    case SampleFormat::kTarGz: archive_write_add_filter_gzip(a); [[fallthrough]];
    case SampleFormat::kTar: archive_write_set_format_pax_restricted(a); break;
    case SampleFormat::kTarBz2:
      archive_write_add_filter_bzip2(a);
      archive_write_set_format_pax_restricted(a);
      break;
  }
  bool ok = archive_write_open_filename(a, Narrow(path).c_str()) == ARCHIVE_OK;
  for (const SampleMember& m : members) {
    if (!ok) break;
    archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, m.name.c_str());
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, 0644);
    archive_entry_set_size(e, static_cast<la_int64_t>(m.data.size()));
    archive_entry_set_mtime(e, m.mtime, 0);
    ok = archive_write_header(a, e) == ARCHIVE_OK &&
         archive_write_data(a, m.data.data(), m.data.size()) == static_cast<la_ssize_t>(m.data.size());
    archive_entry_free(e);
  }
  ok = archive_write_close(a) == ARCHIVE_OK && ok;
  archive_write_free(a);
  return ok;
}

bool DecodeSample(const wchar_t* uu_name, const std::u16string& path) {
  std::istringstream in(ReadFileBytes(BinFile((std::wstring(L"archive-samples\\") + uu_name).c_str())));
  std::string line, out;
  bool started = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!started) {
      started = line.rfind("begin ", 0) == 0;
      continue;
    }
    if (line == "end" || line.empty()) break;
    // uuencode: a length character, then groups of four 6-bit characters.
    const size_t length = (line[0] - ' ') & 63;
    std::string bytes;
    for (size_t i = 1; i + 3 < line.size() + 3 && bytes.size() < length; i += 4) {
      auto c = [&](size_t k) { return i + k < line.size() ? ((line[i + k] - ' ') & 63) : 0; };
      bytes += static_cast<char>((c(0) << 2) | (c(1) >> 4));
      bytes += static_cast<char>(((c(1) & 15) << 4) | (c(2) >> 2));
      bytes += static_cast<char>(((c(2) & 3) << 6) | c(3));
    }
    out += bytes.substr(0, length);
  }
  return started && !out.empty() && WriteFileBytes(path, out);
}

std::u16string StandInArchivers::Folder() { return BinFile(L"archivers"); }

StandInArchivers::StandInArchivers() {
  const std::u16string folder = Folder();
  SetDllDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str()));
}

StandInArchivers::~StandInArchivers() { SetDllDirectoryW(nullptr); }

}  // namespace zk::test
