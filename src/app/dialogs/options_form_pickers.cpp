#include "app/dialogs/options_form_pickers.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "app/controls/scroll_box.h"
#include "app/dialogs/file_dialog.h"
#include "base/dpi_sizes.h"
#include "base/paths.h"
#include "base/ui/dpi.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

std::optional<std::u16string> OpenFile(HWND owner, const std::u16string& title, const std::u16string& filter,
                                       const std::u16string& current) {
  FileDialogSetup dialog(owner, title, filter, u"");
  const std::wstring folder = ToWide(ExtractFilePath(current));
  if (!folder.empty() && FolderExists(FromWide(folder))) dialog.ofn.lpstrInitialDir = folder.c_str();
  dialog.ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetOpenFileNameW(&dialog.ofn)) return std::nullopt;
  return dialog.FileName();
}

bool ChooseFontFor(HWND owner, FontSetting& font) {
  // The setting keeps the height at 96 DPI; the font dialog measures at the system DPI.
  const int dpi = SystemDpi();
  LOGFONTW lf = LogFontFromSetting(font);
  lf.lfHeight = ScaleForDpi(lf.lfHeight, dpi);
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = owner;
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  cf.rgbColors = ColorToRgb(font.color);
  if (!ChooseFontW(&cf)) return false;
  lf.lfHeight = UnscaleFromDpi(lf.lfHeight, dpi);
  font = SettingFromLogFont(lf, cf.rgbColors, font.color);
  return true;
}

bool ChooseColorFor(HWND owner, Color& color) {
  // The user's own colours are kept for the rest of the run.
  static COLORREF custom[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = owner;
  cc.rgbResult = ColorToRgb(color);
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  if (!ChooseColorW(&cc)) return false;
  color = static_cast<Color>(cc.rgbResult & 0xFFFFFF);
  return true;
}

struct BrowseState {
  std::wstring initial;
};

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM lp, LPARAM data) {
  const auto* state = reinterpret_cast<const BrowseState*>(data);
  if (msg == BFFM_INITIALIZED && !state->initial.empty()) {
    SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(state->initial.c_str()));
  } else if (msg == BFFM_SELCHANGED) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lp), path)) path[0] = L'\0';
    SendMessageW(wnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
  }
  return 0;
}

}  // namespace

std::u16string BrowseForFolder(const std::u16string& initial, const std::u16string& title, HWND owner,
                               bool with_edit_box) {
  BrowseState state{ToWide(initial)};
  std::wstring title_w = ToWide(title);
  wchar_t display[MAX_PATH] = {};
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.pszDisplayName = display;
  bi.lpszTitle = title_w.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  if (with_edit_box) bi.ulFlags |= BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  bi.lpfn = BrowseCallback;
  bi.lParam = reinterpret_cast<LPARAM>(&state);
  PIDLIST_ABSOLUTE items = SHBrowseForFolderW(&bi);
  if (!items) return {};
  wchar_t path[MAX_PATH] = {};
  BOOL ok = SHGetPathFromIDListW(items, path);
  CoTaskMemFree(items);
  return ok ? FromWide(path) : std::u16string();
}

LOGFONTW LogFontFromSetting(const FontSetting& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.height;
  lf.lfWeight = (font.style & kFontBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.style & kFontItalic) != 0;
  lf.lfUnderline = (font.style & kFontUnderline) != 0;
  lf.lfStrikeOut = (font.style & kFontStrikeOut) != 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = static_cast<BYTE>(font.pitch == 1 ? VARIABLE_PITCH : font.pitch == 2 ? FIXED_PITCH
                                                                                             : DEFAULT_PITCH);
  std::wstring name = ToWide(font.name).substr(0, LF_FACESIZE - 1);
  std::memcpy(lf.lfFaceName, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
  return lf;
}

FontSetting SettingFromLogFont(const LOGFONTW& lf, COLORREF color, Color old_color) {
  FontSetting f;
  f.height = lf.lfHeight;
  f.name = FromWide(std::wstring_view(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
  f.style = static_cast<uint8_t>((lf.lfWeight >= FW_BOLD ? kFontBold : 0) | (lf.lfItalic ? kFontItalic : 0) |
                                 (lf.lfUnderline ? kFontUnderline : 0) | (lf.lfStrikeOut ? kFontStrikeOut : 0));
  int pitch = lf.lfPitchAndFamily & 3;
  f.pitch = pitch == VARIABLE_PITCH ? 1 : pitch == FIXED_PITCH ? 2 : 0;
  f.color = (color & 0xFFFFFF) == ColorToRgb(old_color) ? old_color : static_cast<Color>(color & 0xFFFFFF);
  return f;
}

OptionsPickers DefaultOptionsPickers() {
  OptionsPickers p;
  p.open_file = OpenFile;
  p.browse_folder = [](HWND owner, const std::u16string& initial, const std::u16string& title, bool with_edit_box) {
    return BrowseForFolder(initial, title, owner, with_edit_box);
  };
  p.choose_font = ChooseFontFor;
  p.choose_color = ChooseColorFor;
  p.input_query = InputQuery;
  return p;
}

}  // namespace zk
