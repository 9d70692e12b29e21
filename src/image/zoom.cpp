#include "image/zoom.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace zk {
namespace {

int Saturate(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

bool ZoomAllowed(int exponent, int tag) {
  if (tag == kZoomInTag) return exponent <= 4;
  if (tag == kZoomOutTag) return exponent >= -4;
  return true;
}

ZoomPoint PointUnderCentre(ZoomSize client, ZoomPoint control_position) {
  return {client.width / 2 - control_position.x, client.height / 2 - control_position.y};
}

ZoomSize ZoomedSize(ZoomSize size, int tag) {
  if (tag > 0 && tag != kActualSizeTag) {
    return {Saturate(int64_t{size.width} * 2), Saturate(int64_t{size.height} * 2)};
  }
  if (tag < 0) return {size.width / 2, size.height / 2};
  return size;
}

int ZoomedExponent(int exponent, int tag) {
  if (tag == kActualSizeTag) return kActualSizeExponent;
  if (tag > 0) return exponent + 1;
  if (tag < 0) return exponent - 1;
  return exponent;
}

ZoomPoint ScrollAfterZoom(int tag, ZoomPoint before, ZoomPoint after) {
  if (tag < 0) {
    return {Saturate(std::llabs(int64_t{after.x} - before.x / 2)), Saturate(std::llabs(int64_t{after.y} - before.y / 2))};
  }
  return {Saturate(std::llabs(2 * int64_t{before.x} - after.x)), Saturate(std::llabs(2 * int64_t{before.y} - after.y))};
}

ZoomPoint ActualSizePosition(ZoomSize client, ZoomSize picture) {
  return {std::max(0, (client.width - picture.width) / 2), std::max(0, (client.height - picture.height) / 2)};
}

int ZoomedFontSize(int points, int tag) {
  if (tag != kZoomInTag && tag != kZoomOutTag) return points;
  return std::max(1, points + tag);
}

}  // namespace zk
