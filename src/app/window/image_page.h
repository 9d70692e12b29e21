// The image page of the main window: the scroll box `ScrollBox` holding the
// picture control `MainImage`, with loading a picture file, fitting it into
// the view, the zoom steps and panning with both mouse buttons.
#pragma once

#include <windows.h>

#include <string>

#include "app/controls/scroll_box.h"
#include "app/model/page_host.h"
#include "image/image_control.h"

namespace zk {

class ImagePage {
 public:
  // What the page needs from the window around it.
  class Host : public PageHost {
   public:
    // Shows the current file or archive member again (actual size, fit).
    virtual void ReShow() = 0;

   protected:
    ~Host() = default;
  };

  explicit ImagePage(Host& host) : host_(host) {}
  ImagePage(const ImagePage&) = delete;
  ImagePage& operator=(const ImagePage&) = delete;

  bool Create(HWND page, int scroll_box_id, int image_id);
  void Layout(int width, int height);

  ImageControl& MainImage() { return image_; }
  const ImageControl& MainImage() const { return image_; }
  zk::ScrollBox& ScrollBox() { return scroll_box_; }
  const zk::ScrollBox& ScrollBox() const { return scroll_box_; }

  // Empties the page: no picture, the control back to its designed state.
  void Clear();
  // Loads the picture of a file: through the decoder its extension names,
  // else through the decoders that know the content. False when none could.
  bool Load(const std::u16string& path);
  bool HasPicture() const { return image_.HasPicture(); }

  // Fits the picture into the view, smoothly reduced when `better`.
  void Fit(bool image_center, bool better);
  // One zoom step by the command's tag (1 in, -1 out, 99 actual size, 0 fit).
  void Zoom(int tag);
  bool SuppressFit = false;  // set while actual size shows the picture again

  // Puts the picture on the clipboard; false when that failed.
  bool CopyToClipboard(HWND owner) const;

  // True once after a pan that the right button ended: that release opens no menu.
  bool TakePanEndedByRightButton();

 private:
  void OnMouse(UINT msg, WPARAM keys, POINT at);

  Host& host_;
  zk::ScrollBox scroll_box_;
  ImageControl image_;
  bool panning_ = false;
  POINT pan_start_{0, 0};
  bool pan_ended_by_right_button_ = false;
};

}  // namespace zk
