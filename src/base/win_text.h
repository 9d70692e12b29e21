// The boundary between the core's UTF-16 text and the Win32 API, where
// wchar_t is 16 bits as well.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/ansi_codec.h"

namespace zk {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::wstring ToWide(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string FromWide(std::wstring_view s) { return std::u16string(s.begin(), s.end()); }
inline std::u16string FromWide(const wchar_t* s) { return s ? FromWide(std::wstring_view(s)) : std::u16string(); }

// The system's ANSI code page through MultiByteToWideChar / WideCharToMultiByte.
class WinAnsiCodec final : public AnsiCodec {
 public:
  std::u16string Decode(std::string_view bytes) const override;
  std::string Encode(std::u16string_view text) const override;
};

// The text of a window.
std::u16string WindowText(HWND wnd);

}  // namespace zk
