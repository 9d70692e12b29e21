// A picture shown frame by frame: the first frame at once, the others when
// the image control animates it, with the file's frame times and loop count.
// `Animation` composes the frames (GifAnimation, WebpAnimation).
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "image/dib_section.h"
#include "image/picture.h"

namespace zk {

template <typename Animation>
class AnimatedPicture final : public Picture {
 public:
  AnimatedPicture(std::string file, Rgb background)
      : file_(std::move(file)),
        animation_(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(file_.data()), file_.size()), background),
        frame_(CreateDibSection24(animation_.width(), animation_.height())) {
    delay_ = animation_.RenderNext({frame_.bits, frame_.stride});
  }

  const Animation& animation() const { return animation_; }
  const DibSection24& frame() const { return frame_; }
  // The shown frame, for a still that becomes a plain picture; leaves this one empty.
  DibSection24 TakeFrame() { return std::move(frame_); }

  SIZE Size() const override { return {frame_.width, frame_.height}; }
  void Draw(HDC dc, const RECT& rect) const override {
    GdiFlush();
    DrawBitmapStretched(dc, rect, frame_.bitmap.get(), {frame_.width, frame_.height});
  }
  PixelView Pixels() const override {
    GdiFlush();
    return frame_.View();
  }

  int FirstDelay() const override { return animation_.frame_count() > 1 ? delay_ : -1; }

  int NextFrame() override {
    if (animation_.frame_count() <= 1 || finished_) return -1;
    if (frame_index_ + 1 == animation_.frame_count()) {
      // The last frame was shown: one more play done.
      ++plays_;
      if (animation_.loop_count() > 0 && plays_ >= animation_.loop_count()) {
        finished_ = true;
        return -1;
      }
    }
    delay_ = animation_.RenderNext({frame_.bits, frame_.stride});
    frame_index_ = (frame_index_ + 1) % animation_.frame_count();
    return delay_;
  }

 private:
  std::string file_;
  Animation animation_;
  DibSection24 frame_;
  int delay_ = -1;
  int frame_index_ = 0;
  int plays_ = 0;
  bool finished_ = false;
};

}  // namespace zk
