// The ID3 tag of an MP3 file: a version 2 tag (major versions 2, 3 and 4) at
// the start of the file, or else a version 1 tag in its last 128 bytes, and
// the short summary the viewer shows for it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/ansi_codec.h"
#include "base/byte_source.h"

namespace zk {

enum class Id3TagKind { kNone, kVersion1, kVersion2 };

class TMyTagID3 {
 public:
  // Reads the tag at once. Single-byte texts (version 1 fields and version 2
  // encoding 0) are decoded with ansi. between_frames, when given, runs after
  // every frame of a version 2 tag so that the window can handle pending
  // messages during a long walk.
  TMyTagID3(std::u16string file_name, ByteSource& file, const AnsiCodec& ansi,
            std::function<void()> between_frames = {});

  const std::u16string& FileName() const { return file_name_; }
  Id3TagKind Kind() const { return kind_; }

  // Version 2 header fields (0 for other kinds). TagSize is the size the
  // header announces.
  int MajorVersion() const { return major_; }
  int Revision() const { return revision_; }
  uint8_t HeaderFlags() const { return header_flags_; }
  bool Unsynchronised() const { return (header_flags_ & 0x80) != 0; }
  bool HasExtendedHeader() const { return (major_ == 3 || major_ == 4) && (header_flags_ & 0x40) != 0; }
  uint32_t TagSize() const { return tag_size_; }

  // Empty when absent. Genres are shown as stored (a version 1 genre as its
  // decimal number); nothing maps them to names.
  const std::u16string& Title() const { return title_; }
  const std::u16string& Author() const { return author_; }
  const std::u16string& Album() const { return album_; }
  const std::u16string& Genre() const { return genre_; }
  const std::u16string& Year() const { return year_; }

 private:
  void ReadVersion2(ByteSource& file, const AnsiCodec& ansi, const std::function<void()>& between_frames);
  void WalkFrames(std::string& tag, uint64_t tag_size, uint64_t pos, const AnsiCodec& ansi,
                  const std::function<void()>& between_frames);
  void ReadVersion1(ByteSource& file, const AnsiCodec& ansi);
  std::u16string* TextFor(std::string_view frame_id);

  std::u16string file_name_;
  Id3TagKind kind_ = Id3TagKind::kNone;
  int major_ = 0;
  int revision_ = 0;
  uint8_t header_flags_ = 0;
  uint32_t tag_size_ = 0;
  std::u16string title_, author_, album_, genre_, year_;
};

// The six summary lines, joined by CR LF: the file name without its folder,
// then title, author, album, genre and year.
std::u16string Mp3TagSummary(const TMyTagID3& tag);

}  // namespace zk
