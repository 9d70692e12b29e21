// The arithmetic of the zoom commands: the zoom exponent kept in the picture
// control's tag, the zoomed size, where the scroll bars go so that the view
// keeps its centre, actual size and the font zoom of the text page.
#pragma once

namespace zk {

// Tags of the zoom commands.
constexpr int kZoomInTag = 1;
constexpr int kZoomOutTag = -1;
constexpr int kZoomFitTag = 0;
constexpr int kActualSizeTag = 99;

// The exponent is -1 after the view was cleared, 0 at actual size, and stays
// within these limits.
constexpr int kFittedExponent = -1;
constexpr int kActualSizeExponent = 0;
constexpr int kMaxZoomExponent = 5;
constexpr int kMinZoomExponent = -5;

struct ZoomPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ZoomPoint&) const = default;
};

struct ZoomSize {
  int width = 0;
  int height = 0;
  bool operator==(const ZoomSize&) const = default;
};

// False when a zoom in or out would pass the exponent limits; the command
// then does nothing at all. Fit and actual size are always allowed.
bool ZoomAllowed(int exponent, int tag);

// The point of the control (in its own coordinates) under the centre of the
// scroll box's client area, with the control's top-left corner at
// `control_position` in that area (negative once scrolled past it).
ZoomPoint PointUnderCentre(ZoomSize client, ZoomPoint control_position);

// The control's size after one zoom step: doubled in, halved (toward zero) out.
ZoomSize ZoomedSize(ZoomSize size, int tag);

// The new exponent after one zoom step.
int ZoomedExponent(int exponent, int tag);

// The scroll bar positions after one zoom step, from the point under the
// centre before (`before`) and after the resize (`after`, measured once the
// scroll range follows the new size). The scroll bars clamp them to their range.
ZoomPoint ScrollAfterZoom(int tag, ZoomPoint before, ZoomPoint after);

// Where the control goes at actual size: centred while smaller than the view.
ZoomPoint ActualSizePosition(ZoomSize client, ZoomSize picture);

// The text page's font size after a zoom command: one point up or down.
// It never falls below one point; fit and actual size leave it alone.
int ZoomedFontSize(int points, int tag);

}  // namespace zk
