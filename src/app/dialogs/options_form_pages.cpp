// The five pages of the settings dialog and their controls.
#include "app/controls/child_window.h"
#include "app/controls/container.h"
#include "app/dialogs/options_form.h"
#include "app/dialogs/options_form_ids.h"

namespace zk {

using namespace options_form_ids;

namespace {

constexpr wchar_t kViewerHint[] = L"ビューワを（Ｗ）クリックするとこのソフトで開きます";
// "#13" is shown as it stands.
constexpr wchar_t kFolderHint[] = L"空白の場合は#13開くファイルのフォルダになります";
constexpr wchar_t kOpenDialogHint[] = L"オープンダイアログが開きます";

}  // namespace

void TZKOptionsForm::CreateMainPage(HWND page) {
  HFONT f = font_.get();
  NotUsedInTrayCheckBox.Create(page, L"Everything がいない時はタスクトレイ(&T)", scale_({10, 10, 246, 18}),
                               kNotUsedInTray, f);
  ClearNoEverythingCheckBox.Create(page, L"Everything がいない時は画面をクリア(&C)", scale_({10, 32, 246, 18}),
                                   kClearNoEverything, f);

  // The label stands over its field; its mnemonic goes to the field.
  CreateLabel(page, L"バイト以上のファイルは読み込まない(&M)", scale_({10, 62, 246, 16}), f);
  MaxKByteEdit.Create(page, scale_({10, 80, 96, 21}), kMaxKByteEdit, f);
  hints_.SetHint(MaxKByteEdit.hwnd(), u"ゼロならばすべて読み込みます");
  MaxKByteLabel = CreateLabel(page, L"ゼロならばすべて読み込み\rF5 を押せばいつでもクライマックス",
                              scale_({10, 108, 246, 30}), f, SS_NOPREFIX);

  CreateLabel(page, L"ホットキー(&H)：", scale_({10, 155, 100, 16}), f);
  UserActiveHotKey.Create(page, scale_({112, 151, 144, 21}), kUserActiveHotKey, f);

  CreateGroupBox(page, L"&Text or Binary", scale_({262, 4, 140, 216}), f);
  KakuLabel = CreateLabel(page, L"↓の拡張子は\rチェック無しで\rバイナリとみなす(&E)", scale_({270, 22, 126, 44}), f);
  KakuListBox.Create(page, scale_({270, 68, 124, 114}), kKakuListBox, f);
  hints_.SetHint(KakuListBox.hwnd(), u"拡張子がここにあればいちいちチェックしなくなります");
  KakuListAddButton = CreatePushButton(page, L"追加(&A)..", scale_({270, 188, 61, 24}), kKakuListAdd, f);
  KakuListDelButton = CreatePushButton(page, L"削除(&D)..", scale_({333, 188, 61, 24}), kKakuListDel, f);
}

void TZKOptionsForm::CreateTextPage(HWND page) {
  HFONT f = font_.get();
  Button1 = CreatePushButton(page, L"フォントの設定(&F)..", scale_({10, 10, 140, 25}), kButton1, f);
  CreateLabel(page, L"フォントのプレビュー", scale_({10, 48, 200, 16}), f);
  HWND panel = CreateContainer(page, kFontPreviewPanel, WS_VISIBLE);
  const Bounds preview = scale_({10, 66, 386, 150});
  MoveWindow(panel, preview.x, preview.y, preview.width, preview.height, FALSE);
  FontPreview.Create(panel, kFontPreview);
  MoveWindow(FontPreview.hwnd(), 0, 0, preview.width, preview.height, FALSE);
  FontPreview.SetVisible(true);
}

void TZKOptionsForm::CreateImagePage(HWND page) {
  HFONT f = font_.get();
  BetterCheckBox.Create(page, L"綺麗な縮小は好きですか(&B)", scale_({10, 10, 300, 18}), kBetter, f);
  hints_.SetHint(BetterCheckBox.hwnd(), u"多少時間がかかります");
  ImageCenterCheckBox.Create(page, L"センターに表示(&C)", scale_({10, 32, 300, 18}), kImageCenter, f);
  BackgroundColorPanel.Create(page, L"背景色(&B)..", scale_({10, 64, 160, 44}), kBackgroundColorPanel, f);
}

void TZKOptionsForm::CreateProgramsPage(HWND page) {
  HFONT f = font_.get();
  CreateLabel(page, L"&Everything", scale_({10, 13, 84, 16}), f);
  EverythingPathEdit.Create(page, scale_({98, 10, 266, 21}), kEverythingPathEdit, f);
  SpeedButton1 = CreatePushButton(page, L"..", scale_({368, 10, 28, 21}), kSpeedButton1, f);

  CreateGroupBox(page, L"外部ビューワ", scale_({6, 42, 396, 176}), f);
  OutWClickCheckBox.Create(page, L"Ｗクリックで開く(&W)", scale_({16, 60, 250, 18}), kOutWClick, f);
  struct Row {
    const wchar_t* label;
    EditBox* edit;
    const wchar_t* hint;
    const wchar_t* button;
  };
  const Row rows[] = {
      {L"テキストビューワ(&T)", &OutTextEdit, kViewerHint, L"(&1)"},
      {L"実行時フォルダ(&F)", &OutTextDirEdit, kFolderHint, L"(&2)"},
      {L"グラフィックビューワ(&G)", &OutGEdit, kViewerHint, L"(&3)"},
      {L"実行時フォルダ(&D)", &OutGDirEdit, kFolderHint, L"(&4)"},
  };
  for (int i = 0; i < 4; ++i) {
    const int y = 86 + i * 31;
    CreateLabel(page, rows[i].label, scale_({16, y + 3, 148, 16}), f);
    rows[i].edit->Create(page, scale_({166, y, 188, 21}), kOutTextEdit + i, f);
    hints_.SetHint(rows[i].edit->hwnd(), FromWide(rows[i].hint));
    HWND button = CreatePushButton(page, rows[i].button, scale_({358, y, 36, 21}), kFirstOutViewerButton + i, f);
    hints_.SetHint(button, FromWide(kOpenDialogHint));
    OutViewerButtons[static_cast<size_t>(i)] = button;
  }
}

void TZKOptionsForm::CreateOtherPage(HWND page) {
  HFONT f = font_.get();
  ShowID3TagCheckBox.Create(page, L"MP&3 はタグ情報を表示", scale_({10, 10, 320, 18}), kShowID3Tag, f);
  hints_.SetHint(ShowID3TagCheckBox.hwnd(), u"信用度低し");
  LinkViewCheckBox.Create(page, L"ショートカットファイルは常に実態を表示(&L)", scale_({10, 32, 320, 18}), kLinkView, f);
  ArcViewCheckBox.Create(page, L"常にアーカイブも表示(&A)", scale_({10, 54, 320, 18}), kArcView, f);
  ArkWrapCheckBox.Create(page, L"書庫内画像最後の次は最初に戻る(&W)", scale_({10, 76, 320, 18}), kArkWrap, f);
  CreateLabel(page, L"キャッシュフォルダの指定(&C)：", scale_({10, 112, 300, 16}), f);
  CacheFolderEdit.Create(page, scale_({10, 130, 354, 21}), kCacheFolderEdit, f);
  SpeedButton2 = CreatePushButton(page, L"..", scale_({368, 130, 28, 21}), kSpeedButton2, f);
  ArchiveBuiltInCheckBox.Create(page, L"書庫 DLL がない形式は内蔵エンジンで開く(&B)", scale_({10, 162, 380, 18}),
                                kArchiveBuiltIn, f);
  hints_.SetHint(ArchiveBuiltInCheckBox.hwnd(), u"インストールされた書庫 DLL が優先されます");
}

}  // namespace zk
