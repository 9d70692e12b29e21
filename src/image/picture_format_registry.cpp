#include "image/picture_format_registry.h"

#include "base/text.h"

namespace zk {
namespace {

std::u16string NormalExtension(std::u16string_view extension) {
  if (!extension.empty() && extension.front() == u'.') extension.remove_prefix(1);
  std::u16string folded(extension);
  for (char16_t& c : folded) c = FoldCase(c);
  return folded;
}

}  // namespace

void PictureFormatRegistry::RegisterPictureFormat(std::u16string_view extension, std::u16string description,
                                                  PictureDecoderKind kind) {
  formats_.push_back({NormalExtension(extension), std::move(description), kind});
}

std::optional<PictureDecoderKind> PictureFormatRegistry::FindPictureFormat(std::u16string_view extension) const {
  const std::u16string wanted = NormalExtension(extension);
  if (wanted.empty()) return std::nullopt;
  for (auto it = formats_.rbegin(); it != formats_.rend(); ++it)
    if (it->extension == wanted) return it->kind;
  return std::nullopt;
}

void PictureFormatRegistry::RegisterBuiltInFormats() {
  using K = PictureDecoderKind;
  RegisterPictureFormat(u"wmf", u"Windows Metafile", K::kMetafile);
  RegisterPictureFormat(u"emf", u"Windows Enhanced Metafile", K::kEnhancedMetafile);
  RegisterPictureFormat(u"ico", u"Icon", K::kIcon);
  RegisterPictureFormat(u"bmp", u"Windows Bitmap", K::kWindowsBitmap);
  RegisterPictureFormat(u"jpeg", u"JPEG Image File", K::kJpeg);
  RegisterPictureFormat(u"jpg", u"JPEG Image File", K::kJpeg);
  RegisterPictureFormat(u"gif", u"GIF Image", K::kGif);
  RegisterPictureFormat(u"png", u"Portable Network Graphics", K::kPng);
  RegisterPictureFormat(u"dib", u"Device Independent Bitmap", K::kNkDIB);
}

void PictureFormatRegistry::RegisterModernFormats() {
  RegisterPictureFormat(u"webp", u"WebP Image", PictureDecoderKind::kWebp);
  RegisterPictureFormat(u"avif", u"AVIF Image", PictureDecoderKind::kAvif);
}

PictureFormatRegistry& PictureFormats() {
  static PictureFormatRegistry* registry = [] {
    auto* r = new PictureFormatRegistry;
    r->RegisterBuiltInFormats();
    r->RegisterModernFormats();
    return r;
  }();
  return *registry;
}

std::u16string PictureExtension(std::u16string_view path) {
  const size_t name_start = path.find_last_of(u"\\/:");
  const std::u16string_view name = name_start == std::u16string_view::npos ? path : path.substr(name_start + 1);
  const size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  return std::u16string(name.substr(dot + 1));
}

}  // namespace zk
