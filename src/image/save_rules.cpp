#include "image/save_rules.h"

#include "base/paths.h"

namespace zk {
namespace {

constexpr std::u16string_view kKindExtensions[] = {u".bmp", u".jpg", u".png"};

std::u16string AsciiUpper(std::u16string s) {
  for (char16_t& c : s)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return s;
}

}  // namespace

SavePlan PlanPictureSave(std::u16string_view source, std::u16string_view chosen, int filter_index) {
  SavePlan plan;
  plan.extension = ExtractFileExt(chosen);
  const std::u16string upper = AsciiUpper(plan.extension);
  if (upper == u".BMP") {
    plan.kind = SaveKind::kBitmap;
  } else if (upper == u".JPG" || upper == u".JPEG") {
    plan.kind = SaveKind::kJpeg;
  } else if (upper == u".PNG") {
    plan.kind = SaveKind::kPng;
  } else {
    const int index = filter_index >= 1 && filter_index <= 3 ? filter_index - 1 : 0;
    plan.kind = static_cast<SaveKind>(index);
    plan.extension = kKindExtensions[index];
  }
  const std::u16string source_extension = ExtractFileExt(source);
  if (!source_extension.empty() && AsciiUpper(source_extension) == AsciiUpper(plan.extension))
    plan.copy_to = ChangeFileExt(chosen, source_extension);
  return plan;
}

std::u16string ConvertedSaveName(std::u16string_view chosen, SaveKind kind) {
  std::u16string name(chosen);
  if (ExtractFileExt(chosen).empty()) name += kKindExtensions[static_cast<int>(kind)];
  return name;
}

std::u16string MemberSaveTitle(std::u16string_view member) { return ExtractFileName(member) + u" の保存"; }

std::u16string MemberSaveFilter(std::u16string_view member) {
  const std::u16string ext = ExtractFileExt(member);
  return u"*" + ext + u"|*" + ext;
}

}  // namespace zk
