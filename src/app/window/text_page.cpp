#include "app/window/text_page.h"

#include <richedit.h>

#include "app/controls/scroll_box.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "text/char_code.h"
#include "text/command_line_unit.h"
#include "base/file_byte_source.h"
#include "text/mp3_tags.h"
#include "text/outline_document.h"
#include "text/read_text_thread.h"
#include "text/text_file.h"
#include "text/text_pieces.h"
#include "image/zoom.h"

namespace zk {
namespace {

constexpr int kRichEditId = 131;
// The staged display shows this many lines at once and lets the reader bring
// the rest.
constexpr size_t kFirstScreenLines = 256;
constexpr size_t kFirstScreenUnits = 64 * 1024;

HFONT MakeFont(const FontSetting& f, int dpi) {
  return CreateFontW(ScaleForDpi(f.height, dpi), 0, 0, 0, (f.style & kFontBold) ? FW_BOLD : FW_NORMAL,
                     (f.style & kFontItalic) != 0, (f.style & kFontUnderline) != 0, (f.style & kFontStrikeOut) != 0,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     static_cast<BYTE>(f.pitch == 1 ? VARIABLE_PITCH : f.pitch == 2 ? FIXED_PITCH : DEFAULT_PITCH),
                     W(f.name));
}

}  // namespace

TextPage::TextPage(Host& host) : host_(host) {}
TextPage::~TextPage() { StopReader(); }

void TextPage::CreateMemo(HWND page, int id, HFONT ui_font) {
  page_ = page;
  // Keeps the text font; never shown.
  memo_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 0, 0, 0, page,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (memo_) SendMessageW(memo_, WM_SETFONT, reinterpret_cast<WPARAM>(ui_font), FALSE);
}

void TextPage::CreateTextControl(HWND notify, const FontSetting& font) {
  notify_ = notify;
  rich_edit_.Create(page_, kRichEditId);
  color_ = ColorToRgb(font.color);
  rich_edit_.SetFont(font_.get(), color_);
}

void TextPage::Layout(int width, int height) {
  if (rich_edit_.hwnd()) MoveWindow(rich_edit_.hwnd(), 0, 0, width, height, TRUE);
}

void TextPage::StopReader() {
  if (reader_) reader_->Terminate();
  reader_.reset();
}

void TextPage::Clear() {
  StopReader();
  rich_edit_.SetVisible(false);
  rich_edit_.Clear();
  // Every new text starts in the configured font: a zoom lasts only for the
  // text it was made on.
  rich_edit_.SetFont(font_.get(), color_);
  ForgetZoom();
  POINT origin{0, 0};
  SendMessageW(rich_edit_.hwnd(), EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&origin));
}

void TextPage::ShowTextFile(const std::u16string& path, bool use_pre_thread) {
  TextFile file = ReadTextFile(path);
  CharCode id = file.id == CharCode::kNone ? CharCode::kSjis : file.id;
  host_.SetStatus(std::u16string(CharCodeName(id)));
  if (file.HasNull && !file.ReadError) {
    host_.ShowBinaryView(path, false);
    return;
  }
  std::u16string text = file.ReadError ? std::u16string(u"！！読み込みエラー！！") : std::move(file.text);

  size_t first = text.size();
  if (use_pre_thread) first = PieceLength(text, kFirstScreenLines, kFirstScreenUnits);
  if (first < text.size()) {
    rich_edit_.SetText(text.substr(0, first));
    if (rich_edit_.LineCount() >= static_cast<int>(kFirstScreenLines)) {
      reader_ = std::make_unique<TReadTextThread>(text.substr(first), path, notify_, kTextPieceMessage);
    } else {
      rich_edit_.AppendText(text.substr(first));
    }
  } else {
    rich_edit_.SetText(text);
  }
  host_.SetStatus(host_.Status(0) + u"   " + IntToText(rich_edit_.LineCount()) + u" Lines");
  host_.ShowTextView();
}

void TextPage::OnTextPiece() {
  TReadTextThread* reader = reader_.get();
  if (!reader) return;
  // One piece per message, so that the user's input is handled in between.
  if (auto piece = reader->TakePiece()) {
    rich_edit_.AppendText(*piece);
    PostMessageW(notify_, kTextPieceMessage, 0, 0);
    return;
  }
  if (reader->Finished()) {
    host_.SetStatus(u"   " + IntToText(rich_edit_.LineCount()) + u" Lines");
    reader_.reset();
  }
}

void TextPage::ShowMp3Summary(const std::u16string& path) {
  rich_edit_.Clear();
  FileByteSource file(path);
  TMyTagID3 tag(path, file, WinAnsiCodec());
  rich_edit_.SetText(Mp3TagSummary(tag));
  if (!rich_edit_.Text().empty()) host_.ShowTextView();
  else host_.ShowBinaryView(path, false);
}

void TextPage::ShowConvertedDocument(const std::u16string& converter, const std::u16string& path) {
  // The located converter itself, so that one found through its App Paths
  // entry runs as well as one on the search path.
  const std::u16string command = QuotePath(converter) + u" " + QuotePath(path);
  rich_edit_.SetText(TCommandLineUnit::RunCommandLine(command));
  host_.ShowTextView();
}

bool TextPage::ShowOutlineDocument(const std::u16string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return false;
  OutlineChapter chapter = ReadOutlineDocument(*bytes, WinAnsiCodec());
  rich_edit_.Clear();
  if (!chapter.showed) return false;
  if (!chapter.rich_text.empty()) {
    rich_edit_.LoadRtf(chapter.rich_text);
    rich_edit_.InsertFirstLine(chapter.title);
  } else {
    rich_edit_.SetText(chapter.title);
  }
  host_.ShowTextView();
  return true;
}

void TextPage::ApplyFont(const FontSetting& font) {
  configured_ = font;
  font_.reset(MakeFont(font, dpi_));
  if (memo_) SendMessageW(memo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  color_ = ColorToRgb(font.color);
  rich_edit_.SetFont(font_.get(), color_);
  ForgetZoom();
}

void TextPage::ForgetZoom() {
  zoomed_points_ = 0;
  zoomed_font_.reset();
}

void TextPage::ZoomFont(int tag) {
  FontSetting zoomed = configured_;
  if (zoomed_points_ == 0) zoomed_points_ = configured_.Size();
  zoomed_points_ = ZoomedFontSize(zoomed_points_, tag);
  zoomed.SetSize(zoomed_points_);
  UniqueFont previous = std::move(zoomed_font_);
  zoomed_font_.reset(MakeFont(zoomed, dpi_));
  rich_edit_.SetFont(zoomed_font_.get(), color_);
  // Text already in the control keeps its other formatting but takes the size.
  if (rich_edit_.hwnd()) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_SIZE;
    cf.yHeight = zoomed_points_ * 20;
    SendMessageW(rich_edit_.hwnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  }
}

}  // namespace zk
