// Deciding an archive's format by extension and by the archivers' answers.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "archive/archiver_type.h"
#include "archive/drivers/content_checks.h"
#include "base/text.h"

namespace zk {
namespace {

TEST(ArchiverType, ByExtension) {
  const struct {
    std::u16string_view name;
    TArchiverType type;
    bool by_content;
  } kCases[] = {
      {u"a.lzh", atLha, false},       {u"PHOTO.ZIP", atZip, false},   {u"a.Jar", atZip, false},
      {u"b.WAR", atZip, false},       {u"c.ear", atZip, false},       {u"d.cab", atCab, false},
      {u"e.arj", atArj, false},       {u"f.tar", atTar, false},       {u"libx.a", atTar, false},
      {u"g.lib", atTar, false},       {u"h.deb", atTar, false},       {u"i.rpm", atTar, false},
      {u"j.cpio", atTar, false},      {u"k.tgz", atTgz, false},       {u"x.tar.gz", atTgz, false},
      {u"l.Z", atTgz, false},         {u"m.taz", atTgz, false},       {u"n.bz2", atBZ2, false},
      {u"o.rar", atRar, false},       {u"p.gza", atBga, false},       {u"q.BZA", atBga, false},
      {u"r.yz1", atYz1, false},       {u"s.gca", atGCA, false},       {u"t.7z", at7z, false},
      {u"setup.EXE", atNone, true},   {u"notes.txt", atNone, false},  {u"noext", atNone, false},
      {u"C:\\x.zip\\readme", atNone, false}, {u"x.tar.", atNone, false},
  };
  for (const auto& c : kCases) {
    const ExtensionVerdict v = DetectArchiverTypeByExtension(c.name);
    EXPECT_EQ(v.type, c.type) << std::string(c.name.begin(), c.name.end());
    EXPECT_EQ(v.by_content, c.by_content) << std::string(c.name.begin(), c.name.end());
  }
}

TEST(ArchiverType, ExtensionsOnlyTheBuiltInEngineReads) {
  for (auto [name, only] : {std::pair{u"a.ISO", true}, {u"a.tar.xz", true}, {u"a.tzst", true}, {u"a.lz4", true},
                            {u"a.zip", false}, {u"a.txt", false}, {u"xz", false}})
    EXPECT_EQ(IsBuiltinOnlyExtension(name), only) << Utf16ToUtf8(name);
}

TEST(ArchiverType, ContentAnswersInTheirOrder) {
  const struct {
    ContentAnswers answers;
    TArchiverType type;
  } kCases[] = {
      {{}, atNone},
      {{atTgz}, atTgz},
      {{atTar, true}, atRar},
      {{atTar, true, true}, atZip},
      {{atNone, false, true, true}, atBga},
      {{atNone, false, true, true, true}, atYz1},
      {{atNone, false, true, false, false, true}, atCab},
      {{atBZ2, true, true, true, true, true, true}, atLha},
      {{atNone, false, true, false, false, false, true}, atLha},  // a self-extractor both accept
  };
  for (const auto& c : kCases) EXPECT_EQ(DecideByContent(c.answers), c.type);
}

TEST(ArchiverType, ContentChecksAllRunAndFailuresSayNo) {
  std::string order;
  auto yes = [&](char c) { return [&order, c] { order += c; return true; }; };
  auto fails = [&](char c) { return [&order, c]() -> bool { order += c; throw std::runtime_error("no DLL"); }; };
  ContentChecks checks{[&]() -> TArchiverType { order += 't'; throw std::runtime_error("no DLL"); },
                       yes('r'), yes('z'), fails('b'), fails('y'), yes('c'), fails('l')};
  EXPECT_EQ(DetectByContent(checks), atCab);
  EXPECT_EQ(order, "trzbycl");
  checks.cab = fails('c');
  EXPECT_EQ(DetectByContent(checks), atZip);
  EXPECT_EQ(DetectByContent(ContentChecks{}), atNone);
  ContentChecks tar_only;
  tar_only.tar = [] { return atBZ2; };
  EXPECT_EQ(DetectByContent(tar_only), atBZ2);
}

TEST(ArchiverType, TarArchiveTypeCodes) {
  const std::pair<int, TArchiverType> kCases[] = {{0, atNone}, {1, atTar}, {2, atTgz}, {5, atTgz},
                                                  {6, atBZ2},  {7, atBZ2}, {8, atNone}, {-1, atNone}};
  for (const auto& [code, type] : kCases) EXPECT_EQ(TarTypeFromArchiveType(code), type) << code;
}

TEST(ArchiverType, DriversExistForTenTypes) {
  int with_driver = 0;
  for (int t = atLha; t <= atAutoDetect; ++t) with_driver += HasDriver(static_cast<TArchiverType>(t));
  EXPECT_EQ(with_driver, 10);
  EXPECT_FALSE(HasDriver(atArj));
  EXPECT_FALSE(HasDriver(atGCA));
  EXPECT_FALSE(HasDriver(atBel));
  EXPECT_FALSE(HasDriver(atNone));
}

// Records the calls; opens succeed with handle 7 when `opens`.
struct FakeDll : ContentCheckDll {
  int check = 1, type = 0;
  bool opens = true;
  std::string calls;
  int CheckArchive(const std::string& f, int mode) override {
    calls += "check(" + f + "," + std::to_string(mode) + ")";
    return check;
  }
  uintptr_t OpenArchive(const std::string& f, uint32_t mode) override {
    calls += "open(" + f + "," + std::to_string(mode) + ")";
    return opens ? 7 : 0;
  }
  void CloseArchive(uintptr_t h) override { calls += "close(" + std::to_string(h) + ")"; }
  int GetArchiveType(const std::string& f) override {
    calls += "type(" + f + ")";
    return type;
  }
};

TEST(ArchiverType, EachFormatsContentCheck) {
  const CheckedFile file{"x.bin", "C:\\d\\x.bin", true};
  const std::string open = "open(C:\\d\\x.bin,8388610)close(7)";
  const struct {
    TArchiverType type;
    int check;
    bool opens, exists, yes;
    std::string calls;
  } kCases[] = {
      {atRar, 0, true, false, true, open},
      {atCab, 0, false, true, false, "open(C:\\d\\x.bin,8388610)"},
      {atZip, 1, true, true, true, "check(C:\\d\\x.bin,24)" + open},
      {atZip, 0, true, true, false, "check(C:\\d\\x.bin,24)"},
      {atZip, 1, true, false, false, "check(C:\\d\\x.bin,24)"},
      {atBga, 0, true, true, true, open},
      {atYz1, 0, true, false, false, ""},
      {atLha, 1, true, false, true, "check(C:\\d\\x.bin,16)" + open},
      {atLha, 0, true, true, false, "check(C:\\d\\x.bin,16)"},
      {at7z, 1, true, true, false, ""},
  };
  for (const auto& c : kCases) {
    FakeDll dll;
    dll.check = c.check;
    dll.opens = c.opens;
    CheckedFile f = file;
    f.exists = c.exists;
    EXPECT_EQ(ContentCheck(c.type, dll, f), c.yes) << int(c.type);
    EXPECT_EQ(dll.calls, c.calls) << int(c.type);
  }
  FakeDll tar;
  tar.type = 3;
  EXPECT_EQ(TarContentCheck(tar, file), atTgz);
  EXPECT_EQ(tar.calls, "type(x.bin)");
}

}  // namespace
}  // namespace zk
