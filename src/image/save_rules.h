// The decisions of saving the shown picture under a new name: which kind of
// file a chosen name asks for, whether the source can simply be copied, and
// the names and filters of the save dialogs.
#pragma once

#include <string>
#include <string_view>

namespace zk {

enum class SaveKind { kBitmap = 0, kJpeg = 1, kPng = 2 };

// The save dialog's filter; its entries are in SaveKind order.
inline constexpr char16_t kSavePictureFilter[] = u"Bmp|*.bmp|Jpeg|*.Jpg;*.Jpeg|Png|*.png";
inline constexpr char16_t kSavePictureTitle[] = u"画像に名前を付けて保存";

struct SavePlan {
  SaveKind kind = SaveKind::kBitmap;
  // The extension the source's is compared with: the chosen one, or the
  // chosen filter's when the name has none the program writes.
  std::u16string extension;
  // Set when the source's extension equals `extension`: the source is copied
  // unchanged to this name (the chosen name with the source's extension).
  std::u16string copy_to;
};

// chosen: the name the dialog returned; filter_index: its 1-based filter.
SavePlan PlanPictureSave(std::u16string_view source, std::u16string_view chosen, int filter_index);

// The name a converted picture is written to: the kind's extension appended
// when the name has none.
std::u16string ConvertedSaveName(std::u16string_view chosen, SaveKind kind);

// The same-format save of an archive member: its dialog's title and filter.
std::u16string MemberSaveTitle(std::u16string_view member);
std::u16string MemberSaveFilter(std::u16string_view member);

}  // namespace zk
