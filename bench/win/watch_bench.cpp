// Timing of the search-window watcher beside the stand-in search window.
// Prints figures; asserts nothing.
//
//   bench_watch [--seconds N] [--polls N] [--rounds N]
//
// 1. The cost of one poll while the selection does not change: a hidden main
//    window in this process polls the stand-in `--polls` times (default 2000),
//    also split into its three steps.
// 2. The CPU share of zarvik.exe following an unchanged selection for
//    `--seconds` (default 60), from its process times.
// 3. The latency from a selection change in the stand-in to the new path in
//    zarvik.exe's caption, over `--rounds` changes (default 20).
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window/main_window.h"
#include "base/win_handles.h"
#include "base/win_text.h"
#include "bench_row.h"
#include "support/window_of_class.h"
#include "watcher/search_window.h"
#include "watcher/watch_rules.h"

namespace {

using namespace zk;
namespace fs = std::filesystem;

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

struct Figures {
  double min, median, mean, p99, max;
};

Figures Summarise(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  double sum = 0;
  for (double x : v) sum += x;
  return {v.front(), v[v.size() / 2], sum / v.size(), v[std::min(v.size() - 1, v.size() * 99 / 100)], v.back()};
}

void Print(const char* what, const char* unit, const Figures& f) {
  std::printf("  %-34s min %8.2f  median %8.2f  mean %8.2f  p99 %8.2f  max %8.2f %s\n", what, f.min, f.median, f.mean,
              f.p99, f.max, unit);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// zarvik.exe and the stand-in: beside this program, or in the build's bin/.
std::wstring BinFolder() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  std::wstring own(buf, n);
  own = own.substr(0, own.find_last_of(L'\\'));
  for (const std::wstring& folder : {own, own.substr(0, own.find_last_of(L'\\')) + L"\\bin"})
    if (GetFileAttributesW((folder + L"\\search_window_peer.exe").c_str()) != INVALID_FILE_ATTRIBUTES) return folder;
  return own;
}

// Under Wine, process times of other processes read as zero. The Linux side
// is reachable as drive Z:, where /proc tells the CPU time of every process
// (Wine's own server included); a process is found by a text of its command
// line or its environment. Zero when nothing matches.
double LinuxCpuSeconds(const std::string& needle, const char* file = "cmdline") {
  double total = 0;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &fd);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    std::wstring name = fd.cFileName;
    if (name.empty() || name.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    const std::wstring dir = L"Z:\\proc\\" + name + L"\\";
    std::ifstream in(fs::path(dir + std::wstring(file, file + std::strlen(file))), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.find(needle) == std::string::npos) continue;
    std::ifstream stat_file(fs::path(dir + L"stat"));
    std::string stat((std::istreambuf_iterator<char>(stat_file)), std::istreambuf_iterator<char>());
    size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::vector<std::string> fields;
    size_t at = close + 2;
    while (at < stat.size() && fields.size() < 13) {
      size_t space = stat.find(' ', at);
      fields.push_back(stat.substr(at, space - at));
      if (space == std::string::npos) break;
      at = space + 1;
    }
    // Fields 14 and 15 of the file (utime, stime) in clock ticks of 1/100 s.
    if (fields.size() >= 13) total += (std::stod(fields[11]) + std::stod(fields[12])) / 100.0;
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  return total;
}

std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out += static_cast<char>(c < 0x80 ? c : '?');
  return out;
}

double OwnCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  auto s = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7; };
  return s(kernel) + s(user);
}

class Process {
 public:
  Process(const std::wstring& exe, const std::wstring& args, WORD show) {
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{sizeof(si)};
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = show;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    handle_.reset(pi.hProcess);
    CloseHandle(pi.hThread);
    pid_ = pi.dwProcessId;
    WaitForInputIdle(handle_.get(), 10000);
  }
  ~Process() {
    if (!handle_) return;
    for (HWND w : windows_) PostMessageW(w, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(handle_.get(), 20000) != WAIT_OBJECT_0) TerminateProcess(handle_.get(), 1);
  }
  HANDLE handle() const { return handle_.get(); }

  // The top-level window of this process with the given class (waits for it).
  HWND Window(const wchar_t* class_name) {
    HWND found = nullptr;
    for (int i = 0; i < 1500 && !found; ++i) {
      found = test::TopWindowOfClass(pid_, class_name);
      if (!found) Sleep(10);
    }
    if (found) windows_.push_back(found);
    return found;
  }

  // User and kernel time so far, in seconds.
  double CpuSeconds() const {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(handle_.get(), &created, &exited, &kernel, &user)) return -1;
    auto s = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7; };
    return s(kernel) + s(user);
  }

 private:
  UniqueHandle handle_;
  DWORD pid_ = 0;
  std::vector<HWND> windows_;
};

std::wstring Caption(HWND w) {
  wchar_t buf[2048];
  int n = InternalGetWindowText(w, buf, 2048);
  return std::wstring(buf, n > 0 ? n : 0);
}

// Posts a key to the stand-in's list.
void Key(HWND list, UINT vk) {
  PostMessageW(list, WM_KEYDOWN, vk, 0);
  PostMessageW(list, WM_KEYUP, vk, 0);
}

void PollCost(const fs::path& files, const fs::path& settings, int polls) {
  std::printf("Cost of one poll while the selection does not change (%d polls, hidden viewer in this process):\n",
              polls);
  Process peer(BinFolder() + L"\\search_window_peer.exe", L"--select 3 \"" + files.wstring() + L"\"", SW_HIDE);
  HWND window = peer.Window(L"EVERYTHING");
  if (!window) {
    std::printf("  the stand-in did not start\n");
    return;
  }
  MainFormOptions o;
  o.params = {u"-i" + FromWide(settings.wstring())};
  o.temp_folder = FromWide(settings.wstring());
  o.unique_name = u"ZarvikWatchBench";
  o.quit_on_destroy = false;
  o.services = std::make_shared<MainFormServices>();
  o.services->message_box = [](HWND, const std::wstring& text, const std::wstring&, UINT) {
    std::printf("  (message box: %ls)\n", text.c_str());
    return IDOK;
  };
  TZKMainForm form(std::move(o));
  if (!form.Create()) {
    std::printf("  the viewer did not start\n");
    return;
  }
  form.actions.Find(u"FindEverythingAction")->checked = true;  // watching, without the timer
  form.Poll();  // takes the selection over
  Pump();
  if (form.SelectedFileName.empty()) std::printf("  (no selection was taken over)\n");

  // Runs `step` `polls` times; prints wall-clock figures and the CPU this
  // process spent per run.
  auto measure = [&](const char* what, const std::function<void()>& step) {
    std::vector<double> wall;
    const double cpu0 = OwnCpuSeconds();
    for (int i = 0; i < polls; ++i) {
      const double t0 = Now();
      step();
      wall.push_back((Now() - t0) * 1e6);
    }
    const double cpu = (OwnCpuSeconds() - cpu0) / polls * 1e6;
    Print(what, "us", Summarise(wall));
    std::printf("  %-34s CPU %8.1f us per run\n", "", cpu);
    return cpu;
  };
  const double poll_cpu = measure("whole poll (TimerTimer)", [&] { form.Poll(); });
  HWND status = FindChildWindowByClass(window, kSearchStatusBarClass);
  StatusBarReader kept;
  measure("  top-level window and caption", [] { FindSearchWindow(); });
  measure("  status bar among descendants", [&] { FindChildWindowByClass(window, kSearchStatusBarClass); });
  measure("  status-text read, kept memory", [&] { kept.Read(status); });
  measure("  status-text read, fresh memory", [&] { ReadStatusBarText(status); });
  measure("idle update of the commands", [&] { form.Idle(); });
  std::printf("  => one poll every 100 ms: %.3f %% of one core in the viewer's own process\n",
              poll_cpu * 10 / 1e6 * 100);
  form.Close();
  Pump();
}

void FollowingInZarvik(const fs::path& files, const fs::path& settings, int seconds, int rounds) {
  Process peer(BinFolder() + L"\\search_window_peer.exe", L"--select 0 \"" + files.wstring() + L"\"", SW_HIDE);
  HWND window = peer.Window(L"EVERYTHING");
  HWND list = window ? FindWindowExW(window, nullptr, L"EVERYTHING_LISTVIEW", nullptr) : nullptr;
  Process viewer(BinFolder() + L"\\zarvik.exe", L"\"-i" + settings.wstring() + L"\"", SW_SHOWNOACTIVATE);
  HWND main = viewer.Window(L"TZKMainForm");
  if (!list || !main) {
    std::printf("CPU share and latency: the stand-in or zarvik.exe did not start\n");
    return;
  }
  // Let the viewer take the first selection over.
  for (int i = 0; i < 500 && Caption(main).find(L"\\") == std::wstring::npos; ++i) Sleep(10);

  std::printf("CPU share following an unchanged selection for %d s:\n", seconds);
  // The unique folders on the command lines tell the processes apart.
  const std::string viewer_key = Narrow(settings.wstring()), peer_key = Narrow(files.wstring());
  wchar_t prefix[1024] = {};
  GetEnvironmentVariableW(L"WINEPREFIX", prefix, 1024);
  const std::string server_key = "WINEPREFIX=" + Narrow(prefix);
  const bool under_wine = prefix[0] != 0;
  auto sample = [&](double out[3]) {
    out[0] = viewer.CpuSeconds();
    out[1] = peer.CpuSeconds();
    out[2] = 0;
    if (under_wine) {
      out[0] = LinuxCpuSeconds(viewer_key);
      out[1] = LinuxCpuSeconds(peer_key);
      out[2] = LinuxCpuSeconds(server_key, "environ") - out[0] - out[1];  // minus Wine processes
    }
  };
  Sleep(1000);
  double a[3], b[3];
  sample(a);
  const double t0 = Now();
  Sleep(seconds * 1000);
  sample(b);
  const double wall = Now() - t0;
  const char* names[3] = {"zarvik.exe", "stand-in (answering)", "Wine server and others"};
  for (int i = 0; i < (under_wine ? 3 : 2); ++i)
    std::printf("  %-24s %7.2f s of CPU in %.1f s = %6.3f %% of one core\n", names[i], b[i] - a[i], wall,
                (b[i] - a[i]) / wall * 100);
  const std::string row = "poll: zarvik.exe CPU share over " + std::to_string(seconds) + " s, unchanged selection";
  zk::bench::PrintRow(row.c_str(), (b[0] - a[0]) / wall * 100, "% of a core");

  std::printf("Latency from a selection change in the stand-in to the new path in the viewer's caption (%d changes):\n",
              rounds);
  std::vector<double> latency;
  for (int i = 0; i < rounds; ++i) {
    // Spread the changes over the phase of the 100 ms timer.
    Sleep(150 + (i * 37) % 100);
    const std::wstring before = Caption(main);
    const double start = Now();
    Key(list, (i % 2 == 0) ? VK_DOWN : VK_UP);
    while (Caption(main) == before && Now() - start < 5) Sleep(1);
    latency.push_back((Now() - start) * 1000);
  }
  Print("selection to caption", "ms", Summarise(latency));
}

}  // namespace

int wmain() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);

  int seconds = 60, polls = 2000, rounds = 20;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i + 1 < argc; i += 2) {
    std::wstring a = argv[i];
    int v = _wtoi(argv[i + 1]);
    if (a == L"--seconds") seconds = v;
    if (a == L"--polls") polls = v;
    if (a == L"--rounds") rounds = v;
  }
  if (argv) LocalFree(argv);

  // A folder of small text files for the stand-in to list.
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  const fs::path root = fs::path(temp) / (L"zarvik-watch-bench-" + std::to_wstring(GetCurrentProcessId()));
  const fs::path files = root / L"files", settings = root / L"settings";
  fs::create_directories(files);
  fs::create_directories(settings / L"inproc");
  for (int i = 0; i < 40; ++i) {
    wchar_t name[32];
    swprintf(name, 32, L"file%02d.txt", i);
    std::ofstream(files / name) << "line " << i << "\r\n";
  }

  PollCost(files, settings / L"inproc", polls);
  fs::create_directories(settings / L"zarvik");
  FollowingInZarvik(files, settings / L"zarvik", seconds, rounds);

  std::error_code ec;
  fs::remove_all(root, ec);
  OleUninitialize();
  return 0;
}
