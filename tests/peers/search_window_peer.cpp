// A stand-in for the outside search window the viewer follows. It honours the
// viewer's window contract and nothing more: a top-level window of class
// "EVERYTHING" with "Everything" in its caption, a msctls_statusbar32 whose
// part 0 holds the full path of the selected row (or a count of rows while
// none is selected), and a result list of class "EVERYTHING_LISTVIEW" that
// moves on Up, Down, Home and End. WM_CLOSE closes it.
//
//   search_window_peer [options] (folder | row)...
//     folder          its entries are listed, sub-folders with their contents
//     row             any other argument is listed as it is
//     --select N      start with row N selected (default: none)
//     --demo SECONDS  step the selection down every SECONDS (wraps to the top)
//     --pos X,Y,W,H   window position and size
//     --caption TEXT  window caption (default: "<folder> - Everything")
//     --no-status     no status bar
//     --exit-on-read  the process ends in the middle of the first status-text read
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMainClass[] = L"EVERYTHING";
constexpr wchar_t kListClass[] = L"EVERYTHING_LISTVIEW";
constexpr UINT_PTR kDemoTimer = 1;
constexpr int kListId = 10, kStatusId = 11;
constexpr size_t kMaxRows = 20000;

struct Options {
  std::vector<std::wstring> rows;
  std::wstring caption;
  int select = -1;
  int demo_seconds = 0;
  RECT pos{40, 40, 480, 600};  // left, top, width, height
  bool status = true;
  bool exit_on_read = false;
};

Options g_options;
HWND g_main = nullptr, g_list = nullptr, g_status = nullptr;
WNDPROC g_listbox_proc = nullptr, g_status_proc = nullptr;

bool IsFolder(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t buf[32768];
  DWORD n = GetFullPathNameW(path.c_str(), 32768, buf, nullptr);
  return n > 0 && n < 32768 ? std::wstring(buf, n) : path;
}

// Entries of `folder`, sorted, each sub-folder followed by its own entries.
void ListFolder(const std::wstring& folder, std::vector<std::wstring>& rows) {
  std::vector<std::pair<std::wstring, bool>> entries;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.emplace_back(name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return CompareStringOrdinal(a.first.c_str(), -1, b.first.c_str(), -1, TRUE) == CSTR_LESS_THAN;
  });
  for (const auto& [name, is_folder] : entries) {
    if (rows.size() >= kMaxRows) return;
    std::wstring path = folder + L"\\" + name;
    rows.push_back(path);
    if (is_folder) ListFolder(path, rows);
  }
}

Options ParseOptions() {
  Options o;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring first_folder;
  for (int i = 1; argv && i < argc; ++i) {
    std::wstring a = argv[i];
    auto next = [&]() -> std::wstring { return i + 1 < argc ? argv[++i] : L""; };
    if (a == L"--select") {
      o.select = _wtoi(next().c_str());
    } else if (a == L"--demo") {
      o.demo_seconds = _wtoi(next().c_str());
    } else if (a == L"--pos") {
      std::wstring v = next();
      int x, y, w, h;
      if (swscanf(v.c_str(), L"%d,%d,%d,%d", &x, &y, &w, &h) == 4) o.pos = {x, y, w, h};
    } else if (a == L"--caption") {
      o.caption = next();
    } else if (a == L"--no-status") {
      o.status = false;
    } else if (a == L"--exit-on-read") {
      o.exit_on_read = true;
    } else if (!a.empty() && IsFolder(a)) {
      std::wstring folder = FullPath(a);
      while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
      if (first_folder.empty()) first_folder = folder;
      ListFolder(folder, o.rows);
    } else {
      o.rows.push_back(a);
    }
  }
  if (argv) LocalFree(argv);
  if (o.caption.empty()) {
    std::wstring what = first_folder.empty() ? L"paths" : first_folder.substr(first_folder.find_last_of(L'\\') + 1);
    o.caption = what + L" - Everything";
  }
  return o;
}

int RowCount() { return g_list ? static_cast<int>(SendMessageW(g_list, LB_GETCOUNT, 0, 0)) : 0; }
int Selected() { return g_list ? static_cast<int>(SendMessageW(g_list, LB_GETCURSEL, 0, 0)) : -1; }

// Part 0 of the status bar: the selected row's full path, or the row count.
void ShowSelection() {
  if (!g_status) return;
  int sel = Selected();
  std::wstring text = sel >= 0 && sel < static_cast<int>(g_options.rows.size())
                          ? g_options.rows[sel]
                          : std::to_wstring(RowCount()) + L" オブジェクト";
  SendMessageW(g_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Select(int index) {
  SendMessageW(g_list, LB_SETCURSEL, index, 0);
  ShowSelection();
}

bool MoveSelection(WPARAM key) {
  const int count = RowCount(), sel = Selected();
  if (count == 0) return key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END;
  switch (key) {
    case VK_DOWN: Select(sel < 0 ? 0 : std::min(sel + 1, count - 1)); return true;
    case VK_UP: Select(sel < 0 ? 0 : std::max(sel - 1, 0)); return true;
    case VK_HOME: Select(0); return true;
    case VK_END: Select(count - 1); return true;
  }
  return false;
}

LRESULT CALLBACK ListProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN && MoveSelection(wp)) return 0;
  return CallWindowProcW(g_listbox_proc, wnd, msg, wp, lp);
}

LRESULT CALLBACK StatusProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  // Gone while the reader waits for the text.
  if (msg == SB_GETTEXTW && g_options.exit_on_read) ExitProcess(3);
  return CallWindowProcW(g_status_proc, wnd, msg, wp, lp);
}

void Layout() {
  RECT rc;
  GetClientRect(g_main, &rc);
  int status_height = 0;
  if (g_status) {
    SendMessageW(g_status, WM_SIZE, 0, 0);
    RECT s;
    GetWindowRect(g_status, &s);
    status_height = s.bottom - s.top;
  }
  MoveWindow(g_list, 0, 0, rc.right, std::max(0L, rc.bottom - status_height), TRUE);
}

LRESULT CALLBACK MainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (g_list) Layout();
      return 0;
    case WM_SETFOCUS:
      if (g_list) SetFocus(g_list);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == kListId && HIWORD(wp) == LBN_SELCHANGE) ShowSelection();
      return 0;
    case WM_TIMER:
      if (wp == kDemoTimer) {
        const int count = RowCount(), sel = Selected();
        if (count > 0) Select(sel + 1 >= count ? 0 : sel + 1);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

bool RegisterClasses(HINSTANCE inst) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kMainClass;
  if (!RegisterClassExW(&wc)) return false;

  // The result list is the platform's list box under a class name of its own.
  WNDCLASSEXW lb{sizeof(lb)};
  if (!GetClassInfoExW(nullptr, L"LISTBOX", &lb)) return false;
  g_listbox_proc = lb.lpfnWndProc;
  lb.lpfnWndProc = ListProc;
  lb.hInstance = inst;
  lb.lpszClassName = kListClass;
  return RegisterClassExW(&lb) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  g_options = ParseOptions();
  if (!RegisterClasses(inst)) return 1;

  const RECT& p = g_options.pos;
  g_main = CreateWindowExW(0, kMainClass, g_options.caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, p.left,
                           p.top, p.right, p.bottom, nullptr, nullptr, inst, nullptr);
  if (!g_main) return 1;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  g_list = CreateWindowExW(WS_EX_CLIENTEDGE, kListClass, L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0, g_main,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), inst, nullptr);
  SendMessageW(g_list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const auto& row : g_options.rows) SendMessageW(g_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  if (g_options.status) {
    g_status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, g_main,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)), inst, nullptr);
    int edge = -1;
    SendMessageW(g_status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
    SendMessageW(g_status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (g_options.exit_on_read)
      g_status_proc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(g_status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusProc)));
  }
  Layout();
  if (g_options.select >= 0 && g_options.select < RowCount())
    Select(g_options.select);
  else
    ShowSelection();
  if (g_options.demo_seconds > 0) SetTimer(g_main, kDemoTimer, g_options.demo_seconds * 1000u, nullptr);

  ShowWindow(g_main, show);
  UpdateWindow(g_main);
  SetFocus(g_list);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
