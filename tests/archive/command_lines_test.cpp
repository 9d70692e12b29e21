// The command lines each driver builds, one table per driver: the option sets
// the viewer uses and the edge cases of each archiver.
#include <gtest/gtest.h>

#include <functional>

#include "app/latin1_codec.h"
#include "archive/archiver_errors.h"
#include "archive/drivers/archiver.h"
#include "archive/drivers/lha32.h"
#include "archive/drivers/self_extractor.h"
#include "archive/drivers/zip32.h"

namespace zk {
namespace {

enum class Op { kExtract, kMem, kPack, kDelete, kUpdate, kSfx };

struct Case {
  const char* what;
  std::function<void(TArchiverOptions&)> set;
  std::string expected;
  Op op = Op::kExtract;
  FileList files = {std::string("a\\b.jpg")};
  std::string folder = "C:\\tmp\\zk1.tmp\\";
  bool response_file = false;
  bool owner = false;
};

// The viewer's two option sets: a member into the work folder, a picture into memory.
void MemberView(TArchiverOptions& o) { o.x = 0, o.n = 1, o.jse = 1, o.jso = 1; }
void PictureView(TArchiverOptions& o) { o.jso = 1, o.n = 1; }

const Cp932LeadBytes kCp932;
const test::Latin1Codec kLatin1;

ArchiveCommand Build(TArchiverType type, const Case& c, const std::string& archive, ZipLibraries zip = {true, true, true}) {
  std::unique_ptr<TArchiver> driver = CreateArchiverDriver(type);
  if (c.owner) driver->RecordOwnerWindow(0x1234);
  TArchiverOptions o;
  if (c.set) c.set(o);
  CommandEnvironment env{kCp932, kLatin1, [](const std::string& name) { return "C:\\cur\\" + name; }, zip};
  ArchiveCommandInput in{archive, c.files, c.folder, c.response_file};
  switch (c.op) {
    case Op::kExtract: return driver->BuildExtractCommand(in, o, env);
    case Op::kMem: return driver->BuildExtractMemCommand(archive, "a\\b.jpg", o, env);
    case Op::kPack: return driver->BuildPackCommand(in, o, env);
    case Op::kDelete: return driver->BuildDeleteCommand(in, o, env);
    case Op::kUpdate: return driver->BuildUpdateCommand(in, o, env);
    case Op::kSfx: return driver->BuildSfxCommand(in, o, env);
  }
  return {};
}

void Check(TArchiverType type, const std::string& archive, const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Build(type, c, archive).line, c.expected) << c.what;
}

std::u16string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EArchiver& e) {
    return e.Message();
  } catch (const EArchiverAssertion& e) {
    return e.Message() + u" @" + std::u16string(e.Source().begin(), e.Source().end());
  }
  return u"(nothing raised)";
}

TEST(CommandLines, Lha) {
  Check(atLha, "C:\\arc\\x.lzh",
        {
            {"member view", MemberView,
             "x -+ -n1 -x0 -jse1 -jso1  \"C:\\arc\\x.lzh\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"picture into memory, jse unset", PictureView, " -+ -n1 -jso1  \"C:\\arc\\x.lzh\" \"a\\b.jpg\" ", Op::kMem},
            {"owner window forces n1", [](TArchiverOptions& o) { MemberView(o), o.n = 0; },
             "x -+ -n1 -x0 -jse1 -jso1  \"C:\\arc\\x.lzh\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" ", Op::kExtract,
             {std::string("a\\b.jpg")}, "C:\\tmp\\zk1.tmp\\", false, true},
            {"set but empty texts keep their switch; declaration order",
             [](TArchiverOptions& o) {
               o.jse = 1, o.jso = 1, o.a = 1, o.n = 0, o.w = "C:\\w", o.jo = "", o.job = "k", o.jx = {"*.txt", "", "*.bak"};
               o.jz = "", o.gr = "r", o.gyx = 3, o.UserOptions = "-gm", o.UserFileList = "extra";
             },
             // -w is a folder: the closing backslash is added, inside the quotes.
             "x -+ -a1 -n0 \"-wC:\\w\\\" \"-jo\" \"-jobk\" -jse1 -jso1 \"-jx*.txt\" \"-jx*.bak\" \"-jz\" \"-grr\" -gyx3"
             " -gm \"C:\\arc\\x.lzh\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" extra"},
            {"folder without delimiter; a double-byte last character ending in 0x5C",
             MemberView, "x -+ -n1 -x0 -jse1 -jso1  \"C:\\arc\\x.lzh\" \"C:\\\x95\\\\\" \"a\\b.jpg\" ", Op::kExtract,
             {std::string("a\\b.jpg")}, "C:\\\x95\\"},
            {"a UTF-16 list names nothing", MemberView,
             "x -+ -n1 -x0 -jse1 -jso1  \"C:\\arc\\x.lzh\" \"C:\\tmp\\zk1.tmp\\\" ", Op::kExtract,
             {std::u16string(u"a\\b.jpg")}},
            {"list kinds flatten in order",
             MemberView, "x -+ -n1 -x0 -jse1 -jso1  \"C:\\arc\\x.lzh\" \"C:\\tmp\\zk1.tmp\\\" \"p\" \"q\" \"r\" \"s\" ",
             Op::kExtract, {std::string("p"), std::vector<std::string>{"q", ""}, TextList{{"r", "s"}}, std::monostate{}}},
            {"delete has no destination", [](TArchiverOptions& o) { o.jso = 1; },
             "d -+ -jso1  \"C:\\arc\\x.lzh\" \"a\\b.jpg\" ", Op::kDelete},
            {"self-extractor has no names", [](TArchiverOptions& o) { o.jso = 1; },
             "s -+ -jso1  \"C:\\arc\\x.lzh\" \"C:\\tmp\\zk1.tmp\\\" ", Op::kSfx},
            {"pack", [](TArchiverOptions& o) { o.jso = 1; },
             "u -+ -jso1  \"C:\\arc\\x.lzh\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" ", Op::kPack},
            {"update", [](TArchiverOptions& o) { o.jso = 1; },
             "f -+ -jso1  \"C:\\arc\\x.lzh\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" ", Op::kUpdate},
        });
}

TEST(CommandLines, LhaRequiresJseAndJso) {
  EXPECT_EQ(MessageOf([] { Build(atLha, {"", PictureView, ""}, "x.lzh"); }),
            u"jse オプションが設定されていません。 @Lha32");
  EXPECT_EQ(MessageOf([] { Build(atLha, {"", [](TArchiverOptions& o) { o.jse = 1; }, ""}, "x.lzh"); }),
            u"jso オプションが設定されていません。 @Lha32");
  EXPECT_EQ(MessageOf([] { Build(atLha, {"", [](TArchiverOptions& o) { o.jse = 1; }, "", Op::kMem}, "x.lzh"); }),
            u"jso オプションが設定されていません。 @Lha32");
}

TEST(CommandLines, ResponseFile) {
  Case c{"", [](TArchiverOptions& o) { MemberView(o), o.ResFileName = u"C:\\r.txt"; }, "", Op::kExtract,
         {std::string("a\\b.jpg"), std::string("c.txt")}};
  c.response_file = true;
  const ArchiveCommand lha = Build(atLha, c, "x.lzh");
  EXPECT_EQ(lha.line, "x -+ -n1 -x0 -jse1 -jso1  \"x.lzh\" \"C:\\tmp\\zk1.tmp\\\" \"@C:\\r.txt\" ");
  ASSERT_TRUE(lha.response_file);
  EXPECT_EQ(lha.response_file->name, u"C:\\r.txt");
  EXPECT_EQ(lha.response_file->contents, "\"a\\b.jpg\"\r\n\"c.txt\"\r\n");
  // ZIP escapes the names in the file too.
  EXPECT_EQ(Build(atZip, c, "x.zip").response_file->contents, "\"a/b.jpg\"\r\n\"c.txt\"\r\n");
  // Not asked for, or no file name: the names go on the line.
  c.response_file = false;
  EXPECT_FALSE(Build(atLha, c, "x.lzh").response_file);
  c.response_file = true;
  c.set = MemberView;
  EXPECT_FALSE(Build(atLha, c, "x.lzh").response_file);
  // Memory extraction never uses one.
  c.op = Op::kMem;
  c.set = [](TArchiverOptions& o) { PictureView(o), o.ResFileName = u"C:\\r.txt"; };
  EXPECT_FALSE(Build(atLha, c, "x.lzh").response_file);
}

TEST(CommandLines, SevenZip) {
  Check(at7z, "C:\\arc\\x.7z",
        {
            {"member view", MemberView, "e -ms=off -hide \"-oC:\\tmp\\zk1.tmp\\\"  \"C:\\arc\\x.7z\" \"a\\b.jpg\" "},
            {"x unset keeps folders", nullptr, "x -ms=off \"-oC:\\tmp\\zk1.tmp\\\"  \"C:\\arc\\x.7z\" \"a\\b.jpg\" "},
            {"overwrite modes, m=2 first", [](TArchiverOptions& o) { o.m = 2, o.jn = 1, o.c = 1; },
             "x -aou -ms=off \"-oC:\\tmp\\zk1.tmp\\\"  \"C:\\arc\\x.7z\" \"a\\b.jpg\" "},
            {"skip", [](TArchiverOptions& o) { o.jn = 1, o.c = 1; },
             "x -aos -ms=off \"-oC:\\tmp\\zk1.tmp\\\"  \"C:\\arc\\x.7z\" \"a\\b.jpg\" "},
            {"all other switches",
             [](TArchiverOptions& o) { o.c = 1, o.r = 0, o.w = "C:\\w\\", o.y = 1, o.jx = {"*.bak"}; },
             "x -aoa -ms=off -r- \"-wC:\\w\\\" -y \"-x!*.bak\" \"-oC:\\tmp\\zk1.tmp\\\"  \"C:\\arc\\x.7z\" \"a\\b.jpg\" "},
            {"recursive", [](TArchiverOptions& o) { o.r = 2; },
             "u -ms=off -r  \"C:\\arc\\x.7z\" \"a\\b.jpg\" ", Op::kPack, {std::string("a\\b.jpg")}, ""},
            {"delete", nullptr, "d -ms=off  \"C:\\arc\\x.7z\" \"a\\b.jpg\" ", Op::kDelete, {std::string("a\\b.jpg")}, ""},
        });
}

TEST(CommandLines, Zip) {
  Check(atZip, "C:\\arc\\x.zip",
        {
            {"member view", MemberView, "-x --i -j  \"C:\\arc\\x.zip\" \"C:\\tmp\\zk1.tmp\\\" \"a/b.jpg\" "},
            {"picture into memory", PictureView, " --i  \"C:\\arc\\x.zip\" \"a/b.jpg\" ", Op::kMem},
            {"owner window, overwrite", [](TArchiverOptions& o) { o.c = 1; },
             "-x -o --i  \"C:\\arc\\x.zip\" \"C:\\tmp\\zk1.tmp\\\" \"a/b.jpg\" ", Op::kExtract,
             {std::string("a\\b.jpg")}, "C:\\tmp\\zk1.tmp\\", false, true},
            {"escaping", nullptr, "-x  \"C:\\arc\\x.zip\" \"C:\\tmp\\zk1.tmp\\\" \"[-]a/b[[]1].jpg\" \"\x8e\xca\x90\x5e/[[]1].jpg\" \"\x95\\.jpg\" \"x-y]\" ",
             Op::kExtract,
             {std::vector<std::string>{"-a\\b[1].jpg", "\x8e\xca\x90\x5e\\[1].jpg", "\x95\\.jpg", "x-y]"}}},
            {"pack through ZIP32J",
             [](TArchiverOptions& o) {
               o.a = 1, o.l = 1, o.n = 1, o.r = 1, o.u = 1, o.x = 0, o.jc = 1, o.ji = 1, o.jm = 9, o.gd = 1;
             },
             " -S -D -v -q -r -o -u -j -FF -k -9 -J  \"C:\\arc\\x.zip\" \"a/b.jpg\" ", Op::kPack,
             {std::string("a\\b.jpg")}, ""},
            {"system files: a=2 drops -D", [](TArchiverOptions& o) { o.a = 2; },
             "-d -S  \"C:\\arc\\x.zip\" \"a/b.jpg\" ", Op::kDelete, {std::string("a\\b.jpg")}, ""},
            {"update", nullptr, "-f -D  \"C:\\arc\\x.zip\" \"a/b.jpg\" ", Op::kUpdate, {std::string("a\\b.jpg")}, ""},
        });
}

TEST(CommandLines, ZipChoosesItsLibrary) {
  const Case pack{"", [](TArchiverOptions& o) { o.c = 1, o.x = 0; }, "", Op::kPack};
  EXPECT_EQ(Build(atZip, pack, "x.zip", {false, false, true}).line, "-ru -o -j  \"x.zip\" \"a\\b.jpg\" ");
  EXPECT_EQ(Build(atZip, {"", MemberView, ""}, "x.zip", {false, false, true}).line,
            "-x --i -j  \"x.zip\" \"C:\\tmp\\zk1.tmp\\\" \"a/b.jpg\" ");
  EXPECT_EQ(MessageOf([&] { Build(atZip, pack, "x.zip", {true, false, false}); }),
            u"ZIP 形式書庫の作成には ZIP32J.DLL または LMZIP32.DLL が必要です。");
  EXPECT_EQ(MessageOf([] { Build(atZip, {"", MemberView, ""}, "x.zip", {false, true, false}); }),
            u"ZIP 形式書庫の解凍には UNZIP32.DLL または LMZIP32.DLL が必要です。");
}

TEST(CommandLines, Cab) {
  Check(atCab, "x.cab",
        {
            {"member view, full path", MemberView, "-x -i -j  \"C:\\cur\\x.cab\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"picture into memory", PictureView, " -i  \"x.cab\" \"a\\b.jpg\" ", Op::kMem},
            {"x unset adds nothing", [](TArchiverOptions& o) { o.c = 1, o.r = 1, o.w = "C:\\w", o.ji = 1; },
             "-x -o -r \"-hC:\\w\\\" -q  \"C:\\cur\\x.cab\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"pack", nullptr, "-a  \"x.cab\" \"a\\b.jpg\" ", Op::kPack, {std::string("a\\b.jpg")}, ""},
            {"self-extractor", nullptr, "-f  \"x.cab\" \"C:\\out\\\" ", Op::kSfx, {}, "C:\\out"},
        });
}

TEST(CommandLines, Tar) {
  const std::vector<Case> kCommon = {
      {"member view", MemberView,
       "x --display-dialog=0 --use-directory=0  -f \"C:\\arc\\x\" -o \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
      {"picture into memory", PictureView, " --display-dialog=0  -f \"C:\\arc\\x\" \"a\\b.jpg\" ", Op::kMem},
      {"owner window shows its own progress", MemberView,
       "x --use-directory=0  -f \"C:\\arc\\x\" -o \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" ", Op::kExtract,
       {std::string("a\\b.jpg")}, "C:\\tmp\\zk1.tmp\\", false, true},
      {"attributes, paths", [](TArchiverOptions& o) { o.a = 1, o.o = 1, o.p = 1; },
       "c -AH -g --check-all-path=1  -f \"C:\\arc\\x\" \"a\\b.jpg\" ", Op::kPack, {std::string("a\\b.jpg")}, ""},
  };
  Check(atTar, "C:\\arc\\x", kCommon);
  const Case no_archive{"", [](TArchiverOptions& o) { o.a = 0; }, "x -I  -o \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "};
  EXPECT_EQ(Build(atTar, no_archive, "").line, no_archive.expected);

  const auto with_gzip = [](const std::string& line, const std::string& switch_) {
    const size_t at = line.find("  -f");
    return line.substr(0, at) + " " + switch_ + line.substr(at);
  };
  for (const Case& c : kCommon) {
    if (c.expected.find("  -f") == std::string::npos) continue;
    EXPECT_EQ(Build(atTgz, c, "C:\\arc\\x").line, with_gzip(c.expected, "-z")) << c.what;
    EXPECT_EQ(Build(atBZ2, c, "C:\\arc\\x").line, with_gzip(c.expected, "-B")) << c.what;
  }
  const Case level{"", [](TArchiverOptions& o) { o.jm = 6; }, ""};
  EXPECT_EQ(Build(atTgz, level, "x.tgz").line, "x -z6  -f \"x.tgz\" -o \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" ");
  EXPECT_EQ(Build(atBZ2, level, "x.bz2").line, "x -B6  -f \"x.bz2\" -o \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" ");
  EXPECT_EQ(MessageOf([] { Build(atBZ2, {"", nullptr, "", Op::kSfx}, "x.bz2"); }),
            u"BZ2 形式書庫は自己解凍形式にできません。");
}

TEST(CommandLines, Rar) {
  Check(atRar, "x.rar",
        {
            {"member view", MemberView, "-e -u  \"x.rar\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"x unset keeps folders", nullptr, "-x -u  \"x.rar\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"x=1", [](TArchiverOptions& o) { o.x = 1, o.c = 1, o.m = 1, o.p = 1; },
             "-x -y -s  \"x.rar\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"picture into memory", PictureView, " -u  \"x.rar\" \"a\\b.jpg\" ", Op::kMem},
        });
}

TEST(CommandLines, Bga) {
  Check(atBga, "x.gza",
        {
            {"member view", MemberView, "x -n -i -j  \"x.gza\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"x unset adds -j", nullptr, "x -n -j  \"x.gza\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"all switches", [](TArchiverOptions& o) { o.a = 1, o.c = 1, o.r = 1, o.x = 1, o.jm = 2; },
             "a -a -o -r -l2  \"x.gza\" \"a\\b.jpg\" ", Op::kPack, {std::string("a\\b.jpg")}, ""},
            {"owner window", [](TArchiverOptions& o) { o.x = 1; }, "d -n -i  \"x.gza\" \"a\\b.jpg\" ", Op::kDelete,
             {std::string("a\\b.jpg")}, "", false, true},
            {"self-extractor", [](TArchiverOptions& o) { o.x = 1; }, "s -n  \"x.gza\" ", Op::kSfx, {}, ""},
        });
}

TEST(CommandLines, Yz1) {
  Check(atYz1, "x.yz1",
        {
            {"member view", MemberView, "x -+ -i -x0  \"x.yz1\" \"C:\\tmp\\zk1.tmp\\\" \"a\\b.jpg\" "},
            {"m=0 forces c2", [](TArchiverOptions& o) { o.m = 0, o.c = 1, o.p = 3; },
             "c -+ -c2 -y2 -z3  \"x.yz1\" \"a\\b.jpg\" ", Op::kPack, {std::string("a\\b.jpg")}, ""},
            {"m=1", [](TArchiverOptions& o) { o.m = 1, o.c = 1; }, "c -+ -c1 -y1  \"x.yz1\" \"a\\b.jpg\" ", Op::kPack,
             {std::string("a\\b.jpg")}, ""},
            {"m=9", [](TArchiverOptions& o) { o.m = 9; }, "c -+ -y0  \"x.yz1\" \"a\\b.jpg\" ", Op::kPack,
             {std::string("a\\b.jpg")}, ""},
            {"other m unset", [](TArchiverOptions& o) { o.m = 5; }, "x -+ -i  \"x.yz1\" ", Op::kExtract, {}, "", false,
             true},
        });
}

TEST(CommandLines, UnsupportedOperationsRaiseTheirMessages) {
  const struct {
    TArchiverType type;
    Op op;
    std::u16string_view message;
  } kCases[] = {
      {at7z, Op::kMem, kMsgNoExtractMem},    {atYz1, Op::kMem, kMsgNoExtractMem}, {atBga, Op::kMem, kMsgNoExtractMem},
      {atRar, Op::kPack, kMsgNoPack},        {atRar, Op::kDelete, kMsgNoDelete},  {atCab, Op::kUpdate, kMsgNoUpdate},
      {at7z, Op::kSfx, kMsgNoSfx},           {atYz1, Op::kDelete, kMsgNoDelete},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(MessageOf([&] { Build(c.type, {"", nullptr, "", c.op}, "x"); }), c.message) << int(c.type);
  EXPECT_EQ(u"この形式ではメモリ展開をサポートしておりません。", kMsgNoExtractMem);
}

TEST(CommandLines, SelfExtractorsMadeWithoutTheDll) {
  EXPECT_EQ(SfxOutputName(u"C:\\a\\x.zip", u"", u".EXE"), u"C:\\a\\x.EXE");
  EXPECT_EQ(SfxOutputName(u"C:\\a\\x.yz1", u"D:\\out", u".exe"), u"D:\\out\\x.exe");
  EXPECT_EQ(Yz1SfxTrailer(0x01020304), std::string("\x01\x02\x03\x04"));
  const struct {
    TArchiverType type;
    int gw;
    std::u16string_view missing;
  } kCases[] = {
      {atZip, -1, u"zip 書庫からのDOS自己解凍書庫の作成には 'sfx16.dat' ファイルが必要です。"},
      {atZip, 1, u"zip 書庫からのWin32自己解凍書庫の作成には 'sfx32gui.dat' ファイルが必要です。"},
      {atTgz, 0, u"tar/tgz 書庫からの自己解凍書庫の作成には 'kmtarsef.exe' ファイルが必要です。"},
      {atYz1, 0, kMsgYz1NoDosSfx},
      {atYz1, 1, kMsgYz1NoWin32Sfx},
      {at7z, 1, u"7z 書庫からの自己解凍書庫の作成には '7z.sfx' ファイルが必要です。"},
  };
  for (const auto& c : kCases) {
    const std::optional<SfxSupport> support = SfxSupportFor(c.type, c.gw);
    ASSERT_TRUE(support);
    EXPECT_EQ(MessageOf([&] { RaiseSfxSupportMissing(c.type, *support); }), c.missing);
  }
  EXPECT_EQ(SfxSupportFor(atYz1, 1)->files.size(), 2u);
  EXPECT_EQ(MessageOf([] { SfxSupportFor(at7z, 0); }), kMsgNo16BitSfx);
  EXPECT_EQ(MessageOf([] { SfxSupportFor(atBZ2, 1); }), kMsgBz2NoSfx);
  EXPECT_FALSE(SfxSupportFor(atLha, 1));
}

TEST(CommandLines, BuilderItems) {
  TCmdOpt cmd(kCp932);
  cmd.AddRaw("");
  cmd.AddNumber("k", -1);
  cmd.AddNumber("k", 0);
  cmd.AddValue(" /p", "v");
  cmd.AddValue("q", std::string(kUnsetOption));
  cmd.AddFolder("w", "");
  cmd.AddFolder(kNoSwitch, std::string(kUnsetOption));
  cmd.AddValue(kNoSwitch, "");
  cmd.SetQuoteStyle(TCmdOpt::kQuoteValueOnly);
  cmd.AddValue("f", "");
  EXPECT_EQ(cmd.Text(), "  -k0 \"/pv\" \"\" -f \"\"");
}

}  // namespace
}  // namespace zk
