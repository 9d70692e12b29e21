#include "text/mp3_tags.h"

#include <algorithm>
#include <array>

#include "base/paths.h"
#include "base/text.h"

namespace zk {

namespace {

constexpr size_t kHeaderSize = 10;
constexpr int64_t kVersion1Size = 128;

uint8_t Byte(std::string_view s, size_t i) { return static_cast<uint8_t>(s[i]); }

uint32_t BigEndian(const uint8_t* p, int count) {
  uint32_t v = 0;
  for (int i = 0; i < count; ++i) v = (v << 8) | p[i];
  return v;
}

// Sizes in version 2 headers (and in 2.4 frame headers) keep bit 7 of every
// byte clear, so that no 0xFF byte can turn up inside them.
uint32_t Syncsafe(const uint8_t* p) {
  return (uint32_t(p[0] & 0x7F) << 21) | (uint32_t(p[1] & 0x7F) << 14) | (uint32_t(p[2] & 0x7F) << 7) |
         uint32_t(p[3] & 0x7F);
}

// Undoes unsynchronisation in place: every 0x00 that directly follows a 0xFF
// goes. Returns the shortened length.
size_t Deunsynchronise(char* data, size_t size) {
  size_t out = 0;
  bool after_ff = false;
  for (size_t i = 0; i < size; ++i) {
    uint8_t c = static_cast<uint8_t>(data[i]);
    if (!(after_ff && c == 0x00)) data[out++] = data[i];
    after_ff = c == 0xFF;
  }
  return out;
}

std::string_view UpToNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

std::u16string Utf16UpToNul(std::string_view bytes, bool big_endian) {
  std::u16string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint8_t a = Byte(bytes, i), b = Byte(bytes, i + 1);
    char16_t c = big_endian ? char16_t((a << 8) | b) : char16_t((b << 8) | a);
    if (c == 0) break;
    out += c;
  }
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// A text frame's data: one encoding byte, then the text.
std::u16string DecodeTextFrame(std::string_view data, const AnsiCodec& ansi) {
  if (data.empty()) return {};
  uint8_t encoding = Byte(data, 0);
  std::string_view text = data.substr(1);
  switch (encoding) {
    case 0:
      return ansi.Decode(UpToNul(text));
    case 1:
    case 2:
      if (StartsWith(text, "\xEF\xBB\xBF")) return Utf8ToUtf16(UpToNul(text.substr(3)));
      if (StartsWith(text, "\xFF\xFE")) return Utf16UpToNul(text.substr(2), false);
      if (StartsWith(text, "\xFE\xFF")) return Utf16UpToNul(text.substr(2), true);
      return Utf16UpToNul(text, encoding == 2);
    case 3:
      return Utf8ToUtf16(UpToNul(text));
    default:
      return {};
  }
}

bool IsFrameIdStart(uint8_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

}  // namespace

TMyTagID3::TMyTagID3(std::u16string file_name, ByteSource& file, const AnsiCodec& ansi,
                     std::function<void()> between_frames)
    : file_name_(std::move(file_name)) {
  std::array<uint8_t, kHeaderSize> header{};
  if (file.ReadAt(0, header.data(), header.size()) == header.size() && header[0] == 'I' && header[1] == 'D' &&
      header[2] == '3') {
    kind_ = Id3TagKind::kVersion2;
    major_ = header[3];
    revision_ = header[4];
    header_flags_ = header[5];
    tag_size_ = Syncsafe(&header[6]);
    ReadVersion2(file, ansi, between_frames);
  } else {
    ReadVersion1(file, ansi);
  }
}

void TMyTagID3::ReadVersion2(ByteSource& file, const AnsiCodec& ansi, const std::function<void()>& between_frames) {
  // Major versions 0 and 1 were never defined; their frames are not read.
  if (tag_size_ == 0 || major_ < 2) return;
  // The size cannot be trusted: read nothing the file does not hold.
  int64_t file_size = file.Size();
  if (file_size < int64_t(kHeaderSize) || uint64_t(file_size) - kHeaderSize < tag_size_) return;
  std::string tag(tag_size_, '\0');
  if (file.ReadAt(kHeaderSize, tag.data(), tag.size()) != tag.size()) return;

  uint64_t size = tag.size();
  // From 2.4 on the header flag means that every frame is unsynchronised on its
  // own, and frame sizes count the unsynchronised bytes; before that the whole
  // tag is, and frame sizes count the restored bytes.
  if (Unsynchronised() && major_ < 4) size = Deunsynchronise(tag.data(), tag.size());

  uint64_t pos = 0;
  if (HasExtendedHeader()) {
    uint32_t ext_size = size >= 4 ? BigEndian(reinterpret_cast<const uint8_t*>(tag.data()), 4) : 0;
    if (major_ == 3) {
      pos = uint64_t(ext_size) + 4;
      if (size >= 10) size -= std::min<uint64_t>(size, BigEndian(reinterpret_cast<const uint8_t*>(tag.data()) + 6, 4));
    } else {
      pos = ext_size;
    }
  }
  WalkFrames(tag, size, pos, ansi, between_frames);
}

void TMyTagID3::WalkFrames(std::string& tag, uint64_t tag_size, uint64_t pos, const AnsiCodec& ansi,
                           const std::function<void()>& between_frames) {
  const bool short_ids = major_ == 2;
  const uint64_t base_length = short_ids ? 6 : 10;
  while (pos < tag_size) {
    // Padding (zero bytes) or anything else that is no frame id ends the walk.
    if (tag_size - pos < base_length) break;
    const uint8_t* h = reinterpret_cast<const uint8_t*>(tag.data()) + pos;
    if (!IsFrameIdStart(h[0])) break;
    std::string_view id(tag.data() + pos, short_ids ? 3 : 4);

    uint64_t size;
    uint8_t format = 0;
    if (short_ids) {
      size = BigEndian(h + 3, 3);
    } else {
      size = major_ == 3 ? BigEndian(h + 4, 4) : Syncsafe(h + 4);
      format = h[9];
    }

    const uint64_t body = pos + base_length;
    uint64_t stored = std::min(size, tag_size - body);
    uint64_t data_size = size;
    if (major_ >= 4 && ((format & 0x02) || Unsynchronised()))
      data_size = Deunsynchronise(tag.data() + body, stored);

    uint64_t extra = 0;
    bool encrypted = false, compressed = false;
    if (major_ == 3) {
      compressed = format & 0x80;
      encrypted = format & 0x40;
      extra = (compressed ? 4 : 0) + (encrypted ? 1 : 0) + ((format & 0x20) ? 1 : 0);
    } else if (major_ >= 4) {
      compressed = format & 0x08;
      encrypted = format & 0x04;
      extra = ((format & 0x40) ? 1 : 0) + (encrypted ? 1 : 0) + ((format & 0x01) ? 4 : 0);
    }

    const uint64_t data_start = body + extra;
    data_size = data_size > extra ? data_size - extra : 0;
    data_size = std::min(data_size, data_start < tag_size ? tag_size - data_start : 0);

    // Encrypted frames are skipped whole; so are compressed ones, whose bytes
    // are no text until inflated.
    if (size > extra && !encrypted && !compressed) {
      if (std::u16string* text = TextFor(id))
        *text = data_size ? DecodeTextFrame(std::string_view(tag).substr(data_start, data_size), ansi) : u"";
    }
    pos = body + std::max(size, extra);
    if (between_frames) between_frames();
  }
}

std::u16string* TMyTagID3::TextFor(std::string_view id) {
  if (major_ == 2) {
    if (id == "TT2") return &title_;
    if (id == "TP1") return &author_;
    if (id == "TAL") return &album_;
    if (id == "TCN") return &genre_;
    if (id == "TYE") return &year_;
  } else {
    if (id == "TIT2") return &title_;
    if (id == "TPE1") return &author_;
    if (id == "TALB") return &album_;
    if (id == "TCON") return &genre_;
    if (id == "TYER") return &year_;
  }
  return nullptr;
}

void TMyTagID3::ReadVersion1(ByteSource& file, const AnsiCodec& ansi) {
  int64_t file_size = file.Size();
  if (file_size <= kVersion1Size) return;
  std::string tag(kVersion1Size, '\0');
  if (file.ReadAt(file_size - kVersion1Size, tag.data(), tag.size()) != tag.size()) return;
  if (!StartsWith(tag, "TAG")) return;
  kind_ = Id3TagKind::kVersion1;
  std::string_view t(tag);
  title_ = ansi.Decode(UpToNul(t.substr(3, 30)));
  author_ = ansi.Decode(UpToNul(t.substr(33, 30)));
  album_ = ansi.Decode(UpToNul(t.substr(63, 30)));
  year_ = ansi.Decode(UpToNul(t.substr(93, 4)));
  genre_ = IntToText(Byte(t, 127));
}

std::u16string Mp3TagSummary(const TMyTagID3& tag) {
  return u"FileName\t:" + ExtractFileName(tag.FileName()) +  //
         u"\r\nTitle\t\t:" + tag.Title() +                     //
         u"\r\nAuthor\t\t:" + tag.Author() +                   //
         u"\r\nAlbum\t\t:" + tag.Album() +                     //
         u"\r\nGenre\t\t:" + tag.Genre() +                     //
         u"\r\nYear\t\t:" + tag.Year();
}

}  // namespace zk
