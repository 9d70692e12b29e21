#include "text/mp3_tags.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/latin1_codec.h"
#include "base/text.h"

namespace zk {
namespace {

using namespace std::string_literals;

std::string Be(uint32_t v, int bytes) {
  std::string s;
  for (int i = bytes - 1; i >= 0; --i) s += char((v >> (8 * i)) & 0xFF);
  return s;
}
std::string Syncsafe(uint32_t v) {
  return {char((v >> 21) & 0x7F), char((v >> 14) & 0x7F), char((v >> 7) & 0x7F), char(v & 0x7F)};
}

// A version 2 tag: the 10-byte header and the tag data.
std::string Tag(int major, uint8_t flags, const std::string& data) {
  return "ID3"s + char(major) + '\0' + char(flags) + Syncsafe(uint32_t(data.size())) + data;
}
std::string Frame22(const std::string& id, const std::string& data) { return id + Be(uint32_t(data.size()), 3) + data; }
std::string Frame23(const std::string& id, const std::string& data, uint8_t format = 0) {
  return id + Be(uint32_t(data.size()), 4) + '\0' + char(format) + data;
}
std::string Frame24(const std::string& id, const std::string& data, uint8_t format = 0) {
  return id + Syncsafe(uint32_t(data.size())) + '\0' + char(format) + data;
}
// A text frame's data: encoding byte, then the text.
std::string Text(int encoding, const std::string& bytes) { return char(encoding) + bytes; }
std::string Latin(const std::string& s) { return Text(0, s); }

std::string Field(const std::string& s, size_t width) { return (s + std::string(width, '\0')).substr(0, width); }
std::string V1(const std::string& title, const std::string& artist, const std::string& album, const std::string& year,
               const std::string& comment, uint8_t genre) {
  return "TAG" + Field(title, 30) + Field(artist, 30) + Field(album, 30) + Field(year, 4) + Field(comment, 30) +
         char(genre);
}

const std::string kAudio(400, '\x55');

struct Read {
  explicit Read(const std::string& bytes, std::u16string name = u"C:\\Music\\song.mp3") : source(bytes) {
    tag.emplace(std::move(name), source, codec, [this] { ++frames; });
  }
  const TMyTagID3& operator*() const { return *tag; }
  const TMyTagID3* operator->() const { return &*tag; }
  test::Latin1Codec codec;
  MemoryByteSource source;
  int frames = 0;
  std::optional<TMyTagID3> tag;
};

std::string U8(const std::u16string& s) { return Utf16ToUtf8(s); }

TEST(Mp3TagsTest, Version23FramesMakeTheSixLines) {
  Read r(Tag(3, 0,
             Frame23("TIT2", Latin("Song")) + Frame23("TPE1", Latin("Band")) + Frame23("TALB", Latin("Disc")) +
                 Frame23("TCON", Latin("(17)")) + Frame23("TYER", Latin("1999")) + std::string(64, '\0')) +
         kAudio);
  EXPECT_EQ(r->Kind(), Id3TagKind::kVersion2);
  EXPECT_EQ(r->MajorVersion(), 3);
  EXPECT_EQ(r.frames, 5);  // the padding ends the walk
  EXPECT_EQ(Mp3TagSummary(*r),
            u"FileName\t:song.mp3\r\nTitle\t\t:Song\r\nAuthor\t\t:Band\r\nAlbum\t\t:Disc\r\nGenre\t\t:(17)\r\n"
            u"Year\t\t:1999");
}

TEST(Mp3TagsTest, Version22UsesThreeCharacterIdsAndSixByteHeaders) {
  Read r(Tag(2, 0,
             Frame22("COM", "\0eng\0comment"s) + Frame22("TT2", Latin("Old")) + Frame22("TP1", Latin("Artist")) +
                 Frame22("TAL", Latin("Album")) + Frame22("TCN", Latin("Rock")) + Frame22("TYE", Latin("1997")) +
                 Frame22("TIT", Latin("not a v2.2 id"))) +
         kAudio);
  EXPECT_EQ(r->Title(), u"Old");
  EXPECT_EQ(r->Author(), u"Artist");
  EXPECT_EQ(r->Album(), u"Album");
  EXPECT_EQ(r->Genre(), u"Rock");
  EXPECT_EQ(r->Year(), u"1997");
}

TEST(Mp3TagsTest, FrameSizesAreSyncsafeIn24AndPlainIn23) {
  // A 200-byte frame ahead of the title: 0xC8 plainly, 01 48 syncsafe.
  std::string big = "\0eng\0"s + std::string(195, 'c');
  Read v24(Tag(4, 0, Frame24("COMM", big) + Frame24("TIT2", Latin("Four"))) + kAudio);
  EXPECT_EQ(v24->Title(), u"Four");
  Read v23(Tag(3, 0, Frame23("COMM", big) + Frame23("TIT2", Latin("Three"))) + kAudio);
  EXPECT_EQ(v23->Title(), u"Three");
  // Versions above 4 are read like 4.
  Read v25(Tag(5, 0, Frame24("COMM", big) + Frame24("TIT2", Latin("Five"))) + kAudio);
  EXPECT_EQ(v25->Title(), u"Five");
}

TEST(Mp3TagsTest, Version24YearFrameIsNotRead) {
  Read r(Tag(4, 0, Frame24("TIT2", Latin("T")) + Frame24("TDRC", Latin("2004"))) + kAudio);
  EXPECT_EQ(r->Title(), u"T");
  EXPECT_EQ(r->Year(), u"");
}

TEST(Mp3TagsTest, MajorVersions0And1GiveNoFrames) {
  for (int major : {0, 1}) {
    Read r(Tag(major, 0, Frame23("TIT2", Latin("x"))) + kAudio + V1("v1", "", "", "", "", 1));
    EXPECT_EQ(r->Kind(), Id3TagKind::kVersion2);
    EXPECT_EQ(r->Title(), u"");
  }
}

TEST(Mp3TagsTest, TheFourTextEncodings) {
  struct Case {
    std::string data;
    std::u16string expected;
  } cases[] = {
      {Text(0, "Caf\xE9"), u"Café"},                                      // single-byte, through the ANSI codec
      {Text(1, "\xFF\xFE\x53\x00\x6F\x00\x00\x00"s), u"So"},             // UTF-16 with a little-endian mark
      {Text(1, "\xFE\xFF\x00\x53\x00\x6F"s), u"So"},                     // UTF-16 with a big-endian mark
      {Text(1, "\x53\x00\x6F\x00"s), u"So"},                             // no mark: little-endian
      {Text(2, "\x30\x42\x30\x44"s), u"あい"},                           // UTF-16BE
      {Text(2, "\xFF\xFE\x42\x30"s), u"あ"},                              // a mark overrides the encoding byte
      {Text(1, "\xEF\xBB\xBF\xE3\x81\x82"s), u"あ"},                     // UTF-8 behind its mark
      {Text(3, "\xE3\x81\x82\x43"s), u"あC"},                            // UTF-8
      {Text(3, "\xEF\xBB\xBFx"s), u"\uFEFFx"},                           // no mark test for UTF-8
      {Text(4, "abc"), u""},                                              // unknown encoding
      {Text(1, "\xFF\xFE\x53\x00\x6F"s), u"S"},                          // an odd last byte is no character
      {"", u""},                                                          // not even the encoding byte
  };
  for (const Case& c : cases) {
    Read r(Tag(3, 0, Frame23("TALB", c.data) + Frame23("TPE1", Latin("next"))) + kAudio);
    EXPECT_EQ(U8(r->Album()), U8(c.expected)) << testing::PrintToString(c.data);
    EXPECT_EQ(r->Author(), u"next");
  }
}

TEST(Mp3TagsTest, TextsEndAtTheirFirstNul) {
  Read r(Tag(4, 0,
             Frame24("TIT2", Text(0, "One\0Two"s)) + Frame24("TPE1", Text(1, "\xFF\xFEO\0n\0\0\0T\0"s)) +
                 Frame24("TALB", Text(2, "\0A\0\0\0B"s)) + Frame24("TCON", Text(3, "Pop\0Rock"s))) +
         kAudio);
  EXPECT_EQ(r->Title(), u"One");
  EXPECT_EQ(r->Author(), u"On");
  EXPECT_EQ(r->Album(), u"A");
  EXPECT_EQ(r->Genre(), u"Pop");
}

TEST(Mp3TagsTest, UnsynchronisedVersion23TagIsRestoredBeforeTheWalk) {
  // Sizes count the restored bytes; FF 00 E0 reads as FF E0.
  std::string stored = "TIT2"s + Be(5, 4) + "\0\0"s + "\0a\xFF\x00\xE0" "b"s +  //
                       "TPE1"s + Be(2, 4) + "\0\0"s + "\0\xFF\x00"s + Frame23("TALB", Latin("c"));
  Read r(Tag(3, 0x80, stored) + kAudio);
  EXPECT_EQ(U8(r->Title()), U8(u"aÿàb"));
  EXPECT_EQ(U8(r->Author()), U8(u"ÿ"));
  EXPECT_EQ(r->Album(), u"c");
  // Without the flag the bytes stay as they are.
  Read plain(Tag(3, 0, Frame23("TIT2", Latin("\xFF\x00\xE0"s))) + kAudio);
  EXPECT_EQ(U8(plain->Title()), U8(u"ÿ"));
}

TEST(Mp3TagsTest, Version24FramesAreRestoredOneByOne) {
  // Sizes count the stored bytes, both for the frame flag and for the header flag.
  std::string title = Frame24("TIT2", Latin("a\xFF\x00\xE0" "b"s), 0x02);
  Read by_frame(Tag(4, 0, title + Frame24("TPE1", Latin("next"))) + kAudio);
  EXPECT_EQ(U8(by_frame->Title()), U8(u"aÿàb"));
  EXPECT_EQ(by_frame->Author(), u"next");

  Read by_header(Tag(4, 0x80, Frame24("TIT2", Latin("a\xFF\x00\xE0" "b"s)) + Frame24("TPE1", Latin("next"))) +
                 kAudio);
  EXPECT_EQ(U8(by_header->Title()), U8(u"aÿàb"));
  EXPECT_EQ(by_header->Author(), u"next");

  // Data-length indicator after restoring: the four extra bytes are not text.
  Read with_length(Tag(4, 0, Frame24("TIT2", "\0\0\0\x05"s + Latin("x\xFF\x00\xE0y"s), 0x03)) + kAudio);
  EXPECT_EQ(U8(with_length->Title()), U8(u"xÿày"));
}

TEST(Mp3TagsTest, ExtendedHeaderIsSkipped) {
  // 2.3: a size of 6 not counting itself, two flag bytes, the padding size.
  std::string ext23 = Be(6, 4) + "\0\0"s + Be(0, 4);
  Read v23(Tag(3, 0x40, ext23 + Frame23("TIT2", Latin("Three"))) + kAudio);
  EXPECT_TRUE(v23->HasExtendedHeader());
  EXPECT_EQ(v23->Title(), u"Three");
  // 2.4: the size counts itself.
  std::string ext24 = Be(6, 4) + "\x01\0"s;
  Read v24(Tag(4, 0x40, ext24 + Frame24("TIT2", Latin("Four"))) + kAudio);
  EXPECT_EQ(v24->Title(), u"Four");
  // A version above 4 has no extended header to skip.
  Read v25(Tag(5, 0x40, ext24 + Frame24("TIT2", Latin("Five"))) + kAudio);
  EXPECT_EQ(v25->Title(), u"");
  // Nor has 2.2, where that flag means something else.
  Read v22(Tag(2, 0x40, Frame22("TT2", Latin("Two"))) + kAudio);
  EXPECT_EQ(v22->Title(), u"Two");
}

TEST(Mp3TagsTest, Version23PaddingSizeShortensTheTag) {
  std::string album = Frame23("TALB", Latin("inside the padding"));
  std::string ext = Be(6, 4) + "\0\0"s + Be(uint32_t(album.size()), 4);
  Read r(Tag(3, 0x40, ext + Frame23("TIT2", Latin("kept")) + album) + kAudio);
  EXPECT_EQ(r->Title(), u"kept");
  EXPECT_EQ(r->Album(), u"");
}

TEST(Mp3TagsTest, FlagBytesAfterTheFrameHeaderAreNotText) {
  // 2.3: grouping adds one byte; an encrypted frame is passed over whole.
  Read v23(Tag(3, 0,
               Frame23("TIT2", "\x07"s + Latin("grouped"), 0x20) + Frame23("TPE1", "\x01"s + Latin("secret"), 0x40) +
                   Frame23("TALB", Latin("after"))) +
           kAudio);
  EXPECT_EQ(v23->Title(), u"grouped");
  EXPECT_EQ(v23->Author(), u"");
  EXPECT_EQ(v23->Album(), u"after");
  // 2.4: grouping one byte, then the data-length indicator four.
  Read v24(Tag(4, 0,
               Frame24("TIT2", "\x07\0\0\0\x08"s + Latin("grouped"), 0x41) +
                   Frame24("TPE1", "\x01"s + Latin("secret"), 0x04) + Frame24("TALB", Latin("after"))) +
           kAudio);
  EXPECT_EQ(v24->Title(), u"grouped");
  EXPECT_EQ(v24->Author(), u"");
  EXPECT_EQ(v24->Album(), u"after");
}

TEST(Mp3TagsTest, CompressedFramesGiveNoText) {
  std::string deflated = "\0\0\0\x05"s + "\x78\x9c\x63\x60\x60\x00\x00";
  Read v23(Tag(3, 0, Frame23("TIT2", deflated, 0x80) + Frame23("TPE1", Latin("after"))) + kAudio);
  EXPECT_EQ(v23->Title(), u"");
  EXPECT_EQ(v23->Author(), u"after");
}

TEST(Mp3TagsTest, LaterFrameReplacesEarlierAndEmptyFramesAreStepped) {
  Read r(Tag(3, 0,
             Frame23("TIT2", Latin("first")) + Frame23("TXXX", "") + Frame23("TIT2", Latin("second")) +
                 Frame23("TIT2", "") + Frame23("TPE1", Latin("a")) + Frame23("TPE1", Text(1, ""))) +
         kAudio);
  EXPECT_EQ(r->Title(), u"second");  // a frame of size 0 carries no text
  EXPECT_EQ(r->Author(), u"");
  EXPECT_EQ(r.frames, 6);
}

TEST(Mp3TagsTest, Version1FieldsAndGenreNumber) {
  Read r(kAudio + V1("Abcd", "Artist", "Album", "2001", "comment", 17));
  EXPECT_EQ(r->Kind(), Id3TagKind::kVersion1);
  EXPECT_EQ(Mp3TagSummary(*r),
            u"FileName\t:song.mp3\r\nTitle\t\t:Abcd\r\nAuthor\t\t:Artist\r\nAlbum\t\t:Album\r\nGenre\t\t:17\r\n"
            u"Year\t\t:2001");
  Read spaced(kAudio + V1("Word" + std::string(26, ' '), "Caf\xE9", "", "99", "", 255));
  EXPECT_EQ(spaced->Title(), u"Word" + std::u16string(26, u' '));
  EXPECT_EQ(spaced->Author(), u"Café");
  EXPECT_EQ(spaced->Year(), u"99");
  EXPECT_EQ(spaced->Genre(), u"255");
}

TEST(Mp3TagsTest, Version11TrackByteIsNotTheGenre) {
  std::string comment = std::string(28, 'c') + '\0' + '\x09';
  Read r(kAudio + V1("T", "", "", "", comment, 0));
  EXPECT_EQ(r->Title(), u"T");
  EXPECT_EQ(r->Genre(), u"0");
  EXPECT_EQ(r->Year(), u"");
}

TEST(Mp3TagsTest, Version1NeedsMoreThan128Bytes) {
  std::string tag = V1("T", "", "", "", "", 1);
  Read exact(tag);
  EXPECT_EQ(exact->Kind(), Id3TagKind::kNone);
  Read longer("x" + tag);
  EXPECT_EQ(longer->Kind(), Id3TagKind::kVersion1);
  Read none(kAudio);
  EXPECT_EQ(none->Kind(), Id3TagKind::kNone);
  EXPECT_EQ(Mp3TagSummary(*none),
            u"FileName\t:song.mp3\r\nTitle\t\t:\r\nAuthor\t\t:\r\nAlbum\t\t:\r\nGenre\t\t:\r\nYear\t\t:");
}

TEST(Mp3TagsTest, Version2WinsOverVersion1EvenWithoutFrames) {
  Read r(Tag(3, 0, Frame23("TIT2", Latin("v2")) + std::string(20, '\0')) + kAudio + V1("v1", "x", "y", "2000", "", 3));
  EXPECT_EQ(r->Title(), u"v2");
  EXPECT_EQ(r->Author(), u"");
  EXPECT_EQ(r->Genre(), u"");
  Read empty(Tag(3, 0, std::string(20, '\0')) + kAudio + V1("v1", "", "", "", "", 3));
  EXPECT_EQ(empty->Kind(), Id3TagKind::kVersion2);
  EXPECT_EQ(empty->Title(), u"");
}

// Records what a reader asks for, to show that lying sizes allocate nothing big.
class WatchedSource : public ByteSource {
 public:
  explicit WatchedSource(std::string bytes) : inner_(bytes) {}
  int64_t Size() override { return inner_.Size(); }
  size_t ReadAt(int64_t offset, void* buf, size_t n) override {
    largest = std::max(largest, n);
    return inner_.ReadAt(offset, buf, n);
  }
  size_t largest = 0;

 private:
  MemoryByteSource inner_;
};

TEST(Mp3TagsTest, TagSizesThatLieGiveEmptyTextsAndReadNothingBig) {
  test::Latin1Codec codec;
  std::string v1 = V1("v1", "", "", "", "", 3);
  // Size 0, and sizes past the end of the file (the largest a header can say,
  // and one byte too many): empty texts, version 1 not tried.
  std::string body = Frame23("TIT2", Latin("x")) + kAudio + v1;
  for (std::string header : {"ID3\x03\0\0\0\0\0\0"s, "ID3\x03\0\0\x7F\x7F\x7F\x7F"s, "ID3\x03\0\0\xFF\xFF\xFF\xFF"s,
                             "ID3\x03\0\0"s + Syncsafe(uint32_t(body.size() + 1))}) {
    WatchedSource file(header + body);
    TMyTagID3 tag(u"a.mp3", file, codec);
    EXPECT_EQ(tag.Kind(), Id3TagKind::kVersion2);
    EXPECT_EQ(tag.Title(), u"");
    EXPECT_LE(file.largest, header.size() + body.size());
  }
  // Exactly the file: read.
  WatchedSource fits("ID3\x03\0\0"s + Syncsafe(uint32_t(body.size())) + body);
  EXPECT_EQ(TMyTagID3(u"a.mp3", fits, codec).Title(), u"x");
}

TEST(Mp3TagsTest, FrameSizesThatLieEndTheWalkSafely) {
  // A frame that claims more than the tag holds gives what is there.
  Read past(Tag(3, 0, Frame23("TPE1", Latin("a")) + "TIT2"s + Be(0x7FFFFFFF, 4) + "\0\0"s + Latin("Hi")) + kAudio);
  EXPECT_EQ(past->Author(), u"a");
  EXPECT_EQ(past->Title(), u"Hi");
  Read past24(Tag(4, 0, "TIT2"s + "\x7F\x7F\x7F\x7F\0\0"s + Latin("Hi")) + kAudio);
  EXPECT_EQ(past24->Title(), u"Hi");
  // Flag bytes longer than the frame, and flag bytes past the tag's end.
  Read tiny(Tag(4, 0, Frame24("TPE1", Latin("a")) + Frame24("TIT2", "xy", 0x41)) + kAudio);
  EXPECT_EQ(tiny->Author(), u"a");
  EXPECT_EQ(tiny->Title(), u"");
  Read at_end(Tag(4, 0, Frame24("TPE1", Latin("a")) + Frame24("TALB", "", 0x41)) + kAudio);
  EXPECT_EQ(at_end->Author(), u"a");
  EXPECT_EQ(at_end.frames, 2);
  // A frame header cut off by the end of the tag.
  Read cut(Tag(3, 0, Frame23("TIT2", Latin("t")) + "TPE1\0\0"s) + kAudio);
  EXPECT_EQ(cut->Title(), u"t");
  EXPECT_EQ(cut.frames, 1);
  // Extended headers whose sizes lie.
  Read ext_big(Tag(3, 0x40, Be(0xFFFFFFFF, 4) + "\0\0"s + Be(0, 4) + Frame23("TIT2", Latin("t"))) + kAudio);
  EXPECT_EQ(ext_big->Title(), u"");
  Read pad_big(Tag(3, 0x40, Be(6, 4) + "\0\0"s + Be(0xFFFFFFFF, 4) + Frame23("TIT2", Latin("t"))) + kAudio);
  EXPECT_EQ(pad_big->Title(), u"");
  Read ext_short(Tag(3, 0x40, "\0\0"s) + kAudio);
  EXPECT_EQ(ext_short->Title(), u"");
  Read ext_zero(Tag(4, 0x40, Be(0, 4) + "\0\0"s + Frame24("TIT2", Latin("t"))) + kAudio);
  EXPECT_EQ(ext_zero->Title(), u"");
}

TEST(Mp3TagsTest, EndlessPaddingEndsTheWalkAtOnce) {
  Read r(Tag(4, 0, Frame24("TIT2", Latin("t")) + std::string(4 << 20, '\0')) + kAudio);
  EXPECT_EQ(r->Title(), u"t");
  EXPECT_EQ(r.frames, 1);
  // Zero-sized frames still move on by their header.
  std::string zeros;
  for (int i = 0; i < 1000; ++i) zeros += Frame24("PRIV", "");
  Read z(Tag(4, 0, zeros + Frame24("TIT2", Latin("end"))) + kAudio);
  EXPECT_EQ(z->Title(), u"end");
  EXPECT_EQ(z.frames, 1001);
}

TEST(Mp3TagsTest, ShortFilesAndFileNamesWithoutFolder) {
  for (std::string bytes : {""s, "ID3"s, "ID3\x03\0\0\0\0\0"s, "TAG"s}) {
    Read r(bytes, u"plain.mp3");
    EXPECT_EQ(r->Title(), u"");
    EXPECT_TRUE(Mp3TagSummary(*r).starts_with(u"FileName\t:plain.mp3\r\nTitle\t\t:\r\n"));
  }
  Read slash(kAudio, u"D:/a/b.MP3");
  EXPECT_TRUE(Mp3TagSummary(*slash).starts_with(u"FileName\t:b.MP3\r\n"));
}

}  // namespace
}  // namespace zk
