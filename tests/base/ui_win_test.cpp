// The window base and the modal run, through real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "base/ui/modal_dialog.h"
#include "base/ui/window_base.h"
#include "base/win_class.h"

namespace zk {
namespace {

class Recorder final : public WindowBase {
 public:
  Recorder(bool* detached, bool keeps_window) : detached_(detached), keeps_window_(keeps_window) {}
  ~Recorder() override {
    if (wnd_ && !keeps_window_) DestroyWindow(wnd_);
  }
  bool Create(HWND parent) {
    EnsureWindowClass({L"ZarvikTestRecorder", Procedure});
    return CreateFor(0, L"ZarvikTestRecorder", L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent, nullptr);
  }
  std::vector<UINT> seen;

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    seen.push_back(msg);
    return DefWindowProcW(wnd_, msg, wp, lp);
  }
  void OnDetached() override { *detached_ = true; }
  bool* detached_;
  bool keeps_window_;
};

TEST(WindowBaseTest, TheObjectHasItsWindowFromFirstToLastMessage) {
  bool detached = false;
  Recorder r(&detached, false);
  ASSERT_TRUE(r.Create(nullptr));
  HWND wnd = r.hwnd();
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(r.seen.front(), static_cast<UINT>(WM_NCCREATE));
  SendMessageW(wnd, WM_USER + 5, 0, 0);
  EXPECT_EQ(r.seen.back(), static_cast<UINT>(WM_USER + 5));
  DestroyWindow(wnd);
  EXPECT_EQ(r.seen.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(r.hwnd(), nullptr);
  EXPECT_TRUE(detached);
}

TEST(WindowBaseTest, AWindowOutlivingItsObjectNoLongerReachesIt) {
  bool detached = false;
  HWND wnd = nullptr;
  {
    Recorder r(&detached, true);
    ASSERT_TRUE(r.Create(nullptr));
    wnd = r.hwnd();
  }
  ASSERT_TRUE(IsWindow(wnd));
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_USERDATA), 0);
  // Handled as any plain window would, and its end reaches no object.
  EXPECT_TRUE(SetWindowTextW(wnd, L"left over"));
  DestroyWindow(wnd);
  EXPECT_FALSE(detached);
}

TEST(ModalTest, TheOwnerIsDisabledMeanwhileAndGetsItsFocusBack) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(owner);
  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);
  HWND dialog = CreateEmptyDialog(owner, L"modal", [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  ASSERT_NE(dialog, nullptr);
  PlaceDialog(dialog, owner, DialogScale(), 100, 50);
  bool done = false, owner_disabled = false, shown = false;
  ModalOptions modal;
  modal.on_shown = [&] {
    shown = IsWindowVisible(dialog);
    owner_disabled = !IsWindowEnabled(owner);
    PostMessageW(dialog, WM_USER, 0, 0);
  };
  modal.pre_translate = [&](MSG& msg) {
    if (msg.hwnd == dialog && msg.message == WM_USER) done = true;
    return done;
  };
  RunModal(dialog, owner, done, modal);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(GetFocus(), edit);
  DestroyWindow(dialog);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace zk
