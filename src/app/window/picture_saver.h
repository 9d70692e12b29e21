// Saving the shown picture (a copy of its source file, or converted to a
// bitmap, a JPEG or a PNG), saving an archive member in its own format, and
// the picture cache: JPEG files made from the clipboard that stand in for a
// file or folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/dialogs/save_file_dialog.h"
#include "app/model/settings.h"
#include "image/encoders/picture_writers.h"

namespace zk {

class DispatchHost;
class ImageControl;
struct MainFormServices;

class PictureSaver {
 public:
  // What saving needs of the window around it.
  class Host {
   public:
    virtual ~Host() = default;
    virtual HWND OwnerWindow() = 0;
    virtual Settings& SaverSettings() = 0;
    virtual MainFormServices& Services() = 0;
    // The search window's selected file, and forgetting it so that the
    // watcher shows it anew (through a cache picture just made or deleted).
    virtual const std::u16string& Selection() = 0;
    virtual void ForgetSelection() = 0;
    // The file the shown picture came from: the archive member on view, else the selection.
    virtual std::u16string PictureSourceFile() = 0;
    // The archive member on view; empty when none.
    virtual std::u16string ShownMember() = 0;
    virtual const ImageControl& ShownImage() = 0;
    virtual COLORREF ShownImageBackground() = 0;
    // The file checks the cache name is chosen by.
    virtual DispatchHost& Files() = 0;
    virtual void ShowWarning(const std::wstring& message) = 0;
    // A question under the program's title; the button pressed.
    virtual int Ask(const std::wstring& question, UINT type) = 0;
  };

  explicit PictureSaver(Host& host) : host_(host) {}
  PictureSaver(const PictureSaver&) = delete;
  PictureSaver& operator=(const PictureSaver&) = delete;

  // Save: the picture on view, unchanged or converted as the chosen name and type ask.
  void Save();
  // Writes the shown picture converted to kind (0 bitmap, 1 JPEG, 2 PNG).
  void SavePictureAs(const std::u16string& name, int kind);
  // Saves the archive member on view in its own format.
  void SaveMember();
  void MakeCache();
  void DeleteCache();
  // The cache picture of path: beside it, or in the cache folder.
  std::u16string CacheFileName(const std::u16string& path);

 private:
  std::optional<SaveFileAnswer> AskSaveFile(const SaveFileRequest& request);
  // True when path is free, or the user agreed to replace it.
  bool MayOverwrite(const std::u16string& path);
  // Copies the picture's own file; a failure is told as a converted save's is.
  void SaveUnchanged(const std::u16string& from, const std::u16string& to);
  // The JPEG options dialog; nullopt when cancelled.
  std::optional<JpegWriteOptions> AskJpegOptions();

  Host& host_;
};

}  // namespace zk
