// Soak run of zarvik.exe beside the stand-in search window: the search window
// steps its selection through a folder of mixed files round after round while
// zarvik.exe follows; zarvik's resource figures and the search window's
// (zarvik reads its status bar through memory it takes in that process) are
// taken after the first round and after the last, and the run fails when one
// grew past its bound.
//
//   zarvik_soak --samples FOLDER [--rounds N] [--per-row]
//     --rounds N   rounds through the folder (default 1000)
//     --per-row    after round 1, prints each row whose step changed zarvik's
//                  figures (to find what leaks)
//
// Exit code 0: nothing grew past its bound; 1: something did; 2: the run
// could not be made (set-up, start, or zarvik.exe stopped following).
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/win_handles.h"
#include "soak/process_figures.h"
#include "soak/soak_folder.h"
#include "support/test_files.h"
#include "support/window_of_class.h"

namespace zk::soak {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kFollowTimeoutMs = 30000;
constexpr DWORD kSettleMs = 1500;  // staged text reading and converter runs come to an end

double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

class Process {
 public:
  bool Start(const fs::path& exe, const std::wstring& args) {
    std::wstring cmd = L"\"" + exe.wstring() + L"\" " + args;
    STARTUPINFOW si{sizeof(si)};
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNOACTIVATE;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    handle_.reset(pi.hProcess);
    CloseHandle(pi.hThread);
    pid_ = pi.dwProcessId;
    WaitForInputIdle(pi.hProcess, 20000);
    return true;
  }
  // Closed the ordinary way; stopped when it does not end.
  ~Process() {
    if (!handle_) return;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(handle_.get(), 20000) != WAIT_OBJECT_0) TerminateProcess(handle_.get(), 1);
  }
  HANDLE handle() const { return handle_.get(); }
  DWORD pid() const { return pid_; }
  bool Running() const { return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT; }

  // Its top-level window of the class, waited for.
  HWND Window(const wchar_t* class_name) {
    for (int i = 0; i < 2000 && !window_ && Running(); ++i) {
      window_ = WindowOf(class_name);
      if (!window_) Sleep(10);
    }
    return window_;
  }

  HWND WindowOf(const wchar_t* class_name) const { return test::TopWindowOfClass(pid_, class_name); }

 private:
  UniqueHandle handle_;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

std::wstring Caption(HWND w) {
  wchar_t buf[2048];
  const int n = InternalGetWindowText(w, buf, 2048);
  return std::wstring(buf, n > 0 ? n : 0);
}

// The texts of a message box zarvik shows, to say why it stopped following.
std::wstring DialogText(const Process& zarvik) {
  HWND dialog = zarvik.WindowOf(L"#32770");
  if (!dialog) return L"";
  std::wstring text = L"a message box \"" + Caption(dialog) + L"\":";
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM p) -> BOOL {
        *reinterpret_cast<std::wstring*>(p) += L" " + Caption(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

struct Run {
  Process peer, zarvik;
  HWND list = nullptr, main = nullptr;
  int rows = 0;
  std::vector<double> row_seconds;  // summed over the rounds
  std::vector<std::wstring> row_names;
};

// One step of the search window's selection, and zarvik.exe done with the
// file it then shows: its caption names each new file before the file is
// dispatched, and a message it answers afterwards marks the dispatch's end.
std::wstring Step(Run& run, UINT key) {
  const std::wstring before = Caption(run.main);
  PostMessageW(run.list, WM_KEYDOWN, key, 0);
  PostMessageW(run.list, WM_KEYUP, key, 0);
  const double start = Now();
  while (Caption(run.main) == before) {
    if (!run.zarvik.Running()) return L"zarvik.exe has ended";
    if ((Now() - start) * 1000 > kFollowTimeoutMs) {
      const std::wstring dialog = DialogText(run.zarvik);
      return L"zarvik.exe did not follow within 30 s (caption \"" + before + L"\")" +
             (dialog.empty() ? L"" : L"; " + dialog);
    }
    Sleep(5);
  }
  DWORD_PTR ignored;
  if (!SendMessageTimeoutW(run.main, WM_NULL, 0, 0, SMTO_NORMAL, kFollowTimeoutMs, &ignored))
    return L"zarvik.exe did not answer within 30 s after \"" + Caption(run.main) + L"\"";
  return L"";
}

int64_t Delta(const Figure& before, const Figure& after) {
  return before.value && after.value ? *after.value - *before.value : 0;
}

// The path a row of the search window lists.
std::wstring RowText(const Run& run, int row) {
  const LRESULT length = SendMessageW(run.list, LB_GETTEXTLEN, row, 0);
  if (length <= 0 || length > 4096) return L"";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(std::max<LRESULT>(0, SendMessageW(run.list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// One round; with `per_row`, each row whose step changed zarvik's figures is printed.
std::wstring Round(Run& run, bool per_row) {
  ProcessFigures before;
  if (per_row) before = MeasureProcess(run.zarvik.handle(), run.zarvik.pid());
  for (int row = 0; row < run.rows; ++row) {
    const double start = Now();
    if (std::wstring problem = Step(run, row == 0 ? VK_HOME : VK_DOWN); !problem.empty()) return problem;
    run.row_seconds[row] += Now() - start;
    if (!per_row) continue;
    const ProcessFigures after = MeasureProcess(run.zarvik.handle(), run.zarvik.pid());
    const int64_t handles = Delta(before.handles, after.handles), gdi = Delta(before.gdi_objects, after.gdi_objects),
                  bytes = Delta(before.private_bytes, after.private_bytes);
    if (handles || gdi || bytes)
      std::printf("    row %2d: handles %+lld, GDI %+lld, private bytes %+lld  %ls\n", row,
                  static_cast<long long>(handles), static_cast<long long>(gdi), static_cast<long long>(bytes),
                  run.row_names[row].c_str());
    before = after;
  }
  return L"";
}

struct Snapshot {
  ProcessFigures zarvik, peer;
};

Snapshot Measure(Run& run) {
  Sleep(kSettleMs);
  return {MeasureProcess(run.zarvik.handle(), run.zarvik.pid()), MeasureProcess(run.peer.handle(), run.peer.pid())};
}

std::wstring Value(const Figure& f) { return f.value ? std::to_wstring(*f.value) : L"-"; }

// Prints one process's table; true when every answered figure stayed in bounds.
bool Report(const wchar_t* who, const ProcessFigures& first, const ProcessFigures& last, int rounds) {
  const std::wstring last_round = L"after round " + std::to_wstring(rounds);
  std::printf("%-18ls %13ls %15ls %10ls %8ls\n", who, L"after round 1", last_round.c_str(), L"growth", L"bound");
  bool ok = true;
  for (const Limit& l : Limits()) {
    const Figure &a = first.*l.figure, &b = last.*l.figure;
    if (!a.value || !b.value) {
      std::printf("  %-16ls not answered by this system (%ls)\n", l.name, a.source.c_str());
      continue;
    }
    const int64_t growth = *b.value - *a.value;
    const bool within = growth <= l.bound;
    ok = ok && within;
    std::printf("  %-16ls %13lld %15lld %+10lld %8lld  %ls%ls\n", l.name, static_cast<long long>(*a.value),
                static_cast<long long>(*b.value), static_cast<long long>(growth), static_cast<long long>(l.bound),
                within ? L"" : L"GREW PAST ITS BOUND  ", a.source.c_str());
  }
  return ok;
}

int Soak(int rounds, const fs::path& samples, bool per_row) {
  wchar_t own[MAX_PATH];
  const fs::path bin = fs::path(std::wstring(own, GetModuleFileNameW(nullptr, own, MAX_PATH))).parent_path();
  test::TempDir root;
  SoakFolders folders;
  if (std::wstring error = PrepareFolders(root.path(), bin, samples, folders); !error.empty()) {
    std::printf("soak: %ls\n", error.c_str());
    return 2;
  }
  Run run;
  if (!run.peer.Start(bin / L"search_window_peer.exe", L"--pos 0,0,420,700 \"" + folders.files.wstring() + L"\"") ||
      !run.peer.Window(L"EVERYTHING")) {
    std::printf("soak: the stand-in search window did not start\n");
    return 2;
  }
  run.list = FindWindowExW(run.peer.Window(L"EVERYTHING"), nullptr, L"EVERYTHING_LISTVIEW", nullptr);
  run.rows = run.list ? static_cast<int>(SendMessageW(run.list, LB_GETCOUNT, 0, 0)) : 0;
  if (!run.zarvik.Start(folders.program / L"zarvik.exe", L"\"-i" + folders.settings.wstring() + L"\"") ||
      !(run.main = run.zarvik.Window(L"TZKMainForm")) || run.rows < 2) {
    std::printf("soak: zarvik.exe did not start, or the search window lists no files\n");
    return 2;
  }
  run.row_seconds.assign(run.rows, 0);
  for (int row = 0; row < run.rows; ++row) run.row_names.push_back(RowText(run, row));
  std::printf("soak: %d rounds through %d rows of %ls\n", rounds, run.rows, folders.files.c_str());
  std::fflush(stdout);

  std::vector<double> times;
  Snapshot first{}, last{};
  const int progress_every = std::max(1, rounds / 20);
  for (int round = 1; round <= rounds; ++round) {
    const double start = Now();
    if (std::wstring problem = Round(run, per_row && round > 1); !problem.empty()) {
      std::printf("soak: round %d: %ls\n", round, problem.c_str());
      return 2;
    }
    times.push_back(Now() - start);
    if (round == 1) first = Measure(run);
    if (round % progress_every == 0 && round != rounds) {
      const ProcessFigures now = MeasureProcess(run.zarvik.handle(), run.zarvik.pid());
      std::printf("  round %d: %.2f s; zarvik.exe handles %ls, GDI %ls, private bytes %ls\n", round, times.back(),
                  Value(now.handles).c_str(), Value(now.gdi_objects).c_str(), Value(now.private_bytes).c_str());
      std::fflush(stdout);
    }
  }
  last = rounds == 1 ? first : Measure(run);

  double total = 0;
  for (double t : times) total += t;
  std::printf("%d rounds of %d rows in %.0f s: a round takes %.2f s (fastest %.2f s, slowest %.2f s)\n", rounds,
              run.rows, total, total / rounds, *std::min_element(times.begin(), times.end()),
              *std::max_element(times.begin(), times.end()));
  std::vector<int> slowest(run.rows);
  for (int i = 0; i < run.rows; ++i) slowest[i] = i;
  std::sort(slowest.begin(), slowest.end(), [&](int a, int b) { return run.row_seconds[a] > run.row_seconds[b]; });
  std::printf("slowest steps (mean of the rounds):\n");
  for (int i = 0; i < std::min(run.rows, 5); ++i)
    std::printf("  %6.0f ms  %ls\n", run.row_seconds[slowest[i]] / rounds * 1000, run.row_names[slowest[i]].c_str());
  const bool zarvik_ok = Report(L"zarvik.exe", first.zarvik, last.zarvik, rounds);
  const bool peer_ok = Report(L"search window", first.peer, last.peer, rounds);
  std::printf("soak: %s\n", zarvik_ok && peer_ok ? "passed" : "FAILED: a figure grew past its bound");
  return zarvik_ok && peer_ok ? 0 : 1;
}

}  // namespace
}  // namespace zk::soak

int wmain() {
  int rounds = 1000;
  bool per_row = false;
  std::wstring samples;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--per-row") per_row = true;
    if (a == L"--rounds" && i + 1 < argc) rounds = std::max(1, _wtoi(argv[++i]));
    if (a == L"--samples" && i + 1 < argc) samples = argv[++i];
  }
  if (argv) LocalFree(argv);
  if (samples.empty()) {
    std::printf("usage: zarvik_soak --samples FOLDER [--rounds N] [--per-row]\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int status = zk::soak::Soak(rounds, samples, per_row);
  CoUninitialize();
  return status;
}
