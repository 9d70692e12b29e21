// The pop-up menus of the picture and of the archive list.
#include "app/window/command_menu.h"
#include "app/window/main_window.h"
#include "base/win_files.h"

namespace zk {

void TZKMainForm::CreateImagePopupMenu() {
  ImagePopupMenu = std::make_unique<PopupMenu>();
  for (CommandId id : {CommandId::CopyImageAction, CommandId::SaveAction, CommandId::CopyGraphicAction})
    AddCommandItem(*ImagePopupMenu, actions[id]);
  CacheMenu = std::make_shared<PopupMenu>();
  for (CommandId id : {CommandId::MakeCacheAction, CommandId::DeleteCacheAction, CommandId::OpenCacheFolderAction})
    AddCommandItem(*CacheMenu, actions[id]);
  PopupMenu::Item& cache = ImagePopupMenu->Add(L"キャッシュ操作(&S)", nullptr);
  cache.submenu = CacheMenu;
  cache.visible = [this] { return cache_menu_visible_; };
}

void TZKMainForm::ImagePopupMenuPopup() { cache_menu_visible_ = ::zk::FolderExists(settings_.CacheFolder); }

void TZKMainForm::CreateArcListPopupMenu() {
  ArcListPopupMenu = std::make_unique<PopupMenu>();
  AddCommandItem(*ArcListPopupMenu, actions[CommandId::CopyListAction]);
}

}  // namespace zk
