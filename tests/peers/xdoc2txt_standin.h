// What the tests may ask of the stand-in console converter "xdoc2txt.exe", and
// where the build puts it. The request is made by the document's file name
// (letter case ignored):
//   "silent"  prints nothing at all;
//   "large"   prints kLargeLineCount numbered lines, "line 00001 ..." each
//             kLargeLineWidth characters plus CRLF, then kLargeEndLine and
//             CRLF, instead of the document's text (over 200000 bytes);
//   "stderr"  after the text, writes kStderrWarning and CRLF to standard error;
//   "late"    after the text, waits 300 ms, prints kLateLine and CRLF and ends.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace xdoc {

inline constexpr int kLargeLineCount = 2000;
inline constexpr int kLargeLineWidth = 100;
inline constexpr std::string_view kLargeEndLine = "END OF LARGE OUTPUT";
inline constexpr std::string_view kStderrWarning = "xdoc2txt: warning from the stand-in";
inline constexpr std::string_view kLateLine = "written just before the end";

// The folder holding the stand-in, beside the tests' bin folder: put it on
// PATH to make the converter findable by name.
inline std::wstring StandinFolder() {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 4);
  std::wstring exe(buf, n < MAX_PATH * 4 ? n : 0);
  std::wstring bin = exe.substr(0, exe.find_last_of(L"\\/") + 1);  // ...\bin\ .
  std::wstring root = bin.substr(0, bin.find_last_of(L"\\/", bin.size() - 2) + 1);
  return root + L"peers\\xdoc2txt";
}

inline std::wstring StandinPath() { return StandinFolder() + L"\\xdoc2txt.exe"; }

}  // namespace xdoc
