// Stand-in picture plug-ins, built once per kind (STANDIN_*) with the 64-bit
// plug-in convention: pointer-sized lengths and callback data, 8-byte handles.
//   PPM      import: binary PPM/PGM (P6, P5); declares "*.ppm;*.pnm" and "*.pgm"
//            (or STANDIN_PATTERN); reports progress with a zero denominator
//            first and stops when asked; its GetPreview gives the top row only.
//   CONTENT  import: PNG and uncompressed bitmaps by content; declares "*.png",
//            "*.mbin" and "*.webp".
//   FAILING  import: says yes to everything, then fails GetPicture; "*.fail".
//   LIAR     import: says yes to everything and "succeeds" with a header that
//            claims far more pixels than its bits block holds; "*.liar".
//   ARCHIVE  archive kind ("00AM").
//   NOINFO   a library with the plug-in extension but no GetPluginInfo.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "image/decoders/png_decoder.h"
#include "image/decoders/pixel_sink.h"
#include "image/plugins/spi_records.h"

using zk::SpiPictureInfo;
using Progress = int(WINAPI*)(int, int, LONG_PTR);

#define EXPORT extern "C" __declspec(dllexport)

namespace {

// The picture data, read from the file at the offset (flag 0) or taken from memory (flag 1).
[[maybe_unused]] bool Source(LPCSTR buf, LONG_PTR len, unsigned flag, std::string& out) {
  if ((flag & 7) == 1) {
    if (!buf || len < 0) return false;
    out.assign(buf, static_cast<size_t>(len));
    return true;
  }
  HANDLE file = CreateFileA(buf, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= (1 << 26) && len >= 0 && len <= size.QuadPart;
  if (ok) {
    out.resize(static_cast<size_t>(size.QuadPart - len));
    LARGE_INTEGER at{};
    at.QuadPart = len;
    DWORD got = 0;
    ok = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
         (out.empty() || (ReadFile(file, out.data(), static_cast<DWORD>(out.size()), &got, nullptr) && got == out.size()));
  }
  CloseHandle(file);
  return ok;
}

[[maybe_unused]] HLOCAL Block(const void* bytes, size_t size) {
  HLOCAL h = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, size);
  if (!h) return nullptr;
  void* p = LocalLock(h);
  std::memcpy(p, bytes, size);
  LocalUnlock(h);
  return h;
}

// A bottom-up 24-bit DIB from top-down BGR rows.
[[maybe_unused]] int Hand(int width, int height, const std::vector<uint8_t>& top_down_bgr, HLOCAL* info, HLOCAL* bits) {
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
  const size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<uint8_t> rows(row * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    std::memcpy(&rows[row * static_cast<size_t>(height - 1 - y)], &top_down_bgr[static_cast<size_t>(y) * width * 3],
                static_cast<size_t>(width) * 3);
  *info = Block(&header, sizeof header);
  *bits = Block(rows.data(), rows.size());
  if (!*info || !*bits) {
    if (*info) LocalFree(*info);
    if (*bits) LocalFree(*bits);
    *info = *bits = nullptr;
    return 4;  // out of memory
  }
  return 0;
}

[[maybe_unused]] int CopyInfo(int number, LPSTR buffer, int length, const char* const* strings, int count) {
  if (number < 0 || number >= count || !buffer || length <= 0) return 0;
  const int n = std::min<int>(static_cast<int>(std::strlen(strings[number])), length - 1);
  std::memcpy(buffer, strings[number], static_cast<size_t>(n));
  buffer[n] = 0;
  return n;
}

#if defined(STANDIN_PPM)
#ifndef STANDIN_PATTERN
const char* const kInfo[] = {"00IN", "PPM stand-in", "*.ppm;*.pnm", "Portable pixmap", "*.pgm", "Portable graymap"};
#else
const char* const kInfo[] = {"00IN", "PPM stand-in", STANDIN_PATTERN, "Portable pixmap"};
#endif

bool IsPnm(const char* head) { return head[0] == 'P' && (head[1] == '5' || head[1] == '6'); }

// Header fields separated by white space and comments.
bool Field(const std::string& d, size_t& at, int& value) {
  while (at < d.size()) {
    if (d[at] == '#') {
      while (at < d.size() && d[at] != '\n') ++at;
    } else if (std::isspace(static_cast<unsigned char>(d[at]))) {
      ++at;
    } else {
      break;
    }
  }
  if (at >= d.size() || !std::isdigit(static_cast<unsigned char>(d[at]))) return false;
  long long v = 0;
  while (at < d.size() && std::isdigit(static_cast<unsigned char>(d[at])) && v < 100000) v = v * 10 + (d[at++] - '0');
  value = static_cast<int>(v);
  return true;
}

struct Pnm {
  int width = 0, height = 0;
  bool gray = false;
  size_t data = 0;
};

bool ReadPnm(const std::string& d, Pnm& p) {
  if (d.size() < 2 || !IsPnm(d.data())) return false;
  p.gray = d[1] == '5';
  size_t at = 2;
  int maxval = 0;
  if (!Field(d, at, p.width) || !Field(d, at, p.height) || !Field(d, at, maxval)) return false;
  if (p.width <= 0 || p.height <= 0 || p.width > 16384 || p.height > 16384 || maxval <= 0 || maxval > 255) return false;
  p.data = at + 1;
  return d.size() >= p.data + static_cast<size_t>(p.width) * p.height * (p.gray ? 1 : 3);
}

int Decode(LPCSTR buf, LONG_PTR len, unsigned flag, HLOCAL* info, HLOCAL* bits, Progress progress, LONG_PTR data,
           bool preview) {
  if (!info || !bits) return 2;
  *info = *bits = nullptr;
  if (progress && progress(0, 0, data)) return 1;  // the host asked to stop
  std::string d;
  Pnm p;
  if (!Source(buf, len, flag, d) || !ReadPnm(d, p)) return 2;
  std::vector<uint8_t> bgr(static_cast<size_t>(p.width) * p.height * 3);
  for (size_t i = 0; i < static_cast<size_t>(p.width) * p.height; ++i) {
    const auto* s = reinterpret_cast<const uint8_t*>(d.data() + p.data + i * (p.gray ? 1 : 3));
    bgr[i * 3] = p.gray ? s[0] : s[2];
    bgr[i * 3 + 1] = p.gray ? s[0] : s[1];
    bgr[i * 3 + 2] = s[0];
  }
  if (progress && progress(p.height, p.height, data)) return 1;
  return Hand(p.width, preview ? 1 : p.height, bgr, info, bits);
}

}  // namespace

EXPORT int WINAPI GetPluginInfo(int n, LPSTR buf, int len) { return CopyInfo(n, buf, len, kInfo, std::size(kInfo)); }
EXPORT int WINAPI IsSupported(LPCSTR, DWORD_PTR head) { return head && IsPnm(reinterpret_cast<const char*>(head)); }
EXPORT int WINAPI GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned flag, SpiPictureInfo* info) {
  std::string d;
  Pnm p;
  if (!info || !Source(buf, len, flag, d) || !ReadPnm(d, p)) return 2;
  *info = {};
  info->width = p.width;
  info->height = p.height;
  info->color_depth = p.gray ? 8 : 24;
  return 0;
}
EXPORT int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned flag, HLOCAL* info, HLOCAL* bits, Progress progress,
                             LONG_PTR data) {
  return Decode(buf, len, flag, info, bits, progress, data, false);
}
EXPORT int WINAPI GetPreview(LPCSTR buf, LONG_PTR len, unsigned flag, HLOCAL* info, HLOCAL* bits, Progress progress,
                             LONG_PTR data) {
  return Decode(buf, len, flag, info, bits, progress, data, true);
}

#elif defined(STANDIN_CONTENT)
const char* const kInfo[] = {"00IN", "Content stand-in", "*.png", "PNG", "*.mbin", "MacBinary bitmap", "*.webp", "WebP"};

bool IsPng(const char* h) { return std::memcmp(h, "\x89PNG", 4) == 0; }
bool IsBmp(const char* h) { return h[0] == 'B' && h[1] == 'M'; }

uint32_t U32(const std::string& d, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, d.data() + at, 4);
  return v;
}

int DecodeBmp(const std::string& d, HLOCAL* info, HLOCAL* bits) {
  if (d.size() < 54) return 2;
  const uint32_t bits_at = U32(d, 10);
  BITMAPINFOHEADER h;
  std::memcpy(&h, d.data() + 14, sizeof h);
  if (h.biSize < 40 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biWidth > 16384 || h.biHeight == 0 ||
      std::abs(h.biHeight) > 16384 || bits_at < 14 + h.biSize || bits_at > d.size())
    return 2;
  const size_t row = ((static_cast<size_t>(h.biBitCount) * h.biWidth + 31) / 32) * 4;
  const size_t size = row * static_cast<size_t>(std::abs(h.biHeight));
  if (d.size() - bits_at < size) return 2;
  *info = Block(d.data() + 14, bits_at - 14);
  *bits = Block(d.data() + bits_at, size);
  if (!*info || !*bits) {
    if (*info) LocalFree(*info);
    if (*bits) LocalFree(*bits);
    *info = *bits = nullptr;
    return 4;
  }
  return 0;
}

int DecodePngData(const std::string& d, HLOCAL* info, HLOCAL* bits) {
  zk::BufferPixelSink sink;
  try {
    zk::DecodePng({reinterpret_cast<const uint8_t*>(d.data()), d.size()}, {255, 255, 255}, sink);
  } catch (...) {
    return 2;
  }
  const zk::PixelBuffer& b = sink.buffer;
  std::vector<uint8_t> bgr(static_cast<size_t>(b.width) * b.height * 3);
  for (int y = 0; y < b.height; ++y)
    std::memcpy(&bgr[static_cast<size_t>(y) * b.width * 3], b.Row(y), static_cast<size_t>(b.width) * 3);
  return Hand(b.width, b.height, bgr, info, bits);
}

}  // namespace

EXPORT int WINAPI GetPluginInfo(int n, LPSTR buf, int len) { return CopyInfo(n, buf, len, kInfo, std::size(kInfo)); }
EXPORT int WINAPI IsSupported(LPCSTR, DWORD_PTR head) {
  const char* h = reinterpret_cast<const char*>(head);
  return h && (IsPng(h) || IsBmp(h));
}
EXPORT int WINAPI GetPictureInfo(LPCSTR, LONG_PTR, unsigned, SpiPictureInfo* info) {
  if (info) *info = {};
  return 0;
}
EXPORT int WINAPI GetPicture(LPCSTR buf, LONG_PTR len, unsigned flag, HLOCAL* info, HLOCAL* bits, Progress, LONG_PTR) {
  if (!info || !bits) return 2;
  *info = *bits = nullptr;
  std::string d;
  if (!Source(buf, len, flag, d) || d.size() < 4) return 2;
  if (IsPng(d.data())) return DecodePngData(d, info, bits);
  if (IsBmp(d.data())) return DecodeBmp(d, info, bits);
  return 2;
}

#elif defined(STANDIN_FAILING)
const char* const kInfo[] = {"00IN", "Failing stand-in", "*.fail", "Anything"};
}  // namespace

EXPORT int WINAPI GetPluginInfo(int n, LPSTR buf, int len) { return CopyInfo(n, buf, len, kInfo, std::size(kInfo)); }
EXPORT int WINAPI IsSupported(LPCSTR, DWORD_PTR) { return 1; }
EXPORT int WINAPI GetPictureInfo(LPCSTR, LONG_PTR, unsigned, SpiPictureInfo*) { return 2; }
EXPORT int WINAPI GetPicture(LPCSTR, LONG_PTR, unsigned, HLOCAL*, HLOCAL*, Progress, LONG_PTR) { return 2; }

#elif defined(STANDIN_LIAR)
const char* const kInfo[] = {"00IN", "Lying stand-in", "*.liar", "Anything"};
}  // namespace

EXPORT int WINAPI GetPluginInfo(int n, LPSTR buf, int len) { return CopyInfo(n, buf, len, kInfo, std::size(kInfo)); }
EXPORT int WINAPI IsSupported(LPCSTR, DWORD_PTR) { return 1; }
EXPORT int WINAPI GetPictureInfo(LPCSTR, LONG_PTR, unsigned, SpiPictureInfo* info) {
  if (info) *info = {};
  return 0;
}
EXPORT int WINAPI GetPicture(LPCSTR, LONG_PTR, unsigned, HLOCAL* info, HLOCAL* bits, Progress, LONG_PTR) {
  // 100 x 100 at 8 bits without a colour table, and 10 bytes of pixels.
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 100, 100, 1, 8, BI_RGB};
  const uint8_t few[10] = {};
  *info = Block(&header, sizeof header);
  *bits = Block(few, sizeof few);
  return 0;
}

#elif defined(STANDIN_ARCHIVE)
const char* const kInfo[] = {"00AM", "Archive stand-in", "*.arc", "Archive"};
}  // namespace

EXPORT int WINAPI GetPluginInfo(int n, LPSTR buf, int len) { return CopyInfo(n, buf, len, kInfo, std::size(kInfo)); }
EXPORT int WINAPI IsSupported(LPCSTR, DWORD_PTR) { return 0; }
EXPORT int WINAPI GetArchiveInfo(LPCSTR, LONG_PTR, unsigned, HLOCAL*) { return 2; }
EXPORT int WINAPI GetFileInfo(LPCSTR, LONG_PTR, LPCSTR, unsigned, void*) { return 2; }
EXPORT int WINAPI GetFile(LPCSTR, LONG_PTR, LPSTR, unsigned, Progress, LONG_PTR) { return 2; }

#elif defined(STANDIN_NOINFO)
}  // namespace

EXPORT int WINAPI IsSupported(LPCSTR, DWORD_PTR) { return 1; }

#else
#error "choose a stand-in kind"
#endif
