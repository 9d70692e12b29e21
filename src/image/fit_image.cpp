#include "image/fit_image.h"

namespace zk {
namespace {

// Toward zero, saturating: a picture millions of pixels wide must not overflow.
int Trunc(double v) { return v >= 2147483647.0 ? 2147483647 : static_cast<int>(v); }

}  // namespace

FitPlan PlanFit(const FitInput& in) {
  FitPlan plan;
  if (in.suppress_fit) return plan;
  plan.kind = FitKind::kNoPicture;
  if (!in.has_picture) return plan;

  const int w = in.picture_width, h = in.picture_height;
  const int cw = in.client_width, ch = in.client_height;
  plan.stretch = true;
  if (in.image_center && w < cw && h < ch) {
    plan.kind = FitKind::kCentred;
    plan.stretch = false;
    plan.center = true;
    plan.bounds = {(cw - w) / 2, (ch - h) / 2, w, h};
    return plan;
  }
  plan.kind = FitKind::kEmptySize;
  if (w <= 0 || h <= 0 || cw <= 0 || ch <= 0) return plan;

  // Truncation toward zero keeps the fitted size inside the client area.
  const double ratio = static_cast<double>(h) / w;
  const ControlBounds by_width{0, 0, cw, Trunc(cw * ratio)};
  const ControlBounds by_height{0, 0, Trunc(ch / ratio), ch};
  bool width_fit;
  if (cw > ch) {
    width_fit = ratio < 1 && by_width.height <= ch;
  } else {
    width_fit = ratio < 1 || by_height.width > cw;
  }
  plan.kind = width_fit ? FitKind::kWidthFit : FitKind::kHeightFit;
  plan.bounds = width_fit ? by_width : by_height;
  plan.bounds.left = (cw - plan.bounds.width) / 2;
  plan.bounds.top = (ch - plan.bounds.height) / 2;
  plan.smooth = in.better && plan.bounds.width > 0 && plan.bounds.height > 0;
  return plan;
}

}  // namespace zk
