// Listing an archive of 10,000 members in the real window: the whole listing
// (archiver calls, line texts and the list control) and filling the list
// control alone. Prints figures; asserts nothing.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_window.h"
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

}  // namespace

int wmain() {
  OleInitialize(nullptr);
  // The stand-in archivers of this build (bench\..\bin\archivers).
  const std::u16string archivers = OwnFolder() + u"\\..\\bin\\archivers";
  SetDllDirectoryW(zk::W(archivers));

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::u16string folder = zk::FromWide(temp) + u"zarvik-archive-bench";
  CreateDirectoryW(zk::W(folder), nullptr);
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
    form.settings.ArcView = true;
    form.settings.LinkView = true;
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
    form.ClearView(true);
    form.Close();
  }
  DeleteFileW(zk::W(zip));
  DeleteFileW(zk::W(folder + u"\\zarvik.ini"));
  RemoveDirectoryW(zk::W(folder));
  OleUninitialize();
  return status;
}
