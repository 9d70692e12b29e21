// The mouse wheel's rules, compared on the whole set of held buttons and keys.
#include <gtest/gtest.h>

#include "app/model/wheel_rules.h"

namespace zk {
namespace {

WheelRule Rule(uint8_t held, const WheelContext& c) { return DecideWheel(held, true, c).rule; }

TEST(WheelRules, ButtonsStepTheSearchResults) {
  WheelContext any;
  EXPECT_EQ(DecideWheel(kWheelRight, true, any).argument, -1);
  EXPECT_EQ(DecideWheel(kWheelRight, false, any).argument, 1);
  EXPECT_EQ(DecideWheel(kWheelLeft, true, any).argument, 999);
  EXPECT_EQ(DecideWheel(kWheelLeft, false, any).argument, 0);
  EXPECT_EQ(Rule(kWheelLeft | kWheelRight, any), WheelRule::kNothing);
  EXPECT_EQ(Rule(kWheelRight | kWheelShift, any), WheelRule::kNothing);
}

TEST(WheelRules, CtrlZoomsPicturesAndTextOnly) {
  WheelContext c;
  c.view = vfImage;
  EXPECT_EQ(Rule(kWheelCtrl, c), WheelRule::kZoom);
  c.view = vfText;
  c.text_page_active = true;
  EXPECT_EQ(Rule(kWheelCtrl, c), WheelRule::kZoom);
  EXPECT_EQ(Rule(kWheelCtrl | kWheelShift, c), WheelRule::kNothing);
  c.view = vfBinary;
  c.text_page_active = false;
  EXPECT_EQ(Rule(kWheelCtrl, c), WheelRule::kNothing);
}

TEST(WheelRules, PlainTurnsFollowWhatIsShown) {
  WheelContext c;
  c.view = vfImage;
  EXPECT_EQ(Rule(0, c), WheelRule::kNothing);
  c.member_selected = true;
  EXPECT_EQ(Rule(0, c), WheelRule::kStepMember);
  WheelContext text;
  text.view = vfText;
  text.text_page_active = true;
  EXPECT_EQ(Rule(0, text), WheelRule::kScrollText);
  EXPECT_EQ(Rule(kWheelShift, text), WheelRule::kNothing);
  WheelContext list;
  list.archive_page_active = true;
  EXPECT_EQ(Rule(0, list), WheelRule::kScrollArchive);
  EXPECT_EQ(Rule(kWheelShift | kWheelMiddle, list), WheelRule::kScrollArchive);
}

}  // namespace
}  // namespace zk
