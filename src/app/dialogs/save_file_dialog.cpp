#include "app/dialogs/save_file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "app/dialogs/file_dialog.h"
#include "base/win_text.h"
#include "image/dib_section.h"
#include "image/picture_format_registry.h"
#include "image/picture_loader.h"

namespace zk {
namespace {

constexpr int kPreviewId = 0x5A0;

// The bitmap the preview shows; the dialog does not own it.
struct PreviewState {
  HWND preview = nullptr;
  UniqueBitmap shown;
};

// An empty child dialog that the system puts below its own controls; the
// hook fills it with the preview. Built in GlobalAlloc'ed memory, as the
// template-handle flag wants.
struct TemplateMemory {
  HGLOBAL memory = nullptr;
  ~TemplateMemory() {
    if (memory) GlobalFree(memory);
  }
};

bool BuildChildTemplate(TemplateMemory& out) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL;
  // style, extended style, item count, x, y, cx, cy, then no menu, class or title.
  const WORD words[] = {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, 160, 80, 0, 0, 0};
  out.memory = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, sizeof(words) + 8);
  if (!out.memory) return false;
  std::copy(std::begin(words), std::end(words), static_cast<WORD*>(out.memory));
  return true;
}

// The picture of path fitted into the preview's size, drawn over the dialog's colour.
UniqueBitmap PreviewBitmap(const std::u16string& path, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  std::unique_ptr<Picture> picture;
  try {
    const COLORREF background = GetSysColor(COLOR_BTNFACE);
    if (std::optional<PictureDecoderKind> kind = PictureFormats().FindPictureFormat(PictureExtension(path)))
      picture = LoadPictureFile(*kind, path, background);
    if (!picture) return {};
    DibSection24 canvas = CreateDibSection24(width, height);
    const SIZE size = picture->Size();
    if (size.cx <= 0 || size.cy <= 0) return {};
    const double scale = std::min({1.0, double(width) / size.cx, double(height) / size.cy});
    const int w = std::max(1, int(size.cx * scale)), h = std::max(1, int(size.cy * scale));
    const RECT rect{(width - w) / 2, (height - h) / 2, (width - w) / 2 + w, (height - h) / 2 + h};
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return {};
    HGDIOBJ old = SelectObject(dc, canvas.bitmap.get());
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    picture->Draw(dc, rect);
    SelectObject(dc, old);
    DeleteDC(dc);
    return std::move(canvas.bitmap);
  } catch (const std::exception&) {
    return {};  // no preview for a file that does not decode
  }
}

void ShowPreview(PreviewState& state, const std::u16string& path) {
  RECT r{};
  GetClientRect(state.preview, &r);
  UniqueBitmap next = PreviewBitmap(path, r.right, r.bottom);
  SendMessageW(state.preview, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(next.get()));
  state.shown = std::move(next);
}

UINT_PTR CALLBACK PreviewHook(HWND child, UINT msg, WPARAM, LPARAM lp) {
  auto* state = reinterpret_cast<PreviewState*>(GetWindowLongPtrW(child, GWLP_USERDATA));
  if (msg == WM_INITDIALOG) {
    state = reinterpret_cast<PreviewState*>(reinterpret_cast<OPENFILENAMEW*>(lp)->lCustData);
    SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    RECT r{};
    GetClientRect(child, &r);
    state->preview = CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE,
                                     8, 4, std::max<LONG>(r.right - 16, 1), std::max<LONG>(r.bottom - 8, 1), child,
                                     reinterpret_cast<HMENU>(INT_PTR{kPreviewId}), GetModuleHandleW(nullptr), nullptr);
    return 0;
  }
  if (msg == WM_NOTIFY && state && reinterpret_cast<NMHDR*>(lp)->code == CDN_SELCHANGE) {
    std::vector<wchar_t> path(32768, L'\0');
    const LRESULT n = SendMessageW(GetParent(child), CDM_GETFILEPATH, path.size(), reinterpret_cast<LPARAM>(path.data()));
    ShowPreview(*state, n > 0 ? FromWide(path.data()) : std::u16string());
  }
  return 0;
}

}  // namespace

std::optional<SaveFileAnswer> ShowSaveFileDialog(HWND owner, const SaveFileRequest& request) {
  FileDialogSetup dialog(owner, request.title, request.filter, request.file_name);
  OPENFILENAMEW& ofn = dialog.ofn;
  const std::wstring ext = ToWide(request.default_ext);
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_ENABLESIZING |
              OFN_EXPLORER | (request.ask_overwrite ? OFN_OVERWRITEPROMPT : 0);
  PreviewState preview;
  TemplateMemory child_template;
  if (request.preview && BuildChildTemplate(child_template)) {
    ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
    ofn.hInstance = static_cast<HINSTANCE>(child_template.memory);
    ofn.lpfnHook = PreviewHook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&preview);
  }
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  return SaveFileAnswer{dialog.FileName(), static_cast<int>(ofn.nFilterIndex)};
}

}  // namespace zk
