// The archive formats the program reads itself, through libarchive, where no
// archiver DLL serves: listing the members, and taking one member out to a
// sink (a file in the work folder, or memory).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/ansi_codec.h"
#include "base/byte_source.h"

namespace zk {

struct BuiltinMember {
  std::u16string name;  // as stored, its parts separated by "\"
  int64_t size = 0;     // uncompressed, as the header claims; 0 when it does not say
  int64_t mtime = 0;    // seconds since 1970, UTC
  bool has_time = false;
  bool encrypted = false;
};

struct BuiltinListing {
  std::vector<BuiltinMember> members;  // the regular files, in archive order
  std::u16string error;                // why the listing stopped early; empty when it read to the end
};

// Receives an extracted member's bytes in pieces; false stops the extraction.
using BuiltinSink = std::function<bool(const void* data, size_t size)>;

struct BuiltinExtraction {
  bool ok = false;
  int64_t written = 0;
  std::u16string error;  // what failed, for the user
};

inline constexpr char16_t kBuiltinEncrypted[] = u"暗号化されたファイルは展開できません";
inline constexpr char16_t kBuiltinOverLimit[] = u"読み込みの上限を超えるため展開しません";
inline constexpr char16_t kBuiltinNoMember[] = u"書庫にそのファイルがありません";
inline constexpr char16_t kBuiltinNotWritten[] = u"展開先に書き込めませんでした";

class BuiltinArchiveReader {
 public:
  // Names that carry no character set of their own (ZIP without the UTF-8
  // flag, LHA, old TAR headers) are read in `ansi`'s code page, numbered
  // `ansi_code_page`.
  BuiltinArchiveReader(ByteSource& source, const AnsiCodec& ansi, unsigned ansi_code_page);

  // Whether one of the built-in formats reads the source.
  bool Recognised();
  BuiltinListing List();
  // Extracts the first regular member whose name equals `name` (any letter
  // case, "/" and "\" alike). More than `limit` bytes (0: 4 GiB) stop it
  // with kBuiltinOverLimit; an encrypted member is refused, never asked for a
  // password.
  BuiltinExtraction Extract(std::u16string_view name, int64_t limit, const BuiltinSink& sink);

  // "libarchive 3.6.2" with the versions of the compression libraries in it.
  static std::u16string Version();

 private:
  ByteSource& source_;
  const AnsiCodec& ansi_;
  unsigned code_page_;
};

// A stored name as the engine shows it. libarchive hands names stored as
// Unicode over as they are, and stored bytes as the characters U+0000..U+00FF:
// those are read as UTF-8 when they are well-formed UTF-8 beyond ASCII (as
// archivers on Unix-like systems write them, with no flag), else in the ANSI
// code page. ambiguous: the characters may also have been a Unicode name of
// Latin letters; a second reading tells.
struct StoredName {
  std::u16string name;
  bool ambiguous = false;
};
StoredName DecodeStoredName(std::u16string_view name, const AnsiCodec& ansi);

// Member names compared as the archivers compare them: letter case and the
// kind of slash do not count.
bool SameMemberName(std::u16string_view a, std::u16string_view b);

}  // namespace zk
