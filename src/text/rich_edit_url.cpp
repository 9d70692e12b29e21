#include "text/rich_edit_url.h"

#include <commctrl.h>
#include <richedit.h>

#include "base/win_text.h"

namespace zk {
namespace {

// Reads an in-memory RTF text for EM_STREAMIN.
struct RtfSource {
  const std::string* text;
  size_t at;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  auto* src = reinterpret_cast<RtfSource*>(cookie);
  size_t n = std::min<size_t>(static_cast<size_t>(wanted), src->text->size() - src->at);
  memcpy(buffer, src->text->data() + src->at, n);
  src->at += n;
  *got = static_cast<LONG>(n);
  return 0;
}

// Holds back repainting of a control for the lifetime of the guard.
class NoRedraw {
 public:
  explicit NoRedraw(HWND wnd) : wnd_(wnd) { SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0); }
  ~NoRedraw() {
    SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(wnd_, nullptr, TRUE);
  }
  NoRedraw(const NoRedraw&) = delete;
  NoRedraw& operator=(const NoRedraw&) = delete;

 private:
  HWND wnd_;
};

// Passes double clicks on to OnDblClick once the control has seen them.
LRESULT CALLBACK DblClickProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(wnd, DblClickProc, id);
  LRESULT result = DefSubclassProc(wnd, msg, wp, lp);
  auto* self = reinterpret_cast<TRichEditURL*>(data);
  if (msg == WM_LBUTTONDBLCLK && self->OnDblClick) self->OnDblClick(*self);
  return result;
}

}  // namespace

TRichEditURL::~TRichEditURL() {
  if (wnd_) DestroyWindow(wnd_);
  if (library_) FreeLibrary(library_);
}

bool TRichEditURL::Create(HWND parent, int id) {
  parent_ = parent;
  id_ = id;
  class_name_ = MSFTEDIT_CLASS;
  library_ = LoadLibraryW(L"Msftedit.dll");
  if (!library_) {
    library_ = LoadLibraryW(L"Riched20.dll");
    class_name_ = RICHEDIT_CLASSW;
  }
  return CreateWindowOnly();
}

bool TRichEditURL::CreateWindowOnly() {
  wnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, class_name_, L"",
                         WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL |
                             ES_SAVESEL,
                         0, 0, 0, 0, parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                         GetModuleHandleW(nullptr), nullptr);
  if (!wnd_) return false;
  SetWindowSubclass(wnd_, DblClickProc, 1, reinterpret_cast<DWORD_PTR>(this));
  // No length limit beyond what the read limit lets through.
  SendMessageW(wnd_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageW(wnd_, EM_AUTOURLDETECT, 1, 0);
  LRESULT mask = SendMessageW(wnd_, EM_GETEVENTMASK, 0, 0);
  SendMessageW(wnd_, EM_SETEVENTMASK, 0, mask | ENM_LINK);
  return true;
}

bool TRichEditURL::HandleNotify(const NMHDR* header) {
  if (!wnd_ || header->hwndFrom != wnd_ || header->code != EN_LINK) return false;
  const auto* link = reinterpret_cast<const ENLINK*>(header);
  if (link->msg != WM_LBUTTONDOWN) return true;
  try {
    CHARRANGE range = link->chrg;
    SendMessageW(wnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    std::u16string url = SelectedText();
    if (OnURLClick) OnURLClick(*this, url);
  } catch (...) {
    // A failing link must not take the window with it.
  }
  return true;
}

void TRichEditURL::SetText(const std::u16string& text) {
  if (!wnd_) return;
  NoRedraw hold(wnd_);
  SETTEXTEX st{ST_DEFAULT, 1200};
  SendMessageW(wnd_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(W(text)));
}

void TRichEditURL::AppendText(const std::u16string& text) {
  if (!wnd_ || text.empty()) return;
  // No redraw hold here: some rich-edit versions then re-lay the whole text
  // for every inserted paragraph.
  CHARRANGE old{};
  SendMessageW(wnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&old));
  POINT scroll{};
  SendMessageW(wnd_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  GETTEXTLENGTHEX gl{GTL_NUMCHARS | GTL_PRECISE, 1200};
  LONG end = static_cast<LONG>(SendMessageW(wnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0));
  CHARRANGE at{end, end};
  SendMessageW(wnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
  // Replacing the selection without undo is far cheaper than EM_REPLACESEL.
  SETTEXTEX st{ST_SELECTION, 1200};
  SendMessageW(wnd_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(W(text)));
  SendMessageW(wnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&old));
  SendMessageW(wnd_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
}

void TRichEditURL::InsertFirstLine(const std::u16string& line) {
  if (!wnd_) return;
  NoRedraw hold(wnd_);
  CHARRANGE start{0, 0};
  SendMessageW(wnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  std::u16string text = line + u"\r";
  SendMessageW(wnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(W(text)));
  SendMessageW(wnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
}

bool TRichEditURL::LoadRtf(const std::string& rtf) {
  if (!wnd_) return false;
  NoRedraw hold(wnd_);
  RtfSource src{&rtf, 0};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&src), 0, ReadRtf};
  SendMessageW(wnd_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
  return es.dwError == 0;
}

void TRichEditURL::Clear() {
  if (!wnd_) return;
  GETTEXTLENGTHEX gl{GTL_NUMCHARS, 1200};
  LRESULT length = SendMessageW(wnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0);
  // Deleting a long text paragraph by paragraph can take far longer than
  // making a new control.
  if (length > kRecreateAbove) {
    Recreate();
    return;
  }
  SetText(u"");
}

void TRichEditURL::Recreate() {
  HWND old = wnd_;
  RECT rc{};
  GetWindowRect(old, &rc);
  MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rc), 2);
  bool was_visible = visible();
  bool had_focus = GetFocus() == old;
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(old, WM_GETFONT, 0, 0));
  wnd_ = nullptr;
  if (!CreateWindowOnly()) {
    wnd_ = old;
    SetText(u"");
    return;
  }
  DestroyWindow(old);
  MoveWindow(wnd_, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
  SetFont(font, color_);
  if (was_visible) SetVisible(true);
  if (had_focus) SetFocus(wnd_);
}

std::u16string TRichEditURL::Text() const {
  if (!wnd_) return {};
  GETTEXTLENGTHEX gl{GTL_NUMCHARS | GTL_PRECISE | GTL_USECRLF, 1200};
  LRESULT len = SendMessageW(wnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0);
  if (len <= 0) return {};
  std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
  GETTEXTEX gt{static_cast<DWORD>(buf.size() * sizeof(wchar_t)), GT_USECRLF, 1200, nullptr, nullptr};
  LRESULT got = SendMessageW(wnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(buf.data()));
  buf.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return FromWide(buf);
}

int TRichEditURL::LineCount() const {
  if (!wnd_) return 0;
  int count = static_cast<int>(SendMessageW(wnd_, EM_GETLINECOUNT, 0, 0));
  if (count > 0) {
    LRESULT start = SendMessageW(wnd_, EM_LINEINDEX, count - 1, 0);
    if (SendMessageW(wnd_, EM_LINELENGTH, start, 0) == 0) --count;
  }
  return count;
}

std::u16string TRichEditURL::SelectedText() const {
  if (!wnd_) return {};
  CHARRANGE r{};
  SendMessageW(wnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  if (r.cpMax <= r.cpMin) return {};
  std::wstring buf(static_cast<size_t>(r.cpMax - r.cpMin) + 1, L'\0');
  LRESULT got = SendMessageW(wnd_, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buf.data()));
  buf.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return FromWide(buf);
}

bool TRichEditURL::HasSelection() const {
  CHARRANGE r{};
  if (wnd_) SendMessageW(wnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMax > r.cpMin;
}

void TRichEditURL::SelectAll() {
  if (!wnd_) return;
  CHARRANGE all{0, -1};
  SendMessageW(wnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

void TRichEditURL::SetFont(HFONT font, COLORREF color) {
  color_ = color;
  if (!wnd_) return;
  SendMessageW(wnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = color;
  SendMessageW(wnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  SendMessageW(wnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

void TRichEditURL::SetVisible(bool visible) {
  if (wnd_) ShowWindow(wnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool TRichEditURL::visible() const { return wnd_ && (GetWindowLongW(wnd_, GWL_STYLE) & WS_VISIBLE); }

}  // namespace zk
