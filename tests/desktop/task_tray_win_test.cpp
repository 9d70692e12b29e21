// The tray icon and hot-key components, and the main window's use of them.
#include "desktop/task_tray.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/window/main_window.h"
#include "desktop/hook_hot_key.h"
#include "support/main_window_fixture.h"
#include "watcher/search_peer.h"

namespace zk {
namespace {

using test::PumpUntil;

// A menu that records where and for whom it was shown instead of showing.
class RecordingMenu : public PopupMenu {
 public:
  void Popup(POINT at, HWND owner) override {
    shown.push_back(at);
    owners.push_back(owner);
    foreground_then.push_back(GetForegroundWindow());
  }
  std::vector<POINT> shown;
  std::vector<HWND> owners, foreground_then;
};

HWND MakeOwner() {
  WNDCLASSEXW wc{sizeof(wc)};
  HINSTANCE inst = GetModuleHandleW(nullptr);
  if (!GetClassInfoExW(inst, L"ZarvikTrayOwner", &wc)) {
    wc = WNDCLASSEXW{sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = inst;
    wc.lpszClassName = L"ZarvikTrayOwner";
    RegisterClassExW(&wc);
  }
  HWND w = CreateWindowExW(0, L"ZarvikTrayOwner", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                           inst, nullptr);
  return w;  // hidden: under Wine without a window manager a shown window is slow to go
}

template <typename F>
std::u16string ErrorOf(F&& f) {
  try {
    f();
  } catch (const EInvalidOperation& e) {
    return e.Message();
  }
  return u"";
}

TEST(TaskTray, IdentifiersFollowOnAndAreUniqueInTheProcess) {
  auto first = std::make_unique<TTaskTray>(nullptr);
  TTaskTray second(nullptr);
  EXPECT_EQ(first->IconID(), 1);
  EXPECT_EQ(second.IconID(), 2);
  first.reset();
  EXPECT_EQ(second.IconID(), 2);
  TTaskTray third(nullptr);
  EXPECT_EQ(third.IconID(), 3);
  third.SetIconID(1);  // free again
  EXPECT_EQ(third.IconID(), 1);

  EXPECT_EQ(ErrorOf([&] { third.SetIconID(0); }), u"0以下は指定できません");
  EXPECT_EQ(ErrorOf([&] { third.SetIconID(-5); }), u"0以下は指定できません");
  EXPECT_EQ(ErrorOf([&] { third.SetIconID(2); }), u"同じアイコン識別子が有ります");
  EXPECT_EQ(third.IconID(), 1);
  EXPECT_EQ(ErrorOf([&] { third.SetRegistered(true); }), u"アイコンが指定されていません");
  EXPECT_FALSE(third.Registered());
}

TEST(TaskTray, RegisteringAddsTheIconAndRemovingTakesItOut) {
  HWND owner = MakeOwner();
  {
    TTaskTray tray(owner);
    tray.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
    tray.SetTipString(std::u16string(200, u'x'));
    EXPECT_FALSE(tray.added());
    tray.SetRegistered(true);
    EXPECT_TRUE(tray.Registered());
    EXPECT_TRUE(tray.added());
    ASSERT_TRUE(TTaskTray::NotifyWindow());
    EXPECT_EQ(GetParent(TTaskTray::NotifyWindow()), owner);
    // A new identifier while registered: the icon comes back under it.
    tray.SetIconID(42);
    EXPECT_TRUE(tray.Registered());
    EXPECT_TRUE(tray.added());
    // No icon, no place in the notification area.
    tray.SetIcon(nullptr);
    EXPECT_FALSE(tray.Registered());
    EXPECT_FALSE(tray.added());
  }
  DestroyWindow(owner);
  EXPECT_EQ(TTaskTray::NotifyWindow(), nullptr);  // it went with its owner
}

TEST(TaskTray, MouseNotificationsBecomeEventsAndMenus) {
  HWND owner = MakeOwner();
  {
    TTaskTray tray(owner);
    tray.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
    tray.SetRegistered(true);
    RecordingMenu left, right;
    tray.SetPopupMenuL(&left);
    tray.SetPopupMenuR(&right);
    std::vector<std::string> events;
    tray.OnMouseDown = [&](TTaskTray&, TMouseButton b, TShiftState s, int, int) {
      events.push_back("down" + std::to_string(b) + "/" + std::to_string(s));
    };
    tray.OnMouseUp = [&](TTaskTray&, TMouseButton b, TShiftState s, int, int) {
      events.push_back("up" + std::to_string(b) + "/" + std::to_string(s));
    };
    tray.OnDblClick = [&](TTaskTray&, TMouseButton b) { events.push_back("dbl" + std::to_string(b)); };
    tray.OnMouseMove = [&](TTaskTray&, TShiftState s, int, int) { events.push_back("move" + std::to_string(s)); };

    HWND notify = TTaskTray::NotifyWindow();
    auto send = [&](int id, UINT mouse) { SendMessageW(notify, kTrayCallbackMessage, id, mouse); };
    send(tray.IconID(), WM_RBUTTONDOWN);
    send(tray.IconID(), WM_RBUTTONUP);
    send(tray.IconID(), WM_LBUTTONDOWN);
    send(tray.IconID(), WM_LBUTTONDBLCLK);
    send(tray.IconID(), WM_MOUSEMOVE);
    send(tray.IconID(), WM_MBUTTONDOWN);
    send(tray.IconID() + 100, WM_RBUTTONDOWN);  // not ours: ignored
    EXPECT_EQ(events, (std::vector<std::string>{"down1/16", "up1/16", "down0/8", "dbl0", "move0", "down2/32"}));

    // The right button shows the right menu at the cursor, the owner in front first.
    POINT cursor;
    GetCursorPos(&cursor);
    ASSERT_EQ(right.shown.size(), 1u);
    EXPECT_EQ(right.shown[0].x, cursor.x);
    EXPECT_EQ(right.shown[0].y, cursor.y);
    EXPECT_EQ(right.owners[0], owner);
    EXPECT_EQ(right.foreground_then[0], owner);
    EXPECT_EQ(left.shown.size(), 1u);

    // A menu that goes is forgotten.
    {
      RecordingMenu passing;
      tray.SetPopupMenuR(&passing);
    }
    EXPECT_EQ(tray.PopupMenuR(), nullptr);
    send(tray.IconID(), WM_RBUTTONDOWN);
    EXPECT_EQ(right.shown.size(), 1u);
    tray.SetPopupMenuL(nullptr);
  }
  DestroyWindow(owner);
}

TEST(HookHotKey, ShortcutCodeGivesKeyAndModifiers) {
  THookHotKey hot_key(nullptr);
  constexpr uint16_t kCtrlAltV = 0x4000 | 0x8000 | 0x56;
  ASSERT_TRUE(hot_key.RegisterHotKeyId(1, kCtrlAltV));
  // The platform now holds exactly Ctrl+Alt+V for it.
  EXPECT_FALSE(RegisterHotKey(nullptr, 0x7001, MOD_ALT | MOD_CONTROL, 0x56));
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x7002, MOD_CONTROL, 0x56));
  UnregisterHotKey(nullptr, 0x7002);

  // Changing it to Ctrl+Shift+V frees Ctrl+Alt+V.
  EXPECT_TRUE(hot_key.ChangeHotKey(1, 0x4000 | 0x2000 | 0x56));
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x7003, MOD_ALT | MOD_CONTROL, 0x56));
  UnregisterHotKey(nullptr, 0x7003);
  EXPECT_FALSE(RegisterHotKey(nullptr, 0x7004, MOD_SHIFT | MOD_CONTROL, 0x56));
  EXPECT_TRUE(hot_key.UnregisterHotKeyId(1));
  EXPECT_FALSE(hot_key.UnregisterHotKeyId(1));
}

TEST(HookHotKey, MessageRaisesTheEventAndHandlerErrorsStayInside) {
  HWND owner = MakeOwner();
  {
    THookHotKey hot_key(owner);
    std::vector<int> ids;
    std::vector<std::wstring> errors;
    hot_key.OnHotKey = [&](THookHotKey&, int id) {
      ids.push_back(id);
      if (id == 9) throw std::runtime_error("broken handler");
    };
    hot_key.OnException = [&](const std::wstring& m) { errors.push_back(m); };
    SendMessageW(hot_key.hwnd(), WM_HOTKEY, 3, 0);
    SendMessageW(hot_key.hwnd(), WM_HOTKEY, 9, 0);
    EXPECT_EQ(ids, (std::vector<int>{3, 9}));
    EXPECT_EQ(errors, (std::vector<std::wstring>{L"broken handler"}));
    EXPECT_EQ(GetForegroundWindow(), owner);
  }
  DestroyWindow(owner);
}

using HookHotKeyViewer = test::MainWindowFixture;

TEST_F(HookHotKeyViewer, RegistersItsStoredKeyAndShowsItselfOnIt) {
  // Ctrl+Alt+V as the settings file keeps it.
  ASSERT_TRUE(test::WriteFileBytes(IniPath(), "[Window]\r\nActiveHotKey=49238\r\n"));
  auto form = MakeForm();
  ASSERT_NE(form->hwnd(), nullptr);
  EXPECT_EQ(form->settings().ActiveHotKey, 0xC056);
  EXPECT_FALSE(RegisterHotKey(nullptr, 0x7005, MOD_ALT | MOD_CONTROL, 0x56));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));

  // The hot key shows the hidden viewer.
  ASSERT_FALSE(IsWindowVisible(form->hwnd()));
  SendMessageW(form->hot_key()->hwnd(), WM_HOTKEY, 1, MAKELPARAM(MOD_ALT | MOD_CONTROL, 0x56));
  EXPECT_TRUE(IsWindowVisible(form->hwnd()));

  form->Close();
  form.reset();
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x7006, MOD_ALT | MOD_CONTROL, 0x56));
  UnregisterHotKey(nullptr, 0x7006);
}

}  // namespace
}  // namespace zk
