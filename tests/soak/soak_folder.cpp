#include "soak/soak_folder.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <zlib.h>

#include <string>

#include "base/win_handles.h"
#include "support/picture_files.h"
#include "support/shortcut_file.h"
#include "support/test_files.h"

namespace zk::soak {
namespace fs = std::filesystem;
namespace {

std::u16string U16(const fs::path& p) { return test::TempDir::Str(p); }

bool Write(const fs::path& p, const std::string& bytes) { return test::WriteFileBytes(U16(p), bytes); }

// A ZIP container of stored members, enough for the converter's document reader.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& members) {
  std::string out, dir;
  for (const auto& [name, data] : members) {
    const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    const uint32_t offset = static_cast<uint32_t>(out.size());
    auto common = [&](std::string& s) {
      test::PutLe16(s, 20);  // version needed
      test::PutLe16(s, 0);   // flags
      test::PutLe16(s, 0);   // stored
      test::PutLe16(s, 0);   // time
      test::PutLe16(s, 0x21);  // date
      test::PutLe32(s, crc);
      test::PutLe32(s, static_cast<uint32_t>(data.size()));
      test::PutLe32(s, static_cast<uint32_t>(data.size()));
      test::PutLe16(s, static_cast<uint32_t>(name.size()));
      test::PutLe16(s, 0);
    };
    test::PutLe32(out, 0x04034b50);
    common(out);
    out += name + data;
    test::PutLe32(dir, 0x02014b50);
    test::PutLe16(dir, 20);
    common(dir);
    test::PutLe16(dir, 0);  // comment, disk, attributes
    test::PutLe32(dir, 0);
    test::PutLe32(dir, 0);
    test::PutLe32(dir, offset);
    dir += name;
  }
  const uint32_t dir_offset = static_cast<uint32_t>(out.size());
  out += dir;
  test::PutLe32(out, 0x06054b50);
  test::PutLe32(out, 0);
  test::PutLe16(out, static_cast<uint32_t>(members.size()));
  test::PutLe16(out, static_cast<uint32_t>(members.size()));
  test::PutLe32(out, static_cast<uint32_t>(dir.size()));
  test::PutLe32(out, dir_offset);
  test::PutLe16(out, 0);
  return out;
}

std::string Ansi(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// Files the samples do not have: documents for the converter, pictures of
// the remaining kinds, binaries, a shortcut and an archive link.
std::wstring AddFiles(const fs::path& files, const fs::path& bin) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document xmlns:w=\"x\"><w:body><w:p><w:r>"
      "<w:t>A document through the converter.</w:t></w:r></w:p></w:body></w:document>";
  std::string binary(8192, '\0');
  uint32_t seed = 12345;
  for (char& c : binary) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 24);
  std::string ppm = "P6\n4 3\n255\n";
  for (int i = 0; i < 12; ++i) ppm += std::string{'\x20', static_cast<char>(i * 20), '\x80'};
  std::error_code ec;
  const bool written = Write(files / L"document.docx", StoredZip({{"word/document.xml", xml}})) &&
                       Write(files / L"document.rtf", "{\\rtf1\\ansi A document in RTF.\\par}") &&
                       Write(files / L"binary.bin", binary) &&
                       Write(files / L"metafile.emf", test::EnhancedMetafile()) &&
                       Write(files / L"metafile.wmf", test::PlaceableMetafile()) &&
                       Write(files / L"picture_v5.bmp", test::V5BitmapFile(64, 48)) &&
                       Write(files / L"picture.ppm", ppm) &&
                       fs::copy_file(bin / L"post_close.exe", files / L"program.exe", ec);
  if (!written) return L"cannot write the added files";
  if (!test::MakeShortcut((files / L"shortcut.lnk").c_str(), (files / L"text_shift_jis.txt").c_str())) return L"cannot make the shortcut";
  // A link to a picture inside the ZIP archive: archive, member, member size.
  const uintmax_t size = fs::file_size(files / L"picture.png", ec);
  if (ec) return L"the samples have no picture.png";
  if (!Write(files / L"picture.ArcLink",
             Ansi((files / L"archive.zip").wstring()) + "\r\nimages\\picture.png\r\n" + std::to_string(size) + "\r\n"))
    return L"cannot write the archive link";
  return {};
}

std::wstring FillProgramFolder(const fs::path& program, const fs::path& bin) {
  std::error_code ec;
  fs::create_directories(program, ec);
  auto copy = [&](const fs::path& from) {
    return fs::copy_file(from, program / from.filename(), fs::copy_options::overwrite_existing, ec);
  };
  if (!copy(bin / L"zarvik.exe")) return L"no zarvik.exe in " + bin.wstring();
  if (!copy(bin.parent_path() / L"peers" / L"xdoc2txt" / L"xdoc2txt.exe")) return L"no stand-in converter";
  if (!copy(bin / L"ppm.sph")) return L"no stand-in picture plug-in";
  int archivers = 0;
  for (const auto& entry : fs::directory_iterator(bin / L"archivers", ec))
    if (entry.path().extension() == L".dll" || entry.path().extension() == L".DLL") archivers += copy(entry.path());
  if (archivers == 0) return L"no stand-in archivers in " + (bin / L"archivers").wstring();
  return {};
}

}  // namespace

std::wstring PrepareFolders(const fs::path& root, const fs::path& bin, const fs::path& samples, SoakFolders& out) {
  out = {root / L"program", root / L"settings", root / L"files"};
  std::error_code ec;
  fs::create_directories(out.settings, ec);
  if (!Write(out.settings / L"zarvik.ini",
             "[Window]\r\nTop=0\r\nLeft=430\r\nWidth=850\r\nHeight=700\r\n[View]\r\nArcView=1\r\n"))
    return L"cannot write the settings";
  if (std::wstring error = FillProgramFolder(out.program, bin); !error.empty()) return error;
  // The samples, but their archive link names a path of another checkout.
  fs::create_directories(out.files, ec);
  fs::copy(samples, out.files, fs::copy_options::recursive, ec);
  if (ec) return L"cannot copy the samples from " + samples.wstring();
  fs::remove(out.files / L"picture.ArcLink", ec);
  return AddFiles(out.files, bin);
}

}  // namespace zk::soak
