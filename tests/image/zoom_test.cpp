#include "image/zoom.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

// How many zoom steps in one direction double or halve before the limit.
int StepsUntilLimit(int exponent, int tag) {
  int steps = 0;
  while (ZoomAllowed(exponent, tag)) {
    exponent = ZoomedExponent(exponent, tag);
    ++steps;
    if (steps > 100) break;
  }
  return steps;
}

TEST(Zoom, ExponentLimits) {
  EXPECT_EQ(StepsUntilLimit(kFittedExponent, kZoomInTag), 6);
  EXPECT_EQ(StepsUntilLimit(kFittedExponent, kZoomOutTag), 4);
  EXPECT_EQ(StepsUntilLimit(kActualSizeExponent, kZoomInTag), 5);
  EXPECT_EQ(StepsUntilLimit(kActualSizeExponent, kZoomOutTag), 5);
  EXPECT_FALSE(ZoomAllowed(kMaxZoomExponent, kZoomInTag));
  EXPECT_TRUE(ZoomAllowed(kMaxZoomExponent, kZoomOutTag));
  EXPECT_FALSE(ZoomAllowed(kMinZoomExponent, kZoomOutTag));
  EXPECT_TRUE(ZoomAllowed(kMinZoomExponent, kZoomInTag));
  // Fit and actual size work at either limit.
  for (int e : {kMinZoomExponent, kMaxZoomExponent}) {
    EXPECT_TRUE(ZoomAllowed(e, kZoomFitTag));
    EXPECT_TRUE(ZoomAllowed(e, kActualSizeTag));
  }
  EXPECT_EQ(ZoomedExponent(3, kActualSizeTag), kActualSizeExponent);
}

TEST(Zoom, SizeDoublesAndHalves) {
  EXPECT_EQ(ZoomedSize({401, 267}, kZoomInTag), (ZoomSize{802, 534}));
  EXPECT_EQ(ZoomedSize({401, 267}, kZoomOutTag), (ZoomSize{200, 133}));
  EXPECT_EQ(ZoomedSize({1, 1}, kZoomOutTag), (ZoomSize{0, 0}));
  EXPECT_EQ(ZoomedSize({1 << 30, 5}, kZoomInTag).width, 2147483647);  // saturates instead of wrapping
}

TEST(Zoom, ScrollKeepsTheCentredPointInTheMiddle) {
  const ZoomSize client{400, 300};
  // Fitted 400 x 266 at (0, 17): the centre lies on (200, 133) of the picture.
  const ZoomPoint p0 = PointUnderCentre(client, {0, 17});
  EXPECT_EQ(p0, (ZoomPoint{200, 133}));
  // After doubling, the control sits at (0, 0) of a scrolled area at 0.
  const ZoomPoint p1 = PointUnderCentre(client, {0, 0});
  const ZoomPoint in = ScrollAfterZoom(kZoomInTag, p0, p1);
  EXPECT_EQ(in, (ZoomPoint{200, 116}));
  // The doubled point 2 * p0 now lies at the client centre.
  EXPECT_EQ(2 * p0.x - in.x, client.width / 2);
  EXPECT_EQ(2 * p0.y - in.y, client.height / 2);

  // Zoomed in and scrolled to (600, 500): centre at (800, 650) of an 1600 x 1064 control.
  const ZoomPoint q0 = PointUnderCentre(client, {-600, -500});
  EXPECT_EQ(q0, (ZoomPoint{800, 650}));
  EXPECT_EQ(ScrollAfterZoom(kZoomOutTag, q0, p1), (ZoomPoint{200, 175}));
  // Positions that would be negative come out mirrored; the scroll bar clamps them.
  EXPECT_EQ(ScrollAfterZoom(kZoomInTag, {50, 40}, {200, 150}), (ZoomPoint{100, 70}));
}

TEST(Zoom, ActualSizeCentresOnlyWhatFits) {
  EXPECT_EQ(ActualSizePosition({400, 300}, {100, 50}), (ZoomPoint{150, 125}));
  EXPECT_EQ(ActualSizePosition({400, 300}, {1000, 50}), (ZoomPoint{0, 125}));
  EXPECT_EQ(ActualSizePosition({400, 300}, {401, 301}), (ZoomPoint{0, 0}));
}

TEST(Zoom, TextFontSteps) {
  EXPECT_EQ(ZoomedFontSize(10, kZoomInTag), 11);
  EXPECT_EQ(ZoomedFontSize(10, kZoomOutTag), 9);
  EXPECT_EQ(ZoomedFontSize(1, kZoomOutTag), 1);
  EXPECT_EQ(ZoomedFontSize(10, kActualSizeTag), 10);
}

}  // namespace
}  // namespace zk
