// The archive browser through its own interface, beside a host without a main
// window: a listed archive, a member opened into the work folder, and a link
// that replaces what was listed and shown.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/window/archive_page.h"
#include "archive/archive_samples.h"
#include "image/image_control.h"
#include "support/test_files.h"

namespace zk {
namespace {

class RecordingHost final : public ArchiveBrowser::Host {
 public:
  HWND OwnerWindow() override { return nullptr; }
  const Settings& BrowsingSettings() override { return settings; }
  const std::u16string& Selection() override { return selection; }
  void SetStatus(const std::u16string&) override {}
  void SetMemberStatus(const std::u16string& text) override { member_status = text; }
  void ShowWarning(const std::wstring&) override {}
  void ShowNotice(const std::wstring&) override {}
  void SetArchiveCaption(const std::u16string&) override {}
  void SetBusyCursor(bool) override {}
  void ShowListPage() override { ++list_pages; }
  void ViewMemberFile(const std::u16string& file) override { viewed.push_back(file); }
  bool AskLinkTarget(const std::u16string&, std::u16string&) override { return false; }
  void ShowLinkText(const std::u16string& text) override { link_text = text; }
  void ClearViews() override {}
  ImageControl& LinkImage() override { return image; }
  COLORREF LinkImageBackground() override { return RGB(255, 255, 255); }
  void ShowLinkImagePage() override {}

  Settings settings;
  std::u16string selection, member_status, link_text;
  std::vector<std::u16string> viewed;
  int list_pages = 0;
  ImageControl image;
};

TEST(ArchiveBrowser, AListAMemberAndALinkThatReplacesThem) {
  test::TempDir dir;
  const std::u16string zip = dir.Child(L"b.zip"), work = dir.Child(L"work");
  ASSERT_TRUE(test::WriteSampleArchive(zip, test::SampleFormat::kZip, {{"a.txt", "first"}, {"b.txt", "second"}}));
  std::filesystem::create_directory(std::filesystem::path(work));
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  RecordingHost host;
  host.selection = zip;
  ArchivePage page(host);
  ASSERT_TRUE(page.Create(parent, 1, nullptr));
  ArchiveBrowser& browser = page.browser();
  browser.SetWorkFolder(work);

  ASSERT_TRUE(browser.ListForDispatch(zip));
  EXPECT_EQ(page.Count(), 2);
  EXPECT_EQ(host.list_pages, 1);
  page.Select(0);
  browser.Step(-1);  // the next member, as Ctrl+Down
  ASSERT_EQ(host.viewed.size(), 1u);
  EXPECT_EQ(test::ReadFileBytes(host.viewed[0]), "second");
  EXPECT_EQ(browser.shown_member(), host.viewed[0]);
  EXPECT_EQ(host.member_status, u"b.txt");

  // A link to an archive that is gone: nothing of the list or the member stays.
  const std::u16string link = dir.Child(L"l.ArcLink");
  ASSERT_TRUE(test::WriteFileBytes(link, "C:\\gone.zip\r\nx.png\r\n10\r\n"));
  browser.OpenLink(link);
  EXPECT_EQ(browser.shown_member(), u"");
  EXPECT_EQ(browser.listed_archive(), u"");
  EXPECT_NE(host.link_text.find(u"x.png"), std::u16string::npos);
  DestroyWindow(parent);
}

}  // namespace
}  // namespace zk
