// Menu entries made from commands: their caption, and their enabled, checked
// and visible states asked when the menu opens.
#pragma once

#include "app/model/actions.h"
#include "base/win_text.h"
#include "desktop/popup_menu.h"

namespace zk {

inline PopupMenu::Item& AddCommandItem(PopupMenu& menu, Action& action) {
  PopupMenu::Item& item = menu.Add(ToWide(action.caption), [&action] { action.Execute(); }, [&action] {
    action.Update();
    return action.enabled;
  });
  item.checked = [&action] { return action.checked; };
  item.visible = [&action] {
    action.Update();
    return action.visible;
  };
  return item;
}

}  // namespace zk
