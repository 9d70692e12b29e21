// Which file a save writes: the kind a chosen name asks for, the unchanged
// copy when the format stays, the names the kinds get, the member dialog.
#include <gtest/gtest.h>

#include "image/save_rules.h"

namespace zk {
namespace {

struct PlanCase {
  const char16_t* source;
  const char16_t* chosen;
  int filter;
  SaveKind kind;
  const char16_t* copy_to;  // empty: converted
};

TEST(SaveRules, KindAndCopyFromChosenName) {
  const PlanCase cases[] = {
      {u"C:\\a\\p.jpg", u"D:\\x.jpg", 1, SaveKind::kJpeg, u"D:\\x.jpg"},
      {u"C:\\a\\p.JPG", u"D:\\x.Jpg", 3, SaveKind::kJpeg, u"D:\\x.JPG"},
      {u"C:\\a\\p.jpeg", u"D:\\x.jpg", 2, SaveKind::kJpeg, u""},
      {u"C:\\a\\p.jpg", u"D:\\x", 1, SaveKind::kBitmap, u""},
      {u"C:\\a\\p.jpg", u"D:\\x", 2, SaveKind::kJpeg, u"D:\\x.jpg"},
      {u"C:\\a\\p.bmp", u"D:\\x.txt", 1, SaveKind::kBitmap, u"D:\\x.bmp"},
      {u"C:\\a\\p.png", u"D:\\x.jpg", 1, SaveKind::kJpeg, u""},
      {u"C:\\a\\p.png", u"D:\\x.PNG", 1, SaveKind::kPng, u"D:\\x.png"},
      {u"C:\\a\\p.gif", u"D:\\x", 3, SaveKind::kPng, u""},
      {u"C:\\a\\p.gif", u"D:\\x", 0, SaveKind::kBitmap, u""},
      {u"C:\\a\\p", u"D:\\x", 1, SaveKind::kBitmap, u""},
      {u"C:\\a\\p.bmp", u"D:\\x.Bmp", 2, SaveKind::kBitmap, u"D:\\x.bmp"},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "filter " << c.filter << " chosen " << std::u16string(c.chosen).size());
    const SavePlan plan = PlanPictureSave(c.source, c.chosen, c.filter);
    EXPECT_EQ(plan.kind, c.kind);
    EXPECT_EQ(plan.copy_to, std::u16string(c.copy_to));
  }
}

TEST(SaveRules, ConvertedNamesAndMemberDialog) {
  EXPECT_EQ(ConvertedSaveName(u"D:\\x", SaveKind::kBitmap), u"D:\\x.bmp");
  EXPECT_EQ(ConvertedSaveName(u"D:\\x", SaveKind::kJpeg), u"D:\\x.jpg");
  EXPECT_EQ(ConvertedSaveName(u"D:\\x", SaveKind::kPng), u"D:\\x.png");
  EXPECT_EQ(ConvertedSaveName(u"D:\\x.txt", SaveKind::kJpeg), u"D:\\x.txt");
  EXPECT_EQ(MemberSaveTitle(u"C:\\t\\zk1.tmp\\a.jpg"), u"a.jpg の保存");
  EXPECT_EQ(MemberSaveFilter(u"C:\\t\\zk1.tmp\\a.jpg"), u"*.jpg|*.jpg");
}

}  // namespace
}  // namespace zk
