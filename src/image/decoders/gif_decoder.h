// GIF pictures through giflib: the first frame for still display, and the
// frames one after another, composed as an animation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image/decoders/pixel_sink.h"
#include "image/pixel_buffer.h"

namespace zk {

namespace gif_detail {
// Where one frame lies in the file and how it is shown.
struct Frame {
  size_t at = 0;  // file offset just behind the image separator
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  int transparent = -1;  // colour index, or -1
  int disposal = 0;      // 2: back to the background, 3: back to the previous picture, else keep
  int delay_ms = 100;
  int colour_count = 0;    // entries of the frame's own colour table (0: none)
  size_t colours_at = 0;   // file offset of that table
  int largest_index = 0;   // used for the grey ramp of files without any colour table
};
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return left >= right || top >= bottom; }
};
}  // namespace gif_detail

// The frames of a GIF file, composed one after another on a canvas of the
// logical screen. Transparent pixels, and the areas frames dispose to the
// background, show the background colour.
//
// The frames are not kept decoded: each is decoded again from the file when it
// is shown, so the memory is the canvas and the file, however many frames
// there are. The object therefore keeps a view of the file bytes, which must
// outlive it.
class GifAnimation {
 public:
  // Reads through the whole file once. The first frame that does not decode
  // completely and all after it are dropped, except that a first frame with
  // at least one row is kept and shown as far as it goes; a frame larger than
  // the file justifies counts as damaged. Throws PictureDecodeError when no
  // frame decodes at all, or when the logical screen is larger than the file
  // justifies.
  GifAnimation(std::span<const uint8_t> file, Rgb background);
  // A temporary file would be gone before the first frame is shown.
  GifAnimation(std::vector<uint8_t>&&, Rgb) = delete;

  // The logical screen (when the file gives a width or height of 0, the first
  // frame's extent).
  int width() const { return canvas_.width; }
  int height() const { return canvas_.height; }
  int frame_count() const { return static_cast<int>(frames_.size()); }
  // How many times the whole animation is shown: 0 for ever. The file's
  // looping extension counts repeats after the first showing, as browsers
  // read it; without one the animation is shown once.
  int loop_count() const { return loop_count_; }
  // The frame the next RenderNext shows.
  int next_frame() const { return next_; }

  // Composes the next frame (0, 1, 2, ... then 0 again) and writes the whole
  // logical screen into `target` (width() x height() pixels). Gives the
  // frame's delay in milliseconds (0 or 1 hundredth in the file gives 100).
  // Does not throw.
  int RenderNext(PixelTarget target);

 private:
  using Frame = gif_detail::Frame;
  using Rect = gif_detail::Rect;

  void Load();
  void FillCanvas(const Rect& rect);

  std::span<const uint8_t> file_;
  Rgb background_;
  int global_colours_ = 0;
  std::vector<Frame> frames_;
  int loop_count_ = 1;
  int next_ = 0;
  PixelBuffer canvas_;
  std::vector<uint8_t> row_;    // one frame row of colour indices
  std::vector<uint8_t> saved_;  // what a frame that restores the previous picture covered
  int previous_disposal_ = 0;   // of the frame shown last
  Rect previous_rect_;
};

// The first frame alone, composed over `background`, into rows asked once from
// `sink` (for still display and pictures held in memory). Throws
// PictureDecodeError when it does not decode at all.
void DecodeGifFirstFrame(std::span<const uint8_t> file, Rgb background, PixelSink& sink);

}  // namespace zk
