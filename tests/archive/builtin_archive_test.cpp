// The built-in archive engine over archives libarchive writes in memory:
// listing, taking a member out, and the limits that keep hostile archives
// from taking more than they may.
#include "archive/builtin_archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/latin1_codec.h"

namespace zk {
namespace {

struct Member {
  std::string name, data;
};

// An archive of `format` ("zip", "ustar", "7zip") with `options`, in memory.
std::string Write(const char* format, const std::vector<Member>& members, const char* options = nullptr,
                  const char* passphrase = nullptr) {
  archive* a = archive_write_new();
  archive_write_set_format_by_name(a, format);
  if (options) archive_write_set_options(a, options);
  if (passphrase) archive_write_set_passphrase(a, passphrase);
  std::string out(1 << 20, '\0');
  size_t used = 0;
  archive_write_open_memory(a, out.data(), out.size(), &used);
  for (const Member& m : members) {
    archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, m.name.c_str());
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_size(e, static_cast<la_int64_t>(m.data.size()));
    archive_write_header(a, e);
    archive_write_data(a, m.data.data(), m.data.size());
    archive_entry_free(e);
  }
  archive_write_close(a);
  archive_write_free(a);
  out.resize(used);
  return out;
}

// The member `name` taken out under `limit`: the result and the bytes that came.
std::pair<BuiltinExtraction, std::string> Take(const std::string& archive_bytes, std::u16string_view name,
                                               int64_t limit) {
  SpanByteSource source(archive_bytes);
  test::Latin1Codec ansi;
  std::string bytes;
  BuiltinExtraction result = BuiltinArchiveReader(source, ansi, 1252).Extract(name, limit, [&](const void* p, size_t n) {
    bytes.append(static_cast<const char*>(p), n);
    return true;
  });
  return {result, bytes};
}

TEST(BuiltinArchive, StoredNamesAreReadAsUtf8WhenTheyAreElseInTheAnsiCodePage) {
  test::Latin1Codec ansi;
  const struct {
    std::u16string stored, shown;
    bool ambiguous;
  } kNames[] = {
      {u"plain.txt", u"plain.txt", false},
      {u"\u753B\u50CF.png", u"\u753B\u50CF.png", false},           // stored as Unicode
      {u"\u00E7\u0094\u00BB.png", u"\u753B.png", false},           // UTF-8 bytes with no flag
      {u"caf\u00C3\u00A9", u"caf\u00E9", false},
      {u"\u00E9t\u00E9", u"\u00E9t\u00E9", true},                   // ANSI bytes, or Latin letters
      {u"\u00E7\u0094", u"\u00E7\u0094", true},                     // cut short: no UTF-8
  };
  for (const auto& n : kNames) {
    const StoredName got = DecodeStoredName(n.stored, ansi);
    EXPECT_EQ(got.name, n.shown);
    EXPECT_EQ(got.ambiguous, n.ambiguous);
  }
}

TEST(BuiltinArchive, ListsAndTakesOutMembersOfEachWrittenFormat) {
  const std::string big(100000, 'z');
  for (const char* format : {"zip", "ustar", "7zip"}) {
    const std::string bytes = Write(format, {{"a.txt", "hello"}, {"dir/b.bin", big}});
    SpanByteSource source(bytes);
    test::Latin1Codec ansi;
    const BuiltinListing listing = BuiltinArchiveReader(source, ansi, 1252).List();
    EXPECT_EQ(listing.error, u"") << format;
    ASSERT_EQ(listing.members.size(), 2u) << format;
    EXPECT_EQ(listing.members[1].name, u"dir\\b.bin");
    EXPECT_EQ(listing.members[1].size, 100000);
    const auto [result, got] = Take(bytes, u"DIR\\B.BIN", 0);
    EXPECT_TRUE(result.ok) << format;
    EXPECT_EQ(got, big) << format;
  }
}

TEST(BuiltinArchive, HostileAndBrokenArchivesStopWithAReason) {
  // More than the limit is never taken; an encrypted member is refused, no password asked for.
  const std::string zip = Write("zip", {{"bomb.bin", std::string(300000, 'x')}});
  const std::string locked = Write("zip", {{"secret.txt", "psst"}}, "zip:encryption=zipcrypt", "pw");
  const struct {
    const std::string& archive;
    const char16_t* name;
    const char16_t* error;
  } kRefusals[] = {{zip, u"bomb.bin", kBuiltinOverLimit}, {zip, u"gone.txt", kBuiltinNoMember},
                   {locked, u"secret.txt", kBuiltinEncrypted}};
  for (const auto& r : kRefusals) {
    const auto [result, got] = Take(r.archive, r.name, 200000);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, r.error);
    EXPECT_LE(got.size(), 200000u);
  }

  // Cut short: what was read before the damage is listed, and the damage said.
  const std::string data(2000, 'd');
  const std::string tar = Write("ustar", {{"a", data}, {"b", data}, {"c", data}}).substr(0, 2 * (512 + 2048) + 100);
  SpanByteSource source(tar);
  test::Latin1Codec ansi;
  const BuiltinListing listing = BuiltinArchiveReader(source, ansi, 1252).List();
  EXPECT_EQ(listing.members.size(), 2u);
  EXPECT_NE(listing.error, u"");
}

}  // namespace
}  // namespace zk
