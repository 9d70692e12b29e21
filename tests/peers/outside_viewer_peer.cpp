// Stand-in for an outside viewer program (a window program, as viewers are):
// records how it was started and ends at once, without showing a window.
//   outside_viewer_peer --log FILE [ARG...]
// Writes FILE as UTF-8 with three lines: its whole command line, its current
// folder and its last argument. The file appears complete or not at all.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool WriteAll(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3 || std::wstring(argv[1]) != L"--log") return 2;
  const std::wstring log = argv[2];
  wchar_t folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(MAX_PATH * 2, folder);
  std::string text = Utf8(GetCommandLineW()) + "\n" + Utf8(folder) + "\n" + Utf8(argv[argc - 1]) + "\n";
  LocalFree(argv);
  const std::wstring part = log + L".part";
  if (!WriteAll(part, text)) return 1;
  return MoveFileExW(part.c_str(), log.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
