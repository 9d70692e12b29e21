#include "app/model/wheel_rules.h"

namespace zk {

WheelDecision DecideWheel(uint8_t held, bool up, const WheelContext& c) {
  if (held == kWheelRight) return {WheelRule::kStepSelection, up ? -1 : 1};
  if (held == kWheelLeft) return {WheelRule::kStepSelection, up ? 999 : 0};
  if (held == kWheelCtrl && (c.view == vfImage || c.view == vfText)) return {WheelRule::kZoom, 0};
  if (held == 0 && c.view == vfImage && c.member_selected) return {WheelRule::kStepMember, 0};
  if (held == 0 && c.text_page_active) return {WheelRule::kScrollText, 0};
  if (c.archive_page_active) return {WheelRule::kScrollArchive, 0};
  return {};
}

}  // namespace zk
