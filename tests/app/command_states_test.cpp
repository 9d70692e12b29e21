// The commands' states, one row per rule: the context that turns the rule on
// and, beside it, one that turns it off.
#include "app/model/command_states.h"

#include <gtest/gtest.h>

#include <functional>

namespace zk {
namespace {

using enum CommandId;
using Set = std::function<void(ViewContext&)>;

ViewContext With(const Set& set) {
  ViewContext c;
  set(c);
  return c;
}

TEST(CommandStates, EachRuleEnablesOnItsContextOnly) {
  const struct {
    CommandId id;
    Set on, off;
  } rows[] = {
      {ReloadAction, [](auto& c) { c.selection_exists = true; }, [](auto&) {}},
      {CopyAction, [](auto& c) { c.view = vfImage, c.has_picture = true; }, [](auto& c) { c.view = vfImage; }},
      {CopyAction, [](auto& c) { c.view = vfText, c.has_text_selection = true; },
       [](auto& c) { c.view = vfImage, c.has_text_selection = true; }},
      {SaveAction, [](auto& c) { c.view = vfImage; }, [](auto& c) { c.view = vfText; }},
      {ZoomUpAction, [](auto& c) { c.view = vfText; }, [](auto& c) { c.view = vfArc; }},
      {ZoomFitAction, [](auto& c) { c.view = vfImage; }, [](auto& c) { c.view = vfText; }},
      {OutViewAction, [](auto& c) { c.view = vfImage; }, [](auto& c) { c.view = vfBinary; }},
      {RunEverythingAction, [](auto& c) { c.everything_exists = true; }, [](auto&) {}},
      {MakeCacheAction, [](auto& c) { c.cache_folder_exists = c.clipboard_has_bitmap = true; },
       [](auto& c) { c.cache_folder_exists = true; }},
      {DeleteCacheAction, [](auto& c) { c.cache_image_exists = true; }, [](auto& c) { c.cache_folder_exists = true; }},
      {OpenCacheFolderAction, [](auto& c) { c.cache_folder_exists = true; }, [](auto&) {}},
      {NextItemAction, [](auto&) {}, [](auto& c) { c.archive_page_active = true; }},
      {ShowEverythingAction, [](auto& c) { c.search_window_known = true; }, [](auto&) {}},
      {SellectAllAction, [](auto& c) { c.view = vfText; }, [](auto& c) { c.view = vfImage; }},
      {GoogleAction, [](auto& c) { c.view = vfText, c.has_text_selection = true; }, [](auto& c) { c.view = vfText; }},
      {EnterAction, [](auto& c) { c.archive_count = 1; }, [](auto&) {}},
      {CtrlUpAction, [](auto& c) { c.view = vfImage, c.member_selected = true; },
       [](auto& c) { c.view = vfArc, c.member_selected = true; }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.id));
    EXPECT_TRUE(CommandStateOf(row.id, With(row.on), {}).enabled);
    EXPECT_FALSE(CommandStateOf(row.id, With(row.off), {}).enabled);
  }
}

TEST(CommandStates, ChecksFollowSettingsOrTheCommandsOwnToggle) {
  EXPECT_TRUE(CommandStateOf(BetterViewAction, With([](auto& c) { c.better = true; }), {}).checked);
  EXPECT_FALSE(CommandStateOf(BetterViewAction, {}, {true, true, true}).checked);
  EXPECT_TRUE(CommandStateOf(HideToolBarAction, With([](auto& c) { c.hide_toolbar = true; }), {}).checked);
  EXPECT_TRUE(CommandStateOf(NotUsedInTrayAction, With([](auto& c) { c.not_used_in_tray = true; }), {}).checked);
  // Always on top keeps what its execution set.
  EXPECT_TRUE(CommandStateOf(TopMostAction, {}, {true, true, true}).checked);
  EXPECT_EQ(CommandStateOf(ClearAction, {}, {false, false, true}), (CommandState{true, false, true}));
}

TEST(CommandStates, CopyGraphicShowsOnlyForAnExtractedPictureMember) {
  const ViewContext shown = With([](auto& c) { c.has_picture = c.member_selected = c.shown_member_exists = true; });
  EXPECT_EQ(CommandStateOf(CopyGraphicAction, shown, {}), (CommandState{true, false, true}));
  ViewContext gone = shown;
  gone.shown_member_exists = false;
  EXPECT_EQ(CommandStateOf(CopyGraphicAction, gone, {}), (CommandState{false, false, false}));
}

}  // namespace
}  // namespace zk
