// Deciding an archive's format by extension and by the archivers' answers.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "archive/archiver_type.h"

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

}  // namespace
}  // namespace zk
