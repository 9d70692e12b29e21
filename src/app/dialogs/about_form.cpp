#include "app/dialogs/about_form.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/dialogs/about_pictures.h"
#include "app/shell/file_info.h"
#include "app/shell/outside_programs.h"
#include "base/ui/modal_dialog.h"
#include "base/ui/window_base.h"
#include "base/win_class.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr wchar_t kClassName[] = L"TZKAboutForm";
constexpr wchar_t kCaption[] = L"ZKAboutForm";
constexpr int kFormWidth = 400;
constexpr int kFormHeight = 400;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr UINT_PTR kCycleTimerId = 1;
constexpr UINT kShownMessage = WM_APP + 20;

enum ControlId {
  kPagesId = 100,
  kFirstPageId = 101,
  kImage1Id = 110,
  kAuthorLinkId = 111,
  kImage2Id = 120,
  kImage3Id = 130,
};

constexpr int kPageCount = 3;

UniqueFont MakeFont(int height, int weight, const wchar_t* face) {
  return UniqueFont(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
}

// The first of the faces the system really has; a missing face would be
// replaced by whatever the system picks, often a fixed-pitch one.
UniqueFont MakeFirstFont(int height, int weight, std::initializer_list<const wchar_t*> faces) {
  WindowDc screen(nullptr);
  const wchar_t* last = nullptr;
  for (const wchar_t* face : faces) {
    last = face;
    UniqueFont font = MakeFont(height, weight, face);
    if (!font) continue;
    SelectGuard select(screen.get(), font.get());
    wchar_t got[LF_FACESIZE] = {};
    GetTextFaceW(screen.get(), LF_FACESIZE, got);
    if (lstrcmpiW(got, face) == 0) return font;
  }
  return MakeFont(height, weight, last);
}

// Tooltips break lines at CR LF; hints keep a carriage return alone.
std::wstring TooltipText(const std::u16string& hint) {
  std::wstring out;
  for (char16_t c : hint) {
    out += static_cast<wchar_t>(c);
    if (c == u'\r') out += L'\n';
  }
  return out;
}

RECT Box(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

UniqueFont MakeLabelFont(const DialogScale& scale) {
  return MakeFirstFont(scale(-12), FW_NORMAL, {L"Meiryo UI", L"MS UI Gothic", L"IPAPGothic", L"Tahoma"});
}

UniqueFont MakeTitleFont(const DialogScale& scale) {
  return MakeFirstFont(scale(-44), FW_BOLD, {L"Segoe UI", L"Tahoma", L"Arial", L"DejaVu Sans"});
}

SIZE ClientSize(HWND control) {
  RECT rc{};
  GetClientRect(control, &rc);
  return {rc.right, rc.bottom};
}

}  // namespace

TZKAboutForm::TZKAboutForm(AboutFormOptions options) : options_(std::move(options)) {
  if (!options_.locate) options_.locate = [](const std::u16string& name) { return FindProgram(name); };
  if (!options_.open_url) {
    options_.open_url = [](const std::u16string& url) {
      ShellExecuteW(nullptr, L"open", W(url), nullptr, nullptr, SW_SHOWNORMAL);
    };
  }
}

TZKAboutForm::~TZKAboutForm() {
  if (wnd_) DestroyWindow(wnd_);
}

bool TZKAboutForm::Create() {
  if (!EnsureWindowClass({kClassName, Procedure, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE)})) return false;
  scale_ = DialogScale::ForOwner(options_.owner);
  const int width = scale_(kFormWidth), height = scale_(kFormHeight);
  // Centred on the screen.
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return CreateFor(kExStyle, kClassName, kCaption, kStyle, x, y, width, height, options_.owner, nullptr) != nullptr;
}

void TZKAboutForm::ShowModal() {
  if (wnd_) return;  // already on screen
  hints_.clear();
  activated_ = closed_ = shown_hook_run_ = false;
  if (!Create()) return;
  ModalOptions modal;
  modal.on_shown = [this] {
    SetForegroundWindow(wnd_);
    UpdateWindow(wnd_);
    PostMessageW(wnd_, kShownMessage, 0, 0);
  };
  modal.pre_translate = [this](MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE || !(msg.hwnd == wnd_ || IsChild(wnd_, msg.hwnd)))
      return false;
    Close();
    return true;
  };
  // Not a dialog: Tab and Enter mean nothing here.
  modal.dialog_keys = false;
  RunModal(wnd_, options_.owner, closed_, modal);
  if (wnd_) DestroyWindow(wnd_);
}

void TZKAboutForm::Close() {
  if (closed_) return;
  closed_ = true;
  if (wnd_) {
    KillTimer(wnd_, kCycleTimerId);
    cycling_ = false;
    PostMessageW(wnd_, WM_NULL, 0, 0);  // wakes the modal loop
  }
}

void TZKAboutForm::ShowPage(int index) {
  if (index < 0 || index >= kPageCount || !wnd_) return;
  pages_.SetActivePage(index);
  // The list cycles only while its page is on view.
  if (index == 1) {
    SetWindowTextW(ModuleLabel, W(modules_.Restart()));
    cycling_ = SetTimer(wnd_, kCycleTimerId, options_.cycle_interval_ms, nullptr) != 0;
  } else if (cycling_) {
    KillTimer(wnd_, kCycleTimerId);
    cycling_ = false;
  }
}

void TZKAboutForm::PictureClick() {
  if (page() + 1 < kPageCount) ShowPage(page() + 1);
  else Close();
}

void TZKAboutForm::CycleTimerTimer() {
  if (ModuleLabel) SetWindowTextW(ModuleLabel, W(modules_.Next()));
}

std::u16string TZKAboutForm::HintOf(HWND control) const {
  auto it = hints_.find(control);
  return it == hints_.end() ? std::u16string() : it->second;
}

void TZKAboutForm::SetHint(HWND control, const std::u16string& hint) {
  if (!control) return;
  hints_[control] = hint;
  if (!tooltip_ || hint.empty()) return;
  std::wstring text = TooltipText(hint);
  TTTOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;  // also understood by the older common controls
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = wnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.lpszText = text.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

HWND TZKAboutForm::AddLabel(HWND page, const RECT& b, const std::u16string& text, DWORD style, HFONT font) {
  // SS_NOTIFY lets the label see the mouse, which its hint needs.
  HWND label = CreateWindowExW(0, L"STATIC", W(text), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY | style,
                               b.left, b.top, b.right - b.left, b.bottom - b.top, page, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (label) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return label;
}

void TZKAboutForm::CreatePageOne(HWND page, int width) {
  TFileInfo info;
  info.SetFileName(options_.program_path);

  const int emblem = 128;
  Image1.Create(page, kImage1Id, scale_.Rect(Box((width - emblem) / 2, 26, emblem, emblem)));
  Image1.SetPicture(DrawAboutEmblem(scale_(emblem), GetSysColor(COLOR_BTNFACE)));
  Image1.on_click = [this] { PictureClick(); };

  TitleLabel = AddLabel(page, scale_.Rect(Box(0, 166, width, 52)), u"Zarvik", SS_CENTER, title_font_.get());
  SetHint(TitleLabel, u"Orvanne");

  VersionLabel = AddLabel(page, scale_.Rect(Box(0, 226, width, 20)), VersionText(info.ProductVersion()), SS_CENTER,
                          label_font_.get());
  std::u16string version_hint = info.FileVersion();
  if (!info.FileVersion().empty() || !info.FileDescription().empty())
    version_hint += u"\r" + info.FileDescription();
  SetHint(VersionLabel, version_hint);

  AuthorLink.Create(page, kAuthorLinkId, scale_.Rect(Box((width - 180) / 2, 262, 180, 20)), u"作者のホームページ",
                    label_font_.get());
  AuthorLink.on_click = [this] { OpenAuthorPage(); };
  SetHint(AuthorLink.hwnd(), kAuthorPageUrl);
}

void TZKAboutForm::CreatePageTwo(HWND page, int width) {
  const int emblem = 80;
  Image2.Create(page, kImage2Id, scale_.Rect(Box((width - emblem) / 2, 24, emblem, emblem)));
  Image2.SetPicture(DrawAboutEmblem(scale_(emblem), GetSysColor(COLOR_BTNFACE)));
  Image2.on_click = [this] { PictureClick(); };

  const int left = 28, value_left = 120, value_width = width - value_left - left;
  AddLabel(page, scale_.Rect(Box(left, 124, width - 2 * left, 2)), u"", SS_ETCHEDHORZ, label_font_.get());

  // The search program found at EverythingPath; nothing when it is missing.
  std::u16string everything_version, everything_hint;
  if (FileExists(options_.everything_path)) {
    VersionStrings v = ReadVersionStrings(options_.everything_path);
    everything_version = VersionText(v.ProductVersion);
    everything_hint = v.FileVersion;
  }
  EverythingLabel =
      AddLabel(page, scale_.Rect(Box(left, 142, value_left - left, 18)), u"Everything :", SS_LEFT, label_font_.get());
  EverythingVersionLabel = AddLabel(page, scale_.Rect(Box(value_left, 142, value_width, 18)), everything_version,
                                    SS_LEFT, label_font_.get());
  SetHint(EverythingVersionLabel, everything_hint);

  const bool has_xdoc2txt = FileExists(options_.xdoc2txt_path);
  std::u16string xdoc2txt = has_xdoc2txt ? u"  " + options_.xdoc2txt_path : u"";
  Xdoc2txtLabel =
      AddLabel(page, scale_.Rect(Box(left, 170, value_left - left, 18)), u"xdoc2txt :", SS_LEFT, label_font_.get());
  Xdoc2txtPathLabel = AddLabel(page, scale_.Rect(Box(value_left, 170, value_width, 18)), xdoc2txt,
                               SS_LEFT | SS_PATHELLIPSIS, label_font_.get());
  SetHint(Xdoc2txtPathLabel, has_xdoc2txt ? options_.xdoc2txt_path : u"");  // the whole path when it is cut

  AddLabel(page, scale_.Rect(Box(left, 204, width - 2 * left, 2)), u"", SS_ETCHEDHORZ, label_font_.get());

  modules_ = CyclingList(BuildModuleEntries(options_.plugin_names, options_.builtin_entries, options_.locate, [](const std::u16string& path) {
    return ReadVersionStrings(path).ProductVersion;
  }));
  // Long paths wrap onto a further line; the version follows on its own line.
  ModuleLabel = AddLabel(page, scale_.Rect(Box(left, 220, width - 2 * left, 56)), u"", SS_LEFT, label_font_.get());
}

void TZKAboutForm::CreatePageThree(HWND page, int width, int height) {
  Image3.Create(page, kImage3Id, Box(0, 0, width, height));
  Image3.SetPicture(DrawAboutScenery(width, height));
  Image3.on_click = [this] { PictureClick(); };
}

void TZKAboutForm::OnDpiChanged(int dpi, const RECT& suggested) {
  // Placing the box on its owner's monitor reports the DPI it was built for.
  if (dpi <= 0 || dpi == scale_.dpi()) return;
  const int old_dpi = scale_.dpi();
  scale_ = DialogScale(dpi);
  UniqueFont label_font = MakeLabelFont(scale_);
  UniqueFont title_font = MakeTitleFont(scale_);
  RescaleWindow(wnd_, old_dpi, dpi, suggested,
                {{label_font_.get(), label_font.get()}, {title_font_.get(), title_font.get()}});
  label_font_ = std::move(label_font);
  title_font_ = std::move(title_font);
  if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_(360));
  // The pictures are drawn again at their new sizes.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  Image1.SetPicture(DrawAboutEmblem(ClientSize(Image1.hwnd()).cx, face));
  Image2.SetPicture(DrawAboutEmblem(ClientSize(Image2.hwnd()).cx, face));
  const SIZE scenery = ClientSize(Image3.hwnd());
  Image3.SetPicture(DrawAboutScenery(scenery.cx, scenery.cy));
}

void TZKAboutForm::OpenAuthorPage() { options_.open_url(kAuthorPageUrl); }

LRESULT TZKAboutForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      label_font_ = MakeLabelFont(scale_);
      title_font_ = MakeTitleFont(scale_);
      tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, wnd_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
      if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale_(360));  // multi-line hints

      RECT rc;
      GetClientRect(wnd_, &rc);
      if (!pages_.Create(wnd_, kPagesId, kPageCount, kFirstPageId)) return -1;
      pages_.SetBounds(rc);
      // Pages one and two are laid out at 96 DPI, the picture of page three fills the box.
      const int design_width = UnscaleFromDpi(rc.right, scale_.dpi());
      CreatePageOne(pages_.page(0), design_width);
      CreatePageTwo(pages_.page(1), design_width);
      CreatePageThree(pages_.page(2), rc.right, rc.bottom);
      pages_.SetActivePage(0);
      return 0;
    }
    case kShownMessage:
      if (!shown_hook_run_ && options_.on_shown) {
        shown_hook_run_ = true;
        options_.on_shown(*this);
      }
      return 0;
    case WM_DPICHANGED:
      if (lp) OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_TIMER:
      if (wp == kCycleTimerId) {
        CycleTimerTimer();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Clicking elsewhere closes the box, once it has had the focus.
      if (LOWORD(wp) == WA_INACTIVE) {
        if (activated_) Close();
      } else {
        activated_ = true;
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_NCDESTROY:
      tooltip_ = nullptr;  // owned by this window, destroyed with it
      break;
  }
  return DefWindowProcW(wnd_, msg, wp, lp);
}

}  // namespace zk
