// A 24-megapixel JPEG, PNG, WebP and AVIF (6000 x 4000; the AVIF made by
// scripts/bench.sh with avifenc): the decode alone, then the whole
// way from selection to the fitted picture (LastReadTime) in the real window,
// and the peak memory while showing each. Prints figures; asserts nothing.
#include <windows.h>
#include <objbase.h>
#include <png.h>
#include <psapi.h>
#include <webp/encode.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "app/window/main_window.h"
#include "bench_form.h"
#include "base/text.h"
#include "base/win_text.h"
#include "image/decoders/avif_decoder.h"
#include "image/decoders/jpeg_decoder.h"
#include "image/decoders/png_decoder.h"
#include "image/decoders/webp_decoder.h"
#include "base/win_files.h"
#include "image/dib_section.h"
#include "image/formats/avif_container.h"
#include "image/picture_loader.h"
#include "support/picture_encoders.h"
#include "bench_row.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// A photograph-like picture: smooth gradients with fine texture.
std::vector<uint8_t> Samples() {
  std::vector<uint8_t> s(static_cast<size_t>(kWidth) * kHeight * 3);
  uint32_t noise = 12345;
  size_t i = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int n = static_cast<int>(noise >> 28);
      s[i++] = static_cast<uint8_t>((x * 255 / kWidth + n) & 0xFF);
      s[i++] = static_cast<uint8_t>((y * 255 / kHeight + n) & 0xFF);
      s[i++] = static_cast<uint8_t>(((x + y) * 128 / (kWidth + kHeight) + 64 + n) & 0xFF);
    }
  return s;
}

// Resident memory: the figure that stays meaningful under Wine, where the
// picture's pixels live in mapped sections.
size_t PeakMemory() {
  PROCESS_MEMORY_COUNTERS pmc{sizeof(pmc)};
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
  return pmc.PeakWorkingSetSize;
}
size_t Memory() {
  PROCESS_MEMORY_COUNTERS pmc{sizeof(pmc)};
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
  return pmc.WorkingSetSize;
}

enum class Kind { kJpeg, kPng, kWebp, kAvif };

zk::PictureDecoderKind DecoderOf(Kind kind) {
  switch (kind) {
    case Kind::kPng: return zk::PictureDecoderKind::kPng;
    case Kind::kWebp: return zk::PictureDecoderKind::kWebp;
    case Kind::kAvif: return zk::PictureDecoderKind::kAvif;
    default: return zk::PictureDecoderKind::kJpeg;
  }
}

void Measure(const char* name, const std::u16string& path, const zk::test::Bytes& file, Kind kind,
             const std::u16string& folder) {
  const size_t start_memory = Memory();
  double best_read_file = 1e9, best_load = 1e9;
  for (int round = 0; round < 3; ++round) {
    double t0 = Now();
    auto bytes = zk::ReadWholeFile(path);
    best_read_file = std::min(best_read_file, Now() - t0);
    bytes.reset();
    t0 = Now();
    auto picture = zk::LoadPictureFile(DecoderOf(kind), path, RGB(255, 255, 255));
    best_load = std::min(best_load, Now() - t0);
  }
  const size_t load_peak = PeakMemory() - start_memory;
  double best_decode = 1e9;
  for (int round = 0; round < 3; ++round) {
    zk::DibSectionSink sink;
    const double t0 = Now();
    if (kind == Kind::kPng) {
      zk::DecodePng(file, {255, 255, 255}, sink);
    } else if (kind == Kind::kWebp) {
      zk::WebpAnimation webp(file, {255, 255, 255});
      const zk::PixelTarget target = sink.Allocate(webp.width(), webp.height());
      webp.RenderNext(target);
    } else if (kind == Kind::kAvif) {
      zk::DecodeAvif(file, {255, 255, 255}, sink);
    } else {
      zk::DecodeJpeg(file, sink);
    }
    best_decode = std::min(best_decode, Now() - t0);
  }

  zk::TZKMainForm form(zk::bench::QuietFormOptions(folder, u"ZarvikPictureBench"));
  if (!form.Create()) {
    std::printf("the window could not be made\n");
    return;
  }
  // The noisy PNG is larger than the default read limit; the reload command would lift it too.
  zk::Settings values = form.settings();
  values.MaxReadByte = 0;
  form.ApplySettings(values);
  int best_read = 1 << 30;
  double best_wall = 1e9;
  for (int round = 0; round < 3; ++round) {
    form.ClearView(true);
    const double t0 = Now();
    form.SelectedFileName = path;
    form.DispatchFile(path, false);
    best_wall = std::min(best_wall, Now() - t0);
    best_read = std::min(best_read, static_cast<int>(form.last_read_time()));
  }
  std::printf("%s: decode alone %.0f ms; selection to fitted picture %d ms (LastReadTime), %.0f ms wall; "
              "status \"%s\"\n",
              name, best_decode * 1000, best_read, best_wall * 1000, zk::Utf16ToUtf8(form.Status(0)).c_str());
  zk::bench::PrintRow((std::string(name) + " 6000x4000: selection to fitted picture").c_str(), best_read, "ms");
  std::printf("%s: reading the file %.0f ms; loading it as a picture (read + decode) %.0f ms\n", name,
              best_read_file * 1000, best_load * 1000);
  std::printf("%s: peak memory of loading the picture: %.0f MB above the start (the file %.1f MB, the pixels %.0f MB)\n", name,
              load_peak / 1048576.0, file.size() / 1048576.0, kWidth * 3.0 * kHeight / 1048576.0);
  form.ClearView(true);
  form.Close();
}

}  // namespace

// Each picture is measured in a process of its own, so that the peak memory
// belongs to that picture alone: picture_bench.exe jpeg|png <file>
int Child(const wchar_t* kind_name, const wchar_t* file) {
  const std::wstring k(kind_name);
  const Kind kind = k == L"png"    ? Kind::kPng
                    : k == L"webp" ? Kind::kWebp
                    : k == L"avif" ? Kind::kAvif
                                   : Kind::kJpeg;
  const std::u16string path = zk::FromWide(file);
  std::optional<std::string> bytes = zk::ReadWholeFile(path);
  if (!bytes) return 1;
  const zk::test::Bytes data(bytes->begin(), bytes->end());
  bytes.reset();
  std::u16string folder = path.substr(0, path.rfind(u'\\'));
  const char* names[] = {"JPEG", "PNG", "WebP", "AVIF"};
  Measure(names[static_cast<int>(kind)], path, data, kind, folder);
  return 0;
}

int RunChild(const std::wstring& kind, const std::u16string& file) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" " + kind + L" \"" + zk::ToWide(file) + L"\"";
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

// The library's own command-line decoder (djpeg, libpng's pngpixel asked for
// the last pixel, so it reads every row), when it lies beside this program:
// the best of three runs on the file less the best of three runs that only
// start it, in ms; -1 when it is missing or fails (pngpixel's exit code says
// nothing: it is 1 even after the pixel was printed).
double PeerDecodeMs(const std::wstring& exe, const std::wstring& args, const std::wstring& start_only,
                    bool exit_code_tells) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path = path.substr(0, path.rfind(L'\\') + 1) + exe;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return -1;
  auto best = [&](const std::wstring& a, bool must_succeed) {
    double ms = 1e9;
    for (int round = 0; round < 3; ++round) {
      std::wstring command = L"\"" + path + L"\" " + a;
      SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
      HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                               OPEN_EXISTING, 0, nullptr);
      STARTUPINFOW si{sizeof(si)};
      si.dwFlags = STARTF_USESTDHANDLES;
      si.hStdInput = si.hStdOutput = si.hStdError = nul;
      PROCESS_INFORMATION pi{};
      const double t0 = Now();
      const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
      DWORD code = 1;
      if (started) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
      }
      const double elapsed = (Now() - t0) * 1000;
      if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
      if (!started || (must_succeed && code != 0)) return -1.0;
      ms = std::min(ms, elapsed);
    }
    return ms;
  };
  const double run = best(args, exit_code_tells), start = best(start_only, false);
  return run < 0 || start < 0 ? -1 : std::max(0.0, run - start);
}

void PrintPeer(const char* name, const char* label, double ms) {
  if (ms >= 0) zk::bench::PrintPeer(name, label, ms);
  else std::printf("%s: %s not found beside this program or failed\n", name, label);
}

int wmain(int argc, wchar_t** argv) {
  OleInitialize(nullptr);
  if (argc == 3) {
    const int code = Child(argv[1], argv[2]);
    OleUninitialize();
    return code;
  }
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::u16string folder = zk::FromWide(temp) + u"zarvik-picture-bench";
  CreateDirectoryW(zk::W(folder), nullptr);

  std::printf("making a %d x %d JPEG and PNG...\n", kWidth, kHeight);
  const std::vector<uint8_t> samples = Samples();
  zk::test::JpegRecipe jpeg{kWidth, kHeight, 3, samples, 90, false, false, false};
  const zk::test::Bytes jpeg_file = zk::test::EncodeJpeg(jpeg);
  zk::test::PngRecipe png{kWidth, kHeight, PNG_COLOR_TYPE_RGB, 8};
  png.samples.assign(samples.begin(), samples.end());
  png.compression_level = 1;
  const zk::test::Bytes png_file = zk::test::EncodePng(png);
  png.samples.clear();
  png.samples.shrink_to_fit();
  uint8_t* webp_data = nullptr;
  const size_t webp_size = WebPEncodeRGB(samples.data(), kWidth, kHeight, kWidth * 3, 80, &webp_data);
  const zk::test::Bytes webp_file(webp_data, webp_data + webp_size);
  WebPFree(webp_data);

  const std::u16string jpeg_path = folder + u"\\big.jpg", png_path = folder + u"\\big.png",
                       webp_path = folder + u"\\big.webp";
  auto write = [](const std::u16string& path, const zk::test::Bytes& bytes) {
    HANDLE f = CreateFileW(zk::W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
  };
  write(jpeg_path, jpeg_file);
  write(png_path, png_file);
  write(webp_path, webp_file);
  std::printf("JPEG %.1f MB, PNG %.1f MB, WebP %.1f MB\n", jpeg_file.size() / 1048576.0, png_file.size() / 1048576.0,
              webp_file.size() / 1048576.0);

  std::fflush(stdout);
  int status = RunChild(L"jpeg", jpeg_path);
  status |= RunChild(L"png", png_path);
  status |= RunChild(L"webp", webp_path);
  PrintPeer("JPEG 6000x4000: selection to fitted picture", "djpeg (decode, less its start)",
            PeerDecodeMs(L"djpeg.exe", L"-outfile NUL \"" + zk::ToWide(jpeg_path) + L"\"", L"-version", true));
  PrintPeer("PNG 6000x4000: selection to fitted picture", "pngpixel (every row, less its start)",
            PeerDecodeMs(L"pngpixel.exe", L"5999 3999 \"" + zk::ToWide(png_path) + L"\"", L"", false));

  DeleteFileW(zk::W(jpeg_path));
  DeleteFileW(zk::W(png_path));
  PrintPeer("WebP 6000x4000: selection to fitted picture", "dwebp (decode, less its start)",
            PeerDecodeMs(L"dwebp.exe", L"-quiet -ppm \"" + zk::ToWide(webp_path) + L"\" -o NUL", L"-version", true));
  DeleteFileW(zk::W(webp_path));

  // The AVIF beside this program, and its AV1 data alone for dav1d's own tool.
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::u16string avif_source = zk::FromWide(self);
  avif_source = avif_source.substr(0, avif_source.rfind(u'\\')) + u"\\big.avif";
  if (std::optional<std::string> avif = zk::ReadWholeFile(avif_source)) {
    const std::u16string avif_path = folder + u"\\big.avif", obu_path = folder + u"\\big.obu";
    const zk::test::Bytes avif_file(avif->begin(), avif->end());
    avif.reset();
    write(avif_path, avif_file);
    const zk::AvifLayout layout = zk::ReadAvifLayout(avif_file);
    write(obu_path, zk::test::Bytes(layout.color.front().begin(), layout.color.front().end()));
    std::printf("AVIF %.1f MB\n", avif_file.size() / 1048576.0);
    std::fflush(stdout);
    status |= RunChild(L"avif", avif_path);
    PrintPeer("AVIF 6000x4000: selection to fitted picture", "dav1d (AV1 decode alone, less its start)",
              PeerDecodeMs(L"dav1d.exe", L"-q --demuxer section5 --muxer null -i \"" + zk::ToWide(obu_path) + L"\" -o NUL",
                           L"--version", true));
    DeleteFileW(zk::W(avif_path));
    DeleteFileW(zk::W(obu_path));
  } else {
    std::printf("AVIF: no big.avif beside this program (scripts/bench.sh makes it)\n");
  }
  DeleteFileW(zk::W(folder + u"\\zarvik.ini"));
  RemoveDirectoryW(zk::W(folder));
  OleUninitialize();
  return status;
}
