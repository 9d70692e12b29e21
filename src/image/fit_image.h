// Where and how large the picture control is placed when a picture is fitted
// into the scroll box of the image page, decided without touching a window.
#pragma once

namespace zk {

struct FitInput {
  bool suppress_fit = false;  // actual size is re-showing the picture
  bool has_picture = false;
  int picture_width = 0;
  int picture_height = 0;
  int client_width = 0;  // of the scroll box
  int client_height = 0;
  bool image_center = true;  // setting "ImageCenter": small pictures keep their size
  bool better = false;       // setting "Better": resample instead of stretching
};

enum class FitKind {
  kSuppressed,  // nothing happens at all
  kNoPicture,   // only the status text round trip, and the scroll box stops auto-scrolling
  kEmptySize,   // picture or client area of zero size: layout flags only
  kCentred,     // own size, centred, not stretched
  kWidthFit,    // client width, height by the aspect ratio
  kHeightFit,   // client height, width by the aspect ratio
};

struct ControlBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ControlBounds&) const = default;
};

struct FitPlan {
  FitKind kind = FitKind::kSuppressed;
  // From kEmptySize on: the control stops sizing itself and is stretched as this says.
  bool stretch = true;
  // kCentred only turns centring on; the other kinds leave it as it is.
  bool center = false;
  // kCentred, kWidthFit and kHeightFit: the control's new bounds.
  ControlBounds bounds;
  // Replace the picture by SmoothResize(picture, bounds.width, bounds.height).
  // Never set for a zero-sized fit.
  bool smooth = false;

  // Whether the status text is swapped for "Zooming.." and AutoScroll switched off.
  bool runs() const { return kind != FitKind::kSuppressed; }
  bool sets_layout() const { return kind != FitKind::kSuppressed && kind != FitKind::kNoPicture; }
  bool moves_control() const { return kind == FitKind::kCentred || kind == FitKind::kWidthFit || kind == FitKind::kHeightFit; }
};

FitPlan PlanFit(const FitInput& in);

}  // namespace zk
