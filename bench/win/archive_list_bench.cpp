// Listing an archive of 10,000 members in the real window: the whole listing
// (archiver calls, line texts and the list control) through the stand-in DLL
// and through the built-in engine, and filling the list control alone; one
// 100 MB member out of a solid 7z by the built-in engine. Prints figures;
// asserts nothing.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <archive.h>
#include <archive_entry.h>

#include "app/window/main_window.h"
#include "archive/archive_file.h"
#include "archive/archiver_classes.h"
#include "archive/builtin_archive.h"
#include "base/file_byte_source.h"
#include "bench_form.h"
#include "bench_row.h"
#include "base/text.h"
#include "base/win_text.h"

namespace {

constexpr int kMembers = 10000;

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

uint32_t Crc32(const std::string& data) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Put16(std::string& out, uint32_t v) { out.append({char(v), char(v >> 8)}); }
void Put32(std::string& out, uint32_t v) { out.append({char(v), char(v >> 8), char(v >> 16), char(v >> 24)}); }

// A stored ZIP of `count` small members in folders of 100.
std::string ManyMemberZip(int count) {
  std::string file, directory;
  constexpr uint16_t kDate = (44 << 9) | (3 << 5) | 14, kTime = (13 << 11) | (45 << 5);
  for (int i = 0; i < count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "folder%03d/member%05d.txt", i / 100, i);
    const std::string data = "member " + std::to_string(i) + "\r\n";
    const uint32_t crc = Crc32(data), offset = static_cast<uint32_t>(file.size());
    auto header = [&](std::string& out, bool central) {
      Put32(out, central ? 0x02014b50 : 0x04034b50);
      if (central) Put16(out, 20);
      Put16(out, 20);
      Put16(out, 0);
      Put16(out, 0);  // stored
      Put16(out, kTime);
      Put16(out, kDate);
      Put32(out, crc);
      Put32(out, static_cast<uint32_t>(data.size()));
      Put32(out, static_cast<uint32_t>(data.size()));
      Put16(out, static_cast<uint32_t>(std::strlen(name)));
      Put16(out, 0);
      if (central) {
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, 0);
        Put32(out, 0);
        Put32(out, offset);
      }
      out += name;
    };
    header(file, false);
    file += data;
    header(directory, true);
  }
  const uint32_t directory_offset = static_cast<uint32_t>(file.size());
  file += directory;
  Put32(file, 0x06054b50);
  Put16(file, 0);
  Put16(file, 0);
  Put16(file, static_cast<uint32_t>(count));
  Put16(file, static_cast<uint32_t>(count));
  Put32(file, static_cast<uint32_t>(directory.size()));
  Put32(file, directory_offset);
  Put16(file, 0);
  return file;
}

std::u16string OwnFolder() {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  return zk::FromWide(path.substr(0, path.rfind(L'\\')));
}

// A ZIP member whose directory entry claims 1,000 bytes and that expands to
// 200 MB of zeros, taken out into a folder with the default read limit: where
// it stops and how much the process's peak memory grew.
void BombRow(const std::u16string& folder) {
  const std::u16string zip = folder + u"\\bomb.zip";
  {
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_open_filename_w(a, zk::W(zip));
    archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, "bomb.bin");
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_size(e, 200 << 20);
    archive_write_header(a, e);
    const std::string zeros(1 << 20, '\0');
    for (int i = 0; i < 200; ++i) archive_write_data(a, zeros.data(), zeros.size());
    archive_entry_free(e);
    archive_write_close(a);
    archive_write_free(a);
  }
  std::string bytes;
  {
    HANDLE f = CreateFileW(zk::W(zip), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size{};
    GetFileSizeEx(f, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
  }
  // The central directory's uncompressed size (offset 24 of its record).
  const size_t central = bytes.rfind("PK\x01\x02");
  if (central == std::string::npos) return;
  for (int k = 0; k < 4; ++k) bytes[central + 24 + k] = static_cast<char>((1000u >> (8 * k)) & 0xFF);
  {
    HANDLE f = CreateFileW(zk::W(zip), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
  }
  // The engine itself, with the process's committed memory sampled at every piece it hands out.
  const auto committed = [] {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return static_cast<double>(pmc.PagefileUsage) / (1 << 20);
  };
  const double before = committed();
  double most = before;
  zk::FileByteSource source(zip);
  zk::WinAnsiCodec ansi;
  int64_t taken = 0;
  const zk::BuiltinExtraction got = zk::BuiltinArchiveReader(source, ansi, GetACP())
      .Extract(u"bomb.bin", 20000000, [&](const void*, size_t n) {
        taken += static_cast<int64_t>(n);
        most = std::max(most, committed());
        return true;
      });
  std::printf("bomb member: stopped after %lld bytes (%s), committed memory grew by %.1f MB at most\n",
              static_cast<long long>(taken), zk::Utf16ToUtf8(got.error).c_str(), most - before);
  zk::bench::PrintRow("built-in engine: a 1,000-byte member expanding to 200 MB, peak memory growth", most - before, "MB");
  DeleteFileW(zk::W(zip));
  DeleteFileW(zk::W(folder + u"\\bomb.bin"));
}

// One 100 MB member behind another in a solid 7z made by 7-Zip (bench.sh
// leaves it beside this program), taken out by the built-in engine into
// memory and into a folder.
bool BigMemberRows(const std::u16string& folder) {
  constexpr size_t kBig = 100u << 20;
  const std::u16string seven = OwnFolder() + u"\\solid.7z";
  if (GetFileAttributesW(zk::W(seven)) == INVALID_FILE_ATTRIBUTES) {
    std::printf("no solid.7z beside the program: the 100 MB member rows are left out\n");
    return true;
  }
  bool ok = true;
  {
    zk::TArchiveFile archive;
    archive.AllowBuiltIn(true);
    archive.SetFileName(seven);
    std::vector<BYTE> buffer(kBig + 1024);
    DWORD written = 0;
    const double t0 = Now();
    ok &= archive.ExtractMemBuiltIn(u"big.bin", buffer.data(), static_cast<DWORD>(kBig), written) == 0;
    const double memory = Now() - t0;
    ok &= written == kBig;
    const double t1 = Now();
    ok &= archive.ExtractBuiltIn(u"big.bin", folder, 0) == 0;
    const double disk = Now() - t1;
    std::printf("100 MB member of a solid 7z: into memory %.0f ms, into a folder %.0f ms%s %s\n", memory * 1000,
                disk * 1000, ok ? "" : "; failed:", zk::Utf16ToUtf8(archive.OutputText()).c_str());
    zk::bench::PrintRow("built-in engine: 100 MB member of a solid 7z into memory", memory * 1000, "ms");
    zk::bench::PrintRow("built-in engine: 100 MB member of a solid 7z into the work folder", disk * 1000, "ms");
  }
  DeleteFileW(zk::W(folder + u"\\big.bin"));
  return ok;
}

}  // namespace

int wmain() {
  OleInitialize(nullptr);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::u16string folder = zk::FromWide(temp) + u"zarvik-archive-bench";
  CreateDirectoryW(zk::W(folder), nullptr);
  // First, with no archiver DLL and while the process's peak memory is still its start-up's.
  SetDllDirectoryW(zk::W(folder));
  BombRow(folder);

  // The stand-in archivers of this build (bench\..\bin\archivers).
  const std::u16string archivers = OwnFolder() + u"\\..\\bin\\archivers";
  SetDllDirectoryW(zk::W(archivers));

  const std::u16string zip = folder + u"\\many.zip";
  {
    const std::string bytes = ManyMemberZip(kMembers);
    HANDLE f = CreateFileW(zk::W(zip), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
  }

  int status = 0;
  {
    zk::TZKMainForm form(zk::bench::QuietFormOptions(folder, u"ZarvikArchiveBench"));
    if (!form.Create()) {
      std::printf("the window could not be made\n");
      return 1;
    }
    zk::Settings values = form.settings();
    values.ArcView = true;
    values.LinkView = true;
    form.ApplySettings(values);
    double best_listing = 1e9, best_fill = 1e9;
    for (int round = 0; round < 3; ++round) {
      form.ClearView(true);
      form.SelectedFileName = zip;
      const double t0 = Now();
      form.DispatchFile(zip, false);
      best_listing = std::min(best_listing, Now() - t0);
    }
    const int count = form.archive_page().Count();
    const std::vector<std::u16string> lines = form.archive_page().Lines();
    for (int round = 0; round < 3; ++round) {
      const double t0 = Now();
      form.archive_page().Fill(lines);
      best_fill = std::min(best_fill, Now() - t0);
    }
    std::printf("archive of %d members: %d lines listed in %.0f ms (selection to list page); "
                "filling the list control alone %.0f ms\n",
                kMembers, count, best_listing * 1000, best_fill * 1000);
    zk::bench::PrintRow("archive list: filling with 10,000 members", best_listing * 1000, "ms");
    zk::bench::PrintRow("archive list: filling the list control alone", best_fill * 1000, "ms");
    if (count != kMembers) status = 1;

    // The same archive with no archiver DLL to be found: the built-in engine.
    zk::FreeArchiverDlls();
    SetDllDirectoryW(zk::W(folder));
    double best_builtin = 1e9;
    for (int round = 0; round < 3; ++round) {
      form.ClearView(true);
      form.SelectedFileName = zip;
      const double t0 = Now();
      form.DispatchFile(zip, false);
      best_builtin = std::min(best_builtin, Now() - t0);
    }
    std::printf("the built-in engine: %d lines listed in %.0f ms\n", form.archive_page().Count(), best_builtin * 1000);
    zk::bench::PrintRow("archive list: 10,000 members through the built-in engine", best_builtin * 1000, "ms");
    zk::bench::PrintPeer("archive list: 10,000 members through the built-in engine", "stand-in UNZIP32.DLL",
                         best_listing * 1000);
    if (form.archive_page().Count() != kMembers) status = 1;
    form.ClearView(true);
    form.Close();
  }
  if (!BigMemberRows(folder)) status = 1;
  DeleteFileW(zk::W(zip));
  DeleteFileW(zk::W(folder + u"\\zarvik.ini"));
  RemoveDirectoryW(zk::W(folder));
  OleUninitialize();
  return status;
}
