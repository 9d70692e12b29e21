#include "app/model/actions.h"

#include "base/text.h"

namespace zk {
namespace {

std::u16string KeyName(uint8_t vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::u16string(1, char16_t(vk));
  if (vk >= 0x70 && vk <= 0x87) return u"F" + IntToText(vk - 0x6F);
  switch (vk) {
    case 0x08: return u"BkSp";
    case 0x09: return u"Tab";
    case 0x0D: return u"Enter";
    case 0x1B: return u"Esc";
    case 0x20: return u"Space";
    case 0x21: return u"PgUp";
    case 0x22: return u"PgDn";
    case 0x23: return u"End";
    case 0x24: return u"Home";
    case 0x25: return u"Left";
    case 0x26: return u"Up";
    case 0x27: return u"Right";
    case 0x28: return u"Down";
    case 0x2D: return u"Ins";
    case 0x2E: return u"Del";
    case 0x6A: return u"Num *";
    case 0x6B: return u"Num +";
    case 0x6D: return u"Num -";
    case 0x6F: return u"Num /";
  }
  if (vk >= 0x60 && vk <= 0x69) return u"Num " + IntToText(vk - 0x60);
  return u"$" + IntToText(vk);
}

}  // namespace

std::u16string ShortcutText(Shortcut s) {
  if (s == 0) return {};
  std::u16string out;
  if (s & kShift) out += u"Shift+";
  if (s & kCtrl) out += u"Ctrl+";
  if (s & kAlt) out += u"Alt+";
  return out + KeyName(static_cast<uint8_t>(s & 0xFF));
}

bool Action::Execute() {
  Update();
  if (!enabled || !on_execute) return false;
  on_execute(*this);
  return true;
}

ActionList::ActionList() {
  for (const CommandInfo& c : CommandTable()) {
    Action& a = (*this)[c.id];
    a.name = c.name;
    a.caption = c.caption;
    a.hint = c.hint;
    a.category = c.category;
    a.tag = c.tag;
    for (Shortcut k : c.shortcuts)
      if (k) a.shortcuts.push_back(k);
  }
}

Action* ActionList::Find(std::u16string_view name) {
  const std::optional<CommandId> id = CommandByName(name);
  return id ? &(*this)[*id] : nullptr;
}

Action* ActionList::ForShortcut(Shortcut s) {
  if (s == 0) return nullptr;
  for (Action& a : actions_)
    for (Shortcut k : a.shortcuts)
      if (k == s) return &a;
  return nullptr;
}

void ActionList::UpdateAll() {
  for (Action& a : actions_) a.Update();
}

}  // namespace zk
