// Every command of the main window, named once: its identifier, caption,
// hint, shortcuts, tag and category. The command layer, the toolbar, the
// menus and the tests use the identifiers; the names are spelled out only
// where a file stores them (the toolbar layout file).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zk {

// A 16-bit shortcut code: the virtual-key code in the low byte, plus these.
enum ShortcutBits : uint16_t { kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000 };
using Shortcut = uint16_t;

// The virtual-key codes the table needs, so that it stays free of the platform headers.
enum KeyCode : uint16_t {
  kKeyTab = 0x09,
  kKeyReturn = 0x0D,
  kKeyEscape = 0x1B,
  kKeyEnd = 0x23,
  kKeyHome = 0x24,
  kKeyUp = 0x26,
  kKeyDown = 0x28,
  kKeyF5 = 0x74,
};

constexpr Shortcut Ctrl(int key) { return static_cast<Shortcut>(kCtrl | key); }
using Shortcuts = std::array<Shortcut, 2>;  // the first one is shown in menus; 0: none
constexpr Shortcuts Keys(Shortcut first = 0, Shortcut second = 0) { return {first, second}; }

// X(identifier, caption, hint, shortcuts, tag, category), in the order of the
// command table: a key belongs to the first command that has it.
#define ZK_COMMAND_TABLE(X)                                                                                   \
  X(FindEverythingAction, u"Everything 監視", u"Everything 監視", Keys(Ctrl('W')), 0, u"")                    \
  X(ClearAction, u"クリア", u"ビューワのクリア", Keys(kKeyEscape), 0, u"HowView")                             \
  X(ReloadAction, u"制限なしにリロード", u"制限なしにリロード", Keys(kKeyF5, Ctrl('R')), 0, u"HowView")       \
  X(CopyAction, u"コピー", u"クリップボードにコピー", Keys(Ctrl('C')), 0, u"")                                 \
  X(SaveAction, u"画像に名前をつけて保存(A)..", u"画像に名前をつけて保存", Keys(Ctrl('S')), 0, u"ImageView")   \
  X(OptionsAction, u"設定..", u"各種設定", Keys(Ctrl('O')), 0, u"")                                            \
  /* The keypad shortcuts of the zoom commands are set at start-up. */                                       \
  X(ZoomUpAction, u"大", u"大きく表示", Keys(), 1, u"HowView")                                                 \
  X(ZoomOutAction, u"小", u"小さく表示", Keys(), -1, u"HowView")                                               \
  X(ZoomFitAction, u"収まる大きさ", u"窓に合わせて縮小", Keys(), 0, u"ImageView")                              \
  X(RealSizeAction, u"実際の大きさ", u"実際の大きさで表示", Keys(), 99, u"ImageView")                          \
  X(TopMostAction, u"常に手前に表示", u"常に手前に表示", Keys(), 0, u"")                                       \
  X(RunEverythingAction, u"Everything 起動", u"Everything 起動", Keys(Ctrl('E')), 0, u"")                      \
  X(CopyImageAction, u"画像をクリップボードにコピー(&C)", u"画像をクリップボードにコピー|画像をコピーします", \
    Keys(Ctrl('C')), 0, u"ImageView")                                                                         \
  X(CopyGraphicAction, u"画像を同じ形式で保存(&S)..", u"", Keys(), 0, u"ImageView")                            \
  X(MakeCacheAction, u"クリップボードからキャッシュ作成(&M)", u"", Keys(Ctrl('M')), 0, u"Cache")               \
  X(DeleteCacheAction, u"キャッシュファイルの削除(&D)..", u"", Keys(), 0, u"Cache")                            \
  X(OpenCacheFolderAction, u"キャッシュフォルダを開く(O)..", u"", Keys(), 0, u"Cache")                         \
  X(NextItemAction, u"NextItemAction", u"", Keys(kKeyDown), 1, u"ImageView")                                  \
  X(PreItemAction, u"PreItemAction", u"", Keys(kKeyUp), -1, u"ImageView")                                     \
  X(BetterViewAction, u"綺麗な縮小は好きですか", u"綺麗な縮小", Keys(), 0, u"ImageView")                       \
  X(ArcListAction, u"書庫内容表示", u"", Keys(Ctrl('Y')), 0, u"ArcView")                                       \
  X(HideToolBarAction, u"ツールバーを隠す", u"", Keys(), -1, u"")                                               \
  X(NotUsedInTrayAction, u"Everythin がいない時はタスクトレイ", u"", Keys(), 0, u"")                           \
  X(ShowEverythingAction, u"Everything にフォーカス", u"", Keys(Ctrl(kKeyTab)), 0, u"")                       \
  X(TestAction, u"TestAction", u"", Keys(Ctrl('T')), 0, u"Test")                                              \
  X(CopyTestAction, u"CopyTestAction", u"", Keys(Ctrl('X')), 0, u"Test")                                      \
  X(SellectAllAction, u"すべて選択", u"すべて選択", Keys(Ctrl('A')), 0, u"Edit")                               \
  X(GoogleAction, u"Google で検索", u"Google で検索", Keys(), 0, u"Serch")                                     \
  X(WikipediaAction, u"Wikipedia で検索", u"Wikipedia で検索", Keys(), 1, u"Serch")                            \
  X(EnterAction, u"EnterAction", u"", Keys(kKeyReturn), 0, u"ArcView")                                        \
  X(CtrlUpAction, u"CtrlUpAction", u"", Keys(Ctrl(kKeyUp)), 1, u"ArcView")                                    \
  X(CtrlDownAction, u"CtrlDownAction", u"", Keys(Ctrl(kKeyDown)), -1, u"ArcView")                             \
  X(CtrlHomeAction, u"CtrlHomeAction", u"", Keys(Ctrl(kKeyHome)), 999, u"ArcView")                            \
  X(CtrlEndAction, u"CtrlEndAction", u"", Keys(Ctrl(kKeyEnd)), -999, u"ArcView")                              \
  X(OutViewAction, u"外部ビュー(&V)", u"", Keys(Ctrl('V')), 0, u"")                                            \
  X(CopyListAction, u"リストをコピー", u"", Keys(), 0, u"ArcView")

enum class CommandId : uint8_t {
#define ZK_COMMAND_ID(id, ...) id,
  ZK_COMMAND_TABLE(ZK_COMMAND_ID)
#undef ZK_COMMAND_ID
};

struct CommandInfo {
  CommandId id;
  std::u16string_view name;  // "ReloadAction": the identifier as the layout file stores it
  std::u16string_view caption;
  std::u16string_view hint;
  Shortcuts shortcuts;
  int tag;
  std::u16string_view category;  // groups the commands in the toolbar's customisation
};

// The whole table, in its order; entry i has the identifier with value i.
std::span<const CommandInfo> CommandTable();
inline constexpr size_t kCommandCount = [] {
  size_t n = 0;
#define ZK_COMMAND_COUNT(...) ++n;
  ZK_COMMAND_TABLE(ZK_COMMAND_COUNT)
#undef ZK_COMMAND_COUNT
  return n;
}();

const CommandInfo& InfoOf(CommandId id);
// The command a stored name stands for; nothing for a name this program does not know.
std::optional<CommandId> CommandByName(std::u16string_view name);

// The categories in the order the customisation offers them; the empty
// category (commands without one) comes last.
inline constexpr std::u16string_view kCommandCategories[] = {u"HowView", u"ImageView", u"Cache", u"ArcView",
                                                             u"Test",    u"Edit",      u"Serch", u""};

}  // namespace zk
