// Browsing archives in the viewer: the listed archive and its member lines on
// the archive page, the member on view extracted into the work folder,
// stepping through the members, copying the list, and archive link files that
// show one picture straight out of an archive. Listing an archive or opening a
// link replaces the browsing state in one place, so no line of an earlier
// list and no earlier member outlives it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/model/settings.h"

namespace zk {

class ArchivePage;
class ImageControl;

class ArchiveBrowser {
 public:
  // What browsing needs of the window around it.
  class Host {
   public:
    virtual ~Host() = default;
    virtual HWND OwnerWindow() = 0;
    virtual const Settings& BrowsingSettings() = 0;
    // The search window's selected file.
    virtual const std::u16string& Selection() = 0;
    virtual void SetStatus(const std::u16string& text) = 0;
    // The status bar's second panel: the member on view.
    virtual void SetMemberStatus(const std::u16string& text) = 0;
    // A warning with its sound, and a message box alone.
    virtual void ShowWarning(const std::wstring& message) = 0;
    virtual void ShowNotice(const std::wstring& message) = 0;
    virtual void SetArchiveCaption(const std::u16string& archive_name) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    // The list page on view, with the focus.
    virtual void ShowListPage() = 0;
    // Shows an extracted member as the dispatcher shows any file.
    virtual void ViewMemberFile(const std::u16string& file) = 0;
    // Asks for a missing link target; true when one was chosen.
    virtual bool AskLinkTarget(const std::u16string& link_file, std::u16string& target) = 0;
    // The link's own text, shown when its archive cannot be had.
    virtual void ShowLinkText(const std::u16string& text) = 0;
    // Empties the views (the shown member is kept).
    virtual void ClearViews() = 0;
    // The picture control a link's picture goes to, and the page it is then shown on.
    virtual ImageControl& LinkImage() = 0;
    virtual COLORREF LinkImageBackground() = 0;
    virtual void ShowLinkImagePage() = 0;
  };

  ArchiveBrowser(Host& host, ArchivePage& page) : host_(host), page_(page) {}
  ArchiveBrowser(const ArchiveBrowser&) = delete;
  ArchiveBrowser& operator=(const ArchiveBrowser&) = delete;

  // The archive the dispatcher listed; empty after a link or a new selection.
  const std::u16string& listed_archive() const { return listed_archive_; }
  // The extracted member on view; empty when none.
  const std::u16string& shown_member() const { return shown_member_; }
  void ForgetShownMember() { shown_member_.clear(); }
  void ForgetListedArchive() { listed_archive_.clear(); }
  const std::u16string& work_folder() const { return work_folder_; }
  void SetWorkFolder(std::u16string folder) { work_folder_ = std::move(folder); }

  // The dispatcher's listing: `path` quietly; true when the list is shown.
  bool ListForDispatch(const std::u16string& path);
  // Ctrl+Y: lists the selection and tells every reason it cannot.
  void ListCommand();
  // Opens the selected member (a double click on the list).
  void OpenSelected();
  // Selects a neighbouring, the first or the last member by an action's tag (1, -1, 999, -999) and opens it.
  void Step(int tag);
  // Back to the list from a member.
  void Back();
  // Enter: back to the list from a member, else the selected member.
  void Enter(bool list_on_view);
  void CopyList();
  // An archive link file: its member's picture straight out of the archive.
  void OpenLink(const std::u16string& link_file);

 private:
  bool List(bool from_command);
  // The list on view, its status saying so.
  void ShowList();
  std::u16string MemberArchivePath() const;
  void ShowMember(const std::u16string& archive_path);
  // Raises what the archive component or the picture decoders raise.
  void ShowLinkImage(const std::u16string& archive_path, const std::u16string& member, uint32_t size);

  Host& host_;
  ArchivePage& page_;
  std::u16string listed_archive_;
  std::u16string shown_member_;
  std::u16string work_folder_;
};

}  // namespace zk
