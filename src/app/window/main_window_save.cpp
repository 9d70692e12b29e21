// The main window's side of saving and the picture cache: the commands wired
// to the picture saver, and what the saver asks of the window.
#include <windows.h>
#include <shellapi.h>

#include "app/window/main_window.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {

void TZKMainForm::CreateSaveActions() {
  using enum CommandId;
  actions[SaveAction].on_execute = [this](Action&) { saver_.Save(); };
  actions[CopyGraphicAction].on_execute = [this](Action&) { saver_.SaveMember(); };
  actions[MakeCacheAction].on_execute = [this](Action&) { saver_.MakeCache(); };
  actions[DeleteCacheAction].on_execute = [this](Action&) { saver_.DeleteCache(); };
  actions[OpenCacheFolderAction].on_execute = [this](Action&) {
    ShellExecuteW(wnd_, L"open", W(settings_.CacheFolder), nullptr, nullptr, SW_SHOWNORMAL);
  };
}

// PictureSaver::Host

Settings& TZKMainForm::SaverSettings() { return settings_; }

MainFormServices& TZKMainForm::Services() { return *services_; }

void TZKMainForm::ForgetSelection() {
  SelectedFileName.clear();
  existence_.Forget();
  RefreshFacts();
}

std::u16string TZKMainForm::PictureSourceFile() {
  const std::u16string& member = archive_page_.browser().shown_member();
  if (archive_page_.SelectedIndex() >= 0 && ::zk::FileExists(member)) return member;
  return SelectedFileName;
}

std::u16string TZKMainForm::ShownMember() { return archive_page_.browser().shown_member(); }

const ImageControl& TZKMainForm::ShownImage() { return image_page_.MainImage(); }

COLORREF TZKMainForm::ShownImageBackground() { return image_page_.ScrollBox().ColorRef(); }

DispatchHost& TZKMainForm::Files() { return *this; }

int TZKMainForm::Ask(const std::wstring& question, UINT type) {
  return ShowMessageBox(question, kApplicationTitle, type);
}

}  // namespace zk
