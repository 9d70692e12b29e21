#include "archive/builtin_archive.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace zk {
namespace {

constexpr size_t kBlock = 64 * 1024;
constexpr char16_t kUnknownFormat[] = u"書庫の形式を判別できません";
// Without a read limit, a member still stops here: a hostile header may claim
// holes or sizes no preview needs.
constexpr int64_t kLargestMember = int64_t{4} << 30;

// libarchive reading from a ByteSource, with seeking, so that ZIP and 7z find
// their central directories without reading the whole file.
struct SourceClient {
  ByteSource& source;
  int64_t at = 0;
  std::string block = std::string(kBlock, '\0');
};

la_ssize_t ReadCallback(archive*, void* data, const void** buffer) {
  auto* c = static_cast<SourceClient*>(data);
  const size_t n = c->source.ReadAt(c->at, c->block.data(), c->block.size());
  c->at += static_cast<int64_t>(n);
  *buffer = c->block.data();
  return static_cast<la_ssize_t>(n);
}

la_int64_t SeekCallback(archive*, void* data, la_int64_t offset, int whence) {
  auto* c = static_cast<SourceClient*>(data);
  const int64_t size = c->source.Size();
  int64_t to = offset;
  if (whence == SEEK_CUR) to = c->at + offset;
  if (whence == SEEK_END) to = size + offset;
  if (to < 0) return ARCHIVE_FATAL;
  c->at = to;
  return to;
}

la_int64_t SkipCallback(archive*, void* data, la_int64_t request) {
  auto* c = static_cast<SourceClient*>(data);
  const int64_t size = c->source.Size();
  const int64_t skip = request < size - c->at ? request : (size > c->at ? size - c->at : 0);
  c->at += skip;
  return skip;
}

bool IsRegularFile(archive_entry* entry) { return archive_entry_filetype(entry) == AE_IFREG; }

// A header that could not be read: ARCHIVE_WARN still gives a usable entry.
bool HeaderRead(int r) { return r == ARCHIVE_OK || r == ARCHIVE_WARN; }

struct ReaderFree {
  void operator()(archive* a) const { archive_read_free(a); }
};
using Reader = std::unique_ptr<archive, ReaderFree>;

// Only formats with a recognisable signature: every file with ArcView on is
// offered here, and a text must never pass for an archive.
Reader OpenReader(SourceClient& client, const std::string& charset) {
  Reader a(archive_read_new());
  if (!a) return nullptr;
  // The compressions linked in; never the ones libarchive runs outside
  // programs for (lrzip, lzop, grzip), which a file's first bytes must not start.
  for (auto filter : {archive_read_support_filter_gzip, archive_read_support_filter_bzip2,
                      archive_read_support_filter_xz, archive_read_support_filter_lzma,
                      archive_read_support_filter_lzip, archive_read_support_filter_compress,
                      archive_read_support_filter_zstd, archive_read_support_filter_lz4})
    filter(a.get());
  archive_read_support_format_zip(a.get());
  archive_read_support_format_7zip(a.get());
  archive_read_support_format_rar(a.get());
  archive_read_support_format_rar5(a.get());
  archive_read_support_format_lha(a.get());
  archive_read_support_format_cab(a.get());
  archive_read_support_format_tar(a.get());
  archive_read_support_format_gnutar(a.get());
  archive_read_support_format_iso9660(a.get());
  archive_read_support_format_cpio(a.get());
  // How names without a character set of their own are read; formats that
  // do not know the option ignore it.
  archive_read_set_options(a.get(), ("hdrcharset=" + charset).c_str());
  archive_read_set_callback_data(a.get(), &client);
  archive_read_set_read_callback(a.get(), ReadCallback);
  archive_read_set_seek_callback(a.get(), SeekCallback);
  archive_read_set_skip_callback(a.get(), SkipCallback);
  if (archive_read_open1(a.get()) != ARCHIVE_OK) return nullptr;
  return a;
}

std::u16string ErrorText(archive* a) {
  const char* text = archive_error_string(a);
  return text && *text ? Utf8ToUtf16(text) : std::u16string(u"書庫を読めません");
}

// Well-formed UTF-8 with at least one character beyond ASCII.
bool IsMultibyteUtf8(std::string_view bytes) {
  bool multibyte = false;
  for (size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    size_t extra = 0;
    if (b >= 0xC2 && b <= 0xDF) extra = 1;
    else if (b >= 0xE0 && b <= 0xEF) extra = 2;
    else if (b >= 0xF0 && b <= 0xF4) extra = 3;
    else if (b >= 0x80) return false;
    if (bytes.size() - i <= extra) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    multibyte |= extra > 0;
    i += extra + 1;
  }
  return multibyte;
}

std::u16string Slashes(std::u16string name) {
  for (char16_t& c : name)
    if (c == u'/') c = u'\\';
  return name;
}

// The stored bytes of names without a character set come through unchanged
// as the characters U+0000..U+00FF; names stored as Unicode come as they are.
#if defined(_WIN32)
const std::string kBytesCharset = "CP28591";
#else
const std::string kBytesCharset = "ISO-8859-1";
#endif

std::string AnsiCharset(unsigned code_page) { return "CP" + std::to_string(code_page); }

// The entry's name as libarchive decoded it, in UTF-16.
std::u16string DecodedName(archive_entry* entry) {
#if defined(_WIN32)
  if (const wchar_t* w = archive_entry_pathname_w(entry)) return std::u16string(reinterpret_cast<const char16_t*>(w));
#else
  if (const char* utf8 = archive_entry_pathname_utf8(entry)) return Utf8ToUtf16(utf8);
#endif
  const char* raw = archive_entry_pathname(entry);
  std::u16string name;
  for (const char* p = raw ? raw : ""; *p; ++p) name += static_cast<char16_t>(static_cast<unsigned char>(*p));
  return name;
}

// The names of every entry, in order, as a reader with `charset` decodes them.
std::vector<std::u16string> AllNames(ByteSource& source, const std::string& charset) {
  std::vector<std::u16string> names;
  SourceClient client{source};
  Reader a = OpenReader(client, charset);
  archive_entry* entry = nullptr;
  while (a && HeaderRead(archive_read_next_header(a.get(), &entry))) names.push_back(DecodedName(entry));
  return names;
}

}  // namespace

StoredName DecodeStoredName(std::u16string_view name, const AnsiCodec& ansi) {
  StoredName out;
  std::string bytes;
  bool high = false;
  for (char16_t c : name) {
    if (c > 0xFF) {
      out.name = name;  // stored as Unicode
      return out;
    }
    high |= c >= 0x80;
    bytes += static_cast<char>(c);
  }
  if (!high) {
    out.name = name;
  } else if (IsMultibyteUtf8(bytes)) {
    out.name = Utf8ToUtf16(bytes);  // as archivers on Unix-like systems write names
  } else {
    out.name = ansi.Decode(bytes);
    out.ambiguous = true;
  }
  return out;
}

bool SameMemberName(std::u16string_view a, std::u16string_view b) {
  return EqualsIgnoreCase(Slashes(std::u16string(a)), Slashes(std::u16string(b)));
}

BuiltinArchiveReader::BuiltinArchiveReader(ByteSource& source, const AnsiCodec& ansi, unsigned ansi_code_page)
    : source_(source), ansi_(ansi), code_page_(ansi_code_page) {}

bool BuiltinArchiveReader::Recognised() {
  SourceClient client{source_};
  Reader a = OpenReader(client, kBytesCharset);
  if (!a) return false;
  archive_entry* entry = nullptr;
  return HeaderRead(archive_read_next_header(a.get(), &entry));
}

BuiltinListing BuiltinArchiveReader::List() {
  BuiltinListing listing;
  SourceClient client{source_};
  Reader a = OpenReader(client, kBytesCharset);
  if (!a) {
    listing.error = kUnknownFormat;
    return listing;
  }
  // Names that may be stored bytes in the ANSI code page or Unicode names of
  // Latin letters, by their index among all entries.
  struct Ambiguous {
    size_t entry, member;
    std::u16string decoded;
  };
  std::vector<Ambiguous> ambiguous;
  for (size_t index = 0;; ++index) {
    archive_entry* entry = nullptr;
    const int r = archive_read_next_header(a.get(), &entry);
    if (r == ARCHIVE_EOF) break;
    if (!HeaderRead(r)) {
      listing.error = ErrorText(a.get());
      break;
    }
    if (!IsRegularFile(entry)) continue;
    const std::u16string decoded = DecodedName(entry);
    const StoredName stored = DecodeStoredName(decoded, ansi_);
    BuiltinMember m;
    m.name = Slashes(stored.name);
    m.size = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
    m.has_time = archive_entry_mtime_is_set(entry) != 0;
    m.mtime = m.has_time ? archive_entry_mtime(entry) : 0;
    m.encrypted = archive_entry_is_encrypted(entry) != 0;
    if (stored.ambiguous) ambiguous.push_back({index, listing.members.size(), decoded});
    listing.members.push_back(std::move(m));
  }
  // Read once more in the ANSI code page: a name that stays the same there
  // was stored as Unicode, and is kept as it came.
  if (!ambiguous.empty()) {
    const std::vector<std::u16string> ansi_names = AllNames(source_, AnsiCharset(code_page_));
    for (const Ambiguous& x : ambiguous)
      if (x.entry < ansi_names.size() && ansi_names[x.entry] == x.decoded) listing.members[x.member].name = Slashes(x.decoded);
  }
  return listing;
}

BuiltinExtraction BuiltinArchiveReader::Extract(std::u16string_view name, int64_t limit, const BuiltinSink& sink) {
  BuiltinExtraction result;
  SourceClient client{source_};
  Reader a = OpenReader(client, kBytesCharset);
  if (!a) {
    result.error = kUnknownFormat;
    return result;
  }
  if (limit <= 0 || limit > kLargestMember) limit = kLargestMember;
  archive_entry* entry = nullptr;
  for (;;) {
    const int r = archive_read_next_header(a.get(), &entry);
    if (r == ARCHIVE_EOF) {
      result.error = kBuiltinNoMember;
      return result;
    }
    if (!HeaderRead(r)) {
      result.error = ErrorText(a.get());
      return result;
    }
    if (!IsRegularFile(entry)) continue;
    // Either reading of a name that may be either, as List chose one of them.
    const std::u16string decoded = DecodedName(entry);
    const StoredName stored = DecodeStoredName(decoded, ansi_);
    if (SameMemberName(stored.name, name) || (stored.ambiguous && SameMemberName(decoded, name))) break;
  }
  // libarchive would only fail later for want of a passphrase; no one is asked.
  if (archive_entry_is_encrypted(entry)) {
    result.error = kBuiltinEncrypted;
    return result;
  }
  const void* block = nullptr;
  size_t size = 0;
  la_int64_t offset = 0;
  for (;;) {
    const int r = archive_read_data_block(a.get(), &block, &size, &offset);
    if (r == ARCHIVE_EOF) break;
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
      result.error = ErrorText(a.get());
      return result;
    }
    // Sparse members leave holes; their bytes are zeros, written as they come.
    if (offset > result.written) {
      static const std::string zeros(kBlock, '\0');
      while (result.written < offset) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(offset - result.written, kBlock));
        if (result.written + static_cast<int64_t>(n) > limit) {
          result.error = kBuiltinOverLimit;
          return result;
        }
        if (!sink(zeros.data(), n)) {
          result.error = kBuiltinNotWritten;
          return result;
        }
        result.written += static_cast<int64_t>(n);
      }
    }
    if (result.written + static_cast<int64_t>(size) > limit) {
      result.error = kBuiltinOverLimit;
      return result;
    }
    if (size > 0 && !sink(block, size)) {
      result.error = kBuiltinNotWritten;
      return result;
    }
    result.written += static_cast<int64_t>(size);
  }
  result.ok = true;
  return result;
}

std::u16string BuiltinArchiveReader::Version() {
  const char* details = archive_version_details();
  return details ? Utf8ToUtf16(details) : Utf8ToUtf16(archive_version_string());
}

}  // namespace zk
