// The command layer: every user action once, with its caption, hint,
// shortcuts, tag, category and its execute and update handlers. The toolbar,
// the menus, the keyboard and the idle update all read this one table.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zk {

// A 16-bit shortcut code: the virtual-key code in the low byte, plus these.
enum ShortcutBits : uint16_t { kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000 };
using Shortcut = uint16_t;

// "Ctrl+W", "Ctrl+Alt+V", "F5", "Num +" ... for menus and hints.
std::u16string ShortcutText(Shortcut s);

class Action {
 public:
  std::u16string name;      // "ReloadAction"
  std::u16string caption;
  std::u16string hint;
  std::u16string category;
  std::vector<Shortcut> shortcuts;  // the first one is shown in menus
  int tag = 0;
  int image_index = -1;

  bool enabled = true;
  bool checked = false;
  bool visible = true;

  std::function<void(Action&)> on_execute;
  std::function<void(Action&)> on_update;  // sets enabled/checked when idle

  // Runs the update handler first, so a disabled action does nothing.
  bool Execute();
  void Update() {
    if (on_update) on_update(*this);
  }
};

class ActionList {
 public:
  Action& Add(std::u16string name, std::u16string caption, std::u16string hint = {},
              std::vector<Shortcut> shortcuts = {}, int tag = 0, std::u16string category = {});
  Action* Find(std::u16string_view name);
  Action& operator[](std::u16string_view name);  // the action must exist
  const std::vector<std::unique_ptr<Action>>& actions() const { return actions_; }

  // The action a key belongs to (the first in table order), or null.
  Action* ForShortcut(Shortcut s);
  // Runs every update handler; called when the application is idle.
  void UpdateAll();

 private:
  std::vector<std::unique_ptr<Action>> actions_;
};

}  // namespace zk
