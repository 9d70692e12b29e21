// The command layer: one action per command of the table, each with its
// execute and update handlers. The toolbar, the menus, the keyboard and the
// idle update all read this one list.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/model/commands.h"

namespace zk {

// "Ctrl+W", "Ctrl+Alt+V", "F5", "Num +" ... for menus and hints.
std::u16string ShortcutText(Shortcut s);

class Action {
 public:
  Action() = default;
  explicit Action(std::u16string caption) : caption(std::move(caption)) {}

  std::u16string_view name;  // "ReloadAction"; empty for an action outside the command table
  std::u16string caption;
  std::u16string hint;
  std::u16string_view category;
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

// The actions of the command table, in its order.
class ActionList {
 public:
  ActionList();
  ActionList(const ActionList&) = delete;
  ActionList& operator=(const ActionList&) = delete;

  Action& operator[](CommandId id) { return actions_[static_cast<size_t>(id)]; }
  const Action& operator[](CommandId id) const { return actions_[static_cast<size_t>(id)]; }
  // The command of a stored name, or null for a name this program does not know.
  Action* Find(std::u16string_view name);
  CommandId IdOf(const Action& action) const { return static_cast<CommandId>(&action - actions_.data()); }

  auto begin() { return actions_.begin(); }
  auto end() { return actions_.end(); }
  auto begin() const { return actions_.begin(); }
  auto end() const { return actions_.end(); }

  // The action a key belongs to (the first in table order), or null.
  Action* ForShortcut(Shortcut s);
  // Runs every update handler; called when the application is idle.
  void UpdateAll();

 private:
  std::array<Action, kCommandCount> actions_;
};

}  // namespace zk
