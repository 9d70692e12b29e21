#include "base/win_text.h"

#include <climits>

namespace zk {

std::u16string WinAnsiCodec::Decode(std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string WinAnsiCodec::Encode(std::u16string_view text) const {
  if (text.empty() || text.size() > INT_MAX / 4) return {};
  auto src = reinterpret_cast<const wchar_t*>(text.data());
  int n = WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::u16string WindowText(HWND wnd) {
  int len = GetWindowTextLengthW(wnd);
  if (len <= 0) return {};
  std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
  int got = GetWindowTextW(wnd, buf.data(), len + 1);
  buf.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return FromWide(buf);
}

}  // namespace zk
