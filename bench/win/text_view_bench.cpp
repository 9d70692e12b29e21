// Time from selecting a long text file to its first screen and to its whole
// text, with the staged display on and off. Prints figures; asserts nothing.
//   bench_text_view.exe [megabytes [staged]]     (default 20; "staged": that display only,
//   as the whole text without it takes many minutes under Wine)
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/window/main_window.h"
#include "bench_form.h"
#include "base/win_text.h"
#include "bench_row.h"

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Shift_JIS lines of mixed kana, kanji and ASCII.
std::string MakeText(size_t bytes) {
  const std::string line =
      "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67 sample line \x82\xA0\x82\xA2\x82\xA4 0123456789\r\n";
  std::string out;
  out.reserve(bytes + line.size());
  // Stay within the read limit, which a 20 MB file just meets.
  while (out.size() + line.size() <= bytes) out += line;
  return out;
}

void Run(const std::u16string& path, const std::u16string& folder, bool staged, size_t megabytes) {
  zk::TZKMainForm form(zk::bench::QuietFormOptions(folder, u"ZarvikBench"));
  if (!form.Create()) return;
  zk::Settings values = form.settings();
  values.UsePreThread = staged;
  form.ApplySettings(values);
  double start = Now();
  form.DispatchFile(path, false);
  double first = Now() - start;
  while (form.text_page().reading()) {
    Pump();
    Sleep(1);
  }
  double all = Now() - start;
  std::printf("%-22s first screen %8.1f ms   whole text %9.1f ms   %d lines\n",
              staged ? "UsePreThread on:" : "UsePreThread off:", first * 1000, all * 1000,
              form.text_page().RichEditURL().LineCount());
  const std::string name = std::to_string(megabytes) + " MB Shift_JIS text" + (staged ? "" : ", staged display off");
  zk::bench::PrintRow((name + ": first screen").c_str(), first * 1000, "ms");
  zk::bench::PrintRow((name + ": whole text").c_str(), all * 1000, "ms");
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);
  size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20;
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  std::u16string folder = zk::FromWide(temp) + u"zarvik-bench";
  CreateDirectoryW(zk::W(folder), nullptr);
  std::u16string path = folder + u"\\long.txt";
  std::string text = MakeText(megabytes * 1000 * 1000);
  HANDLE f = CreateFileW(zk::W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
  CloseHandle(f);
  std::printf("text view, %zu MB Shift_JIS text\n", megabytes);
  Run(path, folder, true, megabytes);
  if (!(argc > 2 && std::string(argv[2]) == "staged")) Run(path, folder, false, megabytes);
  DeleteFileW(zk::W(path));
  OleUninitialize();
  return 0;
}
