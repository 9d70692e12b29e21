#include "image/fit_image.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

FitInput Picture(int w, int h, int cw, int ch, bool image_center = true, bool better = false) {
  FitInput in;
  in.has_picture = true;
  in.picture_width = w;
  in.picture_height = h;
  in.client_width = cw;
  in.client_height = ch;
  in.image_center = image_center;
  in.better = better;
  return in;
}

TEST(FitImage, SmallPictureIsCentredAtItsOwnSize) {
  const FitPlan p = PlanFit(Picture(100, 50, 400, 300));
  EXPECT_EQ(p.kind, FitKind::kCentred);
  EXPECT_FALSE(p.stretch);
  EXPECT_TRUE(p.center);
  EXPECT_EQ(p.bounds, (ControlBounds{150, 125, 100, 50}));
  EXPECT_FALSE(p.smooth);  // not even with Better: nothing is resampled
  EXPECT_FALSE(PlanFit(Picture(100, 50, 400, 300, true, true)).smooth);
}

TEST(FitImage, SmallPictureIsEnlargedWithoutImageCenter) {
  const FitPlan p = PlanFit(Picture(100, 50, 400, 300, false));
  EXPECT_EQ(p.kind, FitKind::kWidthFit);
  EXPECT_TRUE(p.stretch);
  EXPECT_FALSE(p.center);
  EXPECT_EQ(p.bounds, (ControlBounds{0, 50, 400, 200}));
}

TEST(FitImage, PictureAsWideOrHighAsTheViewIsFitted) {
  // Centring needs both sides strictly smaller.
  EXPECT_EQ(PlanFit(Picture(400, 100, 400, 300)).kind, FitKind::kWidthFit);
  EXPECT_EQ(PlanFit(Picture(100, 300, 400, 300)).kind, FitKind::kHeightFit);
}

TEST(FitImage, ChoosesTheFitByOrientation) {
  struct Case {
    int w, h, cw, ch;
    FitKind kind;
    ControlBounds bounds;
  };
  const Case cases[] = {
      // wide view, wide picture: width-fit while its height fits...
      {800, 400, 400, 300, FitKind::kWidthFit, {0, 50, 400, 200}},
      // ...height-fit when it would be too high
      {500, 450, 400, 300, FitKind::kHeightFit, {33, 0, 333, 300}},
      // wide view, tall picture
      {300, 600, 400, 300, FitKind::kHeightFit, {125, 0, 150, 300}},
      // square view counts as tall; a square picture is height-fitted
      {1000, 1000, 300, 300, FitKind::kHeightFit, {0, 0, 300, 300}},
      // tall view, wide picture
      {900, 300, 300, 500, FitKind::kWidthFit, {0, 200, 300, 100}},
      // tall view, tall picture: height-fit while its width fits...
      {300, 900, 300, 500, FitKind::kHeightFit, {67, 0, 166, 500}},
      // ...width-fit when it would be too wide
      {600, 700, 300, 500, FitKind::kWidthFit, {0, 75, 300, 350}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.cw << "x" << c.ch);
    const FitPlan p = PlanFit(Picture(c.w, c.h, c.cw, c.ch));
    EXPECT_EQ(p.kind, c.kind);
    EXPECT_EQ(p.bounds, c.bounds);
    EXPECT_TRUE(p.stretch);
    EXPECT_LE(p.bounds.width, c.cw);
    EXPECT_LE(p.bounds.height, c.ch);
  }
}

TEST(FitImage, FittedSizeAlwaysStaysInsideTheView) {
  for (int w = 1; w < 700; w += 37) {
    for (int h = 1; h < 700; h += 41) {
      for (auto [cw, ch] : {std::pair{320, 200}, {200, 320}, {256, 256}, {1, 500}, {500, 1}}) {
        const FitPlan p = PlanFit(Picture(w, h, cw, ch, false));
        ASSERT_LE(p.bounds.width, cw) << w << "x" << h << " in " << cw << "x" << ch;
        ASSERT_LE(p.bounds.height, ch) << w << "x" << h << " in " << cw << "x" << ch;
        ASSERT_TRUE(p.bounds.width == cw || p.bounds.height == ch);
      }
    }
  }
}

TEST(FitImage, BetterAsksForResamplingToTheFittedSize) {
  const FitPlan p = PlanFit(Picture(3000, 2000, 400, 300, true, true));
  EXPECT_EQ(p.kind, FitKind::kWidthFit);
  EXPECT_TRUE(p.smooth);
  EXPECT_EQ(p.bounds, (ControlBounds{0, 17, 400, 266}));
  EXPECT_FALSE(PlanFit(Picture(3000, 2000, 400, 300, true, false)).smooth);
}

TEST(FitImage, ElongatedPictureGetsZeroHeightAndNoResampling) {
  const FitPlan p = PlanFit(Picture(30000, 1, 400, 300, true, true));
  EXPECT_EQ(p.kind, FitKind::kWidthFit);
  EXPECT_EQ(p.bounds, (ControlBounds{0, 150, 400, 0}));
  EXPECT_FALSE(p.smooth);
}

TEST(FitImage, NothingToPlace) {
  FitInput in = Picture(100, 50, 400, 300);
  in.suppress_fit = true;
  EXPECT_FALSE(PlanFit(in).runs());

  in = Picture(100, 50, 400, 300);
  in.has_picture = false;
  const FitPlan none = PlanFit(in);
  EXPECT_EQ(none.kind, FitKind::kNoPicture);
  EXPECT_TRUE(none.runs());
  EXPECT_FALSE(none.sets_layout());

  // A view without area: the layout flags change, the bounds do not.
  const FitPlan empty = PlanFit(Picture(100, 50, 0, 300, true, true));
  EXPECT_EQ(empty.kind, FitKind::kEmptySize);
  EXPECT_TRUE(empty.sets_layout());
  EXPECT_TRUE(empty.stretch);
  EXPECT_FALSE(empty.moves_control());
  EXPECT_FALSE(empty.smooth);
}

}  // namespace
}  // namespace zk
